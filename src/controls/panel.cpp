#include "controls/panel.h"

namespace tavrolex {

bool Panel::Create(HWND parent, int id, const Bounds& bounds, bool visible) {
  static const wchar_t kClass[] = L"TavrolexPanel";
  RegisterOwnClass(kClass, GetSysColorBrush(COLOR_BTNFACE));
  const DWORD style = WS_CHILD | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  return CreateOwn(kClass, WS_EX_CONTROLPARENT, style, L"", parent, id, bounds);
}

}  // namespace tavrolex
