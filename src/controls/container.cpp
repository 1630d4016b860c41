#include "controls/container.h"

namespace tavrolex {

LRESULT Container::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND child = nullptr;
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      child = reinterpret_cast<HWND>(lparam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<const NMHDR*>(lparam)->hwndFrom;
      break;
    default:
      break;
  }
  LRESULT result = 0;
  if (child && ReflectToChild(child, message, wparam, lparam, &result)) return result;
  return DefaultProc(message, wparam, lparam);
}

}  // namespace tavrolex
