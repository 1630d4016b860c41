// The 37-line settings file: its bytes, read into and written from the option set.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "options/option_access.h"

namespace tavrolex {

// True exactly for the four characters "True".
bool TextToBool(std::string_view text);
std::string BoolToText(bool flag);

// Reads lines as the settings file defines them: CR LF or a lone CR ends a line, a lone LF
// stays in the value, byte 26 ends the data, and past the end every line reads empty.
// The reader and the lines it returns are views: the bytes must outlive them.
class SettingsLineReader {
 public:
  explicit SettingsLineReader(std::string_view bytes);
  std::string_view Next();

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

struct LoadOutcome {
  int lines_assigned = 0;  // 0..37
  bool complete = false;   // all 37 lines read and assigned
};

// Assigns each line to its control in file order; an invalid number line ends the read
// there, keeping what was assigned before it.
LoadOutcome ApplySettings(std::string_view file_bytes, OptionAccess& options);

// The 37 lines, each ended by CR LF.
std::string RenderSettings(const OptionAccess& options);

}  // namespace tavrolex
