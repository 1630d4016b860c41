#include "runner_win.h"

#include "ffmpeg_command.h"

namespace wm8eutil {

namespace {

bool Exists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring ModuleDir() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/"));
}

// ffmpeg.exe beside this program, else on PATH.
std::wstring FindWindowsProgram(const wchar_t* name) {
  std::wstring beside = ModuleDir() + L"\\" + name;
  if (Exists(beside)) return beside;
  wchar_t found[MAX_PATH];
  DWORD n = SearchPathW(nullptr, name, nullptr, MAX_PATH, found, nullptr);
  return (n > 0 && n < MAX_PATH) ? std::wstring(found, n) : std::wstring();
}

std::string UnixPath(const std::wstring& path) {
  using Convert = char*(CDECL*)(LPCWSTR);
  static const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (convert == nullptr) return std::string();
  char* unix_path = convert(path.c_str());
  if (unix_path == nullptr) return std::string();
  std::string result = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

std::wstring FullPath(const std::wstring& path) {
  DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  full.resize(n);
  return full;
}

HANDLE OpenForChild(const std::wstring& path) {
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

RunResult RunWindows(const std::wstring& program, const std::vector<std::string>& args,
                     const std::wstring& out_file, const std::wstring& err_file,
                     const std::function<void()>& tick) {
  RunResult result;
  std::string line = QuoteWindowsArgument(Narrow(program, CP_UTF8));
  for (const std::string& a : args) {
    line += ' ';
    line += QuoteWindowsArgument(a);
  }
  std::wstring command = Widen(line, CP_UTF8);

  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
  HANDLE in = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
  HANDLE out = OpenForChild(out_file);
  HANDLE err = OpenForChild(err_file);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = err;
  PROCESS_INFORMATION pi = {};
  BOOL ok = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  DWORD last_error = GetLastError();
  for (HANDLE h : {in, out, err}) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  if (!ok) {
    result.error = "cannot start " + Narrow(program, CP_ACP) + " (Windows error " + std::to_string(last_error) + ")";
    return result;
  }
  result.started = true;
  while (WaitForSingleObject(pi.hProcess, 200) == WAIT_TIMEOUT) tick();
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  result.exit_code = static_cast<int>(code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return result;
}

// Under Wine the Linux program's exit cannot be awaited through its handle (the wait returns at
// once), so a shell script runs it and then writes its exit status to a file, renamed into place
// so that it is never read half written.
RunResult RunUnix(const std::string& program, const std::vector<std::string>& args, const ScratchDir& scratch,
                  const std::wstring& out_file, const std::wstring& err_file, const std::function<void()>& tick) {
  RunResult result;
  const std::wstring script = scratch.File(L"run.sh"), status = scratch.File(L"status"),
                     started = scratch.File(L"started");
  DeleteFileW(status.c_str());
  DeleteFileW(started.c_str());
  auto q = [](const std::wstring& path) { return QuoteShellArgument(UnixPath(path)); };
  std::string text = ": >" + q(started) + "\n" + QuoteShellArgument(program);
  for (const std::string& a : args) {
    text += ' ';
    text += QuoteShellArgument(a);
  }
  text += " </dev/null >" + q(out_file) + " 2>" + q(err_file) + "\n";
  text += "echo $? >" + q(status) + ".tmp\nmv " + q(status) + ".tmp " + q(status) + "\n";

  HANDLE h = CreateFileW(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (h == INVALID_HANDLE_VALUE || !WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    result.error = "cannot write the script file in the temporary folder";
    return result;
  }
  CloseHandle(h);

  std::wstring command = L"Z:\\bin\\sh \"" + Widen(UnixPath(script), CP_UTF8) + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    result.error = "cannot start /bin/sh (Windows error " + std::to_string(GetLastError()) + ")";
    return result;
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  // The shell marks its start at once; without that mark after a while it never ran.
  const ULONGLONG begin = GetTickCount64();
  while (GetFileAttributesW(status.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetFileAttributesW(started.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount64() - begin > 20000) {
      result.error = "/bin/sh did not run the FFmpeg script";
      return result;
    }
    Sleep(200);
    tick();
  }
  result.started = true;
  const std::string code = ReadFileText(status);
  result.exit_code = (!code.empty() && code[0] >= '0' && code[0] <= '9') ? std::atoi(code.c_str()) : 1;
  return result;
}

}  // namespace

std::wstring Widen(const std::string& text, UINT code_page) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const std::wstring& text, UINT code_page) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(n, '\0');
  WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n, nullptr, nullptr);
  return narrow;
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool FindTools(Tools* tools, std::string* message) {
  *tools = Tools();
  if (RunningUnderWine() && Exists(L"Z:\\bin\\sh")) {
    for (const char* dir : {"/usr/bin/", "/usr/local/bin/"}) {
      std::wstring ffmpeg = L"Z:" + Widen(dir, CP_UTF8) + L"ffmpeg";
      for (wchar_t& c : ffmpeg) c = c == L'/' ? L'\\' : c;
      if (!Exists(ffmpeg)) continue;
      tools->unix_tools = true;
      tools->ffmpeg = ffmpeg;
      tools->ffmpeg_unix = std::string(dir) + "ffmpeg";
      std::wstring ffprobe = ffmpeg.substr(0, ffmpeg.size() - 6) + L"ffprobe";
      if (Exists(ffprobe)) {
        tools->ffprobe = ffprobe;
        tools->ffprobe_unix = std::string(dir) + "ffprobe";
      }
      return true;
    }
  }
  tools->ffmpeg = FindWindowsProgram(L"ffmpeg.exe");
  if (!tools->ffmpeg.empty()) {
    tools->ffprobe = FindWindowsProgram(L"ffprobe.exe");
    return true;
  }
  *message = RunningUnderWine()
                 ? "FFmpeg was not found. Install it in the Linux system (Debian/Ubuntu: apt-get install ffmpeg), "
                   "so that /usr/bin/ffmpeg and /usr/bin/ffprobe exist, or put ffmpeg.exe and ffprobe.exe beside "
                   "WM8EUTIL.EXE."
                 : "FFmpeg was not found. Put ffmpeg.exe and ffprobe.exe from an FFmpeg build for Windows "
                   "(https://ffmpeg.org/download.html) beside WM8EUTIL.EXE or in a folder on PATH.";
  return false;
}

std::string PathForTools(const Tools& tools, const std::wstring& path) {
  const std::wstring full = FullPath(path);
  return tools.unix_tools ? UnixPath(full) : Narrow(full, CP_UTF8);
}

ScratchDir::ScratchDir() {
  wchar_t temp[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  if (n == 0 || n > MAX_PATH) return;
  std::wstring base(temp, n);
  if (base.back() != L'\\') base += L'\\';
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring candidate = base + L"wm8eutil-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(GetTickCount64() % 100000 + attempt);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
}

void ScratchDir::Clear() const {
  if (path_.empty()) return;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) DeleteFileW(File(data.cFileName).c_str());
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

ScratchDir::~ScratchDir() {
  Clear();
  if (!path_.empty()) RemoveDirectoryW(path_.c_str());
}

RunResult RunTool(const Tools& tools, bool probe, const std::vector<std::string>& args, const ScratchDir& scratch,
                  const std::wstring& out_file, const std::wstring& err_file, const std::function<void()>& tick) {
  if (tools.unix_tools) {
    return RunUnix(probe ? tools.ffprobe_unix : tools.ffmpeg_unix, args, scratch, out_file, err_file, tick);
  }
  return RunWindows(probe ? tools.ffprobe : tools.ffmpeg, args, out_file, err_file, tick);
}

std::string ReadFileText(const std::wstring& path, DWORD tail) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  LARGE_INTEGER size = {};
  GetFileSizeEx(h, &size);
  LONGLONG start = 0;
  if (tail > 0 && size.QuadPart > tail) {
    start = size.QuadPart - tail;
    LARGE_INTEGER to;
    to.QuadPart = start;
    SetFilePointerEx(h, to, nullptr, FILE_BEGIN);
  }
  std::string text(static_cast<std::size_t>(size.QuadPart - start), '\0');
  DWORD got = 0;
  if (!text.empty() && !ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) got = 0;
  CloseHandle(h);
  text.resize(got);
  if (start > 0) {
    std::size_t newline = text.find('\n');
    text = newline == std::string::npos ? std::string() : text.substr(newline + 1);
  }
  return text;
}

}  // namespace wm8eutil
