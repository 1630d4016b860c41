// Drives a running main window from outside for screenshots: "next-tab" moves its tab
// strip one tab to the right; "quit" closes the window.
#include <windows.h>

#include <cstring>

#include "ui/control_ids.h"

int main(int argc, char** argv) {
  HWND form = nullptr;
  for (int i = 0; i < 50 && !form; ++i) {
    form = FindWindowW(L"TFormTavrolex", nullptr);
    if (!form) Sleep(100);
  }
  if (!form || argc < 2) return 1;
  if (std::strcmp(argv[1], "next-tab") == 0) {
    HWND tabs = GetDlgItem(form, tavrolex::IDC_TabControlOption);
    PostMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageW(tabs, WM_KEYUP, VK_RIGHT, 0xC0000001);
  } else if (std::strcmp(argv[1], "quit") == 0) {
    PostMessageW(form, WM_CLOSE, 0, 0);
  }
  return 0;
}
