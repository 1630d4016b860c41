#include "options/integer_text.h"

#include <charconv>

namespace tavrolex {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "$" already taken: one or more hex digits, at most eight of them after leading zeros,
// read as an unsigned 32-bit pattern.
std::optional<std::int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t pattern = 0;
  int significant = 0;
  for (char c : digits) {
    const int value = HexDigitValue(c);
    if (value < 0) return std::nullopt;
    if (significant == 0 && value == 0) continue;
    if (++significant > 8) return std::nullopt;
    pattern = (pattern << 4) | static_cast<std::uint32_t>(value);
  }
  return static_cast<std::int32_t>(pattern);
}

// Optional sign, then one or more decimal digits; the magnitude may not pass 2147483647,
// for negative numbers too, so "-2147483648" is refused.
std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr std::int64_t kLimit = 2147483647;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  if (text.front() == '$') return ParseHex(text.substr(1));
  return ParseDecimal(text);
}

std::string FormatInteger(std::int32_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace tavrolex
