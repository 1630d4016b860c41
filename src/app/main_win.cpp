// Program entry: the application object with its title, the main window built hidden
// (its start-up sequence runs while it is built), and the message loop.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "controls/application.h"
#include "ui/form_tavrolex.h"

// What an exception that nobody catches ends in. The standard library's own handler writes a
// report to the standard error stream, which a windowed program does not have, and brings a
// name demangler and a formatted-output engine (about 70 KB) into the exe for it. This one ends
// the program the same way, without the report nobody could read.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  // Both live until the process ends, and the system takes their windows down with it:
  // nothing is closed or destroyed one by one on the way out, which keeps every road out
  // (a quit, a refused start, the end of the session) prompt.
  auto* application = new tavrolex::Application;
  application->Initialize("TAVROLEX", LoadIconW(instance, L"MAINICON"));

  auto* form = new tavrolex::TFormTavrolex;
  if (form->Create(application->Handle(), GetCommandLineA())) {
    application->SetMainWindow(form->Handle());
    application->Run();
  }
  return 0;
}
