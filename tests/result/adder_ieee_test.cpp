// The whole adder, end to end: operands typed into the operand entry, Run,
// the result read from the Results rows, against the host's IEEE 754
// arithmetic in the same rounding mode. Operand pairs are drawn over the
// cases that stress a two-path adder; each pair is classified, and only the
// pairs of the class that IEEE 754 governs are compared with the host's
// result. Every other class is compared with the rule its datapath states
// (adder_rules.h), and the classes are counted, so no class can swallow the
// others unnoticed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <random>
#include <sstream>

#include "support/adder_driver.h"
#include "result/adder_rules.h"

namespace sumaris::test {
namespace {

constexpr int kVectorsPerMode = 100'000;

// Operand pairs over the corners of a two-path adder.
class PairSource {
 public:
  explicit PairSource(std::uint64_t seed) : rng_(seed) {}

  struct Pair {
    std::uint64_t a, b;
    bool subtract;
  };

  Pair Next() {
    Pair p{};
    const int draw = Uniform(0, 99);
    bool forceEffectiveSubtraction = false;
    if (draw < 10) {  // equal exponents
      const int e = Uniform(1, 2046);
      p.a = Pack(false, e, Frac());
      p.b = Pack(false, e, Frac());
    } else if (draw < 30) {  // the differences that move bits across the adder's boundaries
      static constexpr int kDifferences[] = {1, 2, 53, 54, 55, 63, 64, 65};
      Apart(p, kDifferences[Uniform(0, 7)]);
    } else if (draw < 35) {  // far apart
      Apart(p, Uniform(66, 2045));
    } else if (draw < 45) {  // any small difference
      Apart(p, Uniform(0, 70));
    } else if (draw < 55) {  // massive cancellation: B a few units away from A
      NearlyEqual(p, Uniform(1, 2046));
      forceEffectiveSubtraction = true;
    } else if (draw < 58) {  // exact cancellation
      p.a = Pack(false, Uniform(1, 2046), Frac());
      p.b = p.a;
      forceEffectiveSubtraction = true;
    } else if (draw < 73) {  // ties and near-ties
      Tie(p);
    } else if (draw < 78) {  // top of the normal range, often overflowing
      const int e = Coin() ? 2046 : Uniform(2030, 2045);
      p.a = Pack(false, e, Frac());
      p.b = Pack(false, std::clamp(e - Uniform(-2, 3), 1, 2046), Frac());
    } else if (draw < 85) {  // bottom of the normal range, often cancelling
      if (Coin()) {
        NearlyEqual(p, Uniform(1, 60));
        forceEffectiveSubtraction = true;
      } else {
        const int e = Uniform(1, 60);
        p.a = Pack(false, e, Frac());
        p.b = Pack(false, std::clamp(e - Uniform(-3, 3), 1, 2046), Frac());
      }
    } else if (draw < 95) {  // anything normal
      p.a = Pack(false, Uniform(1, 2046), Frac());
      p.b = Pack(false, Uniform(1, 2046), Frac());
    } else {  // zeros, subnormals, infinities, NaNs
      p.a = Pack(false, Uniform(1, 2046), Frac());
      p.b = Pack(false, Uniform(1, 2046), Frac());
      Special(Coin() ? p.a : p.b);
      if (Uniform(0, 3) == 0) Special(Coin() ? p.a : p.b);
    }
    if (Coin()) std::swap(p.a, p.b);
    // Signs and operation: every combination; the cancelling draws keep an
    // effective subtraction.
    if (Coin()) p.a |= kSignBit;
    if (Coin()) p.b |= kSignBit;
    p.subtract = Coin();
    if (forceEffectiveSubtraction && !EffectiveSubtraction(p.a, p.b, p.subtract)) {
      p.subtract = !p.subtract;
    }
    return p;
  }

 private:
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Coin() { return (rng_() & 1) != 0; }
  std::uint64_t Frac() { return rng_() & kFractionMask; }

  // Two operands whose exponent fields differ by d (A the larger).
  void Apart(Pair& p, int d) {
    const int ea = Uniform(1 + d, 2046);
    p.a = Pack(false, ea, Frac());
    p.b = Pack(false, ea - d, Frac());
  }

  // B up to 2^k units in the last place away from A, either side, k drawn
  // from 0..52: the exponent fields differ by at most one and about 52 - k
  // leading bits cancel.
  void NearlyEqual(Pair& p, int e) {
    // A fraction near 0 half of the time, so that B often falls into the
    // binade below.
    const std::uint64_t fraction = Coin() ? Frac() : (rng_() & 0xFFF);
    p.a = Pack(false, e, fraction);
    const int bitsAway = Uniform(0, 52);
    const std::uint64_t delta = 1 + (rng_() & ((std::uint64_t{1} << bitsAway) - 1));
    p.b = Coin() ? p.a + delta : p.a - delta;
    if (Field(p.b) == 0 || Field(p.b) == 2047 || Negative(p.b)) p.b = p.a + delta;
  }

  // The small operand's bits below the round position of the larger one
  // read 100..0 (a tie) or one unit either side of it. The round position
  // depends on the normalisation, so the pattern is placed at d - 1, d or
  // d + 1 bits.
  void Tie(Pair& p) {
    const int d = Uniform(1, 54);
    Apart(p, d);
    const int t = std::clamp(d + Uniform(-1, 1), 1, 53);
    const std::uint64_t significand = (std::uint64_t{1} << 52) | Fraction(p.b);
    const std::uint64_t low = (std::uint64_t{1} << t) - 1;
    static constexpr int kDeltas[] = {0, 0, 0, -1, 1};
    const std::uint64_t pattern = ((std::uint64_t{1} << (t - 1)) + kDeltas[Uniform(0, 4)]) & low;
    p.b = Pack(false, Field(p.b), (significand & ~low) | pattern);
  }

  void Special(std::uint64_t& x) {
    switch (Uniform(0, 5)) {
      case 0:
        x = 0;
        break;  // zero
      case 1:
        x = Pack(false, 0, Frac() | 1);
        break;  // subnormal
      case 2:
        x = Pack(false, 0, 1 + (rng_() & 0xFF));
        break;  // tiny subnormal
      case 3:
        x = Pack(false, 2047, 0);
        break;  // infinity
      case 4:
        x = Pack(false, 2047, Frac() | 1);
        break;  // NaN
      default:
        x = Pack(false, 2047, Frac() | (std::uint64_t{1} << 51));
        break;  // quiet NaN
    }
  }

  std::mt19937_64 rng_;
};

// Whether the exact sum a +- b lies half-way between two neighbouring
// doubles: the error of the rounded-to-nearest sum (TwoSum, exact without
// overflow) is half the distance to the neighbour on the error's side.
bool IsTie(std::uint64_t a, std::uint64_t b, bool subtract) {
  const double x = AsDouble(a);
  const double y = subtract ? -AsDouble(b) : AsDouble(b);
  const double s = x + y;
  if (!std::isfinite(s)) return false;
  const double yv = s - x;
  const double err = (x - (s - yv)) + (y - yv);
  if (err == 0) return false;
  const double neighbour = std::nextafter(s, err > 0 ? HUGE_VAL : -HUGE_VAL);
  return std::fabs(err) * 2 == std::fabs(neighbour - s);
}

class AdderAgainstIeee : public ::testing::TestWithParam<Rounding> {};

TEST_P(AdderAgainstIeee, AgreesBitForBitWhereIeeeGovernsAndFollowsItsRulesElsewhere) {
  const Rounding mode = GetParam();
  AdderDriver driver;
  PairSource source(0x5eed0000u + static_cast<unsigned>(mode.option));
  std::array<long, kKinds> count{};
  std::array<long, kKinds> wrong{};
  long ties = 0;
  long zeroOperands = 0;
  int reported = 0;
  for (int n = 0; n < kVectorsPerMode; ++n) {
    const PairSource::Pair p = source.Next();
    const HostSum ieee = HostAddSub(p.a, p.b, p.subtract, mode.hostMode);
    const Kind kind = Classify(p.a, p.b, p.subtract, ieee);
    const std::uint64_t got = driver.Run(p.a, p.b, p.subtract, mode.option);
    const std::uint64_t want = Expected(kind, p.a, p.b, p.subtract, mode.hostMode, ieee);
    const auto k = static_cast<std::size_t>(kind);
    ++count[k];
    if (kind == Kind::kIeee) {
      if (IsTie(p.a, p.b, p.subtract)) ++ties;
      if (Magnitude(p.a) == 0 || Magnitude(p.b) == 0) ++zeroOperands;
    }
    if (got != want) {
      ++wrong[k];
      if (++reported <= 20) {
        ADD_FAILURE() << KindName(kind) << ", rounding " << mode.name << ": " << Hex(p.a)
                      << (p.subtract ? " - " : " + ") << Hex(p.b) << " gave " << Hex(got)
                      << ", expected " << Hex(want) << " (IEEE 754 " << Hex(ieee.bits) << ")";
      }
    }
  }
  std::ostringstream summary;
  summary << "rounding " << mode.name << ":";
  for (int k = 0; k < kKinds; ++k) {
    summary << " [" << KindName(static_cast<Kind>(k)) << " " << count[static_cast<std::size_t>(k)]
            << "]";
  }
  summary << " ties " << ties << ", zero operands " << zeroOperands;
  std::cout << summary.str() << "\n";
  for (int k = 0; k < kKinds; ++k) {
    EXPECT_EQ(wrong[static_cast<std::size_t>(k)], 0) << KindName(static_cast<Kind>(k));
  }

  // The bit-for-bit comparison covers most of the pairs, and every class
  // that the source aims at did occur.
  EXPECT_GE(count[static_cast<std::size_t>(Kind::kIeee)], kVectorsPerMode * 8 / 10);
  for (int k = 1; k < kKinds; ++k) {
    EXPECT_GE(count[static_cast<std::size_t>(k)], 200) << KindName(static_cast<Kind>(k));
    EXPECT_LE(count[static_cast<std::size_t>(k)], kVectorsPerMode / 20)
        << KindName(static_cast<Kind>(k));
  }
  EXPECT_GE(ties, kVectorsPerMode / 50);
  EXPECT_GE(zeroOperands, 200);
}

std::string ModeLetter(const ::testing::TestParamInfo<Rounding>& mode) {
  return std::string(1, mode.param.letter);
}

INSTANTIATE_TEST_SUITE_P(AllModes, AdderAgainstIeee, ::testing::ValuesIn(kRoundings), ModeLetter);

// The host reference itself: a sum that needs rounding comes out differently
// in each mode, so the comparison above does run in four modes.
TEST(HostReference, HonoursTheRoundingMode) {
  const std::uint64_t one = Bits(1.0);
  const std::uint64_t tiny = Bits(std::ldexp(1.0, -60));
  const std::uint64_t up = Bits(1.0) + 1;  // 1 + 2^-52
  EXPECT_EQ(HostAddSub(one, tiny, false, FE_TONEAREST).bits, one);
  EXPECT_EQ(HostAddSub(one, tiny, false, FE_UPWARD).bits, up);
  EXPECT_EQ(HostAddSub(one, tiny, false, FE_DOWNWARD).bits, one);
  EXPECT_EQ(HostAddSub(one, tiny, true, FE_DOWNWARD).bits, Bits(1.0) - 1);
  EXPECT_EQ(HostAddSub(one, tiny, true, FE_TOWARDZERO).bits, Bits(1.0) - 1);
  EXPECT_TRUE(HostAddSub(Bits(DBL_MAX), Bits(DBL_MAX), false, FE_TOWARDZERO).overflow);
  EXPECT_EQ(HostAddSub(Bits(DBL_MAX), Bits(DBL_MAX), false, FE_TOWARDZERO).bits, Bits(DBL_MAX));
  EXPECT_EQ(std::fegetround(), FE_TONEAREST);
}

TEST(HostReference, FindsTies) {
  EXPECT_TRUE(IsTie(Bits(1.0), Bits(std::ldexp(1.0, -53)), false));
  EXPECT_FALSE(IsTie(Bits(1.0), Bits(std::ldexp(1.0, -54)), false));
  EXPECT_TRUE(IsTie(Bits(1.0), Bits(std::ldexp(1.0, -54)), true));  // below 1 the unit halves
  EXPECT_FALSE(IsTie(Bits(1.0), Bits(0.5), false));
}

}  // namespace
}  // namespace sumaris::test
