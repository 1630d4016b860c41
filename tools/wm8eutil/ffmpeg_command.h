// Turning checked options into FFmpeg runs, plus the text helpers around them: reading
// ffprobe's and FFmpeg's progress output, naming outputs in folder mode, and quoting.
// Platform-free: no Windows headers, so it is unit-tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "options.h"

namespace wm8eutil {

// What ffprobe tells about a source. Unknown values stay 0.
struct SourceInfo {
  bool has_video = false;
  bool has_audio = false;
  int width = 0, height = 0;
  double fps = 0.0;
  std::int64_t duration_ms = 0;
};

// Reads the key=value lines of
//   ffprobe -show_entries format=duration:stream=codec_type,width,height,avg_frame_rate,r_frame_rate
//           -of default=noprint_wrappers=1
// The first video stream gives the size and rate.
SourceInfo ParseProbe(const std::string& text);

// Everything decided for one encode, from the options, the profile and the source.
struct Plan {
  bool video = false;
  bool audio = false;
  std::string video_codec;          // wmv1 (WMV7) or wmv2 (WMV8)
  int mode = 0;                     // 0 1-pass CBR, 1 2-pass CBR, 2 1-pass VBR, 3 2-pass VBR
  int video_bps = 0;
  std::int64_t bufsize_bits = 0;
  int qscale = 0;                   // -q:v for 1-pass VBR
  std::string filters;              // -vf chain
  std::string rate;                 // -r value; empty keeps the rate the filters give
  double fps = 0.0;                 // frame rate the key frame distance is counted in
  int gop = 0;                      // frames between key frames
  int audio_bps = 0, sample_rate = 0, channels = 0;
  std::int64_t duration_ms = 0;     // length of the encoded span, 0 when unknown
  std::vector<std::string> notes;   // adjustments the user should know about
  std::string error;                // non-empty: nothing can be encoded
  bool passes2() const { return video && (mode == 1 || mode == 3); }
};

// FFmpeg's WMA encoder refuses rates below this.
constexpr int kMinWmaBps = 24000;
constexpr int kDefaultVideoBps = 500000;
constexpr int kDefaultBufferMs = 5000;
constexpr int kDefaultKeydistS = 8;
constexpr int kDefaultQuality = 75;
constexpr double kFallbackFps = 30.0;

// `source.has_video`/`has_audio` decide which streams can be encoded at all; when the source
// could not be probed the caller guesses them (video unless it is an audio file).
Plan MakePlan(const Options& options, const SourceInfo& source);

// Quality 0..100 to FFmpeg's quantiser scale 31..2.
int QualityToQscale(int quality);

// Milliseconds as FFmpeg's seconds text, e.g. 1500 -> "1.500".
std::string MsToSeconds(std::int64_t ms);

struct JobPaths {
  std::string input, output;  // as FFmpeg sees them
  std::string progress;       // file for -progress
  std::string passlog;        // prefix for -passlogfile
  std::string pass1_output;   // scratch file the first of two passes writes (its log is what counts)
};

// The argument vectors (program name left out) of the FFmpeg runs, in order: one, or two
// for 2-pass modes.
std::vector<std::vector<std::string>> FfmpegPasses(const Options& options, const Plan& plan,
                                                   const JobPaths& paths);

// ffprobe's arguments (program name left out) for ParseProbe.
std::vector<std::string> ProbeArguments(const std::string& input);

struct Progress {
  std::int64_t out_time_us = -1;  // last reported position, -1 before the first report
  bool ended = false;
};
Progress ParseProgress(const std::string& text);

// Folder mode: which files are sources, by their extension.
bool IsMediaFile(const std::string& name);
bool IsAudioFile(const std::string& name);

// Output file names for the sources of one folder (file names without folders, in the order
// they are encoded). `audio_only[i]` picks .wma over .wmv. `same_folder`: the outputs go into
// the source folder, so a name may not be taken by a source either.
std::vector<std::string> OutputNames(const std::vector<std::string>& sources,
                                     const std::vector<bool>& audio_only,
                                     const std::optional<std::string>& outputstring, bool same_folder);

// Orders file names the way the folder is encoded: case-insensitively, then byte-wise.
bool NameLess(const std::string& a, const std::string& b);

// One argument quoted for a Windows command line (C runtime rules).
std::string QuoteWindowsArgument(const std::string& arg);
// One argument quoted for /bin/sh.
std::string QuoteShellArgument(const std::string& arg);

}  // namespace wm8eutil
