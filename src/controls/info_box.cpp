#include "controls/info_box.h"

#include <windows.h>

#include "controls/application.h"
#include "controls/text.h"

namespace tavrolex {

void InfoBox(std::string_view text) {
  Application* app = Application::Current();
  const HWND owner = app ? app->ModalOwner() : nullptr;
  const std::wstring caption = app ? app->Title() : std::wstring();
  MessageBoxW(owner, CrToCrLf(SystemTextToWide(text)).c_str(), caption.c_str(), MB_OK);
}

}  // namespace tavrolex
