// Splitting the process's command line into arguments.
#pragma once

#include <string>
#include <string_view>

namespace tavrolex {

// Argument `index` (0 is the program) by the program's own rule: codes 1..32 separate,
// quotation marks group and are dropped, an empty pair where an argument would begin is
// skipped, a backslash means nothing. Empty when the command line ends first. Taken whole,
// however long.
std::string CommandLineArgument(std::string_view command_line, int index);

}  // namespace tavrolex
