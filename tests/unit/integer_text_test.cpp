#include "options/integer_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace tavrolex {
namespace {

struct ParseCase {
  const char* text;
  std::optional<std::int32_t> expected;
};

class ParseIntegerTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseIntegerTest, ReadsOrRefuses) {
  const ParseCase& c = GetParam();
  EXPECT_EQ(ParseInteger(c.text), c.expected) << "text: [" << c.text << "]";
}

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Table, ParseIntegerTest,
    ::testing::Values(
        // Decimal, with sign and leading spaces.
        ParseCase{"0", 0}, ParseCase{"42", 42}, ParseCase{"+42", 42}, ParseCase{"-5", -5},
        ParseCase{"-0", 0}, ParseCase{"007", 7}, ParseCase{"   12", 12},
        ParseCase{" -5", -5},
        // The 32-bit range, less its lowest value.
        ParseCase{"2147483647", 2147483647}, ParseCase{"-2147483647", -2147483647},
        ParseCase{"-2147483648", std::nullopt}, ParseCase{"2147483648", std::nullopt},
        ParseCase{"00000000002147483647", 2147483647},
        ParseCase{"99999999999999999999999", std::nullopt},
        // Hexadecimal as a 32-bit pattern.
        ParseCase{"$1F", 31}, ParseCase{"$1f", 31}, ParseCase{"  $1F", 31},
        ParseCase{"$FFFFFFFF", -1}, ParseCase{"$7FFFFFFF", 2147483647},
        ParseCase{"$80000000", kMin}, ParseCase{"$000000000001F", 31},
        ParseCase{"$100000000", std::nullopt}, ParseCase{"$", std::nullopt},
        ParseCase{"$G", std::nullopt}, ParseCase{"-$1", std::nullopt},
        ParseCase{"+$1", std::nullopt}, ParseCase{"$ 1", std::nullopt},
        ParseCase{"0x1F", std::nullopt},
        // Nothing else before or after the digits.
        ParseCase{"", std::nullopt}, ParseCase{"   ", std::nullopt},
        ParseCase{"+", std::nullopt}, ParseCase{"-", std::nullopt},
        ParseCase{"- 5", std::nullopt}, ParseCase{"12 ", std::nullopt},
        ParseCase{"1 2", std::nullopt}, ParseCase{"\t12", std::nullopt},
        ParseCase{"12\r", std::nullopt}, ParseCase{"abc", std::nullopt},
        ParseCase{"1.5", std::nullopt}, ParseCase{"--5", std::nullopt}),
    [](const ::testing::TestParamInfo<ParseCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST(FormatIntegerTest, PlainDecimal) {
  EXPECT_EQ(FormatInteger(0), "0");
  EXPECT_EQ(FormatInteger(7), "7");
  EXPECT_EQ(FormatInteger(-5), "-5");
  EXPECT_EQ(FormatInteger(1234567), "1234567");
  EXPECT_EQ(FormatInteger(2147483647), "2147483647");
  EXPECT_EQ(FormatInteger(kMin), "-2147483648");
}

TEST(FormatIntegerTest, ParsesBackForEveryValueButTheLowest) {
  std::mt19937 random(20240607);
  std::uniform_int_distribution<std::int32_t> any(kMin + 1, 2147483647);
  for (int i = 0; i < 2000; ++i) {
    const std::int32_t value = any(random);
    EXPECT_EQ(ParseInteger(FormatInteger(value)), value);
  }
  // The lowest value renders, but its text is out of the readable range.
  EXPECT_EQ(ParseInteger(FormatInteger(kMin)), std::nullopt);
}

}  // namespace
}  // namespace tavrolex
