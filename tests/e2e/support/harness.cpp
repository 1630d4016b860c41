#include "support/harness.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <utility>

namespace tavrolex::e2e {
namespace {

// SendMessage with a time limit, so a hung or blocked program fails the test instead of
// hanging it.
LRESULT Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, message, wparam, lparam, SMTO_NORMAL, kTimeoutMs, &result)) {
    ADD_FAILURE() << "message " << message << " to window " << hwnd << " was not answered";
    return 0;
  }
  return static_cast<LRESULT>(result);
}

std::string WindowText(HWND hwnd) {
  const LRESULT length = Send(hwnd, WM_GETTEXTLENGTH, 0, 0);
  // Room for a double-byte text counted in characters.
  std::string text(static_cast<size_t>(length) * 2 + 2, '\0');
  const LRESULT got = Send(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::min<size_t>(static_cast<size_t>(got), text.size()));
  return text;
}

struct ProcessWindows {
  DWORD process_id;
  std::vector<WindowInfo>* windows;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<ProcessWindows*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->process_id) return TRUE;
  WindowInfo info;
  info.hwnd = hwnd;
  info.class_name = ClassName(hwnd);
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);  // top-level windows answer this without a send
  info.text = text;
  info.visible = IsWindowVisible(hwnd) != FALSE;
  GetWindowRect(hwnd, &info.rect);
  search->windows->push_back(info);
  return TRUE;
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindById(HWND hwnd, LPARAM lparam) {
  auto* search = reinterpret_cast<ControlSearch*>(lparam);
  if (GetDlgCtrlID(hwnd) == search->id) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM lparam) {
  reinterpret_cast<std::vector<HWND>*>(lparam)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> children;
  EnumChildWindows(root, CollectChildren, reinterpret_cast<LPARAM>(&children));
  return children;
}

}  // namespace

// ---- Files ----------------------------------------------------------------------------------

std::optional<std::string> ReadFileBytes(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  return CloseHandle(file) && ok;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SetReadOnly(const std::string& path, bool read_only) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  const DWORD wanted = read_only ? (attributes | FILE_ATTRIBUTE_READONLY)
                                 : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  return SetFileAttributesA(path.c_str(), wanted == 0 ? FILE_ATTRIBUTE_NORMAL : wanted) != FALSE;
}

bool IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != FALSE; }

std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

bool RemoveTree(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & FILE_ATTRIBUTE_READONLY) SetReadOnly(path, false);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != FALSE;
  bool ok = true;
  for (const std::string& name : FolderEntries(path)) ok = RemoveTree(path + "\\" + name) && ok;
  return RemoveDirectoryA(path.c_str()) != FALSE && ok;
}

std::string MakeTempFolder() {
  static std::atomic<unsigned> counter{0};
  char base[MAX_PATH + 1] = {};
  std::string root(base, GetTempPathA(sizeof base, base));
  if (!root.empty() && root.back() == '\\') root.pop_back();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string candidate = root + "\\tvx-e2e-" + std::to_string(GetCurrentProcessId()) +
                                  "-" + std::to_string(GetTickCount()) + "-" +
                                  std::to_string(++counter);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) return candidate;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  ADD_FAILURE() << "could not make a temporary folder under " << root;
  return root;
}

std::string CurrentDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(path.size()), path.data());
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length);
  }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
}

// ---- The application folder -----------------------------------------------------------------

AppFolder::AppFolder(const std::string& program_exe, const std::string& recorder_exe,
                     bool with_encoder)
    : dir_(MakeTempFolder()) {
  EXPECT_TRUE(CopyFileA(program_exe.c_str(), exe().c_str(), FALSE))
      << "copying " << program_exe << ", error " << GetLastError();
  if (with_encoder) {
    EXPECT_TRUE(CopyFileA(recorder_exe.c_str(), encoder().c_str(), FALSE))
        << "copying " << recorder_exe << ", error " << GetLastError();
  }
}

AppFolder::~AppFolder() {
  // A program that has only just ended may still hold its file for a moment.
  WaitUntil([&] { return RemoveTree(dir_); }, 3000);
}

std::string AppFolder::operator/(std::string_view name) const {
  return dir_ + "\\" + std::string(name);
}

void AppFolder::WriteSettings(std::string_view bytes) const {
  EXPECT_TRUE(WriteFileBytes(settings(), bytes)) << settings();
}

std::vector<record::Record> AppFolder::Records() const { return ReadRecords(record_file()); }

std::vector<record::Record> AppFolder::WaitForRecords(size_t count, DWORD timeout_ms) const {
  return e2e::WaitForRecords(record_file(), count, timeout_ms);
}

// ---- Processes ------------------------------------------------------------------------------

Process Process::Start(const std::string& exe, const std::string& command_line,
                       const std::string& current_directory,
                       const Environment& extra_environment) {
  // This process's environment with the extra variables put in place of any of that name.
  std::string block;
  if (char* strings = GetEnvironmentStringsA()) {
    for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1) {
      const std::string_view text(entry);
      const bool replaced = std::any_of(
          extra_environment.begin(), extra_environment.end(), [&](const auto& variable) {
            return text.size() > variable.first.size() && text[variable.first.size()] == '=' &&
                   CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.data(),
                                  static_cast<int>(variable.first.size()), variable.first.data(),
                                  static_cast<int>(variable.first.size())) == CSTR_EQUAL;
          });
      if (!replaced) block.append(text).push_back('\0');
    }
    FreeEnvironmentStringsA(strings);
  }
  for (const auto& [name, value] : extra_environment) block.append(name + "=" + value).push_back('\0');
  block.push_back('\0');

  std::string line = command_line;  // CreateProcessA may write into it
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, block.data(),
                      current_directory.empty() ? nullptr : current_directory.c_str(), &startup,
                      &info)) {
    ADD_FAILURE() << "could not start " << exe << ", error " << GetLastError();
    return {};
  }
  CloseHandle(info.hThread);
  Process process;
  process.handle_ = info.hProcess;
  process.id_ = info.dwProcessId;
  return process;
}

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    this->~Process();
    handle_ = std::exchange(other.handle_, nullptr);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

Process::~Process() {
  if (handle_ == nullptr) return;
  Kill();
  CloseHandle(handle_);
  handle_ = nullptr;
}

bool Process::Running() const {
  return handle_ != nullptr && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(DWORD timeout_ms) {
  if (handle_ == nullptr || WaitForSingleObject(handle_, timeout_ms) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(handle_, &code);
  return code;
}

DWORD Process::ExpectExit(DWORD timeout_ms) {
  if (handle_ == nullptr) {
    ADD_FAILURE() << "the process was never started";
    return STILL_ACTIVE;
  }
  if (const auto code = WaitForExit(timeout_ms)) return *code;
  ADD_FAILURE() << "process " << id_ << " still ran after " << timeout_ms << " ms; killed";
  Kill();
  return STILL_ACTIVE;
}

void Process::Kill() {
  if (Running()) {
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, kTimeoutMs);
  }
}

Process StartApp(const AppFolder& app, const std::string& tail,
                 const std::string& current_directory, Process::Environment extra) {
  std::string line = "\"";
  line.append(app.exe()).push_back('"');
  if (!tail.empty()) {
    line.push_back(' ');
    line.append(tail);
  }
  return StartAppWithCommandLine(app, line, current_directory, std::move(extra));
}

Process StartAppWithCommandLine(const AppFolder& app, const std::string& command_line,
                                const std::string& current_directory,
                                Process::Environment extra) {
  extra.emplace_back("WM8EUTIL_RECORD", app.record_file());
  return Process::Start(app.exe(), command_line, current_directory, extra);
}

// ---- Windows --------------------------------------------------------------------------------

std::vector<WindowInfo> TopLevelWindows(DWORD process_id) {
  std::vector<WindowInfo> windows;
  ProcessWindows search{process_id, &windows};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return windows;
}

std::vector<WindowInfo> VisibleMainWindows(DWORD process_id) {
  std::vector<WindowInfo> windows = TopLevelWindows(process_id);
  std::erase_if(windows, [](const WindowInfo& w) {
    return !w.visible || !w.HasArea() || w.class_name == "#32770";
  });
  return windows;
}

HWND WaitForMainWindow(DWORD process_id, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const auto windows = VisibleMainWindows(process_id);
        found = windows.empty() ? nullptr : windows.front().hwnd;
        return found != nullptr;
      },
      timeout_ms);
  return found;
}

HWND FindMessageBox(DWORD process_id) {
  for (const WindowInfo& w : TopLevelWindows(process_id)) {
    if (w.visible && w.class_name == "#32770") return w.hwnd;
  }
  return nullptr;
}

HWND WaitForMessageBox(DWORD process_id, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindMessageBox(process_id)) != nullptr; }, timeout_ms);
  return found;
}

MessageBoxContent ReadMessageBox(HWND box) {
  MessageBoxContent content;
  content.caption = GetText(box);
  for (HWND child : Descendants(box)) {
    if (lstrcmpiA(ClassName(child).c_str(), "Static") != 0) continue;
    std::string text = GetText(child);
    if (!text.empty()) {
      content.text = std::move(text);
      break;
    }
  }
  return content;
}

bool PressOk(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  if (ok == nullptr) {
    for (HWND child : Descendants(box)) {
      if (lstrcmpiA(ClassName(child).c_str(), "Button") == 0 && GetText(child) == "OK") {
        ok = child;
        break;
      }
    }
  }
  if (ok == nullptr) return false;
  PostClick(ok);
  return true;
}

// ---- Controls -------------------------------------------------------------------------------

HWND FindControl(HWND root, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(root, FindById, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Control(HWND root, int id) {
  HWND control = FindControl(root, id);
  EXPECT_NE(control, nullptr) << "no control with ID " << id;
  return control;
}

std::string ClassName(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string GetText(HWND hwnd) { return WindowText(hwnd); }

void SetText(HWND hwnd, std::string_view text) {
  const std::string copy(text);
  Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

bool IsEnabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }
bool IsShown(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }

void Click(HWND button) { Send(button, BM_CLICK, 0, 0); }

void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

bool IsChecked(HWND button) { return Send(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
  Send(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int ListCount(HWND list) { return static_cast<int>(Send(list, LB_GETCOUNT, 0, 0)); }

std::string ListLine(HWND list, int index) {
  // Asked for in UTF-16: Wine does not convert LB_GETTEXT between processes for the 8-bit API,
  // so a Unicode list box would hand back its wide text as bytes.
  const LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL, kTimeoutMs, &got)) {
    ADD_FAILURE() << "LB_GETTEXT to window " << list << " was not answered";
    return {};
  }
  wide.resize(std::min<size_t>(static_cast<size_t>(static_cast<LRESULT>(got) < 0 ? 0 : got), wide.size()));
  if (wide.empty()) return {};
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                        nullptr, nullptr);
  std::string text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), bytes, nullptr,
                      nullptr);
  return text;
}

int ListSelection(HWND list) { return static_cast<int>(Send(list, LB_GETCURSEL, 0, 0)); }

void SelectListLine(HWND list, int index, bool notify) {
  Send(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (notify) {
    const int id = GetDlgCtrlID(list);
    Send(GetParent(list), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
}

int TrackBarPosition(HWND trackbar) {
  return static_cast<int>(Send(trackbar, TBM_GETPOS, 0, 0));
}

void PostClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

// ---- Records --------------------------------------------------------------------------------

std::vector<record::Record> ReadRecords(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return {};
  auto records = record::Parse(*bytes);
  EXPECT_TRUE(records.has_value()) << "malformed record file " << path;
  return records ? std::move(*records) : std::vector<record::Record>{};
}

std::vector<record::Record> WaitForRecords(const std::string& path, size_t count,
                                           DWORD timeout_ms) {
  std::vector<record::Record> records;
  WaitUntil(
      [&] {
        records = ReadRecords(path);
        return records.size() >= count;
      },
      timeout_ms);
  return records;
}

}  // namespace tavrolex::e2e
