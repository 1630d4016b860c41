// The encoder's parameter string, rendered from the option set.
#pragma once

#include <string>
#include <string_view>

#include "options/code_page.h"
#include "options/option_access.h"

namespace tavrolex {

// The head (-input "..." -output "...") and one piece per checked option, each piece after
// one blank, in the option table's order. Reads the controls, changes nothing.
std::string RenderParameters(const OptionAccess& options, LeadByteTest is_lead_byte);

// Puts a value between quotation marks so that the Microsoft C runtime's argument parser
// gives it back unchanged: backslashes directly before a quotation mark (or before the
// closing mark) are doubled, and a quotation mark becomes \". Double-byte characters are
// copied whole, so a trail byte 0x5C is never taken for a backslash.
std::string QuoteArgument(std::string_view value, LeadByteTest is_lead_byte);

}  // namespace tavrolex
