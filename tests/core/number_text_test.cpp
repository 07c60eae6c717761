// The exact decimal text of a double and the hexadecimal text of a row of
// bits, checked against worked values and by reading the texts back.
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace sumaris {
namespace {

TEST(ShortestDouble, WritesTheFewestDigitsThatReadBackInTheProgramsLayout) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.1 + 0.2, "0.30000000000000004"},
      {0.1, "0.1"},
      {1, "1"},
      {-2.5, "-2.5"},
      {3.75, "3.75"},
      {1.0 / 3, "0.3333333333333333"},
      {123456789012345.67, "123456789012345.67"},
      {999999999999999, "999999999999999"},
      {1e15, "1E+15"},
      {1.5e300, "1.5E+300"},
      {0.00001, "0.00001"},
      {0.0000099, "9.9E-06"},
      {std::numeric_limits<double>::denorm_min(), "5E-324"},  // 4.94...E-324 is nearest
      {-std::numeric_limits<double>::max(), "-1.7976931348623157E+308"},
      {std::numeric_limits<double>::min(), "2.2250738585072014E-308"},
      {0, "0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShortestDouble(c.value), c.text) << c.text;
}

TEST(ShortestDouble, ReadsBackToTheSameDoubleWhereFifteenDigitsMayNot) {
  std::mt19937_64 random(2024);
  int fifteenDigitsLost = 0;
  for (int i = 0; i < 20000; ++i) {
    const double x = std::bit_cast<double>(random());
    if (!std::isfinite(x)) continue;
    const std::string text = ShortestDouble(x);
    const auto back = ReadWholeNumber(text);
    ASSERT_TRUE(back.has_value()) << text;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(*back), std::bit_cast<std::uint64_t>(x)) << text;
    // Never longer than the 15 digits where those already read back.
    const std::string fifteen = FormatDouble(x);
    const auto fifteenBack = ReadLeadingNumber(fifteen);
    if (!fifteenBack.outOfRange && fifteenBack.value == x) {
      EXPECT_LE(text.size(), fifteen.size()) << text << " " << fifteen;
    } else {
      ++fifteenDigitsLost;
    }
  }
  EXPECT_GT(fifteenDigitsLost, 0);  // the reason for the exact text
}

TEST(HexOfBits, GroupsFromTheRightAndRefusesWhatIsNoBit) {
  const struct {
    const char* bits;
    const char* hex;  // null: refused
  } cases[] = {
      {"10000000000", "400"},
      {"0011111111010011001100110011001100110011001100110011001100110100", "3FD3333333333334"},
      {"1", "1"},
      {"0000", "0"},
      {"11111", "1F"},
      {"1010101111001101", "ABCD"},
      {"", nullptr},
      {"0120", nullptr},
      {"1 0", nullptr},
  };
  for (const auto& c : cases) {
    const auto hex = HexOfBits(c.bits);
    if (c.hex == nullptr) {
      EXPECT_FALSE(hex.has_value()) << c.bits;
    } else {
      EXPECT_EQ(hex.value_or("?"), c.hex) << c.bits;
    }
  }
}

}  // namespace
}  // namespace sumaris
