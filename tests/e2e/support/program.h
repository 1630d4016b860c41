// The program under test as a user meets it: started in a folder, its main window found by
// its controls, message box texts read with their line breaks made comparable, and a watch on
// the application folder that tells how often the settings file was put in place.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/harness.h"

namespace tavrolex::e2e {

// A started TAVROLEX.EXE and its main window (nullptr, with a failed test, when none came).
struct Program {
  Process process;
  HWND window = nullptr;

  // The main window's control with this ID, at any depth.
  HWND operator[](int id) const { return Control(window, id); }
};

// Starts the folder's program with `tail` after its quoted name and waits until its main
// window, the one holding the Quit button, is on screen. `extra` is added to its environment.
Program StartProgram(const AppFolder& app, const std::string& tail = "",
                     const std::string& current_directory = "",
                     Process::Environment extra = {});

// A message box's text with its line breaks, however the box renders them (CR LF or CR),
// as single carriage returns.
std::string WithCrLineBreaks(std::string text);

// TBM_SETPOS with redraw: the position a user would leave the slider at.
void SetSliderPosition(HWND trackbar, int position);

// Sends a message with a time limit; the answer, or nothing when it was not answered.
std::optional<LRESULT> SendWithin(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                  DWORD timeout_ms = kTimeoutMs);

// Watches one folder (not its subfolders) for names that come into being in it: a file
// created there or renamed to that name. Begins when constructed.
class FolderWatch {
 public:
  explicit FolderWatch(const std::string& folder);
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;
  ~FolderWatch();

  bool watching() const { return event_ != nullptr; }
  // How often `name` came into being since the watch began, counting reports that arrive
  // within `settle_ms`.
  int Arrivals(const std::string& name, DWORD settle_ms = 1000);

 private:
  void Collect(DWORD wait_ms);
  bool Issue();

  HANDLE folder_ = INVALID_HANDLE_VALUE;
  HANDLE event_ = nullptr;
  OVERLAPPED overlapped_{};
  alignas(DWORD) char buffer_[64 * 1024];
  std::vector<std::string> arrivals_;
};

}  // namespace tavrolex::e2e
