#include <windows.h>

#include "support/test_host.h"

namespace tavrolex::testing {

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;  // a quit request of the code under test ends nothing here
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void PumpMessagesFor(unsigned ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    PumpMessages();
    Sleep(5);
  }
}

}  // namespace tavrolex::testing
