// One of a pair of radio buttons. Checking one, by the user or by assignment, unchecks its
// partner; unchecking one leaves the partner alone, so both may end up unchecked. Only a
// checked button is a tab stop.
#pragma once

#include <string_view>

#include "controls/window.h"

namespace tavrolex {

class RadioButton : public Window {
 public:
  // The first of a pair starts a group (first_of_pair); the second joins it.
  bool Create(HWND parent, int id, const Bounds& bounds, std::string_view caption_utf8, bool first_of_pair);
  void SetPartner(RadioButton* partner) { partner_ = partner; }

  bool Checked() const;
  void SetChecked(bool checked);  // raises nothing

  bool OnNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;

 private:
  RadioButton* partner_ = nullptr;
};

}  // namespace tavrolex
