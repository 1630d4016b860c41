// Test helper: splits at blanks, the way the C runtime splits a string with no quotation marks.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace wm8eutil {

inline std::vector<std::string> Split(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string word; in >> word;) out.push_back(word);
  return out;
}

}  // namespace wm8eutil
