// Each class of operand pairs where this adder does not give the IEEE 754
// result, pinned on hand-picked pairs in all four rounding modes. The
// expected patterns follow from the datapath's stated rules (adder_rules.h);
// the ones written out as literals are worked out in the comments beside
// them. Each case also checks that IEEE 754 really says something else, so
// a class cannot quietly turn out to agree.
#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "support/adder_driver.h"
#include "result/adder_rules.h"

namespace sumaris::test {
namespace {

struct Case {
  const char* what;
  std::uint64_t a, b;
  bool subtract;
  // The pattern worked out by hand, per rounding mode N, U, D, Z; absent
  // where only the rule is checked.
  std::array<std::optional<std::uint64_t>, 4> literal;
  std::array<bool, 4> differsFromIeee;  // whether IEEE 754 gives another pattern in that mode
};

constexpr std::uint64_t kMaxFinite = 0x7FEFFFFFFFFFFFFF;
constexpr std::uint64_t kInfinity = 0x7FF0000000000000;
constexpr std::uint64_t kQuietNan = 0x7FF8000000000000;
constexpr std::uint64_t kMinNormal = 0x0010000000000000;

std::uint64_t D(double x) {
  return Bits(x);
}
std::uint64_t Neg(std::uint64_t x) {
  return x ^ kSignBit;
}

// Runs every case in every mode: the class the pair falls into, the rule's
// pattern, the literal where given, and the IEEE 754 pattern it differs from.
void RunCases(Kind kind, const std::vector<Case>& cases) {
  AdderDriver driver;
  for (const Case& c : cases) {
    for (std::size_t m = 0; m < kRoundings.size(); ++m) {
      const Rounding& mode = kRoundings[m];
      SCOPED_TRACE(::testing::Message() << c.what << ", rounding " << mode.name);
      const HostSum ieee = HostAddSub(c.a, c.b, c.subtract, mode.hostMode);
      ASSERT_EQ(Classify(c.a, c.b, c.subtract, ieee), kind);
      const std::uint64_t rule = Expected(kind, c.a, c.b, c.subtract, mode.hostMode, ieee);
      if (c.literal[m]) {
        EXPECT_EQ(Hex(rule), Hex(*c.literal[m])) << "rule and hand disagree";
      }
      const std::uint64_t got = driver.Run(c.a, c.b, c.subtract, mode.option);
      EXPECT_EQ(Hex(got), Hex(rule));
      EXPECT_EQ(got != ieee.bits, c.differsFromIeee[m]) << "IEEE 754 gives " << Hex(ieee.bits);
    }
  }
}

constexpr std::array<bool, 4> kAll = {true, true, true, true};

// An effective subtraction of equal magnitudes gives no zero: the N path
// counts 54 leading zeros in the all-zero difference, the exponent comes out
// as E - 54 - 1, wrapped to 11 bits, with a zero fraction and the sign of A.
TEST(AdderDifferences, ExactCancellationLeavesTheExponentEMinus55) {
  const std::uint64_t fifty5 = Pack(true, 55, 0x123456789ABCD);  // E - 55 = 0: a true zero
  std::vector<Case> cases = {
      // 1023 - 55 = 968 = 0x3C8: 2^-55.
      {"1 - 1",
       D(1.0),
       D(1.0),
       true,
       {0x3C80000000000000, 0x3C80000000000000, 0x3C80000000000000, 0x3C80000000000000},
       {true, true, true, true}},
      // Field 1024 -> 969 = 0x3C9, sign of A.
      {"-2.5 + 2.5",
       D(-2.5),
       D(2.5),
       false,
       {0xBC90000000000000, 0xBC90000000000000, 0xBC90000000000000, 0xBC90000000000000},
       {true, true, true, true}},
      // 0 - 55 wraps to 1993 = 0x7C9: +0 - +0 is 2^970.
      {"0 - 0",
       0,
       0,
       true,
       {0x7C90000000000000, 0x7C90000000000000, 0x7C90000000000000, 0x7C90000000000000},
       {true, true, true, true}},
      {"-0 + 0",
       kSignBit,
       0,
       false,
       {0xFC90000000000000, 0xFC90000000000000, 0xFC90000000000000, 0xFC90000000000000},
       {true, true, true, true}},
      {"max - max", kMaxFinite, kMaxFinite, true, {}, {true, true, true, true}},
      {"x - x, x subnormal", Pack(false, 0, 12345), Pack(false, 0, 12345), true, {}, kAll},
      // 2047 - 55 = 1992 = 0x7C8.
      {"inf - inf",
       kInfinity,
       kInfinity,
       true,
       {0x7C80000000000000, 0x7C80000000000000, 0x7C80000000000000, 0x7C80000000000000},
       kAll},
      // Field 55: the exponent comes out 0 and the result is a zero, but
      // with A's sign: -0 where IEEE 754 gives +0 (all modes but down).
      {"-x - -x at field 55",
       fifty5,
       fifty5,
       true,
       {kSignBit, kSignBit, kSignBit, kSignBit},
       {true, true, false, true}},
      {"-2^-968 - -2^-968",
       Pack(true, 55, 0),
       Pack(true, 55, 0),
       true,
       {kSignBit, kSignBit, kSignBit, kSignBit},
       {true, true, false, true}},
      {"x - x at field 55",
       Neg(fifty5),
       Neg(fifty5),
       true,
       {0, 0, 0, 0},
       {false, false, true, false}},
  };
  RunCases(Kind::kExactCancellation, cases);
}

// A difference below the normal range comes out normalised, its exponent
// wrapped to 11 bits: 2^-1023 is a zero, 2^-1024 an infinity, the smallest
// subnormal 2^-1074 is 2^974.
TEST(AdderDifferences, SubnormalDifferencesAreNormalisedWithAWrappedExponent) {
  std::vector<Case> cases = {
      // 1.5 * 2^-1022 - 2^-1022 = 2^-1023: field -1023 + 1023 = 0, fraction 0.
      {"2^-1023", D(1.5 * DBL_MIN), kMinNormal, true, {0, 0, 0, 0}, kAll},
      // 1.25 * 2^-1022 - 2^-1022 = 2^-1024: field -1 wraps to 2047, fraction 0.
      {"2^-1024",
       Pack(false, 1, std::uint64_t{1} << 50),
       kMinNormal,
       true,
       {kInfinity, kInfinity, kInfinity, kInfinity},
       kAll},
      // One unit apart: 2^-1074, field -51 wraps to 1997 = 0x7CD.
      {"2^-1074",
       Pack(false, 1, 0x8000000000001),
       Pack(false, 1, 0x8000000000000),
       true,
       {0x7CD0000000000000, 0x7CD0000000000000, 0x7CD0000000000000, 0x7CD0000000000000},
       kAll},
      // Three units: 1.1b * 2^-1073, field 1998 = 0x7CE, fraction 0.5.
      {"3 * 2^-1074, negative",
       Pack(true, 1, 0x8000000000003),
       Pack(false, 1, 0x8000000000000),
       false,
       {0xFCE8000000000000, 0xFCE8000000000000, 0xFCE8000000000000, 0xFCE8000000000000},
       kAll},
      {"across binades",
       Pack(false, 2, 0x0000000000007),
       Pack(false, 1, 0xFFFFFFFFFFFFF),
       true,
       {},
       kAll},
      {"many bits",
       Pack(false, 1, 0xABCDEF0123456),
       Pack(true, 1, 0x0123456789ABC),
       false,
       {},
       kAll},
  };
  RunCases(Kind::kSubnormalResult, cases);
}

// A sum beyond the largest finite number keeps its rounded fraction under
// the exponent field 2047: no infinity in any mode, no largest finite number
// when rounding toward zero.
TEST(AdderDifferences, OverflowKeepsTheRoundedFractionUnderFieldAllOnes) {
  std::vector<Case> cases = {
      // (2 - 2^-52) * 2^1024, exact: field 2047, fraction all ones.
      {"max + max",
       kMaxFinite,
       kMaxFinite,
       false,
       {0x7FFFFFFFFFFFFFFF, 0x7FFFFFFFFFFFFFFF, 0x7FFFFFFFFFFFFFFF, 0x7FFFFFFFFFFFFFFF},
       kAll},
      {"-max - max",
       Neg(kMaxFinite),
       kMaxFinite,
       true,
       {~std::uint64_t{0}, ~std::uint64_t{0}, ~std::uint64_t{0}, ~std::uint64_t{0}},
       kAll},
      // 1.5 * 2^1024: the pattern of a quiet NaN.
      {"1.5 * 2^1023 twice",
       D(1.5 * std::ldexp(1.0, 1023)),
       D(1.5 * std::ldexp(1.0, 1023)),
       false,
       {kQuietNan, kQuietNan, kQuietNan, kQuietNan},
       kAll},
      // max + one unit = 2^1024 exactly: the infinity pattern, which IEEE 754
      // gives too when rounding to nearest or up.
      {"max + ulp",
       kMaxFinite,
       D(std::ldexp(1.0, 971)),
       false,
       {kInfinity, kInfinity, kInfinity, kInfinity},
       {false, false, true, true}},
      // Rounded: (2 - 2^-52) * 2^1023 + 0.75 * 2^1023 = 1.0111..1|1 * 2^1024:
      // the unit in the last place is 2^972.
      {"rounded", kMaxFinite, D(0.75 * std::ldexp(1.0, 1023)), false, {}, kAll},
      {"subtraction of opposite signs",
       Pack(false, 2046, 0x123),
       Pack(true, 2046, 0xFFFF),
       true,
       {},
       kAll},
  };
  RunCases(Kind::kOverflow, cases);
}

// A subnormal operand enters at half its value: its exponent field 0 is
// taken as the exponent of the difference, where IEEE 754 reads it as 1.
TEST(AdderDifferences, SubnormalOperandsCountAtHalfTheirValue) {
  const std::uint64_t tiny = 1;  // 2^-1074
  std::vector<Case> cases = {
      // 2^-1022 + 2^-1075 is a tie: even (down) when rounding to nearest,
      // the next number up only when rounding up.
      {"min normal + smallest subnormal",
       kMinNormal,
       tiny,
       false,
       {kMinNormal, kMinNormal + 1, kMinNormal, kMinNormal},
       {true, false, true, true}},
      // Two subnormals: the fractions add, a carry into the hidden bit is
      // lost and the field stays 0: (2^52 - 1) + 1 units give +0.
      {"carry into the hidden bit", kFractionMask, tiny, false, {0, 0, 0, 0}, kAll},
      // Three units minus one: 2 units, taken at half: 2^-1074 -> 2^974.
      {"subnormal difference",
       Pack(false, 0, 3),
       tiny,
       true,
       {0x7CD0000000000000, 0x7CD0000000000000, 0x7CD0000000000000, 0x7CD0000000000000},
       kAll},
      {"near the bottom",
       D(std::ldexp(1.0, -1000)),
       Pack(true, 0, 0xFFFFFFFFFFFFF),
       false,
       {},
       kAll},
      {"N path, one field apart",
       Pack(false, 1, 0x0000000000001),
       Pack(false, 0, 0x8000000000007),
       true,
       {},
       kAll},
      {"0 - subnormal", 0, Pack(false, 0, 0x40000), true, {}, kAll},
  };
  RunCases(Kind::kSubnormalOperand, cases);

  // Where both are subnormal and no carry reaches the hidden bit, or the
  // subnormal is only a sticky bit, the result is IEEE 754's.
  AdderDriver driver;
  for (const Rounding& mode : kRoundings) {
    const std::uint64_t pairs[][2] = {{Pack(false, 0, 5), Pack(false, 0, 7)}, {D(1.0), tiny}};
    for (const auto& p : pairs) {
      const HostSum ieee = HostAddSub(p[0], p[1], false, mode.hostMode);
      EXPECT_EQ(Hex(driver.Run(p[0], p[1], false, mode.option)), Hex(ieee.bits)) << mode.name;
    }
  }
}

// Exponent field 2047 is an ordinary exponent: infinity is 2^1024, a NaN
// (1.f) * 2^1024, and a carry out of field 2047 wraps it to 0.
TEST(AdderDifferences, InfinitiesAndNansAreOrdinaryNumbersAt2To1024) {
  std::vector<Case> cases = {
      // 2^1024 + 2^1024 = 2^1025: field 2048 wraps to 0, fraction 0.
      {"inf + inf", kInfinity, kInfinity, false, {0, 0, 0, 0}, kAll},
      {"-inf - inf",
       Neg(kInfinity),
       kInfinity,
       true,
       {kSignBit, kSignBit, kSignBit, kSignBit},
       kAll},
      // 2^1024 + 1: only rounding up reaches the next pattern, a NaN's;
      // IEEE 754 keeps infinity.
      {"inf + 1",
       kInfinity,
       D(1.0),
       false,
       {kInfinity, kInfinity + 1, kInfinity, kInfinity},
       {false, true, false, false}},
      // 2^1024 - 1 rounded down or toward zero is the largest finite number.
      {"inf - 1",
       kInfinity,
       D(1.0),
       true,
       {kInfinity, kInfinity, kMaxFinite, kMaxFinite},
       {false, false, true, true}},
      // 1.5 * 2^1024 twice = 1.5 * 2^1025: field wraps to 0, fraction 0.5.
      {"NaN + NaN",
       kQuietNan,
       kQuietNan,
       false,
       {0x0008000000000000, 0x0008000000000000, 0x0008000000000000, 0x0008000000000000},
       kAll},
      // 2^1024 - 1.5 * 2^1024 = -2^1023, exact.
      {"inf - NaN",
       kInfinity,
       kQuietNan,
       true,
       {0xFFE0000000000000, 0xFFE0000000000000, 0xFFE0000000000000, 0xFFE0000000000000},
       kAll},
      {"NaN + max", Pack(false, 2047, 0x123456789ABCD), kMaxFinite, false, {}, kAll},
      {"inf + subnormal", kInfinity, Pack(true, 0, 77), false, {}, {false, false, true, true}},
  };
  RunCases(Kind::kInfNanOperand, cases);
}

// Zero operands beside a non-zero one, and the sums of two zeros that are
// effective additions, agree with IEEE 754, signs included.
TEST(AdderDifferences, ZeroOperandsAgreeWithIeee) {
  AdderDriver driver;
  const std::uint64_t values[] = {D(1.0), D(-3.75), kMinNormal, kMaxFinite, D(-1e-300)};
  for (const Rounding& mode : kRoundings) {
    for (std::uint64_t zero : {std::uint64_t{0}, kSignBit}) {
      for (std::uint64_t x : values) {
        for (bool subtract : {false, true}) {
          for (bool zeroFirst : {false, true}) {
            const std::uint64_t a = zeroFirst ? zero : x;
            const std::uint64_t b = zeroFirst ? x : zero;
            const HostSum ieee = HostAddSub(a, b, subtract, mode.hostMode);
            ASSERT_EQ(Classify(a, b, subtract, ieee), Kind::kIeee);
            EXPECT_EQ(Hex(driver.Run(a, b, subtract, mode.option)), Hex(ieee.bits))
                << mode.name << ": " << Hex(a) << (subtract ? " - " : " + ") << Hex(b);
          }
        }
      }
    }
    // +0 + +0, -0 + -0, +0 - -0, -0 - +0.
    const std::uint64_t zeros[][2] = {{0, 0}, {kSignBit, kSignBit}, {0, kSignBit}, {kSignBit, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
      const bool subtract = i >= 2;
      const HostSum ieee = HostAddSub(zeros[i][0], zeros[i][1], subtract, mode.hostMode);
      EXPECT_EQ(Hex(driver.Run(zeros[i][0], zeros[i][1], subtract, mode.option)), Hex(ieee.bits))
          << mode.name << " zeros " << i;
    }
  }
}

}  // namespace
}  // namespace sumaris::test
