// The whole adder end to end (operands typed into the operand entry, Run,
// the result read from the Results rows) against the host's IEEE 754
// arithmetic in the four rounding modes. Each pair is classified: where IEEE
// 754 governs, the result must be the host's bit for bit; every class where
// this hardware differs has its own rule, worked out from the datapath with
// the host's arithmetic on rescaled operands; the classes are counted so
// that none can swallow the others.
//
// Where the hardware departs from IEEE 754, and why:
// - exact cancellation: the N path counts 54 leading zeros in an all-zero
//   difference, so the exponent field is E - 55, wrapped, with a zero
//   fraction and the sign of A;
// - a result below the normal range: the N path always normalises and the
//   exponent adder wraps to 11 bits instead of denormalising;
// - a result beyond the normal range: field 2047 with the rounded fraction;
// - a subnormal operand: its field 0 enters the exponent difference as 0, not
//   1, so it counts at half its value;
// - field 2047 (infinity, NaN) is an ordinary exponent, the operand is
//   (1.f) * 2^1024, and a carry past it wraps the field to 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iostream>
#include <random>
#include <thread>
#include <vector>

#include "adder/ieee754.h"
#include "support/adder_driver.h"
#include "support/bits.h"

namespace sumaris::test {
namespace {

struct HostSum {
  std::uint64_t bits;
  bool overflow;
};

[[gnu::noinline]] HostSum HostAddSub(std::uint64_t a, std::uint64_t b, bool subtract, int mode) {
  std::fesetround(mode);
  std::feclearexcept(FE_ALL_EXCEPT);
  volatile double x = AsDouble(a), y = AsDouble(b);
  volatile double r = subtract ? x - y : x + y;
  const bool overflow = std::fetestexcept(FE_OVERFLOW) != 0;
  std::fesetround(FE_TONEAREST);
  return {Bits(r), overflow};
}

bool Subnormal(std::uint64_t x) {
  return Field(x) == 0 && Fraction(x) != 0;
}
bool EffectiveSubtraction(std::uint64_t a, std::uint64_t b, bool subtract) {
  return Negative(a) != (Negative(b) != subtract);
}

// An exact non-zero v * 2^scale as the N path delivers it: 1.f * 2^k with
// the exponent field the 11 low bits of k + 1023.
std::uint64_t Renormalised(double v, int scale) {
  const int k = std::ilogb(v);
  const double m = std::ldexp(std::fabs(v), -k);
  return Pack(std::signbit(v), k + scale + 1023, static_cast<std::uint64_t>(std::ldexp(m - 1, 52)));
}

enum Kind { kIeee, kCancellation, kInfNan, kSubnormalOperand, kOverflow, kSubnormalResult, kKinds };
const char* const kKindNames[] = {
    "IEEE 754",          "exact cancellation", "infinity or NaN operand",
    "subnormal operand", "exponent overflow",  "subnormal result"};

Kind Classify(std::uint64_t a, std::uint64_t b, bool subtract, const HostSum& ieee) {
  if (EffectiveSubtraction(a, b, subtract) && Magnitude(a) == Magnitude(b)) return kCancellation;
  if (Field(a) == 2047 || Field(b) == 2047) return kInfNan;
  if (Subnormal(a) || Subnormal(b)) return kSubnormalOperand;
  if (ieee.overflow) return kOverflow;
  if (Subnormal(ieee.bits)) return kSubnormalResult;
  return kIeee;
}

std::uint64_t Expected(Kind kind, std::uint64_t a, std::uint64_t b, bool subtract, int mode,
                       const HostSum& ieee) {
  switch (kind) {
    case kIeee:
      return ieee.bits;
    case kCancellation:
      return Pack(Negative(a), Field(a) - 55, 0);
    case kSubnormalResult:  // exact, as the difference of two normal numbers
      return Renormalised(AsDouble(ieee.bits), 0);
    case kOverflow: {
      // Rounded as if the range had no top: at a quarter of the size, where
      // it fits (exact for fields of 3 and more; a smaller operand is only a
      // sticky bit beside a sum that overflows), then moved back up.
      const HostSum q = HostAddSub(Bits(std::ldexp(AsDouble(a), -2)),
                                   Bits(std::ldexp(AsDouble(b), -2)), subtract, mode);
      return Pack(Negative(q.bits), Field(q.bits) + 2, Fraction(q.bits));
    }
    case kSubnormalOperand: {
      if (Field(a) == 0 && Field(b) == 0) {
        // Both at exponent 0: the R path adds the fractions and a carry into
        // the hidden bit leaves the field at 0; the N path normalises the
        // exact difference, taken at half its value.
        if (!EffectiveSubtraction(a, b, subtract)) {
          return Pack(Negative(a), 0, Fraction(a) + Fraction(b));
        }
        return Renormalised(AsDouble(ieee.bits), -1);
      }
      const bool aNormal = Field(a) != 0;
      if (Field(aNormal ? a : b) >= 1100) return ieee.bits;  // only a sticky bit either way
      // Twice the adder's view (the normal operand doubled, the subnormal as
      // it stands), halved again.
      const std::uint64_t doubled = Bits(std::ldexp(AsDouble(aNormal ? a : b), 1));
      const HostSum r =
          aNormal ? HostAddSub(doubled, b, subtract, mode) : HostAddSub(a, doubled, subtract, mode);
      if (Field(r.bits) >= 2) return r.bits - (std::uint64_t{1} << 52);
      return Renormalised(AsDouble(r.bits), -1);
    }
    case kInfNan: {
      // At 2^-64 of the size and moved back up, the field wrapped; an operand
      // of field 64 or less beside field 2047 is a sticky bit, stood in for by
      // the smallest normal number of its sign.
      const auto scaled = [](std::uint64_t x) -> std::uint64_t {
        if (Field(x) == 2047) return Pack(Negative(x), 2047 - 64, Fraction(x));
        if (Field(x) > 64) return x - (std::uint64_t{64} << 52);
        return Magnitude(x) == 0 ? x : Bits(std::copysign(DBL_MIN, AsDouble(x)));
      };
      const HostSum r = HostAddSub(scaled(a), scaled(b), subtract, mode);
      return Pack(Negative(r.bits), Field(r.bits) + 64, Fraction(r.bits));
    }
    default:
      return ieee.bits;
  }
}

// The model's classes that may name a difference of each rule's pairs.
bool ClassAllowed(Kind kind, Difference named) {
  switch (kind) {
    case kCancellation:
      return named == Difference::ExactCancellation || named == Difference::SignedZero ||
             named == Difference::InfinityOrNaN;
    case kInfNan:
      return named == Difference::InfinityOrNaN;
    case kSubnormalOperand:
      return named == Difference::SubnormalOperand || named == Difference::TwoSubnormalOperands;
    case kOverflow:
      return named == Difference::ExponentOverflow;
    case kSubnormalResult:
      return named == Difference::BelowNormalRange;
    default:
      return false;  // IEEE 754 governs: no difference to name
  }
}

// Whether a +- b lies half-way between two doubles (TwoSum's error is half
// the distance to the neighbour on its side).
bool IsTie(std::uint64_t a, std::uint64_t b, bool subtract) {
  const double x = AsDouble(a), y = subtract ? -AsDouble(b) : AsDouble(b), s = x + y;
  if (!std::isfinite(s)) return false;
  const double err = (x - (s - (s - x))) + (y - (s - x));
  return err != 0 && std::fabs(err) * 2 == std::fabs(std::nextafter(s, err * HUGE_VAL) - s);
}

// Operand pairs over the corners of a two-path adder, in every sign and
// operation: equal and near exponents, the alignment shifter's edges, far
// apart, massive and exact cancellation, ties, the top and the bottom of the
// range, and zeros, subnormals, infinities and NaNs.
struct Pair {
  std::uint64_t a, b;
  bool subtract;
};
class PairSource {
 public:
  explicit PairSource(std::uint64_t seed) : rng_(seed) {}
  Pair Next() {
    Pair p{};
    const int draw = Uniform(0, 99);
    bool cancel = false;
    static constexpr int kEdges[] = {0, 0, 0, 1, 2, 53, 54, 55, 63, 64, 65};
    if (draw < 30) {  // equal exponents and the shifter's edges
      Apart(p, kEdges[Uniform(0, 10)]);
    } else if (draw < 45) {  // far apart, or any small difference
      Apart(p, draw < 35 ? Uniform(66, 2045) : Uniform(0, 70));
    } else if (draw < 55 || (draw < 62 && Coin())) {  // B a few units from A
      const int e = draw < 55 ? Uniform(1, 2046) : Uniform(1, 60);
      p.a = Pack(false, e, Coin() ? Frac() : rng_() & 0xFFF);
      const std::uint64_t delta = 1 + (rng_() & Mask(Uniform(0, 52)));
      p.b = Coin() && Field(p.a - delta) != 0 ? p.a - delta : p.a + delta;
      cancel = true;
    } else if (draw < 62) {  // the bottom of the normal range
      Apart(p, Uniform(-3, 3), 1, 60);
    } else if (draw < 65) {
      p.a = p.b = Pack(false, Uniform(1, 2046), Frac());
      cancel = true;
    } else if (draw < 80) {  // the small operand's bits below the round position: 10..0 +- 1
      const int d = Uniform(1, 54), t = std::clamp(d + Uniform(-1, 1), 1, 53);
      Apart(p, d);
      const std::uint64_t low = Mask(t), deltas[] = {0, 0, 0, Mask(64), 1};
      const std::uint64_t pattern = ((std::uint64_t{1} << (t - 1)) + deltas[Uniform(0, 4)]) & low;
      p.b = Pack(false, Field(p.b), (p.b & ~low) | pattern);
    } else if (draw < 85) {  // the top of the range, often overflowing
      Apart(p, Uniform(-2, 3), Coin() ? 2046 : 2030, 2046);
    } else {  // anything normal, or zeros, subnormals, infinities and NaNs
      p = {Pack(false, Uniform(1, 2046), Frac()), Pack(false, Uniform(1, 2046), Frac()), false};
      if (draw >= 95) Special(Coin() ? p.a : p.b);
      if (draw >= 95 && Uniform(0, 3) == 0) Special(Coin() ? p.a : p.b);
    }
    if (Coin()) std::swap(p.a, p.b);
    p.a |= Coin() ? kSignBit : 0;
    p.b |= Coin() ? kSignBit : 0;
    p.subtract = Coin();
    if (cancel && !EffectiveSubtraction(p.a, p.b, p.subtract)) p.subtract = !p.subtract;
    return p;
  }

 private:
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Coin() { return (rng_() & 1) != 0; }
  std::uint64_t Frac() { return rng_() & kFractionMask; }
  // Exponent fields ea and ea - d, ea in lo .. hi as far as both stay normal.
  void Apart(Pair& p, int d, int lo = 1, int hi = 2046) {
    hi = std::min(hi, 2046 + std::min(d, 0));
    const int ea = Uniform(std::min(std::max(lo, 1 + d), hi), hi);
    p.a = Pack(false, ea, Frac());
    p.b = Pack(false, ea - d, Frac());
  }
  // A zero, a subnormal, a tiny subnormal, an infinity, a NaN, a quiet NaN.
  void Special(std::uint64_t& x) {
    const int k = Uniform(0, 5);
    const std::uint64_t quiet = k == 5 ? std::uint64_t{1} << 51 : 1;
    x = Pack(false, k < 3 ? 0 : 2047,
             k % 3 == 0 ? 0
             : k == 2   ? 1 + (rng_() & 0xFF)
                        : Frac() | quiet);
  }
  std::mt19937_64 rng_;
};

constexpr int kPairsPerMode = 100'000;

// Pairs per class, wrong results per class, then ties and zero operands
// among the pairs IEEE 754 governs; the first failures of each class.
struct Tally {
  long count[2 * kKinds + 2] = {};
  std::vector<std::string> failures;
};
constexpr int kTies = 2 * kKinds, kZeroOperands = 2 * kKinds + 1;

Tally RunPairs(const Mode& mode, std::uint64_t seed, int pairs) {
  AdderDriver driver;
  PairSource source(seed);
  Tally t;
  for (int n = 0; n < pairs; ++n) {
    const Pair p = source.Next();
    const HostSum ieee = HostAddSub(p.a, p.b, p.subtract, mode.hostMode);
    const Kind kind = Classify(p.a, p.b, p.subtract, ieee);
    const std::uint64_t want = Expected(kind, p.a, p.b, p.subtract, mode.hostMode, ieee);
    const std::uint64_t got = driver.Run(p.a, p.b, p.subtract, mode.rounding);
    ++t.count[kind];
    // Where the adder differs, the model's classes name a class this rule
    // allows.
    if (got != ieee.bits) {
      const Operation op = p.subtract ? Operation::Subtract : Operation::Add;
      const Difference named =
          ClassifyOperands(p.a, p.b, op, Ieee754AddSub(p.a, p.b, op, mode.rounding)).id;
      if (!ClassAllowed(kind, named) && ++t.count[kKinds + kind] <= 5) {
        t.failures.push_back("class " + std::string(ClassOf(named).name) + " for " +
                             kKindNames[kind] + ": " + Hex(p.a) + (p.subtract ? " - " : " + ") +
                             Hex(p.b));
      }
    }
    if (kind == kIeee) {
      t.count[kTies] += IsTie(p.a, p.b, p.subtract);
      t.count[kZeroOperands] += Magnitude(p.a) == 0 || Magnitude(p.b) == 0;
    }
    if (got != want && ++t.count[kKinds + kind] <= 5) {
      t.failures.push_back(std::string(kKindNames[kind]) + ": " + Hex(p.a) +
                           (p.subtract ? " - " : " + ") + Hex(p.b) + " gave " + Hex(got) +
                           ", expected " + Hex(want) + " (IEEE 754 " + Hex(ieee.bits) + ")");
    }
  }
  return t;
}

class AdderAgainstIeee : public ::testing::TestWithParam<Mode> {};

// Two adders on two threads share the pairs of one mode.
TEST_P(AdderAgainstIeee, BitForBitWhereIeeeGovernsAndByItsRuleElsewhere) {
  const Mode mode = GetParam();
  Tally halves[2];
  std::thread other([&] {
    halves[1] = RunPairs(mode, 0x5eed00 + static_cast<int>(mode.rounding), kPairsPerMode / 2);
  });
  halves[0] =
      RunPairs(mode, 0x5eed10 + static_cast<int>(mode.rounding), kPairsPerMode - kPairsPerMode / 2);
  other.join();
  long all[2 * kKinds + 2] = {};
  for (const Tally& h : halves) {
    for (int k = 0; k < 2 * kKinds + 2; ++k)
      all[k] += h.count[k];
    for (const std::string& f : h.failures)
      ADD_FAILURE() << "rounding " << mode.name << ", " << f;
  }
  std::cout << "rounding " << mode.name << ":";
  for (int k = 0; k < kKinds; ++k) {
    std::cout << " [" << kKindNames[k] << " " << all[k] << "]";
    EXPECT_EQ(all[kKinds + k], 0) << kKindNames[k];
    // Bit for bit on most pairs; every other class occurs and stays small.
    EXPECT_GE(all[k], k == kIeee ? kPairsPerMode * 8 / 10 : 200) << kKindNames[k];
    EXPECT_LE(all[k], k == kIeee ? kPairsPerMode : kPairsPerMode / 20) << kKindNames[k];
  }
  std::cout << " ties " << all[kTies] << ", zero operands " << all[kZeroOperands] << "\n";
  EXPECT_GE(all[kTies], kPairsPerMode / 50);
  EXPECT_GE(all[kZeroOperands], 200);
}

INSTANTIATE_TEST_SUITE_P(AllModes, AdderAgainstIeee, ::testing::ValuesIn(kRoundings),
                         [](const auto& mode) { return std::string(1, mode.param.letter); });

// The sticky bit's hardest case: a large operand and the smallest subnormal.
// The subnormal enters at half its value, but either way it is only a sticky
// bit, so every mode must round as IEEE 754 does.
TEST(AdderSpecialCases, LargeOperandPlusOrMinusTheSmallestSubnormal) {
  const std::uint64_t larges[] = {0x3FF0000000000000, 0x3FFFFFFFFFFFFFFF, 0x4330000000000000,
                                  0x4340000000000001, 0x7FE0000000000000, 0x7FEFFFFFFFFFFFFF,
                                  0xC08F400000000000};
  AdderDriver driver;
  int moved = 0;  // results that are not x itself: the sticky bit decided them
  for (const std::uint64_t x : larges) {
    for (const bool subtract : {false, true}) {
      for (const Mode& mode : kRoundings) {
        SCOPED_TRACE(Hex(x) + (subtract ? " - " : " + ") + "2^-1074, rounding " + mode.name);
        const HostSum ieee = HostAddSub(x, 1, subtract, mode.hostMode);
        moved += ieee.bits != x;
        EXPECT_EQ(Hex(driver.Run(x, 1, subtract, mode.rounding)), Hex(ieee.bits));
      }
    }
  }
  // For each operand the sticky bit moves the result in three of the eight
  // cases: rounding away from zero on the side that grows the magnitude, and
  // down and toward zero on the side that shrinks it.
  EXPECT_EQ(moved, 3 * 7);
}

// The examples of the README's table of differences, worked out by hand from
// the datapath: each class's rule must give them, the adder too, and IEEE
// 754 something else.
TEST(AdderDifferences, TheDocumentedExamplesFollowTheirRules) {
  struct Example {
    std::uint64_t a, b;
    bool subtract;
    char modes[5];  // the rounding modes the example holds for
    std::uint64_t result;
  } examples[] = {
      {0x3FF0000000000000, 0x3FF0000000000000, true, "NUDZ", 0x3C80000000000000},   // 1 - 1
      {0, 0, true, "NUDZ", 0x7C90000000000000},                                     // 0 - 0
      {0x8370000000000000, 0x8370000000000000, true, "NUZ", 0x8000000000000000},    // -0
      {0x0018000000000000, 0x0010000000000000, true, "NUDZ", 0},                    // 2^-1023
      {0x0014000000000000, 0x0010000000000000, true, "NUDZ", 0x7FF0000000000000},   // 2^-1024
      {0x7FEFFFFFFFFFFFFF, 0x7FEFFFFFFFFFFFFF, false, "NUDZ", 0x7FFFFFFFFFFFFFFF},  // max + max
      {0x0010000000000000, 1, false, "NDZ", 0x0010000000000000},
      {0x000FFFFFFFFFFFFF, 1, false, "NUDZ", 0},
      {3, 1, true, "NUDZ", 0x7CD0000000000000},
      {0x7FF0000000000000, 0x7FF0000000000000, false, "NUDZ", 0},  // inf + inf
      {0x7FF0000000000000, 0x3FF0000000000000, false, "U", 0x7FF0000000000001},
      {0x7FF8000000000000, 0x7FF8000000000000, false, "NUDZ", 0x0008000000000000},  // NaN + NaN
  };
  AdderDriver driver;
  int checked = 0;
  for (const Example& e : examples) {
    for (const Mode& mode : kRoundings) {
      if (std::string(e.modes).find(mode.letter) == std::string::npos) continue;
      SCOPED_TRACE(Hex(e.a) + (e.subtract ? " - " : " + ") + Hex(e.b) + ", mode " + mode.letter);
      const HostSum ieee = HostAddSub(e.a, e.b, e.subtract, mode.hostMode);
      const Kind kind = Classify(e.a, e.b, e.subtract, ieee);
      EXPECT_NE(kind, kIeee);
      EXPECT_NE(Hex(ieee.bits), Hex(e.result));
      EXPECT_EQ(Hex(Expected(kind, e.a, e.b, e.subtract, mode.hostMode, ieee)), Hex(e.result));
      EXPECT_EQ(Hex(driver.Run(e.a, e.b, e.subtract, mode.rounding)), Hex(e.result));
      ++checked;
    }
  }
  EXPECT_EQ(checked, 43);
}

}  // namespace
}  // namespace sumaris::test
