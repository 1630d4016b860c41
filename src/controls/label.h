// One line of text that never takes the focus. It sizes itself to its text and keeps its
// left edge, also when its font changes.
#pragma once

#include <string>
#include <string_view>

#include "controls/window.h"

namespace tavrolex {

class Label : public Window {
 public:
  bool Create(HWND parent, int id, const Bounds& bounds, std::string_view text_utf8);
  std::string Text() const;           // UTF-8
  void SetText(std::string_view text_utf8);
  void FitToText();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace tavrolex
