// The application object: its own top-level window carries the title (it labels the
// task-bar button and captions every message box) and owns the main window; the message
// loop shows the main window and runs until the quit message.
#pragma once

#include <string>
#include <string_view>

#include "controls/window.h"

namespace tavrolex {

class Application : public Window {
 public:
  Application();
  ~Application() override;

  // The one application object of the process, or null before it exists.
  static Application* Current();

  // Creates the title window: invisible on screen (it has no size), but the owner of the
  // main window and the holder of the task-bar button.
  bool Initialize(std::string_view title_utf8, HICON icon);
  std::wstring Title() const;

  void SetMainWindow(HWND main_window) { main_window_ = main_window; }
  HWND MainWindow() const { return main_window_; }
  // The owner of modal boxes: the main window while it is on screen, else the title window.
  HWND ModalOwner() const;

  // Shows the main window, then takes and dispatches messages (through the dialog
  // keyboard interface of the main window) until the quit message. Returns its code.
  int Run();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  HWND main_window_ = nullptr;
};

}  // namespace tavrolex
