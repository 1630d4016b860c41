// A top-level window to put single controls on: it routes their notifications as the
// program's containers do, and is shown so that focus and visibility behave as on screen.
// It has no caption, so that no window manager is waited for when it goes.
#pragma once

#include "controls/container.h"

namespace tavrolex::testing {

class TestHost : public Container {
 public:
  bool Create() {
    RegisterOwnClass(L"TavrolexTestHost", GetSysColorBrush(COLOR_BTNFACE));
    if (!CreateOwn(L"TavrolexTestHost", WS_EX_CONTROLPARENT, WS_POPUP | WS_VISIBLE, L"host",
                   nullptr, 0, {40, 40, 600, 400}))
      return false;
    SetActiveWindow(Handle());
    return true;
  }
};

// Runs the messages waiting for this thread.
void PumpMessages();
// Runs messages for about `ms` milliseconds.
void PumpMessagesFor(unsigned ms);

}  // namespace tavrolex::testing
