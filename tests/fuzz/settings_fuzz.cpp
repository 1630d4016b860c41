// Feeds arbitrary bytes to the settings reader and checks that writing after reading is
// stable (see settings_stability.h for the property and why it holds).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings_stability.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string failure = tavrolex::testing::SettingsStabilityFailure(bytes);
  if (!failure.empty()) {
    std::fprintf(stderr, "settings stability: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
