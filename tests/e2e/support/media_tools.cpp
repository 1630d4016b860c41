#include "support/media_tools.h"

#include <cstdlib>

#include "support/harness.h"

namespace tavrolex::e2e {
namespace {

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring Wide(const std::string& text, UINT code_page) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const std::wstring& text, UINT code_page) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n,
                      nullptr, nullptr);
  return narrow;
}

std::string FullPath(const std::string& path) {
  const std::wstring wide = Wide(path, CP_ACP);
  const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  full.resize(GetFullPathNameW(wide.c_str(), n, full.data(), nullptr));
  return Narrow(full, CP_ACP);
}

// Wine's own conversion of a Windows path to the host's; empty when there is none.
std::string UnixPath(const std::string& windows_path) {
  using Convert = char*(CDECL*)(LPCWSTR);
  const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (convert == nullptr) return {};
  char* unix_path = convert(Wide(windows_path, CP_ACP).c_str());
  if (unix_path == nullptr) return {};
  std::string result = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted.push_back(c);
    }
  }
  return quoted + "'";
}

// One argument as the C runtime splits a command line.
std::string CommandLineQuoted(const std::string& text) {
  if (!text.empty() && text.find_first_of(" \t\"") == std::string::npos) return text;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (const char c : text) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

std::string FoundOnPath(const char* name) {
  char found[MAX_PATH] = {};
  const DWORD n = SearchPathA(nullptr, name, nullptr, MAX_PATH, found, nullptr);
  return n > 0 && n < MAX_PATH ? std::string(found, n) : std::string();
}

ToolRun RunWindowsTool(const std::string& program, const std::vector<std::string>& args,
                       const std::string& scratch, DWORD timeout_ms) {
  ToolRun run;
  const std::string out_file = scratch + "\\tool.out", err_file = scratch + "\\tool.err";
  std::wstring line = Wide(CommandLineQuoted(program), CP_ACP);
  for (const std::string& arg : args) line += L" " + Wide(CommandLineQuoted(arg), CP_UTF8);
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  auto open = [&](const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  const HANDLE out = open(out_file), err = open(err_file);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = INVALID_HANDLE_VALUE;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                      nullptr, nullptr, &startup, &info);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) {
    run.problem = "cannot start " + program + ", error " + std::to_string(GetLastError());
    return run;
  }
  CloseHandle(info.hThread);
  if (WaitForSingleObject(info.hProcess, timeout_ms) == WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    run.finished = true;
    run.exit_code = static_cast<int>(code);
  } else {
    TerminateProcess(info.hProcess, 1);
    run.problem = program + " ran out of time";
  }
  CloseHandle(info.hProcess);
  run.out = ReadFileBytes(out_file).value_or("");
  run.err = ReadFileBytes(err_file).value_or("");
  return run;
}

// The shell script writes the exit status under a temporary name and renames it into place,
// so that it is never read half written.
ToolRun RunUnixTool(const std::string& program, const std::vector<std::string>& args,
                    const std::string& scratch, DWORD timeout_ms) {
  ToolRun run;
  const std::string script = scratch + "\\tool.sh", status = scratch + "\\tool.status",
                    out_file = scratch + "\\tool.out", err_file = scratch + "\\tool.err";
  DeleteFileA(status.c_str());
  auto q = [](const std::string& path) { return ShellQuoted(UnixPath(path)); };
  std::string text = ShellQuoted(program);
  for (const std::string& arg : args) text.append(" ").append(ShellQuoted(arg));
  text += " </dev/null >" + q(out_file) + " 2>" + q(err_file) + "\n";
  text += "echo $? >" + q(status) + ".tmp\nmv " + q(status) + ".tmp " + q(status) + "\n";
  if (!WriteFileBytes(script, text)) {
    run.problem = "cannot write " + script;
    return run;
  }
  std::wstring line = L"Z:\\bin\\sh \"" + Wide(UnixPath(script), CP_UTF8) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    run.problem = "cannot start /bin/sh, error " + std::to_string(GetLastError());
    return run;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (!WaitUntil([&] { return FileExists(status); }, timeout_ms)) {
    run.problem = program + " did not finish in time";
    return run;
  }
  const std::string code = ReadFileBytes(status).value_or("");
  run.finished = true;
  run.exit_code = !code.empty() && code[0] >= '0' && code[0] <= '9' ? std::atoi(code.c_str()) : -1;
  run.out = ReadFileBytes(out_file).value_or("");
  run.err = ReadFileBytes(err_file).value_or("");
  return run;
}

}  // namespace

std::optional<MediaTools> FindMediaTools() {
  MediaTools tools;
  if (RunningUnderWine()) {
    if (!FileExists("Z:\\bin\\sh")) return std::nullopt;
    for (const char* dir : {"/usr/bin/", "/usr/local/bin/"}) {
      std::string windows_dir = std::string("Z:") + dir;
      for (char& c : windows_dir) c = c == '/' ? '\\' : c;
      if (FileExists(windows_dir + "ffmpeg") && FileExists(windows_dir + "ffprobe")) {
        tools.unix_tools = true;
        tools.ffmpeg = std::string(dir) + "ffmpeg";
        tools.ffprobe = std::string(dir) + "ffprobe";
        return tools;
      }
    }
  }
  tools.ffmpeg = FoundOnPath("ffmpeg.exe");
  tools.ffprobe = FoundOnPath("ffprobe.exe");
  if (tools.ffmpeg.empty() || tools.ffprobe.empty()) return std::nullopt;
  return tools;
}

std::string ToolPath(const MediaTools& tools, const std::string& windows_path) {
  const std::string full = FullPath(windows_path);
  return tools.unix_tools ? UnixPath(full) : Narrow(Wide(full, CP_ACP), CP_UTF8);
}

ToolRun RunMediaTool(const MediaTools& tools, bool probe, const std::vector<std::string>& args,
                     const std::string& scratch, DWORD timeout_ms) {
  const std::string& program = probe ? tools.ffprobe : tools.ffmpeg;
  return tools.unix_tools ? RunUnixTool(program, args, scratch, timeout_ms)
                          : RunWindowsTool(program, args, scratch, timeout_ms);
}

std::map<std::string, std::string> ProbeMedia(const MediaTools& tools, const std::string& file,
                                              const std::string& scratch, std::string* error) {
  const ToolRun run = RunMediaTool(
      tools, true,
      {"-v", "error", "-show_entries",
       "format=format_name,duration:stream=codec_name,codec_type,width,height,r_frame_rate,"
       "sample_rate,channels",
       "-of", "flat", ToolPath(tools, file)},
      scratch, 30000);
  if (!run.finished || run.exit_code != 0) {
    *error = run.problem.empty() ? "ffprobe failed: " + run.err : run.problem;
    return {};
  }
  // Lines like streams.stream.0.codec_name="wmv2" and format.duration="1.000000".
  std::map<std::string, std::string> raw;
  size_t pos = 0;
  while (pos < run.out.size()) {
    size_t end = run.out.find('\n', pos);
    if (end == std::string::npos) end = run.out.size();
    std::string line = run.out.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string value = line.substr(eq + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    raw[line.substr(0, eq)] = value;
  }
  const std::string stream_prefix = "streams.stream.";
  std::map<std::string, std::string> found;
  for (const auto& [key, value] : raw) {
    if (key.rfind("format.", 0) == 0) found[key] = value;
    if (key.rfind(stream_prefix, 0) != 0) continue;
    const size_t dot = key.find('.', stream_prefix.size());
    if (dot == std::string::npos) continue;
    const std::string index = key.substr(stream_prefix.size(), dot - stream_prefix.size());
    const auto type = raw.find(stream_prefix + index + ".codec_type");
    if (type != raw.end()) found[type->second + key.substr(dot)] = value;
  }
  if (found.empty()) *error = "ffprobe reported nothing: " + run.out;
  return found;
}

}  // namespace tavrolex::e2e
