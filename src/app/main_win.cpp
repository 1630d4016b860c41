// Program entry: the application object with its title, the main window built hidden
// (its start-up sequence runs while it is built), and the message loop.
#include <windows.h>

#include <commctrl.h>

#include "controls/application.h"
#include "ui/form_tavrolex.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  tavrolex::Application application;
  application.Initialize("TAVROLEX", LoadIconW(instance, L"MAINICON"));

  tavrolex::TFormTavrolex form;
  if (form.Create(application.Handle(), GetCommandLineA())) {
    application.SetMainWindow(form.Handle());
    application.Run();
  }
  return 0;
}
