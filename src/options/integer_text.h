// Integer text as the window's integer fields and the settings file use it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrolex {

// Leading spaces, then an optional sign and decimal digits (-2147483647..2147483647), or
// "$" and up to eight significant hex digits taken as a 32-bit pattern. Nothing may follow.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Plain decimal, "-" for negatives, no grouping.
std::string FormatInteger(std::int32_t value);

}  // namespace tavrolex
