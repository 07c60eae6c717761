// Steps 3 to 7: the effective operation, the complement, the pre-shift by
// one and the three swaps, checked bit by bit against the operands typed in.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "rpath1/r1_test_util.h"
#include "session/adder.h"

namespace sumaris {
namespace {

using r1test::BitOf;
using r1test::OperandBits;

// The pre-shifted significands by their meaning. A keeps its weights in an
// addition and is doubled in a subtraction (bits -1..52); B is halved in an
// addition and keeps its weights in a subtraction (bits 0..53). In a
// subtraction both are complemented and the free position is 1.
int FaopBit(const OperandBits& a, int seff, int bit) {
  if (seff == 0) return bit == -1 ? 0 : a.frac[static_cast<std::size_t>(bit)];
  return bit == 52 ? 1 : 1 - a.frac[static_cast<std::size_t>(bit + 1)];
}
int FbopBit(const OperandBits& b, int seff, int bit) {
  if (seff == 0) return bit == 0 ? 0 : b.frac[static_cast<std::size_t>(bit - 1)];
  return bit == 53 ? 1 : 1 - b.frac[static_cast<std::size_t>(bit)];
}

struct Operands {
  OperandBits a, b;
  bool subtract = false;
  int seff() const { return a.sign ^ b.sign ^ (subtract ? 1 : 0); }
};

void Enter(Adder& adder, const Operands& run) {
  r1test::Enter(adder.input, Operand::A, run.a);
  r1test::Enter(adder.input, Operand::B, run.b);
  r1test::SelectOperation(adder.input, run.subtract);
}

TEST(R1EffectiveOperation, EverySignAndOperationCombination) {
  std::mt19937 rng(11);
  for (int sa = 0; sa <= 1; ++sa) {
    for (int sb = 0; sb <= 1; ++sb) {
      for (bool subtract : {false, true}) {
        Adder adder;
        Operands run{r1test::RandomOperand(rng, 1030), r1test::RandomOperand(rng, 1020), subtract};
        run.a.sign = sa;
        run.b.sign = sb;
        Enter(adder, run);
        r1test::Compute(adder, 1, 4);
        const int seff = run.seff();
        SCOPED_TRACE("SA=" + std::to_string(sa) + " SB=" + std::to_string(sb) +
                     (subtract ? " Sub" : " Add"));
        const R11Comp& comp = adder.r11Comp;
        EXPECT_EQ(BitOf(comp.Sa[0]), sa);
        EXPECT_EQ(BitOf(comp.SB[0]), sb);
        EXPECT_EQ(BitOf(comp.SOP[0]), subtract ? 1 : 0);
        EXPECT_EQ(BitOf(comp.seff[0]), seff);
        for (int i = 0; i <= 52; ++i) {
          const auto k = static_cast<std::size_t>(i);
          ASSERT_EQ(BitOf(comp.Fa.Bit(i)), run.a.frac[k]) << i;
          ASSERT_EQ(BitOf(comp.FB.Bit(i)), run.b.frac[k]) << i;
          // Both are complemented in an effective subtraction.
          ASSERT_EQ(BitOf(comp.FAO.Bit(i)), run.a.frac[k] ^ seff) << i;
          ASSERT_EQ(BitOf(comp.FBO.Bit(i)), run.b.frac[k] ^ seff) << i;
        }
        const R1Align1& align = adder.r1Align1;
        EXPECT_EQ(BitOf(align.seff[0]), seff);
        for (int bit = -1; bit <= 52; ++bit) {
          ASSERT_EQ(BitOf(align.FAOP.Bit(bit)), FaopBit(run.a, seff, bit)) << bit;
        }
        for (int bit = 0; bit <= 53; ++bit) {
          ASSERT_EQ(BitOf(align.FBOP.Bit(bit)), FbopBit(run.b, seff, bit)) << bit;
        }
      }
    }
  }
}

// The pre-shift in cell terms: an addition puts "0" into cell 0 of both and
// moves the input one cell right; a subtraction keeps the cells and puts "1"
// into the last one. Tagged cells show that every text is moved as it stands.
TEST(R1PreShift, MovesCellsAsTheyStand) {
  Adder adder;
  R1Align1& align = adder.r1Align1;
  for (const char* seff : {"0", "1"}) {
    r1test::Tag(align.FAO, "a");
    r1test::Tag(align.FBO, "b");
    align.seff[0] = seff;
    align.Calculate();
    const bool sub = std::string(seff) == "1";
    for (int p = 0; p <= 53; ++p) {
      std::string wantA;
      std::string wantB;
      if (sub) {
        wantA = p == 53 ? "1" : r1test::TagOf("a", p);
        wantB = p == 53 ? "1" : r1test::TagOf("b", p);
      } else {
        wantA = p == 0 ? "0" : r1test::TagOf("a", p - 1);
        wantB = p == 0 ? "0" : r1test::TagOf("b", p - 1);
      }
      EXPECT_EQ(align.FAOP[p].str(), wantA) << "seff " << seff << " cell " << p;
      EXPECT_EQ(align.FBOP[p].str(), wantB) << "seff " << seff << " cell " << p;
    }
  }
}

// The swap stages for exponents on either side, equal, one apart and far
// apart, in both operations.
TEST(R1Swap, SmallAndLargeOperandsFollowTheExponentSigns) {
  std::mt19937 rng(5);
  const std::pair<int, int> exponents[] = {{1023, 1023}, {1024, 1023}, {1023, 1024}, {1030, 1000},
                                           {1000, 1030}, {1087, 1023}, {1088, 1023}, {1023, 1087},
                                           {2046, 1},    {1, 2046},    {0, 0},       {1, 0}};
  Adder adder;
  for (const auto& [ea, eb] : exponents) {
    for (int opSigns = 0; opSigns < 8; ++opSigns) {
      Operands run{r1test::RandomOperand(rng, ea), r1test::RandomOperand(rng, eb),
                   (opSigns & 1) != 0};
      run.a.sign = (opSigns >> 1) & 1;
      run.b.sign = (opSigns >> 2) & 1;
      Enter(adder, run);
      r1test::Compute(adder, 1, 7);
      const int seff = run.seff();
      // Signs of the difference: SIGN_MED is bit 6 of EA - EB - 1.
      const int signMed = ((ea - eb - 1) >> 6) & 1;
      const int signBig = ea > eb ? 0 : 1;
      SCOPED_TRACE("EA=" + std::to_string(ea) + " EB=" + std::to_string(eb) +
                   " seff=" + std::to_string(seff));

      const R1Swap1& swap1 = adder.r1Swap1;
      ASSERT_EQ(BitOf(swap1.SIGN_MED[0]), signMed);
      ASSERT_EQ(BitOf(swap1.seff[0]), seff);
      for (int bit = -1; bit <= 53; ++bit) {
        int want;
        if (signMed == 0) {  // B is small: seff on top
          want = bit == -1 ? seff : FbopBit(run.b, seff, bit);
        } else {  // A is small: seff at the bottom
          want = bit == 53 ? seff : FaopBit(run.a, seff, bit);
        }
        ASSERT_EQ(BitOf(swap1.FSOP.Bit(bit)), want) << "FSOP bit " << bit;
      }

      // Swap 2 copies cell by cell: A's bits land one position right.
      const R1Swap2& swap2 = adder.r1Swap2;
      ASSERT_EQ(BitOf(swap2.SIGN_BIG[0]), signBig);
      for (int bit = 0; bit <= 53; ++bit) {
        const int want = signBig == 0 ? FbopBit(run.b, seff, bit) : FaopBit(run.a, seff, bit - 1);
        ASSERT_EQ(BitOf(swap2.FSO.Bit(bit)), want) << "FSO bit " << bit;
      }

      // Swap 3 takes the large operand as typed, and its sign.
      const R1Swap3& swap3 = adder.r1Swap3;
      const OperandBits& large = signBig == 0 ? run.a : run.b;
      for (int bit = 0; bit <= 52; ++bit) {
        ASSERT_EQ(BitOf(swap3.FL.Bit(bit)), large.frac[static_cast<std::size_t>(bit)]) << bit;
      }
      EXPECT_EQ(BitOf(swap3.SL[0]), large.sign);
    }
  }
}

// The fill bit of FSOP is seff itself, copied as it stands.
TEST(R1Swap, FillBitIsTheCaptionOfSeff) {
  Adder adder;
  R1Swap1& swap1 = adder.r1Swap1;
  r1test::Tag(swap1.FAOP, "a");
  r1test::Tag(swap1.FBOP, "b");
  swap1.seff[0] = "s";
  swap1.SIGN_MED[0] = "0";
  swap1.Calculate();
  EXPECT_EQ(swap1.FSOP[0].str(), "s");
  for (int p = 1; p <= 54; ++p)
    EXPECT_EQ(swap1.FSOP[p].str(), r1test::TagOf("b", p - 1)) << p;

  swap1.SIGN_MED[0] = "1";
  swap1.Calculate();
  for (int p = 0; p <= 53; ++p)
    EXPECT_EQ(swap1.FSOP[p].str(), r1test::TagOf("a", p)) << p;
  EXPECT_EQ(swap1.FSOP[54].str(), "s");
}

// How each stage reads its control cell: by number or by text.
TEST(R1ControlCells, NumericAndTextualTestsAsEachStageMakesThem) {
  struct Case {
    const char* caption;
    bool numericOne;   // the numeric value equals 1
    bool numericZero;  // the numeric value equals 0
  } cases[] = {
      {"1", true, false}, {"0", false, true},  {"01", true, false}, {" 1", true, false},
      {"", false, true},  {"1x", true, false}, {"2", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("caption '") + c.caption + "'");
    Adder adder;
    // R1Align1 tests the numeric value of seff.
    R1Align1& align = adder.r1Align1;
    r1test::Tag(align.FAO, "a");
    r1test::Tag(align.FBO, "b");
    align.seff[0] = c.caption;
    align.Calculate();
    EXPECT_EQ(align.FAOP[53].str(), c.numericOne ? "1" : "a52");

    // R1ShiftL tests the text "1".
    R1ShiftL& shiftL = adder.r1ShiftL;
    r1test::Tag(shiftL.FL, "f");
    shiftL.seff[0] = c.caption;
    shiftL.Calculate();
    const bool textOne = std::string(c.caption) == "1";
    EXPECT_EQ(shiftL.FLP[0].str(), textOne ? "f0" : "0");

    // R1Swap1 tests whether SIGN_MED is numerically 0.
    R1Swap1& swap1 = adder.r1Swap1;
    r1test::Tag(swap1.FAOP, "a");
    r1test::Tag(swap1.FBOP, "b");
    swap1.seff[0] = "s";
    swap1.SIGN_MED[0] = c.caption;
    swap1.Calculate();
    EXPECT_EQ(swap1.FSOP[0].str(), c.numericZero ? "s" : "a0");

    // R1BigMux tests whether IS_BIG is numerically not 0.
    R1BigMux& big = adder.r1BigMux;
    r1test::Tag(big.FSO, "o");
    r1test::Tag(big.FSOPAmed, "m");
    big.seff[0] = "s";
    big.IS_BIG[0] = c.caption;
    big.Calculate();
    EXPECT_EQ(big.FSOPA[0].str(), c.numericZero ? "m0" : "s");
  }
}

}  // namespace
}  // namespace sumaris
