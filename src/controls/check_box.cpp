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

}  // namespace tavrolex
