// Drives the real TAVROLEX.EXE from outside: a scratch application folder with the program and
// the recording stand-in for the encoder, the process, its windows and controls, its message
// boxes, and what the stand-in recorded. Strings are system code page text throughout.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "../../../tools/recorder/record_format.h"

namespace tavrolex::e2e {

constexpr DWORD kTimeoutMs = 10000;

// ---- Files ----------------------------------------------------------------------------------

std::optional<std::string> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);  // a file, not a folder
bool SetReadOnly(const std::string& path, bool read_only);
bool IsReadOnly(const std::string& path);
bool MakeFolder(const std::string& path);
bool RemoveTree(const std::string& path);
// Names in a folder, sorted, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& path);
// A fresh empty folder under the system's temporary folder (no trailing backslash).
std::string MakeTempFolder();
std::string CurrentDirectory();

// Polls `condition` every 20 ms until it holds or the time is up; the last result.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = kTimeoutMs);

// ---- The application folder -----------------------------------------------------------------

// A fresh folder holding a copy of the program as TAVROLEX.EXE and, unless told otherwise,
// the recorder as WM8EUTIL.EXE. Removed with everything in it when the object goes.
class AppFolder {
 public:
  AppFolder(const std::string& program_exe, const std::string& recorder_exe, bool with_encoder);
  AppFolder(const AppFolder&) = delete;
  AppFolder& operator=(const AppFolder&) = delete;
  ~AppFolder();

  const std::string& dir() const { return dir_; }
  std::string operator/(std::string_view name) const;  // dir() + "\" + name
  std::string exe() const { return *this / "TAVROLEX.EXE"; }
  std::string encoder() const { return *this / "WM8EUTIL.EXE"; }
  std::string settings() const { return *this / "TAVROLEX.INI"; }
  std::string record_file() const { return *this / "record.txt"; }

  // The settings file fixture; a failure to write it fails the test.
  void WriteSettings(std::string_view bytes) const;
  std::optional<std::string> ReadSettings() const { return ReadFileBytes(settings()); }

  // What the stand-in recorded so far, and waiting for `count` complete records.
  std::vector<record::Record> Records() const;
  std::vector<record::Record> WaitForRecords(size_t count, DWORD timeout_ms = kTimeoutMs) const;

 private:
  std::string dir_;
};

#if defined(TAVROLEX_EXE_PATH) && defined(RECORDER_EXE_PATH)
// The folder made from this build's program and recorder.
struct AppFolderFromBuild : AppFolder {
  explicit AppFolderFromBuild(bool with_encoder = true)
      : AppFolder(TAVROLEX_EXE_PATH, RECORDER_EXE_PATH, with_encoder) {}
};
#endif

// ---- Processes ------------------------------------------------------------------------------

// A started process. Killed when the object goes if it is still running.
class Process {
 public:
  using Environment = std::vector<std::pair<std::string, std::string>>;

  // Starts `exe` with the whole raw `command_line` (argument 0 included), in
  // `current_directory` (empty: this process's own), with this process's environment plus
  // `extra_environment`. A failure to start fails the test and gives a process that is not
  // running.
  static Process Start(const std::string& exe, const std::string& command_line,
                       const std::string& current_directory = "",
                       const Environment& extra_environment = {});

  Process() = default;
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  bool started() const { return handle_ != nullptr; }
  DWORD id() const { return id_; }
  HANDLE handle() const { return handle_; }
  bool Running() const;

  // The exit code, or nothing when the process is still running after `timeout_ms`.
  std::optional<DWORD> WaitForExit(DWORD timeout_ms = kTimeoutMs);
  // The exit code; on a timeout the test fails, the process is killed and the result is
  // STILL_ACTIVE.
  DWORD ExpectExit(DWORD timeout_ms = kTimeoutMs);
  void Kill();

 private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// Starts the folder's TAVROLEX.EXE as "<exe>" followed by a blank and `tail` (nothing after
// the quoted name when `tail` is empty), with WM8EUTIL_RECORD naming the folder's record file
// and `extra` added to its environment.
Process StartApp(const AppFolder& app, const std::string& tail,
                 const std::string& current_directory = "", Process::Environment extra = {});
// The same with the whole command line given.
Process StartAppWithCommandLine(const AppFolder& app, const std::string& command_line,
                                const std::string& current_directory = "",
                                Process::Environment extra = {});

// ---- Windows --------------------------------------------------------------------------------

struct WindowInfo {
  HWND hwnd = nullptr;
  std::string class_name;
  std::string text;
  bool visible = false;
  RECT rect{};  // screen coordinates
  bool HasArea() const { return rect.right > rect.left && rect.bottom > rect.top; }
};

// Every top-level window of the process.
std::vector<WindowInfo> TopLevelWindows(DWORD process_id);
// The process's visible top-level windows with an area that are not dialog boxes (#32770):
// the main window, once it shows.
std::vector<WindowInfo> VisibleMainWindows(DWORD process_id);
// The first such window, waited for; nullptr when none came.
HWND WaitForMainWindow(DWORD process_id, DWORD timeout_ms = kTimeoutMs);

// A visible top-level dialog box (#32770) of the process, waited for; nullptr when none came.
HWND WaitForMessageBox(DWORD process_id, DWORD timeout_ms = kTimeoutMs);
HWND FindMessageBox(DWORD process_id);
struct MessageBoxContent {
  std::string caption;
  std::string text;  // the box's first static text that is not empty
};
MessageBoxContent ReadMessageBox(HWND box);
// Clicks the box's OK button (IDOK, or a button reading "OK"). False when it has none.
bool PressOk(HWND box);

// ---- Controls -------------------------------------------------------------------------------

// The descendant of `root` (at any depth) with this control ID; nullptr when there is none.
HWND FindControl(HWND root, int id);
// Like FindControl, but fails the test when the control is missing.
HWND Control(HWND root, int id);

std::string ClassName(HWND hwnd);
std::string GetText(HWND hwnd);                  // WM_GETTEXT, 8-bit
void SetText(HWND hwnd, std::string_view text);  // WM_SETTEXT, 8-bit
bool IsEnabled(HWND hwnd);
bool IsShown(HWND hwnd);  // IsWindowVisible: the window and all its parents are visible

// BM_CLICK, waiting until the click's handler has returned. Use it only for handlers that do
// not open a modal box or end the program.
void Click(HWND button);
// BM_CLICK posted: returns at once. For buttons whose handler opens a box or quits.
void PostClick(HWND button);

bool IsChecked(HWND button);
// BM_SETCHECK: sets the state without a click notification.
void SetChecked(HWND button, bool checked);

int ListCount(HWND list);
std::string ListLine(HWND list, int index);
int ListSelection(HWND list);  // -1 when none
// LB_SETCURSEL, then (when `notify`) LBN_SELCHANGE to the list's parent, as a user's
// selection would send it.
void SelectListLine(HWND list, int index, bool notify = true);

int TrackBarPosition(HWND trackbar);

// Posts WM_CLOSE, as the close box does.
void PostClose(HWND window);

// ---- Records --------------------------------------------------------------------------------

// The complete records in the file; none when it is missing. Malformed content fails the test.
std::vector<record::Record> ReadRecords(const std::string& path);
std::vector<record::Record> WaitForRecords(const std::string& path, size_t count,
                                           DWORD timeout_ms = kTimeoutMs);

}  // namespace tavrolex::e2e
