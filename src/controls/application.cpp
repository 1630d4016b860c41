#include "controls/application.h"

#include "controls/text.h"

namespace tavrolex {
namespace {

Application* g_current = nullptr;
constexpr UINT kActivateMain = WM_APP + 0x3A2;

}  // namespace

Application::Application() { g_current = this; }

Application::~Application() {
  Destroy();
  if (g_current == this) g_current = nullptr;
}

Application* Application::Current() { return g_current; }

bool Application::Initialize(std::string_view title_utf8, HICON icon) {
  static const wchar_t kClass[] = L"TavrolexApplication";
  RegisterOwnClass(kClass, nullptr, 0, icon);
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
  if (!CreateOwn(kClass, WS_EX_APPWINDOW, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                 Utf8ToWide(title_utf8).c_str(), nullptr, 0, {x, y, 0, 0}))
    return false;
  if (icon) {
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  return true;
}

std::wstring Application::Title() const { return Handle() ? WindowTextOf(Handle()) : std::wstring(); }

HWND Application::ModalOwner() const {
  if (main_window_ && IsWindow(main_window_) && IsWindowVisible(main_window_)) return main_window_;
  return Handle();
}

int Application::Run() {
  if (main_window_ && IsWindow(main_window_)) {
    ShowWindow(main_window_, SW_SHOW);
    UpdateWindow(main_window_);
  }
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (main_window_ && IsWindow(main_window_) && IsDialogMessageW(main_window_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

LRESULT Application::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      // The title window has nothing to show: pass the activation on (after this message).
      if (LOWORD(wparam) != WA_INACTIVE) PostMessageW(Handle(), kActivateMain, 0, 0);
      return 0;
    case kActivateMain: {
      HWND target = GetLastActivePopup(Handle());
      if (target == Handle()) target = main_window_;
      if (target && IsWindowVisible(target) && IsWindowEnabled(target)) SetActiveWindow(target);
      return 0;
    }
    case WM_CLOSE:
      // Close on the task-bar button closes the main window.
      if (main_window_ && IsWindow(main_window_)) SendMessageW(main_window_, WM_CLOSE, 0, 0);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return DefaultProc(message, wparam, lparam);
  }
}

}  // namespace tavrolex
