// The font of the main window: a proportional Japanese Gothic face at a 12-pixel character
// height (scaled for the screen's pixel density), and the height of "0" drawn in it, from
// which the whole layout scales.
#pragma once

#include <windows.h>

#include <string>

namespace tavrolex {

struct WindowFont {
  HFONT font = nullptr;
  std::wstring face;     // the face the system really chose
  int text_height = 0;   // the height of "0" in pixels
};

// The faces tried in order; the first that the system really gives, in proportional
// pitch, is taken.
WindowFont CreateWindowFont();

}  // namespace tavrolex
