// A row of tabs along the top edge. It holds no controls: the pages are sibling panels
// that lie above its page area, which is cut out of the strip's region so that they get
// the mouse and are never painted over.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "controls/window.h"

namespace tavrolex {

class TabStrip : public Window {
 public:
  bool Create(HWND parent, int id, const Bounds& bounds, const std::vector<std::string_view>& tabs_utf8);

  int Index() const;
  void SetIndex(int index);  // raises nothing
  int Count() const;
  // Gives the area that the page panels cover, in the strip's parent's coordinates, to the
  // pages: the strip keeps only its tab row and its frame.
  void LeavePageArea(const Bounds& page);

  // Raised whenever the user selects another tab.
  std::function<void()> OnChange;

  bool OnNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;
};

}  // namespace tavrolex
