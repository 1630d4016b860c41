#include "controls/slider.h"

#include <commctrl.h>

#include <algorithm>

namespace tavrolex {

bool Slider::Create(HWND parent, int id, const Bounds& bounds) {
  if (!CreateStandard(TRACKBAR_CLASSW, 0,
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | TBS_FIXEDLENGTH,
                      L"",
                      parent, id, bounds))
    return false;
  // The 32-bit range messages; the packed 16-bit one would cut larger ranges.
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, kMinimum);
  SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, kMaximum);
  SendMessageW(Handle(), TBM_SETTICFREQ, 5, 0);
  SendMessageW(Handle(), TBM_SETLINESIZE, 0, 1);
  SendMessageW(Handle(), TBM_SETPAGESIZE, 0, 2);
  SendMessageW(Handle(), TBM_SETPOS, TRUE, kMinimum);
  // A slim slider still gets a thumb that can be seen and grabbed, with room for the ticks.
  SendMessageW(Handle(), TBM_SETTHUMBLENGTH, std::max(8, bounds.height - 5), 0);
  return true;
}

int Slider::Position() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }

void Slider::SetPosition(int position) {
  SendMessageW(Handle(), TBM_SETPOS, TRUE, std::clamp(position, kMinimum, kMaximum));
}

bool Slider::OnNotify(UINT message, WPARAM, LPARAM, LRESULT* result) {
  if (message != WM_HSCROLL) return false;
  *result = 0;
  if (OnChange) OnChange();
  return true;
}

}  // namespace tavrolex
