#include "options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include "split_words.h"

namespace wm8eutil {
namespace {

const std::string kHead = "-input C:\\in.avi -output C:\\out.wmv";

TEST(Wm8eutilOptions, AcceptsEverySwitchWithItsValues) {
  ParseResult r = ParseArguments(Split(
      kHead + " -outputstring clip -time 1500 4000 -profile av350pal -a_setting 22_22_2 -v_codec WMV7"
              " -v_width 321 -v_height 0 -v_framerate 29.97 -v_keydist 4 -v_preproc 5 -v_clip 8 1 6 2"
              " -v_mode 3 -v_bitrate 250000 -v_buffer 3000 -v_quality 75"));
  ASSERT_TRUE(r.ok()) << r.error;
  const Options& o = r.options;
  EXPECT_EQ(*o.input, "C:\\in.avi");
  EXPECT_EQ(*o.output, "C:\\out.wmv");
  EXPECT_EQ(*o.outputstring, "clip");
  EXPECT_EQ(*o.start_ms, 1500);
  EXPECT_EQ(*o.end_ms, 4000);
  ASSERT_NE(o.profile, nullptr);
  EXPECT_STREQ(o.profile->code, "av350pal");
  ASSERT_NE(o.audio, nullptr);
  EXPECT_EQ(o.audio->bps, 22000);
  EXPECT_EQ(o.audio->sample_rate, 22050);
  EXPECT_EQ(o.audio->channels, 2);
  EXPECT_TRUE(*o.wmv7);
  EXPECT_EQ(*o.width, 321);
  EXPECT_EQ(*o.height, 0);
  EXPECT_EQ(*o.framerate, "29.97");
  EXPECT_DOUBLE_EQ(FrameRateValue(*o.framerate), 29.97);
  EXPECT_EQ(*o.keydist_s, 4);
  EXPECT_EQ(*o.preproc, 5);
  ASSERT_TRUE(o.has_clip);
  EXPECT_EQ(*o.clip[0], 8);
  EXPECT_EQ(*o.clip[1], 1);
  EXPECT_EQ(*o.clip[2], 6);
  EXPECT_EQ(*o.clip[3], 2);
  EXPECT_EQ(*o.mode, 3);
  EXPECT_EQ(*o.bitrate_bps, 250000);
  EXPECT_EQ(*o.buffer_ms, 3000);
  EXPECT_EQ(*o.quality, 75);
}

TEST(Wm8eutilOptions, OnlyTheHeadLeavesEverythingElseUnset) {
  ParseResult r = ParseArguments(Split(kHead));
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_FALSE(r.options.outputstring || r.options.start_ms || r.options.wmv7 || r.options.width ||
               r.options.framerate || r.options.mode || r.options.quality || r.options.has_clip);
  EXPECT_EQ(r.options.profile, nullptr);
  EXPECT_EQ(r.options.audio, nullptr);
}

TEST(Wm8eutilOptions, PathsComeThroughByteForByteAndMayBeEmptyForTheCommonName) {
  // Blanks, a quotation mark and a trailing backslash, as the C runtime hands them back;
  // 0x95 0x5C is one code page 932 character whose trail byte is a backslash.
  ParseResult r = ParseArguments({"-input", "C:\\My Video\\a\"b.avi", "-output", "C:\\Enc\\",
                                  "-outputstring", "", "-profile", "AV20", "-v_codec", "wmv8"});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(*r.options.input, "C:\\My Video\\a\"b.avi");
  EXPECT_EQ(*r.options.output, "C:\\Enc\\");
  EXPECT_EQ(*r.options.outputstring, "");
  EXPECT_STREQ(r.options.profile->code, "av20");
  EXPECT_FALSE(*r.options.wmv7);

  r = ParseArguments({"-input", "C:\\\x95\x5C", "-output", "x.wmv"});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(*r.options.input, "C:\\\x95\x5C");
}

TEST(Wm8eutilOptions, EveryProfileAndAudioCodeIsAccepted) {
  const char* profiles[] = {"av20", "av32", "av100", "av225", "av350", "av450", "av700",
                            "av1400", "av350pal", "av700pal", "a20_1", "a20_2", "a32", "a48",
                            "a64", "a96", "a128", "v20", "v32"};
  for (const char* code : profiles) {
    ParseResult r = ParseArguments(Split(kHead + " -profile " + code));
    EXPECT_TRUE(r.ok()) << code << ": " << r.error;
  }
  const char* audio[] = {"192_48_2", "160_48_2", "128_48_2", "192_44_2", "160_44_2", "128_44_2",
                         "96_44_2", "80_44_2", "64_44_2", "48_44_2", "32_44_2", "32_44_1",
                         "48_32_2", "40_32_2", "32_32_2", "20_32_1", "32_22_2", "22_22_2",
                         "20_22_2", "20_22_1", "16_22_1", "20_16_2", "16_16_2", "16_16_1",
                         "12_16_1", "10_16_1", "10_11_1", "8_11_1", "12_8_2", "8_8_1",
                         "6_8_1", "5_8_1", "0"};
  for (const char* code : audio) {
    ParseResult r = ParseArguments(Split(kHead + " -a_setting " + code));
    ASSERT_TRUE(r.ok()) << code << ": " << r.error;
    // The code's numbers are the setting's rates: kbit/s, kHz (rounded down), channels.
    const AudioSetting& a = *r.options.audio;
    const std::string rebuilt = a.bps == 0 ? "0"
        : std::to_string(a.bps / 1000) + "_" + std::to_string(a.sample_rate / 1000) + "_" + std::to_string(a.channels);
    EXPECT_EQ(rebuilt, code);
  }
  EXPECT_EQ(Profiles().size(), 19u);
  EXPECT_EQ(AudioSettings().size(), 33u);
}

// Each audio-and-video profile's video and audio rates add up to the rate in its name.
TEST(Wm8eutilOptions, ProfileRatesAddUpToTheirNames) {
  for (const Profile& p : Profiles()) {
    const std::string code = p.code;
    const int audio = p.audio ? FindAudioSetting(p.audio)->bps : 0;
    const std::string digits = code.substr(code.find_first_of("0123456789"));
    const int named = std::stoi(digits) * 1000;
    if (code[0] == 'a' && code[1] == 'v') {
      EXPECT_EQ(p.video_bps + audio, named) << code;
      EXPECT_GT(audio, 0) << code;
    } else if (code[0] == 'a') {
      EXPECT_EQ(p.video_bps, 0) << code;
      EXPECT_EQ(audio, named) << code;
    } else {
      EXPECT_EQ(p.video_bps, named) << code;
      EXPECT_EQ(p.audio, nullptr) << code;
    }
  }
}

struct BadCase {
  std::vector<std::string> args;
  int exit_code;
  std::vector<std::string> message_parts;  // switch, value, what was expected
};

std::vector<std::string> WithHead(const std::string& tail) { return Split(kHead + " " + tail); }

TEST(Wm8eutilOptions, RejectsBadArgumentsWithAMessageNamingSwitchValueAndExpectation) {
  const std::vector<BadCase> cases = {
      {WithHead("-bogus 1"), kExitBadArguments, {"unknown switch", "-bogus"}},
      {WithHead("stray"), kExitBadArguments, {"unexpected argument", "stray"}},
      {WithHead("-profile"), kExitBadArguments, {"-profile", "value missing", "av20"}},
      {WithHead("-profile -a_setting 64_44_2"), kExitBadArguments, {"-profile", "value missing"}},
      {WithHead("-a_setting"), kExitBadArguments, {"-a_setting", "value missing", "64_44_2"}},
      {WithHead("-profile av999"), kExitBadArguments, {"-profile", "\"av999\"", "profile code"}},
      {WithHead("-a_setting 64_44"), kExitBadArguments, {"-a_setting", "\"64_44\"", "audio code"}},
      {WithHead("-v_codec WMV9"), kExitBadArguments, {"-v_codec", "\"WMV9\"", "WMV7 or WMV8"}},
      {WithHead("-v_preproc -1"), kExitBadArguments, {"-v_preproc", "\"-1\"", "0 to 5"}},
      {WithHead("-v_preproc 6"), kExitBadArguments, {"-v_preproc", "\"6\"", "0 to 5"}},
      {WithHead("-v_mode -1"), kExitBadArguments, {"-v_mode", "\"-1\"", "0 to 3"}},
      {WithHead("-v_width -5"), kExitBadArguments, {"-v_width", "\"-5\"", "width in pixels"}},
      {WithHead("-v_height 12a"), kExitBadArguments, {"-v_height", "\"12a\"", "height in pixels"}},
      {WithHead("-v_framerate -v_keydist 0"), kExitBadArguments, {"-v_framerate", "value missing", "decimal"}},
      {WithHead("-v_framerate 29,97"), kExitBadArguments, {"-v_framerate", "\"29,97\"", "decimal"}},
      {WithHead("-v_framerate 0"), kExitBadArguments, {"-v_framerate", "\"0\"", "above 0"}},
      {WithHead("-v_framerate 1.2.3"), kExitBadArguments, {"-v_framerate", "\"1.2.3\""}},
      {WithHead("-v_keydist -2"), kExitBadArguments, {"-v_keydist", "\"-2\"", "seconds"}},
      {WithHead("-v_clip 8 0 8"), kExitBadArguments, {"-v_clip", "value missing", "bottom"}},
      {WithHead("-v_clip 8 -1 8 0"), kExitBadArguments, {"-v_clip", "\"-1\"", "top"}},
      {WithHead("-v_bitrate -1"), kExitBadArguments, {"-v_bitrate", "\"-1\"", "bits per second"}},
      {WithHead("-v_bitrate 99999999999999999999"), kExitBadArguments, {"-v_bitrate", "99999999999999999999"}},
      {WithHead("-v_buffer x"), kExitBadArguments, {"-v_buffer", "\"x\"", "milliseconds"}},
      {WithHead("-v_quality 101"), kExitBadArguments, {"-v_quality", "\"101\"", "0 (worst) to 100 (best)"}},
      {WithHead("-v_quality"), kExitBadArguments, {"-v_quality", "value missing"}},
      {WithHead("-time 5"), kExitBadArguments, {"-time", "value missing", "milliseconds"}},
      {WithHead("-time -1 0"), kExitBadArguments, {"-time", "\"-1\"", "milliseconds"}},
      {WithHead("-time 3000 2000"), kExitBadArguments, {"-time", "end 2000", "start 3000"}},
      {WithHead("-v_width 10 -v_width 20"), kExitBadArguments, {"-v_width", "twice"}},
      {Split("-output C:\\out.wmv"), kExitInputMissing, {"-input", "missing"}},
      {{"-input", "", "-output", "x.wmv"}, kExitInputMissing, {"-input", "empty"}},
      {Split("-input"), kExitBadArguments, {"-input", "value missing"}},
      {Split("-input C:\\in.avi"), kExitBadArguments, {"-output", "missing"}},
      {Split("-input C:\\in.avi -output -profile av20"), kExitBadArguments, {"-output", "value missing"}},
      {{}, kExitInputMissing, {"-input"}},
  };
  for (const BadCase& c : cases) {
    std::string joined;
    for (const std::string& a : c.args) joined += a + " ";
    ParseResult r = ParseArguments(c.args);
    EXPECT_EQ(r.exit_code, c.exit_code) << joined << "-> " << r.error;
    for (const std::string& part : c.message_parts) {
      EXPECT_NE(r.error.find(part), std::string::npos) << joined << "-> \"" << r.error << "\" lacks " << part;
    }
  }
}

// The front end's own default line with every option on: the empty frame rate leaves
// -v_framerate without a value, which must be reported rather than swallowing -v_keydist.
TEST(Wm8eutilOptions, FrontEndLineWithEmptyFrameRateIsReported) {
  std::vector<std::string> args = {"-input", "C:\\Video", "-output", "C:\\Encoded", "-outputstring", ""};
  for (const std::string& a : Split("-time 0 0 -profile av20 -a_setting 64_44_2 -v_codec WMV8 -v_width 0 "
                                    "-v_height 0 -v_framerate  -v_keydist 0 -v_preproc 0 -v_clip 0 0 0 0 "
                                    "-v_mode 0 -v_bitrate 0 -v_buffer 0 -v_quality 0")) {
    args.push_back(a);
  }
  ParseResult r = ParseArguments(args);
  EXPECT_EQ(r.exit_code, kExitBadArguments);
  EXPECT_NE(r.error.find("-v_framerate: value missing"), std::string::npos) << r.error;

  // With a frame rate filled in, the same line is accepted.
  auto at = std::find(args.begin(), args.end(), "-v_framerate");
  args.insert(at + 1, "15");
  r = ParseArguments(args);
  EXPECT_TRUE(r.ok()) << r.error;
}

}  // namespace
}  // namespace wm8eutil
