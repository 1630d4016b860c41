#include "support/program.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <utility>

#include "ui/control_ids.h"

namespace tavrolex::e2e {

Program StartProgram(const AppFolder& app, const std::string& tail,
                     const std::string& current_directory, Process::Environment extra) {
  Program program;
  program.process = StartApp(app, tail, current_directory, std::move(extra));
  if (!program.process.started()) return program;
  WaitUntil([&] {
    for (const WindowInfo& w : VisibleMainWindows(program.process.id())) {
      if (FindControl(w.hwnd, IDC_ButtonQuit) != nullptr) {
        program.window = w.hwnd;
        return true;
      }
    }
    return false;
  });
  EXPECT_NE(program.window, nullptr) << "the main window did not show";
  return program;
}

std::string WithCrLineBreaks(std::string text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

std::optional<LRESULT> SendWithin(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                  DWORD timeout_ms) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, message, wparam, lparam, SMTO_NORMAL, timeout_ms, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

void SetSliderPosition(HWND trackbar, int position) {
  EXPECT_TRUE(SendWithin(trackbar, TBM_SETPOS, TRUE, position).has_value());
}

FolderWatch::FolderWatch(const std::string& folder) {
  folder_ = CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  if (folder_ == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot watch " << folder << ", error " << GetLastError();
    return;
  }
  event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!Issue()) {
    ADD_FAILURE() << "cannot watch " << folder << ", error " << GetLastError();
    CloseHandle(event_);
    event_ = nullptr;
  }
}

FolderWatch::~FolderWatch() {
  if (folder_ == INVALID_HANDLE_VALUE) return;
  if (event_ != nullptr) {
    CancelIo(folder_);
    DWORD ignored = 0;
    GetOverlappedResult(folder_, &overlapped_, &ignored, TRUE);
    CloseHandle(event_);
  }
  CloseHandle(folder_);
}

bool FolderWatch::Issue() {
  ResetEvent(event_);
  overlapped_ = {};
  overlapped_.hEvent = event_;
  return ReadDirectoryChangesW(folder_, buffer_, sizeof buffer_, FALSE,
                               FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE,
                               nullptr, &overlapped_, nullptr) != FALSE;
}

void FolderWatch::Collect(DWORD wait_ms) {
  const ULONGLONG deadline = GetTickCount64() + wait_ms;
  while (event_ != nullptr) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
    if (WaitForSingleObject(event_, left) != WAIT_OBJECT_0) return;
    DWORD size = 0;
    if (!GetOverlappedResult(folder_, &overlapped_, &size, FALSE)) return;
    for (size_t at = 0; size != 0 && at < size;) {
      const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer_ + at);
      if (info->Action == FILE_ACTION_ADDED || info->Action == FILE_ACTION_RENAMED_NEW_NAME) {
        const int wide = static_cast<int>(info->FileNameLength / sizeof(WCHAR));
        char name[MAX_PATH * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, info->FileName, wide, name, sizeof name - 1, nullptr,
                            nullptr);
        arrivals_.emplace_back(name);
      }
      if (info->NextEntryOffset == 0) break;
      at += info->NextEntryOffset;
    }
    if (!Issue()) return;
  }
}

int FolderWatch::Arrivals(const std::string& name, DWORD settle_ms) {
  Collect(settle_ms);
  int count = 0;
  for (const std::string& arrival : arrivals_) {
    if (lstrcmpiA(arrival.c_str(), name.c_str()) == 0) ++count;
  }
  return count;
}

}  // namespace tavrolex::e2e
