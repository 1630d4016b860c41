// A two-state check box with its caption to the right.
#pragma once

#include <string_view>

#include "controls/window.h"

namespace tavrolex {

class CheckBox : public Window {
 public:
  bool Create(HWND parent, int id, const Bounds& bounds, std::string_view caption_utf8);
  bool Checked() const;
  void SetChecked(bool checked);  // raises nothing

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace tavrolex
