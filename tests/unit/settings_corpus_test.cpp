// Replays the settings fuzz corpus through the stability check, so the corpus guards the
// format in every native build, with or without the fuzzer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings_stability.h"

namespace tavrolex {
namespace {

TEST(SettingsCorpusTest, EveryFileIsStableAfterOneRead) {
  const std::filesystem::path corpus = TAVROLEX_SETTINGS_CORPUS;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(testing::SettingsStabilityFailure(bytes), "") << entry.path();
    ++files;
  }
  EXPECT_GE(files, 5);
}

}  // namespace
}  // namespace tavrolex
