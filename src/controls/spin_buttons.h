// The pair of small buttons, up above down, at the right edge of an integer field.
// A click steps once when released over its button. A button held down repeats: first
// 400 ms after the press, then every 100 ms while the pointer stays on it, and the
// release adds its one step as a click does. The timer runs only while a button is held.
#pragma once

#include <functional>

#include "controls/window.h"

namespace tavrolex {

class SpinButtons : public Window {
 public:
  static constexpr UINT kFirstRepeatMs = 400;
  static constexpr UINT kRepeatMs = 100;

  bool Create(HWND parent, const Bounds& bounds);

  // +1 for the upper button, -1 for the lower one.
  std::function<void(int delta)> OnStep;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  enum class Part { None, Up, Down };
  Part PartAt(int y) const;
  RECT PartRect(Part part) const;
  void Press(Part part);
  void Stop();
  void Step(Part part) const;
  void Paint(HDC dc) const;

  Part pressed_ = Part::None;
  bool inside_ = false;
};

}  // namespace tavrolex
