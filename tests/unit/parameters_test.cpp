#include "options/parameters.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "crt_split.h"
#include "fake_options.h"
#include "options/code_page.h"

namespace tavrolex {
namespace {

using testing::FakeOptions;

std::string Render(const FakeOptions& options) {
  return RenderParameters(options, IsShiftJisLeadByte);
}

void CheckAllOptionalBoxes(FakeOptions& options) {
  for (const OptionRow& row : Options()) {
    if (row.enabled_by != kAlwaysOn) options.WriteFlag(row.enabled_by, true);
  }
}

TEST(RenderParametersTest, PathsOnly) {
  FakeOptions options;
  options.WriteText(Field::Edit_input, "C:\\Video\\clip.avi");
  options.WriteText(Field::Edit_output, "C:\\Video\\clip.wmv");
  EXPECT_EQ(Render(options), "-input \"C:\\Video\\clip.avi\" -output \"C:\\Video\\clip.wmv\"");
}

TEST(RenderParametersTest, EveryOptionAtItsStartValue) {
  FakeOptions options;
  options.WriteText(Field::Edit_input, "C:\\Video");
  options.WriteText(Field::Edit_output, "C:\\Encoded");
  CheckAllOptionalBoxes(options);
  EXPECT_EQ(Render(options),
            "-input \"C:\\Video\" -output \"C:\\Encoded\" -outputstring \"\" -time 0 0 "
            "-profile av20 -a_setting 64_44_2 -v_codec WMV8 -v_width 0 -v_height 0 "
            "-v_framerate  -v_keydist 0 -v_preproc 0 -v_clip 0 0 0 0 -v_mode 0 "
            "-v_bitrate 0 -v_buffer 0 -v_quality 0");
}

struct BuilderCase {
  const char* name;
  std::function<void(FakeOptions&)> setup;
  std::string tail;  // what follows the head -input "C:\in" -output "C:\out"
};

class BuilderCaseTest : public ::testing::TestWithParam<BuilderCase> {};

TEST_P(BuilderCaseTest, Renders) {
  FakeOptions options;
  options.WriteText(Field::Edit_input, "C:\\in");
  options.WriteText(Field::Edit_output, "C:\\out");
  GetParam().setup(options);
  EXPECT_EQ(Render(options), "-input \"C:\\in\" -output \"C:\\out\"" + GetParam().tail);
}

void Width(FakeOptions& o, const char* text) {
  o.WriteFlag(Field::CheckBox_v_width, true);
  o.TypeText(Field::SpinEdit_v_width, text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuilderCaseTest,
    ::testing::Values(
        BuilderCase{"NothingChecked", [](FakeOptions&) {}, ""},
        BuilderCase{"ProfileWithoutLine",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_profile, true);
                      o.WriteNumber(Field::ListBox_profile, -1);
                    },
                    " -profile "},
        BuilderCase{"AudioWithoutLine",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_a_setting, true);
                      o.WriteNumber(Field::ListBox_a_setting, -1);
                    },
                    " -a_setting "},
        BuilderCase{"ProfileWithoutLineThenLaterOption",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_profile, true);
                      o.WriteNumber(Field::ListBox_profile, -1);
                      o.WriteFlag(Field::CheckBox_v_quality, true);
                    },
                    " -profile  -v_quality 0"},
        BuilderCase{"ProfileLastLine",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_profile, true);
                      o.WriteNumber(Field::ListBox_profile, 18);
                    },
                    " -profile v32"},
        BuilderCase{"AudioLastLine",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_a_setting, true);
                      o.WriteNumber(Field::ListBox_a_setting, 32);
                    },
                    " -a_setting 0"},
        BuilderCase{"PreprocAndModeWithoutLine",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_v_preproc, true);
                      o.WriteNumber(Field::ListBox_v_preproc, -1);
                      o.WriteFlag(Field::CheckBox_v_mode, true);
                      o.WriteNumber(Field::ListBox_v_mode, -1);
                    },
                    " -v_preproc -1 -v_mode -1"},
        BuilderCase{"PreprocAndModeLines",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_v_preproc, true);
                      o.WriteNumber(Field::ListBox_v_preproc, 5);
                      o.WriteFlag(Field::CheckBox_v_mode, true);
                      o.WriteNumber(Field::ListBox_v_mode, 3);
                    },
                    " -v_preproc 5 -v_mode 3"},
        BuilderCase{"CodecNeitherRadio",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_v_codec, true);
                      o.WriteFlag(Field::RadioButton_WMV8, false);
                    },
                    " -v_codec WMV8"},
        BuilderCase{"CodecWmv7",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_v_codec, true);
                      o.WriteFlag(Field::RadioButton_WMV7, true);
                    },
                    " -v_codec WMV7"},
        BuilderCase{"WidthLeadingZeros", [](FakeOptions& o) { Width(o, "007"); }, " -v_width 7"},
        BuilderCase{"WidthHex", [](FakeOptions& o) { Width(o, "$1F"); }, " -v_width 31"},
        BuilderCase{"WidthNegative", [](FakeOptions& o) { Width(o, "-5"); }, " -v_width -5"},
        BuilderCase{"WidthLetters", [](FakeOptions& o) { Width(o, "abc"); }, " -v_width 0"},
        BuilderCase{"WidthEmpty", [](FakeOptions& o) { Width(o, ""); }, " -v_width 0"},
        BuilderCase{"WidthTooLarge", [](FakeOptions& o) { Width(o, "2147483648"); },
                    " -v_width 0"},
        BuilderCase{"Time",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_time, true);
                      o.WriteNumber(Field::SpinEdit_start_time, 1500);
                      o.TypeText(Field::SpinEdit_end_time, "  90000");
                    },
                    " -time 1500 90000"},
        BuilderCase{"Clip",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_v_clip, true);
                      o.WriteNumber(Field::SpinEdit_v_clip_left, 8);
                      o.WriteNumber(Field::SpinEdit_v_clip_top, 0);
                      o.WriteNumber(Field::SpinEdit_v_clip_right, 8);
                      o.WriteNumber(Field::SpinEdit_v_clip_bottom, 0);
                    },
                    " -v_clip 8 0 8 0"},
        BuilderCase{"FrameRate",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_v_framerate, true);
                      o.WriteText(Field::Edit_v_framerate, "29.97");
                    },
                    " -v_framerate 29.97"},
        BuilderCase{"FrameRateWithBlanksAndQuote",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_v_framerate, true);
                      o.WriteText(Field::Edit_v_framerate, " 29 97\\\" ");
                    },
                    " -v_framerate  29 97\\\" "},
        BuilderCase{"Slider",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_v_quality, true);
                      o.WriteNumber(Field::TrackBar_v_quality, 75);
                    },
                    " -v_quality 75"},
        BuilderCase{"OutputStringQuoted",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_outputstring, true);
                      o.WriteText(Field::Edit_outputstring, "my clip\\");
                    },
                    " -outputstring \"my clip\\\\\""},
        BuilderCase{"NumbersInOrder",
                    [](FakeOptions& o) {
                      o.WriteFlag(Field::CheckBox_v_height, true);
                      o.WriteNumber(Field::SpinEdit_v_height, 480);
                      o.WriteFlag(Field::CheckBox_v_keydist, true);
                      o.WriteNumber(Field::SpinEdit_v_keydist, 10);
                      o.WriteFlag(Field::CheckBox_v_bitrate, true);
                      o.WriteNumber(Field::SpinEdit_v_bitrate, 300000);
                      o.WriteFlag(Field::CheckBox_v_buffer, true);
                      o.WriteNumber(Field::SpinEdit_v_buffer, 5000);
                    },
                    " -v_height 480 -v_keydist 10 -v_bitrate 300000 -v_buffer 5000"}),
    [](const ::testing::TestParamInfo<BuilderCase>& info) { return info.param.name; });

TEST(RenderParametersTest, UncheckingRemovesOnlyThatPieceAndRecheckingRestoresIt) {
  FakeOptions options;
  options.WriteText(Field::Edit_input, "a.avi");
  options.WriteText(Field::Edit_output, "b.wmv");
  options.WriteFlag(Field::CheckBox_v_width, true);
  options.WriteNumber(Field::SpinEdit_v_width, 640);
  options.WriteFlag(Field::CheckBox_v_quality, true);
  options.WriteNumber(Field::TrackBar_v_quality, 60);
  const std::string both = Render(options);
  EXPECT_EQ(both, "-input \"a.avi\" -output \"b.wmv\" -v_width 640 -v_quality 60");

  options.WriteFlag(Field::CheckBox_v_width, false);
  EXPECT_EQ(Render(options), "-input \"a.avi\" -output \"b.wmv\" -v_quality 60");
  options.WriteFlag(Field::CheckBox_v_width, true);
  EXPECT_EQ(Render(options), both);
}

TEST(RenderParametersTest, ReadsButChangesNothing) {
  FakeOptions options;
  CheckAllOptionalBoxes(options);
  options.writes.clear();
  const FakeOptions before = options;
  Render(options);
  EXPECT_TRUE(options.writes.empty());
  EXPECT_TRUE(options == before);
}

struct QuoteCase {
  const char* name;
  std::string value;
  std::string quoted;
};

class QuoteArgumentTest : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteArgumentTest, Quotes) {
  EXPECT_EQ(QuoteArgument(GetParam().value, IsShiftJisLeadByte), GetParam().quoted);
}

// \x95\x5C and \x83\x5C are Shift-JIS characters whose trail byte is a backslash.
INSTANTIATE_TEST_SUITE_P(
    Table, QuoteArgumentTest,
    ::testing::Values(
        QuoteCase{"Empty", "", R"("")"},
        QuoteCase{"PlainPath", R"(C:\My Videos\clip.avi)", R"("C:\My Videos\clip.avi")"},
        QuoteCase{"InnerBackslashRunsKept", R"(\\server\\share)", R"("\\server\\share")"},
        QuoteCase{"TrailingBackslash", R"(C:\Encoded\)", R"("C:\Encoded\\")"},
        QuoteCase{"TrailingBackslashRun", R"(C:\a\\)", R"("C:\a\\\\")"},
        QuoteCase{"QuotationMark", R"(say "hi")", R"("say \"hi\"")"},
        QuoteCase{"BackslashesBeforeMark", R"(a\\"b)", R"("a\\\\\"b")"},
        QuoteCase{"OnlyMark", "\"", R"("\"")"},
        QuoteCase{"TrailByteNotDoubled", "C:\\\x95\x5C", "\"C:\\\x95\x5C\""},
        QuoteCase{"TrailByteThenBackslash", "C:\\\x95\x5C\\", "\"C:\\\x95\x5C\\\\\""},
        QuoteCase{"TrailByteBeforeMark", "\x83\x5C\"", "\"\x83\x5C\\\"\""},
        // 0x88 0x9F: the trail byte is itself in the lead range.
        QuoteCase{"TrailInLeadRange", "\x88\x9F\\", "\"\x88\x9F\\\\\""}),
    [](const ::testing::TestParamInfo<QuoteCase>& info) { return info.param.name; });

TEST(QuoteArgumentSingleByteTest, WithoutLeadBytesTheTrailByteIsABackslash) {
  EXPECT_EQ(QuoteArgument("C:\\\x95\x5C", NoLeadBytes), "\"C:\\\x95\\\\\"");
}

TEST(SplitLikeCRuntimeTest, FollowsTheRuntimeRules) {
  // The known readings of the runtime's own rules, to trust the splitter below.
  EXPECT_EQ(testing::SplitLikeCRuntime(R"(-output "C:\Encoded\" -v_framerate 29.97)"),
            (std::vector<std::string>{"-output", R"(C:\Encoded" -v_framerate 29.97)"}));
  EXPECT_EQ(testing::SplitLikeCRuntime("-input \"C:\\\x95\x5C\" -output \"C:\\Enc\\\\\""),
            (std::vector<std::string>{"-input", "C:\\\x95\x5C", "-output", "C:\\Enc\\"}));
  EXPECT_EQ(testing::SplitLikeCRuntime("a\\\\\\\"b \"c d\"\te\\f"),
            (std::vector<std::string>{R"(a\"b)", "c d", R"(e\f)"}));
}

std::string RandomValue(std::mt19937& random) {
  static const std::vector<std::string> pieces = {
      "a", "Z", ".", "9", " ", "\t", "\\", "\\\\", "\\\\\\", "\"", "\\\"", "\"\\",
      "\x95\x5C",  // a Shift-JIS character with trail byte 0x5C
      "\x83\x5C",  // another one
      "\x88\x9F",  // one whose trail byte lies in the lead range
      "\x82\xA0", "-x", "C:",
  };
  std::uniform_int_distribution<std::size_t> count(0, 10);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::string value;
  for (std::size_t n = count(random); n > 0; --n) value += pieces[pick(random)];
  switch (random() % 4) {
    case 0: value += "\\"; break;
    case 1: value += "\\\\\\"; break;
    case 2: value += "\x95\x5C"; break;
    default: break;
  }
  return value;
}

TEST(RenderParametersTest, RuntimeSplitGivesBackTypedValues) {
  std::mt19937 random(1903);
  for (int round = 0; round < 3000; ++round) {
    FakeOptions options;
    const std::string input = RandomValue(random);
    const std::string output = RandomValue(random);
    const std::string name = RandomValue(random);
    options.WriteText(Field::Edit_input, input);
    options.WriteText(Field::Edit_output, output);
    options.WriteFlag(Field::CheckBox_outputstring, true);
    options.WriteText(Field::Edit_outputstring, name);
    std::vector<std::string> expected = {"-input", input, "-output", output,
                                         "-outputstring", name};
    if (random() % 2) {
      options.WriteFlag(Field::CheckBox_time, true);
      options.WriteNumber(Field::SpinEdit_end_time, static_cast<std::int32_t>(random() % 9999));
      expected.insert(expected.end(), {"-time", "0", FormatInteger(options.ReadNumber(
                                                          Field::SpinEdit_end_time))});
    }
    if (random() % 2) {
      options.WriteFlag(Field::CheckBox_profile, true);
      expected.insert(expected.end(), {"-profile", "av20"});
    }
    const std::string rendered = Render(options);
    ASSERT_EQ(testing::SplitLikeCRuntime(rendered), expected) << "rendered: " << rendered;
  }
}

}  // namespace
}  // namespace tavrolex
