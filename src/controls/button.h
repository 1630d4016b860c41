// A push button with its caption centred. A click, Space or Enter raises OnClick.
#pragma once

#include <functional>
#include <string_view>

#include "controls/window.h"

namespace tavrolex {

class Button : public Window {
 public:
  bool Create(HWND parent, int id, const Bounds& bounds, std::string_view caption_utf8);

  std::function<void()> OnClick;

  bool OnNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Click();
};

}  // namespace tavrolex
