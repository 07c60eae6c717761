// The test vector generator's reference results and its file format.
#include "session/vector_generator.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <limits>
#include <sstream>

namespace sumaris {
namespace {

std::uint64_t B(double x) {
  return std::bit_cast<std::uint64_t>(x);
}

TEST(HostResultTest, RoundsInTheGivenModeAndRestoresTheDefault) {
  const double one = 1.0, tiny = std::ldexp(1.0, -60);
  const double above = std::nextafter(1.0, 2.0), below = std::nextafter(1.0, 0.0);
  struct Case {
    double a, b;
    bool subtract;
    char mode;
    double expected;
  };
  const Case cases[] = {
      {one, tiny, false, 'N', one},
      {one, tiny, false, 'U', above},
      {one, tiny, false, 'D', one},
      {one, tiny, false, 'Z', one},
      {one, tiny, true, 'N', one},
      {one, tiny, true, 'U', one},
      {one, tiny, true, 'D', below},
      {one, tiny, true, 'Z', below},
      {-one, tiny, true, 'D', -above},
      {-one, tiny, true, 'Z', -one},
      {-one, tiny, true, 'U', -one},
      {one, -one, false, 'D', -0.0},
      {one, -one, false, 'N', 0.0},
      {one, one, true, 'U', 0.0},
      {std::ldexp(1.0, 1023), std::ldexp(1.0, 1023), false, 'Z',
       std::numeric_limits<double>::max()},
      {std::ldexp(1.0, 1023), std::ldexp(1.0, 1023), false, 'N', INFINITY},
      // Ties to even: 1 + 2^-53 is halfway between 1 and its successor.
      {one, std::ldexp(1.0, -53), false, 'N', one},
      {above, std::ldexp(1.0, -53), false, 'N', std::nextafter(above, 2.0)},
      {one, std::ldexp(1.0, -53), false, 'X', one},  // unknown letters round to nearest
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HostResult(B(c.a), B(c.b), c.subtract, c.mode), B(c.expected))
        << c.a << (c.subtract ? " - " : " + ") << c.b << " mode " << c.mode;
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
  }
}

TEST(VectorGeneratorTest, BitTextAndFileFormat) {
  EXPECT_EQ(BitText(B(-2.0)), "1100000000000000000000000000000000000000000000000000000000000000");
  EXPECT_EQ(BitText(B(1.0), '|'),
            "00||||||||||0000000000000000000000000000000000000000000000000000");

  std::ostringstream out;
  WriteVectors(out, 50, 3);
  std::istringstream in(out.str());
  int lines = 0;
  for (std::string line; std::getline(in, line); ++lines) {
    // OP, mode letter, two operands in "|" form, C in digits.
    ASSERT_GE(line.size(), 4u + 64 * 3);
    EXPECT_TRUE(line[0] == '0' || line[0] == '1') << line;
    EXPECT_NE(std::string("NUDZ").find(line[2]), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - 65, 1), ",");
    EXPECT_EQ(line.find_first_not_of("01", line.size() - 64), std::string::npos) << line;
  }
  EXPECT_EQ(lines, 50);
}

TEST(VectorGeneratorTest, SplitMixIsTheReferenceSequence) {
  // splitmix64 from seed 0: the first outputs of the published algorithm.
  SplitMix64 rng(0);
  EXPECT_EQ(rng.Next(), 0xE220A8397B1DCDAFULL);
  EXPECT_EQ(rng.Next(), 0x6E789E6AA1B965F4ULL);
  EXPECT_EQ(rng.Next(), 0x06C45D188009454FULL);
}

}  // namespace
}  // namespace sumaris
