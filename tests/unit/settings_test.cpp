#include "settings/settings_format.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_options.h"
#include "settings_stability.h"

namespace tavrolex {
namespace {

using testing::FakeOptions;

std::string Join(const std::vector<std::string>& lines, const std::string& end) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + end;
  return bytes;
}

// The file a first quit writes: the values at start, line by line.
const std::vector<std::string> kStartLines = {
    "",      "",      "False", "",      "False", "0",     "0",     "False", "0",     "False",
    "8",     "False", "False", "True",  "False", "0",     "False", "0",     "False", "",
    "False", "0",     "False", "0",     "False", "0",     "0",     "0",     "0",     "False",
    "0",     "False", "0",     "False", "0",     "False", "0",
};

const std::string kLongOutput = "D:\\" + std::string(297, 'o');  // 300 bytes

// A state in which every field differs from its value at start. The integer fields hold
// texts as typed, not in plain decimal form.
FakeOptions RichState() {
  FakeOptions o;
  o.WriteText(Field::Edit_input, "C:\\My Videos\\\x95\x5C\\clip \"1\".avi");
  o.WriteText(Field::Edit_output, kLongOutput);
  o.WriteFlag(Field::CheckBox_outputstring, true);
  o.WriteText(Field::Edit_outputstring, "name\nwith LF");
  o.WriteFlag(Field::CheckBox_time, true);
  o.TypeText(Field::SpinEdit_start_time, "007");
  o.TypeText(Field::SpinEdit_end_time, "$1F");
  o.WriteFlag(Field::CheckBox_profile, true);
  o.WriteNumber(Field::ListBox_profile, 18);
  o.WriteFlag(Field::CheckBox_a_setting, true);
  o.WriteNumber(Field::ListBox_a_setting, -1);
  o.WriteFlag(Field::CheckBox_v_codec, true);
  o.WriteFlag(Field::RadioButton_WMV7, true);
  o.WriteFlag(Field::CheckBox_v_width, true);
  o.TypeText(Field::SpinEdit_v_width, "  12");
  o.WriteFlag(Field::CheckBox_v_height, true);
  o.TypeText(Field::SpinEdit_v_height, "abc");
  o.WriteFlag(Field::CheckBox_v_framerate, true);
  o.WriteText(Field::Edit_v_framerate, "29.97");
  o.WriteFlag(Field::CheckBox_v_keydist, true);
  o.TypeText(Field::SpinEdit_v_keydist, "-5");
  o.WriteFlag(Field::CheckBox_v_preproc, true);
  o.WriteNumber(Field::ListBox_v_preproc, 5);
  o.WriteFlag(Field::CheckBox_v_clip, true);
  o.WriteNumber(Field::SpinEdit_v_clip_left, 8);
  o.WriteNumber(Field::SpinEdit_v_clip_top, 1);
  o.WriteNumber(Field::SpinEdit_v_clip_right, 8);
  o.WriteNumber(Field::SpinEdit_v_clip_bottom, 2);
  o.WriteFlag(Field::CheckBox_v_mode, true);
  o.WriteNumber(Field::ListBox_v_mode, 3);
  o.WriteFlag(Field::CheckBox_v_bitrate, true);
  o.WriteNumber(Field::SpinEdit_v_bitrate, 2147483647);
  o.WriteFlag(Field::CheckBox_v_buffer, true);
  o.TypeText(Field::SpinEdit_v_buffer, "-2147483647");
  o.WriteFlag(Field::CheckBox_v_quality, true);
  o.WriteNumber(Field::TrackBar_v_quality, 75);
  o.writes.clear();
  return o;
}

const std::vector<std::string> kRichLines = {
    "C:\\My Videos\\\x95\x5C\\clip \"1\".avi",
    kLongOutput,
    "True", "name\nwith LF",
    "True", "7", "31",
    "True", "18",
    "True", "-1",
    "True", "True", "False",
    "True", "12",
    "True", "0",
    "True", "29.97",
    "True", "-5",
    "True", "5",
    "True", "8", "1", "8", "2",
    "True", "3",
    "True", "2147483647",
    "True", "-2147483647",
    "True", "75",
};

TEST(BoolTextTest, OnlyTheExactTextTrueIsChecked) {
  EXPECT_TRUE(TextToBool("True"));
  for (const char* text : {"true", "TRUE", "True ", " True", "1", "", "False", "Tru", "Truee"}) {
    EXPECT_FALSE(TextToBool(text)) << "[" << text << "]";
  }
  EXPECT_EQ(BoolToText(true), "True");
  EXPECT_EQ(BoolToText(false), "False");
}

struct ReaderCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;  // the next lines read, in order
};

class LineReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(LineReaderTest, Reads) {
  SettingsLineReader reader(GetParam().bytes);
  for (const std::string& expected : GetParam().lines) EXPECT_EQ(reader.Next(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LineReaderTest,
    ::testing::Values(
        ReaderCase{"CrLf", "a\r\nb\r\n", {"a", "b", "", "", ""}},
        ReaderCase{"LoneCr", "a\rb\r", {"a", "b", ""}},
        ReaderCase{"NoFinalLineEnd", "a\r\nb", {"a", "b", ""}},
        ReaderCase{"LoneLfStays", "a\nb\r\nc", {"a\nb", "c", ""}},
        ReaderCase{"LfAfterCrLfStays", "a\r\n\nb\r\n", {"a", "\nb", ""}},
        ReaderCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
        ReaderCase{"CrLfLf", "a\r\n\n\r\n", {"a", "\n", ""}},
        ReaderCase{"Byte26EndsTheData", "a\r\nb\x1A\r\nc\r\n", {"a", "b", "", ""}},
        ReaderCase{"Byte26First", "\x1A" "a\r\n", {"", ""}},
        ReaderCase{"Empty", "", {"", "", ""}},
        ReaderCase{"NulIsAnOrdinaryByte", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}}),
    [](const ::testing::TestParamInfo<ReaderCase>& info) { return info.param.name; });

TEST(LineReaderLengthTest, LineHasNoLengthLimit) {
  const std::string line(70000, 'x');
  const std::string bytes = line + "\r\nnext";
  SettingsLineReader reader(bytes);
  EXPECT_EQ(reader.Next(), line);
  EXPECT_EQ(reader.Next(), "next");
}

TEST(RenderSettingsTest, FirstQuitWritesTheStartValues) {
  const std::string written = RenderSettings(FakeOptions());
  EXPECT_EQ(written, Join(kStartLines, "\r\n"));
  EXPECT_EQ(written.size(), 174u);
}

TEST(RenderSettingsTest, RichStateLineByLine) {
  EXPECT_EQ(RenderSettings(RichState()), Join(kRichLines, "\r\n"));
}

TEST(ApplySettingsTest, RichStateComesBackWithIntegersInPlainDecimal) {
  FakeOptions fresh;
  const LoadOutcome outcome = ApplySettings(RenderSettings(RichState()), fresh);
  EXPECT_TRUE(outcome.complete);
  EXPECT_EQ(outcome.lines_assigned, 37);
  ASSERT_EQ(fresh.writes.size(), kFieldCount);
  for (std::size_t i = 0; i < kFieldCount; ++i) EXPECT_EQ(fresh.writes[i], static_cast<Field>(i));

  const FakeOptions rich = RichState();
  for (Field f : {Field::Edit_input, Field::Edit_output, Field::Edit_outputstring,
                  Field::Edit_v_framerate}) {
    EXPECT_EQ(fresh.ReadText(f), rich.ReadText(f)) << NameOf(f);
  }
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const Field f = static_cast<Field>(i);
    if (KindOf(f) == ValueKind::Flag) EXPECT_EQ(fresh.ReadFlag(f), rich.ReadFlag(f)) << NameOf(f);
    if (KindOf(f) != ValueKind::Text && KindOf(f) != ValueKind::Flag) {
      EXPECT_EQ(fresh.ReadNumber(f), rich.ReadNumber(f)) << NameOf(f);
    }
  }
  EXPECT_EQ(fresh.RawText(Field::SpinEdit_start_time), "7");
  EXPECT_EQ(fresh.RawText(Field::SpinEdit_end_time), "31");
  EXPECT_EQ(fresh.RawText(Field::SpinEdit_v_width), "12");
  EXPECT_EQ(fresh.RawText(Field::SpinEdit_v_height), "0");
  EXPECT_EQ(fresh.RawText(Field::SpinEdit_v_keydist), "-5");
  EXPECT_EQ(fresh.ReadNumber(Field::ListBox_a_setting), -1);
  EXPECT_TRUE(fresh.ReadFlag(Field::RadioButton_WMV7));
  EXPECT_FALSE(fresh.ReadFlag(Field::RadioButton_WMV8));
  EXPECT_EQ(fresh.ReadText(Field::Edit_output).size(), 300u);
  EXPECT_EQ(testing::SettingsStabilityFailure(RenderSettings(RichState())), "");
}

// A file whose line `number` (1-based) is replaced, lines ended by CR LF.
std::string StartFileWithLine(int number, const std::string& text) {
  std::vector<std::string> lines = kStartLines;
  lines[static_cast<std::size_t>(number - 1)] = text;
  return Join(lines, "\r\n");
}

struct DamageCase {
  const char* name;
  std::string bytes;
  int lines_assigned;
  std::function<void(const FakeOptions&)> check;
};

class DamagedFileTest : public ::testing::TestWithParam<DamageCase> {};

// Reads into the rich state, which differs from the start values in every field, so
// every assignment the file makes shows, and every field the reader did not reach must
// still hold its rich value.
TEST_P(DamagedFileTest, AssignsUpToTheFirstBadNumber) {
  const DamageCase& c = GetParam();
  FakeOptions options = RichState();
  const LoadOutcome outcome = ApplySettings(c.bytes, options);
  EXPECT_EQ(outcome.lines_assigned, c.lines_assigned);
  EXPECT_EQ(outcome.complete, c.lines_assigned == 37);
  ASSERT_EQ(options.writes.size(), static_cast<std::size_t>(c.lines_assigned));
  for (std::size_t i = 0; i < options.writes.size(); ++i) {
    EXPECT_EQ(options.writes[i], static_cast<Field>(i));
  }
  const FakeOptions rich = RichState();
  for (std::size_t i = static_cast<std::size_t>(c.lines_assigned); i < kFieldCount; ++i) {
    const Field f = static_cast<Field>(i);
    switch (KindOf(f)) {
      case ValueKind::Text:
      case ValueKind::Integer:
        EXPECT_EQ(options.RawText(f), rich.RawText(f)) << NameOf(f);
        break;
      case ValueKind::Flag:
        // The radio pair's partner may follow an assigned button; the pair has its own test.
        if (f != Field::RadioButton_WMV8) EXPECT_EQ(options.ReadFlag(f), rich.ReadFlag(f)) << NameOf(f);
        break;
      default:
        EXPECT_EQ(options.ReadNumber(f), rich.ReadNumber(f)) << NameOf(f);
        break;
    }
  }
  if (c.check) c.check(options);
}

std::string StartFile() { return Join(kStartLines, "\r\n"); }

std::string WithByte26BeforeLine(int number) {
  std::string bytes;
  for (int i = 0; i < 37; ++i) {
    if (i + 1 == number) bytes += '\x1A';
    bytes += kStartLines[static_cast<std::size_t>(i)] + "\r\n";
  }
  return bytes;
}

void ExpectStartValues(const FakeOptions& o) { EXPECT_EQ(RenderSettings(o), StartFile()); }

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedFileTest,
    ::testing::Values(
        DamageCase{"WholeFile", StartFile(), 37, ExpectStartValues},
        DamageCase{"LettersInLine9", StartFileWithLine(9, "abc"), 8,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.ReadText(Field::Edit_input), "");
                     EXPECT_FALSE(o.ReadFlag(Field::CheckBox_profile));
                   }},
        DamageCase{"EmptyFile", "", 5,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.ReadText(Field::Edit_input), "");
                     EXPECT_EQ(o.ReadText(Field::Edit_output), "");
                     EXPECT_EQ(o.ReadText(Field::Edit_outputstring), "");
                     EXPECT_FALSE(o.ReadFlag(Field::CheckBox_outputstring));
                     EXPECT_FALSE(o.ReadFlag(Field::CheckBox_time));
                   }},
        DamageCase{"LineFeedsOnly", Join(kRichLines, "\n"), 5,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.ReadText(Field::Edit_input), Join(kRichLines, "\n"));
                     EXPECT_EQ(o.ReadText(Field::Edit_output), "");
                   }},
        DamageCase{"CarriageReturnsOnly", Join(kStartLines, "\r"), 37, ExpectStartValues},
        DamageCase{"Byte26BeforeLine10", WithByte26BeforeLine(10), 10,
                   [](const FakeOptions& o) {
                     EXPECT_FALSE(o.ReadFlag(Field::CheckBox_a_setting));
                   }},
        DamageCase{"Byte26InsideText", StartFileWithLine(20, "29.\x1A" "97"), 21,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.ReadText(Field::Edit_v_framerate), "29.");
                     EXPECT_FALSE(o.ReadFlag(Field::CheckBox_v_keydist));
                   }},
        DamageCase{"FlagLowerCase", StartFileWithLine(8, "true"), 37,
                   [](const FakeOptions& o) { EXPECT_FALSE(o.ReadFlag(Field::CheckBox_profile)); }},
        DamageCase{"FlagUpperCase", StartFileWithLine(8, "TRUE"), 37,
                   [](const FakeOptions& o) { EXPECT_FALSE(o.ReadFlag(Field::CheckBox_profile)); }},
        DamageCase{"FlagTrailingBlank", StartFileWithLine(8, "True "), 37,
                   [](const FakeOptions& o) { EXPECT_FALSE(o.ReadFlag(Field::CheckBox_profile)); }},
        DamageCase{"FlagDigit", StartFileWithLine(8, "1"), 37,
                   [](const FakeOptions& o) { EXPECT_FALSE(o.ReadFlag(Field::CheckBox_profile)); }},
        DamageCase{"FlagExact", StartFileWithLine(8, "True"), 37,
                   [](const FakeOptions& o) { EXPECT_TRUE(o.ReadFlag(Field::CheckBox_profile)); }},
        DamageCase{"SliderAbove", StartFileWithLine(37, "150"), 37,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.ReadNumber(Field::TrackBar_v_quality), 100);
                   }},
        DamageCase{"SliderBelow", StartFileWithLine(37, "-3"), 37,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.ReadNumber(Field::TrackBar_v_quality), 0);
                   }},
        DamageCase{"ChoiceNone", StartFileWithLine(9, "-1"), 37,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.ReadNumber(Field::ListBox_profile), -1);
                     EXPECT_EQ(RenderSettings(o), StartFileWithLine(9, "-1"));
                   }},
        DamageCase{"BlanksBeforeNumber", StartFileWithLine(16, "  42"), 37,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.RawText(Field::SpinEdit_v_width), "42");
                   }},
        DamageCase{"HexNumber", StartFileWithLine(16, "$1F"), 37,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.RawText(Field::SpinEdit_v_width), "31");
                   }},
        DamageCase{"BlankAfterDigits", StartFileWithLine(16, "42 "), 15, nullptr},
        DamageCase{"BlankBetweenDigits", StartFileWithLine(16, "4 2"), 15, nullptr},
        DamageCase{"SignOnly", StartFileWithLine(16, "-"), 15, nullptr},
        DamageCase{"LowestValueText", StartFileWithLine(16, "-2147483648"), 15, nullptr},
        DamageCase{"EmptyNumberLine", StartFileWithLine(37, ""), 36, nullptr},
        DamageCase{"MoreThan37Lines", StartFile() + "junk\r\n12\r\n", 37, ExpectStartValues},
        DamageCase{"LongTextLine", StartFileWithLine(1, std::string(300, 'p')), 37,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.ReadText(Field::Edit_input), std::string(300, 'p'));
                   }},
        DamageCase{"LoneLineFeedInText", StartFileWithLine(4, "a\nb"), 37,
                   [](const FakeOptions& o) {
                     EXPECT_EQ(o.ReadText(Field::Edit_outputstring), "a\nb");
                   }}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return info.param.name; });

struct RadioCase {
  const char* line13;
  const char* line14;
  bool wmv7;
  bool wmv8;
};

class RadioPairTest : public ::testing::TestWithParam<RadioCase> {};

// The pair ends the same whichever button was checked before the read.
TEST_P(RadioPairTest, EndsAsTheLinesSay) {
  const RadioCase& c = GetParam();
  std::vector<std::string> lines = kStartLines;
  lines[12] = c.line13;
  lines[13] = c.line14;
  for (Field before : {Field::RadioButton_WMV7, Field::RadioButton_WMV8}) {
    FakeOptions options;
    options.WriteFlag(before, true);
    ASSERT_TRUE(ApplySettings(Join(lines, "\r\n"), options).complete);
    EXPECT_EQ(options.ReadFlag(Field::RadioButton_WMV7), c.wmv7) << NameOf(before);
    EXPECT_EQ(options.ReadFlag(Field::RadioButton_WMV8), c.wmv8) << NameOf(before);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, RadioPairTest,
                         ::testing::Values(RadioCase{"True", "False", true, false},
                                           RadioCase{"False", "True", false, true},
                                           RadioCase{"True", "True", false, true},
                                           RadioCase{"False", "False", false, false},
                                           RadioCase{"true", "x", false, false}),
                         [](const ::testing::TestParamInfo<RadioCase>& info) {
                           return std::string(info.param.line13) + "_" + info.param.line14;
                         });

}  // namespace
}  // namespace tavrolex
