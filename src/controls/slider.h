// A horizontal slider over 0..100 with ticks every 5 below its channel; arrows move it 1,
// page keys and channel clicks 2. A position assigned by the program is clamped to the
// range and raises nothing; every movement by the user raises OnChange.
#pragma once

#include <functional>

#include "controls/window.h"

namespace tavrolex {

class Slider : public Window {
 public:
  static constexpr int kMinimum = 0;
  static constexpr int kMaximum = 100;

  bool Create(HWND parent, int id, const Bounds& bounds);
  int Position() const;
  void SetPosition(int position);

  std::function<void()> OnChange;

  bool OnNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;
};

}  // namespace tavrolex
