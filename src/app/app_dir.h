// The directory of the program's own executable, by the rule files beside it are found with.
#pragma once

#include <string>
#include <string_view>

#include "options/code_page.h"

namespace tavrolex {

// C:\Tools\enc.exe -> C:\Tools; C:\enc.exe -> C:\; \\server\share\enc.exe -> \\server\share;
// no separator -> empty. Double-byte characters are stepped over whole.
std::string DirectoryOf(std::string_view module_path, LeadByteTest is_lead_byte);

}  // namespace tavrolex
