#include "controls/group_box.h"

#include <string>

#include "controls/text.h"

namespace tavrolex {

bool GroupBox::Create(HWND parent, int id, const Bounds& bounds, std::string_view caption_utf8) {
  static const wchar_t kClass[] = L"TavrolexGroupBox";
  RegisterOwnClass(kClass, GetSysColorBrush(COLOR_BTNFACE), CS_HREDRAW | CS_VREDRAW);
  return CreateOwn(kClass, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                   Utf8ToWide(caption_utf8).c_str(), parent, id, bounds);
}

LRESULT GroupBox::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETTEXT: {
      const LRESULT result = DefaultProc(message, wparam, lparam);
      InvalidateRect(Handle(), nullptr, TRUE);
      return result;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    default:
      return Container::HandleMessage(message, wparam, lparam);
  }
}

void GroupBox::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const HGDIOBJ old_font = SelectObject(dc, Font() ? static_cast<HGDIOBJ>(Font()) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT frame = client;
  frame.top = tm.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

  const int length = GetWindowTextLengthW(Handle());
  if (length > 0) {
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(Handle(), caption.data(), length + 1);
    caption.resize(static_cast<std::size_t>(length));
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), length, &extent);
    RECT text{8, 0, 8 + extent.cx, tm.tmHeight};
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(Handle()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), length, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old_font);
}

}  // namespace tavrolex
