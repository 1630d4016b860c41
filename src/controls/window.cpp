#include "controls/window.h"

#include <commctrl.h>

namespace tavrolex {
namespace {

// A private message that carries a parent's notification down to the child it came from.
constexpr UINT kReflect = WM_APP + 0x3A1;

struct ReflectPacket {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  LRESULT result;
};

constexpr UINT_PTR kSubclassId = 0x7A5;

}  // namespace

Window::~Window() { Destroy(); }

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
  hwnd_ = nullptr;
}

bool Window::Visible() const {
  return hwnd_ && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Window::SetVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Window::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void Window::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Window::SetFont(HFONT font) {
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HFONT Window::Font() const {
  return hwnd_ ? reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)) : nullptr;
}

Bounds Window::GetBounds() const {
  RECT rect{};
  if (!hwnd_) return {};
  GetWindowRect(hwnd_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Window::SetBounds(const Bounds& b) {
  if (hwnd_) SetWindowPos(hwnd_, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::SetStyleBits(DWORD bits, bool on) {
  if (!hwnd_) return;
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  const LONG_PTR wanted = on ? (style | bits) : (style & ~static_cast<LONG_PTR>(bits));
  if (wanted != style) SetWindowLongPtrW(hwnd_, GWL_STYLE, wanted);
}

bool Window::OnNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

void Window::RegisterOwnClass(const wchar_t* class_name, HBRUSH background, UINT class_style, HICON icon) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, class_name, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = class_style;
  wc.lpfnWndProc = &Window::OwnProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = class_name;
  RegisterClassExW(&wc);
}

bool Window::CreateOwn(const wchar_t* class_name, DWORD ex_style, DWORD style, const wchar_t* text,
                       HWND parent, int id, const Bounds& b) {
  const HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
  CreateWindowExW(ex_style, class_name, text, style, b.left, b.top, b.width, b.height, parent, menu,
                  GetModuleHandleW(nullptr), this);
  return hwnd_ != nullptr;
}

bool Window::CreateStandard(const wchar_t* class_name, DWORD ex_style, DWORD style, const wchar_t* text,
                            HWND parent, int id, const Bounds& b) {
  HWND hwnd = CreateWindowExW(ex_style, class_name, text, style, b.left, b.top, b.width, b.height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                              nullptr);
  if (!hwnd) return false;
  hwnd_ = hwnd;
  subclassed_ = true;
  SetWindowSubclass(hwnd, &Window::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefaultProc(message, wparam, lparam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return subclassed_ ? DefSubclassProc(hwnd_, message, wparam, lparam)
                     : DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kReflect) {
    auto* packet = reinterpret_cast<ReflectPacket*>(wparam);
    return OnNotify(packet->message, packet->wparam, packet->lparam, &packet->result) ? 1 : 0;
  }
  return HandleMessage(message, wparam, lparam);
}

LRESULT CALLBACK Window::OwnProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  // No exception may unwind through the system's code that called us.
  try {
    return self->Dispatch(message, wparam, lparam);
  } catch (...) {
    return message == kReflect ? 0 : DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                      DWORD_PTR data) {
  auto* self = reinterpret_cast<Window*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &Window::SubclassProc, kSubclassId);
    self->hwnd_ = nullptr;
    self->subclassed_ = false;
    return DefSubclassProc(hwnd, message, wparam, lparam);
  }
  try {
    return self->Dispatch(message, wparam, lparam);
  } catch (...) {
    return message == kReflect ? 0 : DefSubclassProc(hwnd, message, wparam, lparam);
  }
}

bool ReflectToChild(HWND child, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  if (!child || !IsWindow(child)) return false;
  ReflectPacket packet{message, wparam, lparam, 0};
  if (SendMessageW(child, kReflect, reinterpret_cast<WPARAM>(&packet), 0) == 0) return false;
  *result = packet.result;
  return true;
}

}  // namespace tavrolex
