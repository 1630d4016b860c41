#include "controls/check_box.h"

#include "controls/text.h"

namespace tavrolex {

bool CheckBox::Create(HWND parent, int id, const Bounds& bounds, std::string_view caption_utf8) {
  return CreateStandard(L"BUTTON", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX,
                        Utf8ToWide(caption_utf8).c_str(), parent, id, bounds);
}

bool CheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT CheckBox::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT || wparam) return DefaultProc(message, wparam, lparam);
  // Buttons draw with their parent's clipping, past their own window region: clip the
  // painting to the region, so a control that overlaps the box shows whole.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(Handle(), region) == ERROR) {
    DeleteObject(region);
    return DefaultProc(message, wparam, lparam);
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  ExtSelectClipRgn(dc, region, RGN_AND);
  DefaultProc(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  EndPaint(Handle(), &ps);
  DeleteObject(region);
  return 0;
}

}  // namespace tavrolex
