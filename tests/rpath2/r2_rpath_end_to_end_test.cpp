// The R path from the operand boxes to F.FAR[0:52], against the host's IEEE
// 754 arithmetic in the four rounding modes: for effective additions and for
// effective subtractions whose exponents are at least 2 apart, the R path's
// significand is the significand of the correctly rounded result.

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <random>

#include "rpath2/r2_bits.h"
#include "session/adder.h"

namespace sumaris {
namespace {

using r2test::CellBit;
using r2test::Mask;
using r2test::Read64;

struct Mode {
  int option;  // the operand entry's rounding option button
  int host;    // the matching <cfenv> rounding direction
  const char* name;
};

const Mode kModes[] = {
    {1, FE_UPWARD, "up"},
    {2, FE_DOWNWARD, "down"},
    {3, FE_TOWARDZERO, "toward zero"},
    {4, FE_TONEAREST, "nearest even"},
};

double MakeDouble(int sign, int biasedExponent, std::uint64_t fraction) {
  const std::uint64_t bits = (static_cast<std::uint64_t>(sign) << 63) |
                             (static_cast<std::uint64_t>(biasedExponent) << 52) |
                             (fraction & Mask(52));
  return std::bit_cast<double>(bits);
}

double HostResult(double a, double b, bool subtract, int direction) {
  const int saved = std::fegetround();
  std::fesetround(direction);
  volatile double va = a;
  volatile double vb = b;
  volatile double r = subtract ? va - vb : va + vb;
  std::fesetround(saved);
  return r;
}

void SetDouble(OperandEntry& in, Operand op, double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  std::array<unsigned char, 8> bytes{};
  for (int i = 0; i < 8; ++i) bytes[static_cast<std::size_t>(i)] = (bits >> (8 * i)) & 0xFF;
  BytesToBoxes(bytes, in, op);
}

// Runs stages 1 to 18 as the sweep does and returns F.FAR[0:52] as a number.
std::uint64_t RPathSignificand(Adder& adder, double a, double b, bool subtract, int option) {
  SetDouble(adder.input, Operand::A, a);
  SetDouble(adder.input, Operand::B, b);
  adder.input.SelectOption(subtract ? 6 : 5);
  adder.input.SelectOption(option);
  for (int slot = 1; slot <= 18; ++slot) {
    Stage* stage = adder.StageInSlot(slot);
    stage->Pull();
    stage->Calculate();
  }
  return (Read64(adder.r2Select1.FFAR, 0, 52) << 1) |
         static_cast<std::uint64_t>(CellBit(adder.r2Select2.FFAR52, 0));
}

struct Pair {
  double a;
  double b;
  bool subtract;
};

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : rng_(seed) {}

  std::uint64_t Bits() { return rng_(); }
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  // A pair whose larger operand has exponent e and the smaller e - d, in
  // either order, with the R path's operation: d >= 2 for a subtraction.
  Pair Make(int d, std::uint64_t bigFraction, std::uint64_t smallFraction) {
    const int e = Uniform(900, 1100);
    int signBig = Uniform(0, 1);
    int signSmall = Uniform(0, 1);
    bool subtract = Uniform(0, 1) == 1;
    const bool effectiveSub = (signBig ^ signSmall ^ (subtract ? 1 : 0)) != 0;
    if (effectiveSub && d < 2) signSmall ^= 1;  // make it an effective addition
    const double big = MakeDouble(signBig, e, bigFraction);
    const double small = MakeDouble(signSmall, e - d, smallFraction);
    if (Uniform(0, 1) == 1) return {big, small, subtract};
    return {small, big, subtract};
  }

 private:
  std::mt19937_64 rng_;
};

struct Tally {
  int additions = 0;
  int subtractions = 0;
};

void Check(Adder& adder, const Pair& p, const Mode& mode, Tally& tally) {
  const double r = HostResult(p.a, p.b, p.subtract, mode.host);
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(r);
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  ASSERT_TRUE(exponent > 0 && exponent < 0x7FF) << "operands must give a normal result";
  const std::uint64_t want = (bits & Mask(52)) | (std::uint64_t{1} << 52);
  const std::uint64_t got = RPathSignificand(adder, p.a, p.b, p.subtract, mode.option);
  EXPECT_EQ(got, want) << std::hexfloat << p.a << (p.subtract ? " - " : " + ") << p.b
                       << " rounding " << mode.name << " = " << r;
  const bool effectiveSub = std::signbit(p.a) != (std::signbit(p.b) != p.subtract);
  (effectiveSub ? tally.subtractions : tally.additions)++;
}

TEST(RPathEndToEnd, RandomPairs) {
  Adder adder;
  Generator gen(0xE2E);
  Tally tally;
  for (const Mode& mode : kModes) {
    for (int n = 0; n < 1200; ++n) {
      const int d = (n % 3 == 0) ? gen.Uniform(0, 8) : gen.Uniform(0, 70);
      Check(adder, gen.Make(d, gen.Bits(), gen.Bits()), mode, tally);
    }
  }
  EXPECT_GT(tally.additions, 1500);
  EXPECT_GT(tally.subtractions, 1500);
}

// Halfway cases: the bits shifted out of the smaller significand are 1
// followed by zeros, at the result's rounding position or one above it.
TEST(RPathEndToEnd, Ties) {
  Adder adder;
  Generator gen(0x71E);
  Tally tally;
  for (const Mode& mode : kModes) {
    for (int n = 0; n < 400; ++n) {
      const int d = gen.Uniform(1, 53);
      const int k = std::min(53, d + gen.Uniform(-1, 1));
      const std::uint64_t significand = (gen.Bits() & Mask(52)) | (std::uint64_t{1} << 52);
      // Low k bits of the 53-bit significand become 1 0 ... 0.
      const std::uint64_t tied =
          k <= 0 ? significand : ((significand >> k) << k) | (std::uint64_t{1} << (k - 1));
      std::uint64_t bigFraction = gen.Bits();
      if (n % 4 == 0) bigFraction |= Mask(52);  // a carry into the overflow bit
      if (n % 4 == 1) bigFraction &= ~Mask(52);  // a power of two: a subtraction normalises
      Check(adder, gen.Make(d, bigFraction, tied), mode, tally);
    }
  }
  EXPECT_GT(tally.subtractions, 300);
}

// The smaller operand entirely below the larger one's last bit: only the
// sticky bit (and, at 53, the round bit) carries it.
TEST(RPathEndToEnd, FarShifts) {
  Adder adder;
  Generator gen(0xFA7);
  Tally tally;
  for (const Mode& mode : kModes) {
    for (int d = 53; d <= 65; ++d) {
      for (int n = 0; n < 24; ++n) {
        std::uint64_t smallFraction = gen.Bits();
        if (n % 6 == 0) smallFraction = 0;  // a power of two: exactly half an ulp at 53
        std::uint64_t bigFraction = gen.Bits();
        if (n % 6 == 1) bigFraction = Mask(52);
        if (n % 6 == 2) bigFraction = 0;
        Check(adder, gen.Make(d, bigFraction, smallFraction), mode, tally);
      }
    }
  }
  EXPECT_GT(tally.additions, 200);
  EXPECT_GT(tally.subtractions, 200);
}

}  // namespace
}  // namespace sumaris
