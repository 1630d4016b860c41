// A window that holds controls: hands the notifications they send back to their objects.
#pragma once

#include "controls/window.h"

namespace tavrolex {

class Container : public Window {
 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace tavrolex
