// A window that holds controls: hands the notifications they send back to their objects,
// and keeps the font it is given, as the system's controls do.
#pragma once

#include "controls/window.h"

namespace tavrolex {

class Container : public Window {
 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  HFONT font_ = nullptr;
};

}  // namespace tavrolex
