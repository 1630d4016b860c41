#include "ffmpeg_command.h"

#include <gtest/gtest.h>

#include "split_words.h"

namespace wm8eutil {
namespace {

Options Parse(const std::string& tail) {
  ParseResult r = ParseArguments(Split("-input in.avi -output out.wmv " + tail));
  EXPECT_TRUE(r.ok()) << r.error;
  return r.options;
}

SourceInfo AvSource() {
  SourceInfo s;
  s.has_video = s.has_audio = true;
  s.width = 320;
  s.height = 240;
  s.fps = 25.0;
  s.duration_ms = 2000;
  return s;
}

const JobPaths kPaths = {"/src/in.avi", "/dst/out.wmv", "/tmp/w/progress.txt", "/tmp/w/pass", "/tmp/w/pass1.asf"};

std::string Join(const std::vector<std::string>& args) {
  std::string s;
  for (const std::string& a : args) s += (s.empty() ? "" : " ") + a;
  return s;
}

std::vector<std::string> Passes(const std::string& tail, const SourceInfo& source = AvSource()) {
  const Options o = Parse(tail);
  const Plan plan = MakePlan(o, source);
  EXPECT_EQ(plan.error, "");
  std::vector<std::string> out;
  for (const auto& pass : FfmpegPasses(o, plan, kPaths)) out.push_back(Join(pass));
  return out;
}

const std::string kHead =
    "-hide_banner -nostdin -y -loglevel error -nostats -progress /tmp/w/progress.txt ";

TEST(Wm8eutilCommand, DefaultsGiveOneCbrPassOfWmv2WithWma64k) {
  EXPECT_EQ(Passes(""), std::vector<std::string>{
      kHead + "-i /src/in.avi -sn -dn -c:v wmv2 -vf scale=trunc(iw/2)*2:trunc(ih/2)*2 -g 200 "
              "-b:v 500000 -minrate 500000 -maxrate 500000 -bufsize 2500000 "
              "-c:a wmav2 -b:a 64000 -ar 44100 -ac 2 -f asf /dst/out.wmv"});
}

TEST(Wm8eutilCommand, SizeRateSpanCodecAndAudioSettingAsTheEndToEndTestUsesThem) {
  EXPECT_EQ(Passes("-time 0 1000 -profile av350 -a_setting 64_44_2 -v_codec WMV7 -v_width 160 "
                   "-v_height 120 -v_framerate 15 -v_keydist 2"),
            std::vector<std::string>{
                kHead + "-to 1.000 -i /src/in.avi -sn -dn -c:v wmv1 -vf scale=160:120,setsar=1 -r 15 -g 30 "
                        "-b:v 302000 -minrate 302000 -maxrate 302000 -bufsize 1510000 "
                        "-c:a wmav2 -b:a 64000 -ar 44100 -ac 2 -f asf /dst/out.wmv"});
}

TEST(Wm8eutilCommand, TwoPassCbrWithClipPreprocBitrateAndBuffer) {
  EXPECT_EQ(Passes("-time 1500 0 -v_clip 8 2 6 4 -v_preproc 2 -v_width 161 -v_mode 1 -v_bitrate 250000 "
                   "-v_buffer 3000 -a_setting 0"),
            (std::vector<std::string>{
                kHead + "-ss 1.500 -i /src/in.avi -sn -dn -c:v wmv2 "
                        "-vf crop=in_w-8-6:in_h-2-4:8:2,yadif,scale=iw/2:ih/2,scale=160:-2 -g 200 "
                        "-b:v 250000 -minrate 250000 -maxrate 250000 -bufsize 750000 "
                        "-pass 1 -passlogfile /tmp/w/pass -an -f asf /tmp/w/pass1.asf",
                kHead + "-ss 1.500 -i /src/in.avi -sn -dn -c:v wmv2 "
                        "-vf crop=in_w-8-6:in_h-2-4:8:2,yadif,scale=iw/2:ih/2,scale=160:-2 -g 200 "
                        "-b:v 250000 -minrate 250000 -maxrate 250000 -bufsize 750000 "
                        "-pass 2 -passlogfile /tmp/w/pass -an -f asf /dst/out.wmv"}));
}

TEST(Wm8eutilCommand, AudioOnlyAndVideoOnlyProfiles) {
  EXPECT_EQ(Passes("-profile a64"), std::vector<std::string>{
      kHead + "-i /src/in.avi -sn -dn -vn -c:a wmav2 -b:a 64000 -ar 44100 -ac 2 -f asf /dst/out.wmv"});
  EXPECT_EQ(Passes("-profile v20"), std::vector<std::string>{
      kHead + "-i /src/in.avi -sn -dn -c:v wmv2 -vf scale=160:-2 -r 10 -g 80 "
              "-b:v 20000 -minrate 20000 -maxrate 20000 -bufsize 100000 -an -f asf /dst/out.wmv"});
}

TEST(Wm8eutilCommand, ProfileSetsRatesAndAnExplicitSettingOverridesIt) {
  Plan plan = MakePlan(Parse("-profile av350"), AvSource());
  EXPECT_EQ(plan.video_bps + plan.audio_bps, 350000);
  EXPECT_EQ(plan.sample_rate, 44100);

  plan = MakePlan(Parse("-profile av350 -a_setting 128_48_2 -v_bitrate 100000"), AvSource());
  EXPECT_EQ(plan.video_bps, 100000);
  EXPECT_EQ(plan.audio_bps, 128000);
  EXPECT_EQ(plan.sample_rate, 48000);

  // An audio code below what FFmpeg's WMA encoder takes is raised, and the user told.
  plan = MakePlan(Parse("-a_setting 8_8_1"), AvSource());
  EXPECT_EQ(plan.audio_bps, kMinWmaBps);
  EXPECT_EQ(plan.sample_rate, 8000);
  EXPECT_EQ(plan.channels, 1);
  ASSERT_EQ(plan.notes.size(), 1u);
  EXPECT_NE(plan.notes[0].find("24 kbit/s"), std::string::npos);
}

TEST(Wm8eutilCommand, ModesQualityAndKeyFrames) {
  // -v_quality alone means 1-pass VBR; 100 is the finest quantiser, 0 the coarsest.
  Plan plan = MakePlan(Parse("-v_quality 100"), AvSource());
  EXPECT_EQ(plan.mode, 2);
  EXPECT_EQ(plan.qscale, 2);
  EXPECT_EQ(QualityToQscale(0), 31);
  EXPECT_EQ(QualityToQscale(50), 16);
  const auto vbr = FfmpegPasses(Parse("-v_quality 0"), MakePlan(Parse("-v_quality 0"), AvSource()), kPaths);
  ASSERT_EQ(vbr.size(), 1u);
  EXPECT_NE(Join(vbr[0]).find(" -q:v 31 "), std::string::npos);
  EXPECT_EQ(Join(vbr[0]).find("-b:v"), std::string::npos);

  // 2-pass VBR aims at an average rate with no floor; peaks may reach twice the average.
  const Options o3 = Parse("-v_mode 3 -v_bitrate 400000");
  const auto two = FfmpegPasses(o3, MakePlan(o3, AvSource()), kPaths);
  ASSERT_EQ(two.size(), 2u);
  EXPECT_NE(Join(two[1]).find("-b:v 400000 -maxrate 800000 -bufsize 2000000 -pass 2"), std::string::npos);
  EXPECT_EQ(Join(two[1]).find("-minrate"), std::string::npos);

  // Quality with a CBR mode is ignored with a note.
  plan = MakePlan(Parse("-v_mode 0 -v_quality 80"), AvSource());
  EXPECT_EQ(plan.mode, 0);
  EXPECT_EQ(plan.notes.size(), 1u);

  // Key frame distance in frames: seconds times the output rate; the source's rate when
  // none is asked for, doubled by field-rate de-interlacing, 30 when unknown.
  EXPECT_EQ(MakePlan(Parse("-v_keydist 3 -v_framerate 29.97"), AvSource()).gop, 90);
  EXPECT_EQ(MakePlan(Parse("-v_keydist 3"), AvSource()).gop, 75);
  EXPECT_EQ(MakePlan(Parse("-v_keydist 3 -v_preproc 3"), AvSource()).gop, 150);
  EXPECT_EQ(MakePlan(Parse("-v_keydist 3 -v_preproc 5"), AvSource()).gop, 72);
  SourceInfo unknown_rate = AvSource();
  unknown_rate.fps = 0;
  EXPECT_EQ(MakePlan(Parse("-v_keydist 3"), unknown_rate).gop, 90);
}

TEST(Wm8eutilCommand, PreprocessingFilters) {
  const std::pair<const char*, const char*> cases[] = {
      {"1", "yadif,"},
      {"3", "yadif=1,scale=iw/2:ih/2,"},
      {"4", "separatefields,"},
      {"5", "pullup,fps=24000/1001,"},
  };
  for (const auto& [preproc, filters] : cases) {
    const Plan plan = MakePlan(Parse(std::string("-v_preproc ") + preproc), AvSource());
    EXPECT_EQ(plan.filters, std::string(filters) + "scale=trunc(iw/2)*2:trunc(ih/2)*2") << preproc;
  }
  EXPECT_EQ(MakePlan(Parse("-v_height 121"), AvSource()).filters, "scale=-2:120");
}

TEST(Wm8eutilCommand, NothingToEncodeOrAClipTooLargeIsAnError) {
  SourceInfo audio_only;
  audio_only.has_audio = true;
  EXPECT_NE(MakePlan(Parse("-a_setting 0"), audio_only).error, "");
  EXPECT_NE(MakePlan(Parse("-profile a64 -a_setting 0"), AvSource()).error, "");
  EXPECT_NE(MakePlan(Parse("-profile v20"), audio_only).error, "");
  EXPECT_EQ(MakePlan(Parse("-profile a64"), audio_only).error, "");
  EXPECT_NE(MakePlan(Parse("-v_clip 160 0 160 0"), AvSource()).error.find("leaves no picture"), std::string::npos);
  EXPECT_EQ(MakePlan(Parse("-v_clip 159 0 159 0"), AvSource()).error, "");
  EXPECT_NE(MakePlan(Parse("-time 2000 0"), AvSource()).error.find("beyond the end"), std::string::npos);
  // A video-only source with default settings simply has no audio.
  SourceInfo silent = AvSource();
  silent.has_audio = false;
  const Plan plan = MakePlan(Parse(""), silent);
  EXPECT_TRUE(plan.video);
  EXPECT_FALSE(plan.audio);
}

TEST(Wm8eutilCommand, SpanLength) {
  EXPECT_EQ(MakePlan(Parse("-time 500 1500"), AvSource()).duration_ms, 1000);
  EXPECT_EQ(MakePlan(Parse("-time 500 0"), AvSource()).duration_ms, 1500);
  EXPECT_EQ(MakePlan(Parse("-time 500 9000"), AvSource()).duration_ms, 1500);
  EXPECT_EQ(MsToSeconds(61005), "61.005");
  EXPECT_EQ(MsToSeconds(7), "0.007");
}

TEST(Wm8eutilCommand, ReadsProbeOutput) {
  const SourceInfo s = ParseProbe(
      "codec_type=audio\nr_frame_rate=0/0\navg_frame_rate=0/0\n"
      "codec_type=video\r\nwidth=720\r\nheight=480\r\nr_frame_rate=60000/1001\r\navg_frame_rate=30000/1001\r\n"
      "codec_type=video\nwidth=64\nheight=64\navg_frame_rate=5/1\n"
      "duration=12.345600\n");
  EXPECT_TRUE(s.has_video);
  EXPECT_TRUE(s.has_audio);
  EXPECT_EQ(s.width, 720);
  EXPECT_EQ(s.height, 480);
  EXPECT_NEAR(s.fps, 59.94, 0.01);  // r_frame_rate came first
  EXPECT_EQ(s.duration_ms, 12346);

  const SourceInfo a = ParseProbe("codec_type=audio\nduration=N/A\n");
  EXPECT_FALSE(a.has_video);
  EXPECT_EQ(a.duration_ms, 0);
}

TEST(Wm8eutilCommand, ReadsProgressOutputUpToTheLastCompleteLine) {
  Progress p = ParseProgress("frame=1\nout_time_us=40000\nprogress=continue\nout_time_us=N/A\n"
                             "out_time_us=520000\nprogress=continue\nout_time_us=9");
  EXPECT_EQ(p.out_time_us, 520000);
  EXPECT_FALSE(p.ended);
  p = ParseProgress("out_time_us=1000000\r\nprogress=end\r\n");
  EXPECT_EQ(p.out_time_us, 1000000);
  EXPECT_TRUE(p.ended);
  EXPECT_EQ(ParseProgress("").out_time_us, -1);
}

TEST(Wm8eutilCommand, SelectsMediaFilesByExtension) {
  for (const char* name : {"a.avi", "b.MPG", "c.mpeg", "d.mp4", "e.mov", "f.wmv", "g.asf", "h.mkv",
                           "i.flv", "j.webm", "k.wav", "l.mp3", "m.WMA", "n.m4a"}) {
    EXPECT_TRUE(IsMediaFile(name)) << name;
  }
  for (const char* name : {"notes.txt", "avi", ".avi", "clip.avi.bak", "x.jpg"}) {
    EXPECT_FALSE(IsMediaFile(name)) << name;
  }
  EXPECT_TRUE(IsAudioFile("song.Mp3"));
  EXPECT_FALSE(IsAudioFile("clip.avi"));
}

TEST(Wm8eutilCommand, NamesOutputsInFolderMode) {
  using Names = std::vector<std::string>;
  const Names sources = {"a.avi", "A.mpg", "b.wmv", "song.mp3"};
  const std::vector<bool> audio = {false, false, false, true};
  // After the sources' base names; a clash gets _2.
  EXPECT_EQ(OutputNames(sources, audio, std::nullopt, false), (Names{"a.wmv", "A_2.wmv", "b.wmv", "song.wma"}));
  // Writing into the source folder never takes a source's own name.
  EXPECT_EQ(OutputNames(sources, audio, std::nullopt, true), (Names{"a.wmv", "A_2.wmv", "b_2.wmv", "song.wma"}));
  // An empty common name counts as none.
  EXPECT_EQ(OutputNames({"x.avi"}, {false}, std::string(), false), Names{"x.wmv"});
  // A common name: alone as it is, several with an index padded to the count's width.
  EXPECT_EQ(OutputNames({"x.avi"}, {false}, std::string("clip"), false), Names{"clip.wmv"});
  EXPECT_EQ(OutputNames({"x.avi"}, {true}, std::string("clip.WMV"), false), Names{"clip.WMV"});
  Names many(12, "v.avi");
  const Names named = OutputNames(many, std::vector<bool>(12, false), std::string("clip"), false);
  EXPECT_EQ(named.front(), "clip_01.wmv");
  EXPECT_EQ(named[8], "clip_09.wmv");
  EXPECT_EQ(named.back(), "clip_12.wmv");
  EXPECT_EQ(OutputNames(sources, audio, std::string("clip.asf"), false),
            (Names{"clip_1.asf", "clip_2.asf", "clip_3.asf", "clip_4.asf"}));
  EXPECT_TRUE(NameLess("a.avi", "B.avi"));
  EXPECT_FALSE(NameLess("b.avi", "A.avi"));
}

TEST(Wm8eutilCommand, QuotesArgumentsForWindowsAndTheShell) {
  const std::pair<std::string, std::string> windows[] = {
      {"plain", "plain"},
      {"", "\"\""},
      {"a b", "\"a b\""},
      {"C:\\Enc\\", "C:\\Enc\\"},
      {"C:\\My Enc\\", "\"C:\\My Enc\\\\\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},
  };
  for (const auto& [arg, quoted] : windows) EXPECT_EQ(QuoteWindowsArgument(arg), quoted) << arg;
  EXPECT_EQ(QuoteShellArgument("it's $HOME"), "'it'\\''s $HOME'");
  EXPECT_EQ(QuoteShellArgument(""), "''");
}

}  // namespace
}  // namespace wm8eutil
