#include "app/command_line.h"

namespace tavrolex {

namespace {

bool IsSeparator(unsigned char c) { return c >= 1 && c <= 32; }

}  // namespace

std::string CommandLineArgument(std::string_view command_line, int index) {
  // The command line is a C string: a NUL byte ends it.
  if (const std::size_t nul = command_line.find('\0'); nul != std::string_view::npos) {
    command_line = command_line.substr(0, nul);
  }
  const std::size_t size = command_line.size();
  std::size_t pos = 0;
  std::string argument;
  for (int current = 0; current <= index; ++current) {
    argument.clear();
    // Separators, and empty pairs of quotation marks where an argument would begin.
    for (;;) {
      while (pos < size && IsSeparator(static_cast<unsigned char>(command_line[pos]))) ++pos;
      if (pos + 1 < size && command_line[pos] == '"' && command_line[pos + 1] == '"') {
        pos += 2;
        continue;
      }
      break;
    }
    // Byte by byte: no byte of a double-byte character is a separator or a quotation mark.
    while (pos < size) {
      const char c = command_line[pos];
      if (c == '"') {
        const std::size_t close = command_line.find('"', pos + 1);
        const std::size_t end = (close == std::string_view::npos) ? size : close;
        argument.append(command_line.substr(pos + 1, end - pos - 1));
        pos = (close == std::string_view::npos) ? size : close + 1;
        continue;
      }
      if (IsSeparator(static_cast<unsigned char>(c))) break;
      argument.push_back(c);
      ++pos;
    }
  }
  return argument;
}

}  // namespace tavrolex
