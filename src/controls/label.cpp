#include "controls/label.h"

#include "controls/text.h"

namespace tavrolex {

bool Label::Create(HWND parent, int id, const Bounds& bounds, std::string_view text_utf8) {
  return CreateStandard(L"STATIC", 0, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                        Utf8ToWide(text_utf8).c_str(), parent, id, bounds);
}

std::string Label::Text() const { return WideToUtf8(WindowTextOf(Handle())); }

void Label::SetText(std::string_view text_utf8) {
  if (Text() == text_utf8) return;
  SetWindowTextW(Handle(), Utf8ToWide(text_utf8).c_str());
  FitToText();
}

void Label::FitToText() {
  const std::wstring text = Utf8ToWide(Text());
  HDC dc = GetDC(Handle());
  const HGDIOBJ old = SelectObject(dc, Font() ? static_cast<HGDIOBJ>(Font()) : GetStockObject(SYSTEM_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SIZE extent{0, tm.tmHeight};
  if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  SetWindowPos(Handle(), nullptr, 0, 0, extent.cx, tm.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT Label::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = DefaultProc(message, wparam, lparam);
  if (message == WM_SETFONT) FitToText();
  return result;
}

}  // namespace tavrolex
