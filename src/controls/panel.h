// A plain container that draws its background only: no bevel, no border, no text.
#pragma once

#include "controls/container.h"

namespace tavrolex {

class Panel : public Container {
 public:
  bool Create(HWND parent, int id, const Bounds& bounds, bool visible);
};

}  // namespace tavrolex
