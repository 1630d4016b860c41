// Reading WM8EUTIL's command line into a checked set of options.
// Platform-free: no Windows headers, so it is unit-tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wm8eutil {

// Process exit codes.
enum ExitCode : int {
  kExitOk = 0,
  kExitBadArguments = 1,   // unknown switch, missing value, value of the wrong shape
  kExitInputMissing = 2,   // no -input, or the source does not exist
  kExitOutputUnwritable = 3,
  kExitNoFfmpeg = 4,
  kExitEncodeFailed = 5,   // FFmpeg ran and failed (in folder mode: at least one file)
};

// One stock profile: which streams it carries and the rates and sizes it aims at.
struct Profile {
  const char* code;
  int video_bps;         // 0: no video
  const char* audio;     // audio code (see AudioSetting); nullptr: no audio
  int width;             // default width in pixels, 0: keep the source's
  int fps;               // default frame rate, 0: keep the source's
};

// One audio setting: bit rate, sample rate and channel count.
struct AudioSetting {
  const char* code;
  int bps;               // 0 with channels 0: no audio
  int sample_rate;
  int channels;
};

const std::vector<Profile>& Profiles();
const std::vector<AudioSetting>& AudioSettings();
const Profile* FindProfile(const std::string& code);
const AudioSetting* FindAudioSetting(const std::string& code);

struct Options {
  std::optional<std::string> input;
  std::optional<std::string> output;
  std::optional<std::string> outputstring;
  std::optional<std::int64_t> start_ms, end_ms;    // -time
  const Profile* profile = nullptr;
  const AudioSetting* audio = nullptr;
  std::optional<bool> wmv7;                         // -v_codec: true for WMV7
  std::optional<int> width, height;
  std::optional<std::string> framerate;             // decimal text as given, checked
  std::optional<int> keydist_s;
  std::optional<int> preproc;                       // 0..5
  std::optional<int> clip[4];                       // left top right bottom
  bool has_clip = false;
  std::optional<int> mode;                          // 0..3
  std::optional<int> bitrate_bps;
  std::optional<int> buffer_ms;
  std::optional<int> quality;                       // 0..100
};

struct ParseResult {
  Options options;
  int exit_code = kExitOk;   // kExitOk when the arguments were accepted
  std::string error;         // message naming the switch, the value and what was expected
  bool ok() const { return exit_code == kExitOk; }
};

// Parses the arguments after the program name, as the C runtime split them.
ParseResult ParseArguments(const std::vector<std::string>& args);

// The frame rate text as a number; the text must already have passed ParseArguments.
double FrameRateValue(const std::string& text);

// Usage text listing the switches.
const char* UsageText();

}  // namespace wm8eutil
