#include "controls/integer_field.h"

#include <string>

#include "options/integer_text.h"

namespace tavrolex {
namespace {

constexpr std::int64_t kLargest = 2147483647;
constexpr std::int64_t kSmallest = -2147483647;  // the smallest value whose text reads back

const std::wstring& DecimalSeparator() {
  static const std::wstring separator = [] {
    wchar_t buffer[8] = {};
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SDECIMAL, buffer, 8) <= 1) return std::wstring(L".");
    return std::wstring(buffer);
  }();
  return separator;
}

}  // namespace

bool IntegerField::Create(HWND parent, int id, const Bounds& bounds) {
  // The buttons live inside the box: the box must not paint over them.
  if (!CreateWith(parent, id, bounds, WS_CLIPCHILDREN, L"0")) return false;
  if (!buttons_.Create(Handle(), {})) return false;
  buttons_.OnStep = [this](int delta) { Step(delta); };
  PlaceButtons();
  return true;
}

std::int32_t IntegerField::Value() const { return ParseInteger(Text()).value_or(0); }

void IntegerField::SetValue(std::int32_t value) { SetText(FormatInteger(value)); }

void IntegerField::Step(int delta) {
  std::int64_t next = static_cast<std::int64_t>(Value()) + delta;
  if (next > kLargest) next = kLargest;
  if (next < kSmallest) next = kSmallest;
  SetValue(static_cast<std::int32_t>(next));
}

bool IntegerField::Accepts(wchar_t character) {
  if (character >= L'0' && character <= L'9') return true;
  if (character == L'+' || character == L'-') return true;
  if (character < 32) return character != L'\r';
  return DecimalSeparator().find(character) != std::wstring::npos;
}

void IntegerField::PlaceButtons() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = GetSystemMetrics(SM_CXVSCROLL) - 1;
  SetWindowPos(buttons_.Handle(), nullptr, client.right - width, 0, width, client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

LRESULT IntegerField::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CHAR:
      if (!Accepts(static_cast<wchar_t>(wparam))) {
        MessageBeep(MB_OK);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wparam == VK_UP || wparam == VK_DOWN) {
        Step(wparam == VK_UP ? 1 : -1);
        return 0;
      }
      break;
    case WM_GETDLGCODE: {
      // Enter must reach the field (to be refused with a beep) rather than the window.
      LRESULT code = DefaultProc(message, wparam, lparam);
      const MSG* msg = reinterpret_cast<const MSG*>(lparam);
      if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_SIZE:
    case WM_SETFONT: {
      const LRESULT result = DefaultProc(message, wparam, lparam);
      if (buttons_.Handle()) PlaceButtons();
      return result;
    }
    case WM_ENABLE:
      if (buttons_.Handle()) InvalidateRect(buttons_.Handle(), nullptr, FALSE);
      break;
    default:
      break;
  }
  return DefaultProc(message, wparam, lparam);
}

}  // namespace tavrolex
