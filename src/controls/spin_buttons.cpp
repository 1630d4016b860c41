#include "controls/spin_buttons.h"

#include <windowsx.h>

namespace tavrolex {
namespace {
constexpr UINT_PTR kRepeatTimer = 1;
}

bool SpinButtons::Create(HWND parent, const Bounds& bounds) {
  static const wchar_t kClass[] = L"TavrolexSpinButtons";
  RegisterOwnClass(kClass, GetSysColorBrush(COLOR_BTNFACE), CS_HREDRAW | CS_VREDRAW);
  return CreateOwn(kClass, 0, WS_CHILD | WS_VISIBLE, L"", parent, 0, bounds);
}

SpinButtons::Part SpinButtons::PartAt(int y) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return y < client.bottom / 2 ? Part::Up : Part::Down;
}

RECT SpinButtons::PartRect(Part part) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  RECT rect = client;
  if (part == Part::Up) rect.bottom = client.bottom / 2;
  else rect.top = client.bottom / 2;
  return rect;
}

void SpinButtons::Press(Part part) {
  pressed_ = part;
  inside_ = true;
  SetCapture(Handle());
  SetTimer(Handle(), kRepeatTimer, kFirstRepeatMs, nullptr);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void SpinButtons::Stop() {
  pressed_ = Part::None;
  inside_ = false;
  KillTimer(Handle(), kRepeatTimer);
  if (GetCapture() == Handle()) ReleaseCapture();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void SpinButtons::Step(Part part) const {
  if (OnStep) OnStep(part == Part::Up ? 1 : -1);
}

void SpinButtons::Paint(HDC dc) const {
  for (Part part : {Part::Up, Part::Down}) {
    RECT rect = PartRect(part);
    UINT state = part == Part::Up ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
    if (pressed_ == part && inside_) state |= DFCS_PUSHED;
    if (!IsWindowEnabled(GetParent(Handle()))) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &rect, DFC_SCROLL, state);
  }
}

LRESULT SpinButtons::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(GetParent(Handle()));
      Press(PartAt(GET_Y_LPARAM(lparam)));
      return 0;
    case WM_MOUSEMOVE:
      if (pressed_ != Part::None) {
        const RECT rect = PartRect(pressed_);
        const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        const bool inside = PtInRect(&rect, point) != FALSE;
        if (inside != inside_) {
          inside_ = inside;
          InvalidateRect(Handle(), nullptr, FALSE);
        }
      }
      return 0;
    case WM_TIMER:
      if (wparam == kRepeatTimer && pressed_ != Part::None) {
        SetTimer(Handle(), kRepeatTimer, kRepeatMs, nullptr);
        if (inside_) Step(pressed_);
      }
      return 0;
    case WM_LBUTTONUP:
      if (pressed_ != Part::None) {
        const bool step = inside_;
        const Part part = pressed_;
        Stop();
        if (step) Step(part);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (pressed_ != Part::None && reinterpret_cast<HWND>(lparam) != Handle()) Stop();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    default:
      return DefaultProc(message, wparam, lparam);
  }
}

}  // namespace tavrolex
