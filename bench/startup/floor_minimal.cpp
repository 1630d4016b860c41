// The smallest useful Win32 program: one fixed window with an edit box and two buttons.
// It is the lower bound of what any window-showing program costs to start on this system.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"FloorMinimal";
  if (!RegisterClassW(&wc)) return 1;

  const DWORD style = WS_CAPTION | WS_SYSMENU;
  RECT r{0, 0, 300, 90};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, wc.lpszClassName, L"Floor (minimal)", style,
                                CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                  8, 8, 284, 23, window, nullptr, instance, nullptr);
  CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                  136, 56, 75, 25, window, nullptr, instance, nullptr);
  CreateWindowExW(0, L"BUTTON", L"Quit", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                  217, 56, 75, 25, window, nullptr, instance, nullptr);
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
