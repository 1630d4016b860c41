// WM8EUTIL.EXE: encodes a file, or every media file of a folder, to ASF (WMV video, WMA audio)
// by running FFmpeg with a command built from the switches the front end writes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ffmpeg_command.h"
#include "options.h"
#include "runner_win.h"

namespace wm8eutil {
namespace {

struct Job {
  std::wstring input, output;       // Windows paths
  std::string input_shown, output_shown;
  bool audio_only_source = false;   // by the extension; the probe may know better
};

bool IsDirectory(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool EndsWithSeparator(const std::wstring& path) {
  return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

std::wstring JoinPath(const std::wstring& dir, const std::wstring& name) {
  return EndsWithSeparator(dir) ? dir + name : dir + L"\\" + name;
}

std::wstring ParentDir(const std::wstring& path) {
  std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  if (slash == 0 || (slash == 2 && path[1] == L':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

std::wstring FileName(const std::wstring& path) {
  std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring Full(const std::wstring& path) {
  wchar_t buffer[4096];
  DWORD n = GetFullPathNameW(path.c_str(), 4096, buffer, nullptr);
  return (n > 0 && n < 4096) ? std::wstring(buffer, n) : path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(Full(a).c_str(), -1, Full(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::string Shown(const std::wstring& path) { return Narrow(path, CP_ACP); }

// Names are worked on in UTF-8, where a '.' or '_' byte is always that character; in code
// page 932 it can be the second byte of another one.
std::optional<std::string> Utf8(const std::optional<std::string>& ansi) {
  if (!ansi) return std::nullopt;
  return Narrow(Widen(*ansi, CP_ACP), CP_UTF8);
}

// Whether a file can be written at `path`, without leaving anything behind.
bool CanWrite(const std::wstring& path, std::string* why) {
  DWORD a = GetFileAttributesW(path.c_str());
  if (a != INVALID_FILE_ATTRIBUTES) {
    if (a & FILE_ATTRIBUTE_DIRECTORY) {
      *why = "it is a folder";
      return false;
    }
    // Wine running as root ignores the attribute, so it is tested here.
    if (a & FILE_ATTRIBUTE_READONLY) {
      *why = "the file exists and is read-only";
      return false;
    }
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      *why = "the file exists and cannot be opened for writing (Windows error " + std::to_string(GetLastError()) + ")";
      return false;
    }
    CloseHandle(h);
    return true;
  }
  if (!IsDirectory(ParentDir(path))) {
    *why = "its folder does not exist";
    return false;
  }
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    *why = "a file cannot be created there (Windows error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  CloseHandle(h);
  DeleteFileW(path.c_str());
  return true;
}

std::string Clock(std::int64_t ms) {
  char text[32];
  const long long s = ms / 1000;
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return text;
}

std::string WithThousands(unsigned long long n) {
  std::string digits = std::to_string(n), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string LastLines(const std::string& log, int count) {
  std::string text = log;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::size_t pos = text.size();
  for (int i = 0; i < count && pos != std::string::npos && pos > 0; ++i) pos = text.rfind('\n', pos - 1);
  return pos == std::string::npos ? text : text.substr(pos + 1);
}

std::string Describe(const Plan& plan) {
  std::string s;
  if (plan.video) {
    static const char* kModes[] = {"1-pass CBR", "2-pass CBR", "1-pass VBR", "2-pass VBR"};
    s += "  video: " + std::string(plan.video_codec == "wmv1" ? "WMV7 (wmv1)" : "WMV8 (wmv2)") + ", " +
         kModes[plan.mode];
    s += plan.mode == 2 ? ", quantiser " + std::to_string(plan.qscale)
                        : ", " + std::to_string(plan.video_bps / 1000) + " kbit/s";
    if (!plan.rate.empty()) s += ", " + plan.rate + " fps";
    s += ", key frame every " + std::to_string(plan.gop) + " frames, filters " + plan.filters + "\n";
  } else {
    s += "  video: none\n";
  }
  if (plan.audio) {
    s += "  audio: WMA (wmav2), " + std::to_string(plan.audio_bps / 1000) + " kbit/s, " +
         std::to_string(plan.sample_rate) + " Hz, " + (plan.channels == 1 ? "mono" : "stereo") + "\n";
  } else {
    s += "  audio: none\n";
  }
  for (const std::string& note : plan.notes) s += "  note: " + note + "\n";
  return s;
}

class Encoder {
 public:
  Encoder(const Options& options, const Tools& tools, const ScratchDir& scratch)
      : options_(options), tools_(tools), scratch_(scratch) {}

  // Encodes one file; on failure prints why and returns the exit code.
  int Encode(const Job& job) {
    std::printf("\nEncoding %s\n      to %s\n", job.input_shown.c_str(), job.output_shown.c_str());
    std::fflush(stdout);
    scratch_.Clear();
    const std::wstring out = scratch_.File(L"out.txt"), err = scratch_.File(L"err.txt");
    const std::string input = PathForTools(tools_, job.input);

    SourceInfo source;
    source.has_video = !job.audio_only_source;
    source.has_audio = true;
    if (!tools_.ffprobe.empty()) {
      RunResult probe = RunTool(tools_, true, ProbeArguments(input), scratch_, out, err, [] {});
      if (!probe.started) return Fail(kExitEncodeFailed, probe.error);
      if (probe.exit_code != 0) {
        return Fail(kExitEncodeFailed, "FFmpeg cannot read the source: " + LastLines(ReadFileText(err), 3));
      }
      source = ParseProbe(ReadFileText(out));
    }
    const Plan plan = MakePlan(options_, source);
    if (!plan.error.empty()) return Fail(kExitBadArguments, plan.error);
    std::printf("%s", Describe(plan).c_str());
    if (plan.duration_ms > 0) std::printf("  length: %s\n", Clock(plan.duration_ms).c_str());
    std::fflush(stdout);

    JobPaths paths;
    paths.input = input;
    paths.output = PathForTools(tools_, job.output);
    paths.progress = PathForTools(tools_, scratch_.File(L"progress.txt"));
    paths.passlog = PathForTools(tools_, scratch_.File(L"pass"));
    paths.pass1_output = PathForTools(tools_, scratch_.File(L"pass1.asf"));
    const auto passes = FfmpegPasses(options_, plan, paths);
    for (std::size_t i = 0; i < passes.size(); ++i) {
      const std::wstring progress_file = scratch_.File(L"progress.txt");
      DeleteFileW(progress_file.c_str());
      std::string label = passes.size() > 1 ? "pass " + std::to_string(i + 1) + "/" + std::to_string(passes.size()) + " " : "";
      auto show = [&] {
        const Progress p = ParseProgress(ReadFileText(progress_file, 4096));
        if (p.out_time_us < 0) return;
        const std::int64_t done = p.out_time_us / 1000;
        if (plan.duration_ms > 0) {
          const int percent = p.ended ? 100 : static_cast<int>(std::clamp<std::int64_t>(done * 100 / plan.duration_ms, 0, 99));
          std::printf("\r  %s%3d%%  %s / %s ", label.c_str(), percent,
                      Clock(p.ended ? plan.duration_ms : done).c_str(), Clock(plan.duration_ms).c_str());
        } else {
          std::printf("\r  %s%s ", label.c_str(), Clock(done).c_str());
        }
        std::fflush(stdout);
      };
      RunResult run = RunTool(tools_, false, passes[i], scratch_, out, err, show);
      if (run.started) show();
      std::printf("\n");
      if (!run.started || run.exit_code != 0) {
        DeleteFileW(job.output.c_str());
        return Fail(kExitEncodeFailed, run.started ? "FFmpeg failed (exit code " + std::to_string(run.exit_code) +
                                                         "):\n" + LastLines(ReadFileText(err), 6)
                                                   : run.error);
      }
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(job.output.c_str(), GetFileExInfoStandard, &data)) {
      return Fail(kExitEncodeFailed, "FFmpeg finished but wrote no output file");
    }
    const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    std::printf("Done: %s (%s bytes)\n", job.output_shown.c_str(), WithThousands(size).c_str());
    return kExitOk;
  }

 private:
  int Fail(int code, const std::string& message) {
    std::printf("Error: %s\n", message.c_str());
    return code;
  }

  const Options& options_;
  const Tools& tools_;
  const ScratchDir& scratch_;
};

// Lists the folder's media files, sorted, and names their outputs.
int FolderJobs(const Options& options, const std::wstring& in_dir, const std::wstring& out_dir,
               std::vector<Job>* jobs, std::string* error) {
  std::vector<std::string> names;  // UTF-8
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(JoinPath(in_dir, L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = Narrow(data.cFileName, CP_UTF8);
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsMediaFile(name)) names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  if (names.empty()) {
    *error = "-input: the folder \"" + *options.input + "\" holds no media files (by extension: avi, mpg, mp4, "
             "mov, wmv, asf, mkv, flv, webm, wav, mp3, wma, m4a, ...)";
    return kExitInputMissing;
  }
  std::sort(names.begin(), names.end(), NameLess);
  const bool audio_profile = options.profile != nullptr && options.profile->video_bps == 0;
  std::vector<bool> audio_only;
  for (const std::string& name : names) audio_only.push_back(audio_profile || IsAudioFile(name));
  const std::vector<std::string> outputs = OutputNames(names, audio_only, Utf8(options.outputstring), SamePath(in_dir, out_dir));
  for (std::size_t i = 0; i < names.size(); ++i) {
    Job job;
    job.input = JoinPath(in_dir, Widen(names[i], CP_UTF8));
    job.output = JoinPath(out_dir, Widen(outputs[i], CP_UTF8));
    job.input_shown = Shown(job.input);
    job.output_shown = Shown(job.output);
    job.audio_only_source = IsAudioFile(names[i]);
    jobs->push_back(job);
  }
  return kExitOk;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::printf("%s", UsageText());
    return kExitBadArguments;
  }
  const ParseResult parsed = ParseArguments(args);
  if (!parsed.ok()) {
    std::printf("Error: %s\nRun WM8EUTIL without arguments for the list of switches.\n", parsed.error.c_str());
    return parsed.exit_code;
  }
  const Options& o = parsed.options;
  const std::wstring input = Widen(*o.input, CP_ACP), output = Widen(*o.output, CP_ACP);
  if (!PathExists(input)) {
    std::printf("Error: -input: \"%s\" does not exist; expected an existing source file or folder\n", o.input->c_str());
    return kExitInputMissing;
  }

  std::vector<Job> jobs;
  std::wstring create_dir;
  if (IsDirectory(input)) {
    if (PathExists(output) && !IsDirectory(output)) {
      std::printf("Error: -output: \"%s\" is a file; a folder source needs a destination folder\n", o.output->c_str());
      return kExitOutputUnwritable;
    }
    if (!PathExists(output)) {
      if (!IsDirectory(ParentDir(output))) {
        std::printf("Error: -output: the folder \"%s\" cannot be made: its parent folder does not exist\n",
                    o.output->c_str());
        return kExitOutputUnwritable;
      }
      create_dir = output;
    }
    std::string error;
    int code = FolderJobs(o, input, output, &jobs, &error);
    if (code != kExitOk) {
      std::printf("Error: %s\n", error.c_str());
      return code;
    }
  } else {
    Job job;
    job.input = input;
    job.output = output;
    const std::string input_name = Narrow(FileName(input), CP_UTF8);
    job.audio_only_source = IsAudioFile(input_name);
    if (IsDirectory(output) || EndsWithSeparator(output)) {
      const bool audio_only = job.audio_only_source || (o.profile != nullptr && o.profile->video_bps == 0);
      const std::vector<std::string> names =
          OutputNames({input_name}, {audio_only}, Utf8(o.outputstring), SamePath(ParentDir(input), output));
      job.output = JoinPath(output, Widen(names[0], CP_UTF8));
    }
    if (SamePath(job.input, job.output)) {
      std::printf("Error: -output: \"%s\" is the source itself; expected another file\n", o.output->c_str());
      return kExitOutputUnwritable;
    }
    job.input_shown = *o.input;
    job.output_shown = Shown(job.output);
    jobs.push_back(job);
  }
  if (create_dir.empty()) {
    for (const Job& job : jobs) {
      std::string why;
      if (!CanWrite(job.output, &why)) {
        std::printf("Error: -output: cannot write \"%s\": %s\n", job.output_shown.c_str(), why.c_str());
        return kExitOutputUnwritable;
      }
    }
  }

  Tools tools;
  std::string message;
  if (!FindTools(&tools, &message)) {
    std::printf("Error: %s\n", message.c_str());
    return kExitNoFfmpeg;
  }
  ScratchDir scratch;
  if (!scratch.ok()) {
    std::printf("Error: cannot make a folder for temporary files in the TEMP folder\n");
    return kExitEncodeFailed;
  }
  if (!create_dir.empty() && !CreateDirectoryW(create_dir.c_str(), nullptr)) {
    std::printf("Error: -output: cannot make the folder \"%s\" (Windows error %lu)\n", o.output->c_str(), GetLastError());
    return kExitOutputUnwritable;
  }

  Encoder encoder(o, tools, scratch);
  int failed = 0, last_code = kExitOk;
  for (const Job& job : jobs) {
    int code = encoder.Encode(job);
    if (code != kExitOk) {
      ++failed;
      last_code = code;
    }
  }
  if (jobs.size() > 1) {
    std::printf("\n%zu of %zu files encoded.\n", jobs.size() - failed, jobs.size());
    return failed ? kExitEncodeFailed : kExitOk;
  }
  return last_code;
}

// A user who started the utility from the front end gets to read the result; scripts and
// tests (no console on standard input, or WM8EUTIL_NO_PAUSE set) do not wait.
void PauseIfInteractive() {
  if (std::getenv("WM8EUTIL_NO_PAUSE") != nullptr) return;
  DWORD mode = 0;
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  if (in == nullptr || in == INVALID_HANDLE_VALUE || !GetConsoleMode(in, &mode)) return;
  std::printf("\nPress Enter to close this window.");
  std::fflush(stdout);
  FlushConsoleInputBuffer(in);
  char line[16];
  DWORD read = 0;
  ReadConsoleA(in, line, sizeof line, &read, nullptr);
}

}  // namespace
}  // namespace wm8eutil

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::printf("WM8EUTIL - encodes to Windows Media (ASF/WMV/WMA) with FFmpeg\n");
  const int code = wm8eutil::Run(args);
  std::fflush(stdout);
  wm8eutil::PauseIfInteractive();
  return code;
}
