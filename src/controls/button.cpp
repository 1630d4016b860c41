#include "controls/button.h"

#include "controls/text.h"

namespace tavrolex {

bool Button::Create(HWND parent, int id, const Bounds& bounds, std::string_view caption_utf8) {
  return CreateStandard(L"BUTTON", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON,
                        Utf8ToWide(caption_utf8).c_str(), parent, id, bounds);
}

void Button::Click() {
  if (OnClick) OnClick();
}

bool Button::OnNotify(UINT message, WPARAM wparam, LPARAM, LRESULT* result) {
  if (message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED) return false;
  *result = 0;
  Click();
  return true;
}

LRESULT Button::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter presses the focused button itself; the window has no default button.
      LRESULT code = DefaultProc(message, wparam, lparam);
      const MSG* msg = reinterpret_cast<const MSG*>(lparam);
      if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (wparam == VK_RETURN) {
        if (IsWindowEnabled(Handle())) Click();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == L'\r') return 0;
      break;
    default:
      break;
  }
  return DefaultProc(message, wparam, lparam);
}

}  // namespace tavrolex
