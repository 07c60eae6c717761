// Steps 8 to 10: the alignment shift, the big mux and the one-position
// shift of the large significand; and the whole first cycle checked against
// what alignment means.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include "rpath1/r1_test_util.h"
#include "session/adder.h"

namespace sumaris {
namespace {

using r1test::BitOf;
using r1test::OperandBits;
using r1test::TagOf;

TEST(R1ShiftRight, EveryAmountPutsTheOperandAtItsCellsAndSeffElsewhere) {
  Adder adder;
  R1ShiftR& shift = adder.r1ShiftR;
  for (const char* seff : {"0", "1"}) {
    for (int amount = 0; amount <= 63; ++amount) {
      r1test::Tag(shift.FSOP, "f");
      r1test::SetValue(shift.MAG_MED, static_cast<unsigned>(amount));
      shift.seff[0] = seff;
      shift.Calculate();
      for (int p = 0; p < 118; ++p) {
        const bool covered = p >= amount && p <= amount + 54;
        const std::string want = covered ? TagOf("f", p - amount) : std::string(seff);
        ASSERT_EQ(shift.FSOPAmed[p].str(), want)
            << "amount " << amount << " seff " << seff << " cell " << p;
      }
    }
  }
}

TEST(R1ShiftRight, AmountIsReadWithCellZeroMostSignificant) {
  Adder adder;
  R1ShiftR& shift = adder.r1ShiftR;
  r1test::Tag(shift.FSOP, "f");
  shift.seff[0] = "s";
  shift.MAG_MED.SetText("100000");  // bit 5 alone: 32
  shift.Calculate();
  EXPECT_EQ(shift.FSOPAmed[31].str(), "s");
  EXPECT_EQ(shift.FSOPAmed[32].str(), "f0");
  shift.MAG_MED.SetText("000001");  // bit 0 alone: 1
  shift.Calculate();
  EXPECT_EQ(shift.FSOPAmed[0].str(), "s");
  EXPECT_EQ(shift.FSOPAmed[1].str(), "f0");
  EXPECT_EQ(shift.FSOPAmed[55].str(), "f54");
  EXPECT_EQ(shift.FSOPAmed[56].str(), "s");
}

TEST(R1BigMuxChoice, ChoosesTheMediumShiftOrSeffFollowedByFso) {
  Adder adder;
  R1BigMux& big = adder.r1BigMux;
  for (const char* isBig : {"0", "1"}) {
    for (const char* seff : {"0", "1"}) {
      r1test::Tag(big.FSO, "o");
      r1test::Tag(big.FSOPAmed, "m");
      big.IS_BIG[0] = isBig;
      big.seff[0] = seff;
      big.Calculate();
      for (int p = 0; p < 118; ++p) {
        std::string want;
        if (std::string(isBig) == "0") {
          want = TagOf("m", p);  // FSO plays no part
        } else {
          want = p <= 63 ? std::string(seff) : TagOf("o", p - 64);
        }
        ASSERT_EQ(big.FSOPA[p].str(), want) << "IS_BIG " << isBig << " seff " << seff << " " << p;
      }
    }
  }
}

TEST(R1ShiftLeft, LargeSignificandMovesOneLeftInASubtraction) {
  Adder adder;
  R1ShiftL& shift = adder.r1ShiftL;
  for (const char* seff : {"0", "1"}) {
    r1test::Tag(shift.FL, "l");
    shift.seff[0] = seff;
    shift.Calculate();
    const bool sub = std::string(seff) == "1";
    for (int bit = -1; bit <= 52; ++bit) {
      // Addition: FLP[-1] = 0, FLP[j] = FL[j]. Subtraction: FLP[j] = FL[j+1],
      // FLP[52] = 0; never complemented, so the fill is 0 either way.
      const int from = sub ? bit + 1 : bit;
      const std::string want = (from < 0 || from > 52) ? "0" : TagOf("l", from);
      EXPECT_EQ(shift.FLP.Bit(bit).str(), want) << "seff " << seff << " bit " << bit;
    }
  }
}

// The whole first cycle by its meaning. With L the operand of the larger
// exponent (B when they are equal), S the other one, k = |EA - EB| and
// e = seff, the two significands handed to the second cycle are aligned:
//   FLP bit j   = L bit (j + e)                       (0 outside 0..52)
//   FSOPA bit j = S bit (j + e - min(k, 64)) xor e    (e outside 0..52)
// so a bit of S lines up with the bit of L of the same weight, a subtraction
// doubles both and complements S, and a difference beyond 64 parks S below
// bit 62 as a sticky region.
struct Alignment {
  OperandBits a, b;
  bool subtract = false;
};

std::string CheckAlignment(const Adder& adder, const Alignment& c) {
  const int e = c.a.sign ^ c.b.sign ^ (c.subtract ? 1 : 0);
  const bool aLarge = c.a.exponent > c.b.exponent;
  const OperandBits& large = aLarge ? c.a : c.b;
  const OperandBits& small = aLarge ? c.b : c.a;
  const int k = std::min(std::abs(c.a.exponent - c.b.exponent), 64);
  const std::string where = "EA=" + std::to_string(c.a.exponent) +
                            " EB=" + std::to_string(c.b.exponent) + " seff=" + std::to_string(e);

  for (int j = -1; j <= 52; ++j) {
    const int from = j + e;
    const int want = (from < 0 || from > 52) ? 0 : large.frac[static_cast<std::size_t>(from)];
    if (BitOf(adder.r1ShiftL.FLP.Bit(j)) != want)
      return "FLP bit " + std::to_string(j) + " " + where;
  }
  for (int j = -1; j <= 116; ++j) {
    const int from = j + e - k;
    const int want = (from < 0 || from > 52) ? e : (small.frac[static_cast<std::size_t>(from)] ^ e);
    if (BitOf(adder.r1BigMux.FSOPA.Bit(j)) != want) {
      return "FSOPA bit " + std::to_string(j) + " " + where;
    }
  }
  if (BitOf(adder.r1Swap3.SL[0]) != large.sign) return "SL " + where;
  const int isR1 = std::abs(c.a.exponent - c.b.exponent) >= 2 ? 1 : 0;
  if (BitOf(adder.r1IsR1.IS_R1[0]) != isR1) return "IS_R1 " + where;
  return {};
}

TEST(R1FirstCycle, SignificandsAreAlignedForEveryDifference) {
  std::mt19937 rng(2024);
  Adder adder;
  int cases = 0;
  for (int base : {1, 600, 1023, 1960}) {
    for (int k = -70; k <= 70; ++k) {
      if (base + k < 0 || base + k > 2046) continue;
      for (int signs = 0; signs < 8; ++signs) {
        Alignment c{r1test::RandomOperand(rng, base + k), r1test::RandomOperand(rng, base),
                    (signs & 1) != 0};
        c.a.sign = (signs >> 1) & 1;
        c.b.sign = (signs >> 2) & 1;
        r1test::Enter(adder.input, Operand::A, c.a);
        r1test::Enter(adder.input, Operand::B, c.b);
        r1test::SelectOperation(adder.input, c.subtract);
        r1test::Compute(adder, 1, 11);
        ASSERT_EQ(CheckAlignment(adder, c), "");
        ++cases;
      }
    }
  }
  EXPECT_GT(cases, 3900);
}

TEST(R1FirstCycle, RandomOperandsAreAligned) {
  std::mt19937 rng(77);
  Adder adder;
  for (int n = 0; n < 3000; ++n) {
    Alignment c{r1test::RandomOperand(rng, static_cast<int>(rng() % 2047)),
                r1test::RandomOperand(rng, static_cast<int>(rng() % 2047)), (rng() & 1) != 0};
    r1test::Enter(adder.input, Operand::A, c.a);
    r1test::Enter(adder.input, Operand::B, c.b);
    r1test::SelectOperation(adder.input, c.subtract);
    r1test::Compute(adder, 1, 11);
    ASSERT_EQ(CheckAlignment(adder, c), "");
  }
}

// In a big effective subtraction the last cell of FSOPA (bit 116) carries
// FSO's fill bit, which the pre-shift made 1.
TEST(R1FirstCycle, BigSubtractionEndsInTheFillBitOfFso) {
  for (const auto& [ea, eb] : {std::pair{1200, 1023}, std::pair{1023, 1200}}) {
    Adder adder;
    OperandBits a;
    OperandBits b;
    a.exponent = ea;
    b.exponent = eb;
    // Both significands end in 1, so their complements end in 0 and a 1 in
    // the last cell can only be the fill bit.
    a.frac.fill(0);
    a.frac[52] = 1;
    b.frac.fill(1);
    r1test::Enter(adder.input, Operand::A, a);
    r1test::Enter(adder.input, Operand::B, b);
    r1test::SelectOperation(adder.input, true);
    r1test::Compute(adder, 1, 11);
    ASSERT_EQ(adder.r1BigMux.IS_BIG.Text(), "1");
    ASSERT_EQ(adder.r1BigMux.seff.Text(), "1");
    EXPECT_EQ(adder.r1Swap2.FSO[53].str(), "1");
    EXPECT_EQ(adder.r1BigMux.FSOPA.Bit(116).str(), "1");
    for (int p = 0; p <= 63; ++p)
      EXPECT_EQ(adder.r1BigMux.FSOPA[p].str(), "1") << p;
  }
}

}  // namespace
}  // namespace sumaris
