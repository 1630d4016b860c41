// Finding FFmpeg and running it: on Windows a Windows build of ffmpeg.exe, waited for by its
// process handle; under Wine the Linux /usr/bin/ffmpeg, which a Windows program can start but
// not wait for, so it runs inside /bin/sh, which leaves its exit status in a file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wm8eutil {

std::wstring Widen(const std::string& text, UINT code_page);
std::string Narrow(const std::wstring& text, UINT code_page);

bool RunningUnderWine();

struct Tools {
  bool unix_tools = false;   // Linux programs started through /bin/sh (Wine only)
  std::wstring ffmpeg;       // Windows path of the program (Z:\usr\bin\ffmpeg under Wine)
  std::wstring ffprobe;      // empty when there is none
  std::string ffmpeg_unix, ffprobe_unix;
};

// Looks for FFmpeg; on failure fills `message` with what to install.
bool FindTools(Tools* tools, std::string* message);

// A Windows path as FFmpeg must be given it: a Unix path for the Linux programs, otherwise
// the full Windows path. Either way UTF-8, as FFmpeg reads its arguments.
std::string PathForTools(const Tools& tools, const std::wstring& path);

// A fresh folder for one run's scratch files, removed with everything in it at the end.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  bool ok() const { return !path_.empty(); }
  std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }
  void Clear() const;

 private:
  std::wstring path_;
};

struct RunResult {
  bool started = false;
  int exit_code = -1;
  std::string error;  // why it could not be started
};

// Runs ffmpeg (or ffprobe) with `args`, standard output into `out_file` and standard error into
// `err_file`, calling `tick` about every 200 ms while it runs.
RunResult RunTool(const Tools& tools, bool probe, const std::vector<std::string>& args,
                  const ScratchDir& scratch, const std::wstring& out_file, const std::wstring& err_file,
                  const std::function<void()>& tick);

// The whole of a small file, or its last `tail` bytes starting at a line.
std::string ReadFileText(const std::wstring& path, DWORD tail = 0);

}  // namespace wm8eutil
