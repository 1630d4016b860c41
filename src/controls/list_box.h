// A single-selection list with a vertical scroll bar. It keeps the height it is given,
// shows the selected line, and -1 or an index outside the lines selects none.
#pragma once

#include <string_view>

#include "controls/window.h"

namespace tavrolex {

class ListBox : public Window {
 public:
  bool Create(HWND parent, int id, const Bounds& bounds);
  void AddLine(std::string_view line_utf8);
  void SetLineHeight(int pixels);
  int Count() const;

  int Index() const;            // -1 when no line is selected
  void SetIndex(int index);     // raises nothing
};

}  // namespace tavrolex
