// An edit box for a 32-bit integer with a pair of step buttons at its right edge. It has
// no bounds: its value is its text read with ParseInteger (0 when that fails), and a
// written value is stored as FormatInteger text. Typed characters other than digits, "+",
// "-", the locale's decimal separator and control characters (Enter excepted) are dropped
// with a beep; pasting is not filtered. Up and Down step the value at once.
#pragma once

#include <cstdint>

#include "controls/edit_box.h"
#include "controls/spin_buttons.h"

namespace tavrolex {

class IntegerField : public EditBox {
 public:
  bool Create(HWND parent, int id, const Bounds& bounds);

  std::int32_t Value() const;
  void SetValue(std::int32_t value);
  void Step(int delta);

  SpinButtons& Buttons() { return buttons_; }
  // Whether a typed character passes the key filter.
  static bool Accepts(wchar_t character);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void PlaceButtons();
  SpinButtons buttons_;
};

}  // namespace tavrolex
