#include "controls/edit_box.h"

#include "controls/text.h"

namespace tavrolex {

bool EditBox::Create(HWND parent, int id, const Bounds& bounds) {
  return CreateWith(parent, id, bounds, 0, L"");
}

bool EditBox::CreateWith(HWND parent, int id, const Bounds& bounds, DWORD extra_style, const wchar_t* text) {
  if (!CreateStandard(L"EDIT", WS_EX_CLIENTEDGE,
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | extra_style, text, parent,
                      id, bounds))
    return false;
  SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);  // 0 means the largest limit there is
  return true;
}

std::string EditBox::Text() const { return WideToSystemText(WindowTextOf(Handle())); }

void EditBox::SetText(const std::string& text) {
  if (text == Text()) return;
  // The edit's own notification during the assignment is swallowed, so that the event
  // fires exactly once, whatever the platform sends.
  assigning_ = true;
  SetWindowTextW(Handle(), SystemTextToWide(text).c_str());
  assigning_ = false;
  RaiseChange();
}

void EditBox::RaiseChange() {
  if (OnChange) OnChange();
}

bool EditBox::OnNotify(UINT message, WPARAM wparam, LPARAM, LRESULT* result) {
  if (message != WM_COMMAND || HIWORD(wparam) != EN_CHANGE) return false;
  *result = 0;
  if (!assigning_) RaiseChange();
  return true;
}

}  // namespace tavrolex
