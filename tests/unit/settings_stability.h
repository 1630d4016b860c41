// The stable property of the settings format, shared by the fuzz target and the corpus
// replay in the unit tests.
//
// Whatever bytes a file holds, reading it into a model and writing the model out gives a
// file that reads back completely into a fresh model and writes out byte for byte the
// same: write(read(write(read(x)))) == write(read(x)). It holds because everything the
// first read assigns came out of the line reader: a text line can never hold a carriage
// return or byte 26, and every number was valid. The stronger write(read(y)) == y cannot
// hold for any y, and a model whose texts hold a carriage return or byte 26 (which no
// file can produce) does not come back as it was; those are the format's known limits.
#pragma once

#include <string>
#include <string_view>

#include "fake_options.h"
#include "options/fields.h"
#include "settings/settings_format.h"

namespace tavrolex::testing {

// Empty when the property holds for `bytes`, otherwise what went wrong.
inline std::string SettingsStabilityFailure(std::string_view bytes) {
  FakeOptions first;
  first.writes.clear();
  const LoadOutcome outcome = ApplySettings(bytes, first);
  if (outcome.lines_assigned < 0 || outcome.lines_assigned > static_cast<int>(kFieldCount)) {
    return "lines_assigned out of range";
  }
  if (outcome.complete != (outcome.lines_assigned == static_cast<int>(kFieldCount))) {
    return "complete does not match lines_assigned";
  }
  // Fields are assigned one by one in file order, and nothing after the first failure.
  if (first.writes.size() != static_cast<std::size_t>(outcome.lines_assigned)) {
    return "assignments do not match lines_assigned";
  }
  for (std::size_t i = 0; i < first.writes.size(); ++i) {
    if (first.writes[i] != static_cast<Field>(i)) return "assignment out of file order";
  }

  const std::string written = RenderSettings(first);
  FakeOptions second;
  const LoadOutcome reread = ApplySettings(written, second);
  if (!reread.complete) return "a written file does not read back completely";
  if (RenderSettings(second) != written) return "writing after reading is not stable";
  return {};
}

}  // namespace tavrolex::testing
