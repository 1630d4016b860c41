#include "controls/radio_button.h"

#include "controls/text.h"

namespace tavrolex {

bool RadioButton::Create(HWND parent, int id, const Bounds& bounds, std::string_view caption_utf8,
                         bool first_of_pair) {
  const DWORD style = WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON | (first_of_pair ? WS_GROUP : 0);
  return CreateStandard(L"BUTTON", 0, style, Utf8ToWide(caption_utf8).c_str(), parent, id, bounds);
}

bool RadioButton::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void RadioButton::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  SetStyleBits(WS_TABSTOP, checked);
  if (checked && partner_ && partner_->Checked()) partner_->SetChecked(false);
}

bool RadioButton::OnNotify(UINT message, WPARAM wparam, LPARAM, LRESULT* result) {
  if (message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED) return false;
  *result = 0;
  if (!Checked()) SetChecked(true);
  return true;
}

}  // namespace tavrolex
