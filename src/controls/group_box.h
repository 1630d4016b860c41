// A framed container: a frame whose top line runs half a text height below its top edge,
// with the caption, if any, set into that line 8 pixels from the left. It never takes the
// focus; its controls are walked in their own order.
#pragma once

#include <string_view>

#include "controls/container.h"

namespace tavrolex {

class GroupBox : public Container {
 public:
  bool Create(HWND parent, int id, const Bounds& bounds, std::string_view caption_utf8);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc);
};

}  // namespace tavrolex
