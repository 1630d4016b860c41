// The running program's own file path, as the system reports it.
#pragma once

#include <string>

namespace tavrolex {

// The full path of the running executable in the system code page, however long.
std::string ModuleFilePath();

// Windows' own lead-byte test for the system code page (IsDBCSLeadByte).
bool SystemLeadByte(unsigned char byte);

}  // namespace tavrolex
