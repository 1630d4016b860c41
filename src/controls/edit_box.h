// A one-line text box with a sunken border and no length limit of its own. Its text is
// 8-bit system code page text.
#pragma once

#include <functional>
#include <string>

#include "controls/window.h"

namespace tavrolex {

class EditBox : public Window {
 public:
  bool Create(HWND parent, int id, const Bounds& bounds);

  std::string Text() const;
  // An equal text does nothing; a different one raises OnChange once.
  void SetText(const std::string& text);

  // Raised on every change of the text, typed, pasted or assigned.
  std::function<void()> OnChange;

  bool OnNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;

 protected:
  // Create with more style bits and a first text, both given to the system at creation.
  bool CreateWith(HWND parent, int id, const Bounds& bounds, DWORD extra_style, const wchar_t* text);
  void RaiseChange();

 private:
  bool assigning_ = false;
};

}  // namespace tavrolex
