// FFmpeg and ffprobe run from a Windows test program, to make source clips and to examine
// what an encoder wrote. Under Wine these are the Linux programs, which a Windows process can
// start but not wait for, so a shell script runs them and leaves their exit status in a file;
// on Windows they are ffmpeg.exe and ffprobe.exe found on PATH. Windows paths are system code
// page text.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavrolex::e2e {

struct MediaTools {
  bool unix_tools = false;  // Linux programs started through /bin/sh
  std::string ffmpeg;       // a Unix path under Wine, else a Windows path
  std::string ffprobe;
};

// Both programs, or nothing when either is missing.
std::optional<MediaTools> FindMediaTools();

// A Windows path as the tools must be given it: the Unix path of the file for the Linux
// programs, otherwise the full Windows path; UTF-8 either way, as FFmpeg reads its arguments.
std::string ToolPath(const MediaTools& tools, const std::string& windows_path);

struct ToolRun {
  bool finished = false;  // started and ended within the time limit
  int exit_code = -1;
  std::string out, err;   // what it wrote to its standard output and standard error
  std::string problem;    // why it did not finish
};

// Runs ffmpeg (ffprobe when `probe`) with `args`, keeping its script and output files in the
// existing folder `scratch`.
ToolRun RunMediaTool(const MediaTools& tools, bool probe, const std::vector<std::string>& args,
                     const std::string& scratch, DWORD timeout_ms = 120000);

// ffprobe's account of a media file with the stream entries keyed by their type:
// format.format_name, format.duration, video.codec_name, video.width, video.height,
// video.r_frame_rate, audio.codec_name, audio.sample_rate, audio.channels. Empty, with
// `error` set, when ffprobe failed.
std::map<std::string, std::string> ProbeMedia(const MediaTools& tools, const std::string& file,
                                              const std::string& scratch, std::string* error);

}  // namespace tavrolex::e2e
