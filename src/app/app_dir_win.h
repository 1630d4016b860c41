// The program's own directory, where the encoding utility and the settings file live.
#pragma once

#include <string>

namespace tavrolex {

// Worked out from the running executable's path on the first call and never changed.
const std::string& AppDir();

}  // namespace tavrolex
