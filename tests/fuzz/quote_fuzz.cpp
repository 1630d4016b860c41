// Feeds arbitrary bytes as a path to the argument quoting and checks that the C runtime's
// splitting rules give the path back unchanged. Known limit, skipped here: a value that
// ends in a lead byte with no trail byte cannot be quoted, since the runtime takes the
// closing quotation mark as its trail byte; edit controls never hold such text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "crt_split.h"
#include "options/code_page.h"
#include "options/parameters.h"

namespace {

bool EndsInLoneLeadByte(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size()) {
    if (tavrolex::IsShiftJisLeadByte(static_cast<unsigned char>(value[i]))) {
      if (i + 1 == value.size()) return true;
      i += 2;
    } else {
      ++i;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string value(reinterpret_cast<const char*>(data), size);
  if (EndsInLoneLeadByte(value)) return 0;
  const std::string line = "-input " + tavrolex::QuoteArgument(value, tavrolex::IsShiftJisLeadByte) +
                           " -output " + tavrolex::QuoteArgument("", tavrolex::IsShiftJisLeadByte);
  const std::vector<std::string> expected = {"-input", value, "-output", ""};
  if (tavrolex::testing::SplitLikeCRuntime(line) != expected) {
    std::fprintf(stderr, "quoted value does not split back: %s\n", line.c_str());
    std::abort();
  }
  return 0;
}
