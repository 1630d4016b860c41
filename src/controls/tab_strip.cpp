#include "controls/tab_strip.h"

#include <commctrl.h>

#include <string>

#include "controls/text.h"

namespace tavrolex {

bool TabStrip::Create(HWND parent, int id, const Bounds& bounds, const std::vector<std::string_view>& tabs_utf8) {
  if (!CreateStandard(WC_TABCONTROLW, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, L"",
                      parent, id, bounds))
    return false;
  int index = 0;
  for (std::string_view tab : tabs_utf8) {
    std::wstring text = Utf8ToWide(tab);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(Handle(), TCM_SETCURSEL, 0, 0);
  return true;
}

int TabStrip::Index() const { return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }

void TabStrip::SetIndex(int index) { SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }

int TabStrip::Count() const { return static_cast<int>(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0)); }

void TabStrip::LeavePageArea(const Bounds& page) {
  const Bounds own = GetBounds();
  HRGN region = CreateRectRgn(0, 0, own.width, own.height);
  HRGN hole = CreateRectRgn(page.left - own.left, page.top - own.top, page.left - own.left + page.width,
                            page.top - own.top + page.height);
  CombineRgn(region, region, hole, RGN_DIFF);
  DeleteObject(hole);
  SetWindowRgn(Handle(), region, TRUE);  // the system owns the region from here on
}

bool TabStrip::OnNotify(UINT message, WPARAM, LPARAM lparam, LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  if (reinterpret_cast<const NMHDR*>(lparam)->code != TCN_SELCHANGE) return false;
  *result = 0;
  if (OnChange) OnChange();
  return true;
}

}  // namespace tavrolex
