// The 5,000 reference vectors of tests/data/sample.txt through the whole
// adder. Each line holds OP, the rounding mode letter, A, B and the expected
// result C, the bit fields as 64 characters ("1" and "|" one bits, anything
// else zero). C is the reference result of this very hardware, so every
// line must match bit for bit, the lines where it differs from IEEE 754
// included.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/adder_driver.h"

namespace sumaris::test {
namespace {

TEST(SampleVectors, EveryLineMatchesBitForBit) {
  std::ifstream in(std::string(SUMARIS_TEST_DATA) + "/sample.txt");
  AdderDriver driver;
  int lines = 0, failures = 0, subtractions = 0, modes[5] = {};
  for (std::string text; std::getline(in, text);) {
    ++lines;
    const std::vector<std::string> f = SplitVectorLine(text);
    std::uint64_t bits[3] = {};
    bool wellFormed = f.size() == 5 && f[1].size() == 1;
    for (int k = 0; k < 3 && wellFormed; ++k) {
      wellFormed = f[2 + k].size() == 64;
      bits[k] = FieldBits(f[2 + k]);
    }
    const Mode* mode = nullptr;
    for (const Mode& r : kRoundings)
      mode = wellFormed && r.letter == f[1][0] ? &r : mode;
    ASSERT_NE(mode, nullptr) << "line " << lines << " is not a vector: " << text;
    ++modes[static_cast<int>(mode->rounding)];
    subtractions += f[0] == "1";
    const std::uint64_t got = driver.Run(bits[0], bits[1], f[0] == "1", mode->rounding);
    if (got != bits[2] && ++failures <= 20) {
      ADD_FAILURE() << "line " << lines << " (" << f[1] << ", " << (f[0] == "1" ? "sub" : "add")
                    << "): " << Hex(bits[0]) << ", " << Hex(bits[1]) << " gave " << Hex(got)
                    << ", expected " << Hex(bits[2]);
    }
  }
  EXPECT_EQ(lines, 5000);
  EXPECT_EQ(failures, 0);
  // The file exercises all four modes and both operations.
  for (const Mode& mode : kRoundings)
    EXPECT_GT(modes[static_cast<int>(mode.rounding)], 500) << mode.name;
  EXPECT_GT(subtractions, 1000);
  EXPECT_LT(subtractions, 4000);
}

}  // namespace
}  // namespace sumaris::test
