#include <gtest/gtest.h>

#include <string>

#include "app/app_dir.h"
#include "app/command_line.h"
#include "options/code_page.h"

namespace tavrolex {
namespace {

struct DirectoryCase {
  std::string path;
  std::string expected;
};

class DirectoryOfTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryOfTest, CutsAtTheLastSeparator) {
  EXPECT_EQ(DirectoryOf(GetParam().path, IsShiftJisLeadByte), GetParam().expected);
}

// \x95\x5C is a Shift-JIS character whose trail byte is a backslash; \x83\x5C likewise.
INSTANTIATE_TEST_SUITE_P(
    Table, DirectoryOfTest,
    ::testing::Values(DirectoryCase{"C:\\Tools\\enc.exe", "C:\\Tools"},
                      DirectoryCase{"C:\\enc.exe", "C:\\"},
                      DirectoryCase{"\\\\server\\share\\enc.exe", "\\\\server\\share"},
                      DirectoryCase{"C:\\\x95\x5C\\enc.exe", "C:\\\x95\x5C"},
                      DirectoryCase{"C:\\Tools\\\x83\x5C.exe", "C:\\Tools"},
                      DirectoryCase{"C:\\a\\\x95\x5C", "C:\\a"},
                      DirectoryCase{"enc.exe", ""},
                      DirectoryCase{"", ""},
                      DirectoryCase{"C:enc.exe", "C:"},
                      DirectoryCase{"\\enc.exe", "\\"},
                      // A doubled backslash inside the path cuts after the pair.
                      DirectoryCase{"C:\\a\\\\b.exe", "C:\\a\\\\"},
                      // A lone lead byte at the end is a single character.
                      DirectoryCase{"C:\\a\\b\x95", "C:\\a"}),
    [](const ::testing::TestParamInfo<DirectoryCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST(DirectoryOfSingleByteTest, WithoutLeadBytesTheTrailByteIsASeparator) {
  // The same path read as single bytes: 0x5C followed by "\" becomes a doubled separator.
  EXPECT_EQ(DirectoryOf("C:\\\x95\x5C\\enc.exe", NoLeadBytes), "C:\\\x95\x5C\\");
  EXPECT_EQ(DirectoryOf("C:\\Tools\\\x83\x5C.exe", NoLeadBytes), "C:\\Tools\\\x83");
}

TEST(CodePageTest, ShiftJisLeadByteRanges) {
  for (int b = 0; b < 256; ++b) {
    const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(IsShiftJisLeadByte(static_cast<unsigned char>(b)), expected) << b;
    EXPECT_FALSE(NoLeadBytes(static_cast<unsigned char>(b)));
  }
}

struct ArgumentCase {
  const char* name;
  std::string command_line;
  int index;
  std::string expected;
};

class CommandLineArgumentTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(CommandLineArgumentTest, Splits) {
  const ArgumentCase& c = GetParam();
  EXPECT_EQ(CommandLineArgument(c.command_line, c.index), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineArgumentTest,
    ::testing::Values(
        ArgumentCase{"QuotedPath", "prog \"C:\\My Videos\\clip.avi\"", 1,
                     "C:\\My Videos\\clip.avi"},
        ArgumentCase{"UnquotedStopsAtBlank", "prog C:\\My Videos\\clip.avi", 1, "C:\\My"},
        ArgumentCase{"MiddleQuoted", "prog C:\\\"My Videos\"\\clip.avi", 1,
                     "C:\\My Videos\\clip.avi"},
        ArgumentCase{"UnclosedQuoteTakesTheRest", "prog \"C:\\My Videos\\clip.avi  x  y", 1,
                     "C:\\My Videos\\clip.avi  x  y"},
        ArgumentCase{"EmptyPairSkipped", "prog \"\" C:\\a.avi", 1, "C:\\a.avi"},
        ArgumentCase{"TwoEmptyPairsSkipped", "prog \"\"\"\"C:\\a.avi", 1, "C:\\a.avi"},
        ArgumentCase{"TabSeparates", "prog\tC:\\a.avi", 1, "C:\\a.avi"},
        ArgumentCase{"ControlCharSeparates", "prog\x01\x1F" "C:\\a.avi", 1, "C:\\a.avi"},
        ArgumentCase{"BackslashBeforeClosingQuote", "prog \"C:\\My Dir\\\" next", 1,
                     "C:\\My Dir\\"},
        ArgumentCase{"BackslashDoesNotProtectQuote", "prog a\\\"b c\" d", 1, "a\\b c"},
        ArgumentCase{"ProgramQuoted", "\"C:\\Program Files\\enc.exe\" arg", 0,
                     "C:\\Program Files\\enc.exe"},
        ArgumentCase{"AfterQuotedProgram", "\"C:\\Program Files\\enc.exe\" arg", 1, "arg"},
        ArgumentCase{"SecondArgument", "prog a  b c", 2, "b"},
        ArgumentCase{"Absent", "prog", 1, ""},
        ArgumentCase{"TrailingBlanks", "prog   ", 1, ""},
        ArgumentCase{"OnlyEmptyPair", "prog \"\"", 1, ""},
        ArgumentCase{"HighBytesBelong", "prog C:\\\x95\x5C\\\xFF.avi", 1,
                     "C:\\\x95\x5C\\\xFF.avi"},
        ArgumentCase{"EmptyCommandLine", "", 0, ""}),
    [](const ::testing::TestParamInfo<ArgumentCase>& info) { return info.param.name; });

TEST(CommandLineLongArgumentTest, LongArgumentComesWhole) {
  std::string path = "C:\\";
  while (path.size() < 1000) path += "long folder\\";
  path.resize(1000);
  EXPECT_EQ(CommandLineArgument("\"C:\\" + std::string(300, 'p') + ".exe\" \"" + path + "\"", 1),
            path);
  const std::string unquoted(1000, 'x');
  EXPECT_EQ(CommandLineArgument("prog " + unquoted + " next", 1), unquoted);
}

}  // namespace
}  // namespace tavrolex
