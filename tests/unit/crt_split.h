// An argument splitter for tests, written apart from the program's quoting code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "options/code_page.h"

namespace tavrolex::testing {

// Splits a command line the way the Microsoft C runtime builds argv, written apart from
// the quoting code: outside quotes blanks and tabs separate; 2n backslashes before a
// quotation mark give n backslashes and the mark toggles quoting; 2n+1 give n backslashes
// and a literal mark; other backslashes are literal; a lead byte and the byte after it
// are one character. A pair of marks inside a quoted stretch is left out: runtimes differ
// on it, and quoted values never contain one.
inline std::vector<std::string> SplitLikeCRuntime(std::string_view line) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  const std::size_t size = line.size();
  for (;;) {
    while (i < size && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= size) break;
    std::string argument;
    bool quoted = false;
    while (i < size) {
      const char c = line[i];
      if (!quoted && (c == ' ' || c == '\t')) break;
      if (c == '\\') {
        std::size_t run_end = i;
        while (run_end < size && line[run_end] == '\\') ++run_end;
        const std::size_t run = run_end - i;
        if (run_end < size && line[run_end] == '"') {
          argument.append(run / 2, '\\');
          if (run % 2 == 1) {
            argument.push_back('"');
            i = run_end + 1;
          } else {
            i = run_end;  // the mark toggles on the next pass
          }
        } else {
          argument.append(run, '\\');
          i = run_end;
        }
      } else if (c == '"') {
        quoted = !quoted;
        ++i;
      } else if (IsShiftJisLeadByte(static_cast<unsigned char>(c)) && i + 1 < size) {
        argument.append(line.substr(i, 2));
        i += 2;
      } else {
        argument.push_back(c);
        ++i;
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace tavrolex::testing
