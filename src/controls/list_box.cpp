#include "controls/list_box.h"

#include "controls/text.h"

namespace tavrolex {

bool ListBox::Create(HWND parent, int id, const Bounds& bounds) {
  return CreateStandard(L"LISTBOX", WS_EX_CLIENTEDGE,
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, L"",
                        parent, id, bounds);
}

void ListBox::AddLine(std::string_view line_utf8) {
  SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(line_utf8).c_str()));
}

void ListBox::SetLineHeight(int pixels) { SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, pixels); }

int ListBox::Count() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

int ListBox::Index() const {
  const LRESULT index = SendMessageW(Handle(), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ListBox::SetIndex(int index) {
  if (index == Index()) return;
  if (index < 0 || index >= Count()) {
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return;
  }
  SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // Bring the line into view even where the platform leaves the scroll position alone.
  const int top = static_cast<int>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0));
  if (index != top) SendMessageW(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

}  // namespace tavrolex
