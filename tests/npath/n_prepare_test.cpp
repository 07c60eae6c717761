// The N path's operand preparation: which operand is larger from the two
// low exponent bits, the doubled larger significand FLP, and the inverted,
// aligned smaller significand FSOPA.
#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "npath/npath_test_util.h"

namespace sumaris {
namespace {

using namespace npath_test;

void RunPreparation(Adder& adder, const Fields& a, const Fields& b) {
  Enter(adder.input, Operand::A, a.Encoding());
  Enter(adder.input, Operand::B, b.Encoding());
  adder.nSmallExp.Pull();
  adder.nSmallExp.Calculate();
  adder.nSmallSig.Pull();
  adder.nSmallSig.Calculate();
}

struct PrepCase {
  const char* name;
  int ea;
  int eb;
  int d;             // (ea - eb) mod 4
  bool bSelected;    // FLP and SL come from B
  bool smallShifted; // the smaller significand moves one position right
};

class PreparationCases : public ::testing::TestWithParam<PrepCase> {};

TEST_P(PreparationCases, LargerDoubledSmallerInvertedAndAligned) {
  const PrepCase& c = GetParam();
  Adder adder;
  std::mt19937_64 rng(static_cast<unsigned>(c.ea * 4099 + c.eb));
  for (int trial = 0; trial < 40; ++trial) {
    const Fields a{static_cast<int>(rng() & 1), c.ea, rng() & Mask(52)};
    const Fields b{static_cast<int>(rng() & 1), c.eb, rng() & Mask(52)};
    RunPreparation(adder, a, b);

    const u64 large = c.bSelected ? b.Significand() : a.Significand();
    const u64 small = c.bSelected ? a.Significand() : b.Significand();
    // FLP[-1:51] holds F_large bit for bit: FLP = 2 x F_large.
    EXPECT_EQ(adder.nSmallExp.FLP.Text(), BitsText(large, 53)) << c.name;
    // FSOPA[-1:52] is the one's complement over 54 bits of the smaller
    // significand, doubled when not shifted (so both are in the same frame).
    const u64 x = c.smallShifted ? small : small << 1;
    EXPECT_EQ(adder.nSmallSig.FSOPA.Text(), BitsText(Mask(54) - x, 54)) << c.name;
    EXPECT_EQ(adder.nSmallExp.SL[0].str(), std::to_string(c.bSelected ? b.sign : a.sign))
        << c.name;

    // DELTA in the two windows' opposite cell orders.
    EXPECT_EQ(adder.nSmallExp.DELTA.Text(), BitsText(static_cast<u64>(c.d), 2)) << c.name;
    EXPECT_EQ(adder.nSmallSig.DELTA[0].str(), std::to_string(c.d & 1)) << c.name;
    EXPECT_EQ(adder.nSmallSig.DELTA[1].str(), std::to_string(c.d >> 1)) << c.name;
    // The helper wire and the fixed carry-in.
    EXPECT_EQ(adder.nSmallExp.EB_n.Text(), BitsText(~static_cast<u64>(c.eb) & 3, 2));
    EXPECT_EQ(adder.nSmallExp.c_in[0].str(), "1");
  }
}

INSTANTIATE_TEST_SUITE_P(
    NSmallExpSig, PreparationCases,
    ::testing::Values(PrepCase{"equal", 1023, 1023, 0, false, false},
                      PrepCase{"A one larger", 1023, 1022, 1, false, true},
                      PrepCase{"B one larger", 1022, 1023, 3, true, true},
                      // Low bits 00 and 10: d = 2 is taken like d = 3 when
                      // choosing the larger and like an odd d when aligning.
                      PrepCase{"d two", 1024, 1022, 2, true, true},
                      PrepCase{"equal, both subnormal", 0, 0, 0, false, false},
                      PrepCase{"subnormal and smallest normal", 1, 0, 1, false, true},
                      PrepCase{"across a carry of the low bits", 1024, 1023, 1, false, true},
                      PrepCase{"B larger across the carry", 1023, 1024, 3, true, true}),
    [](const ::testing::TestParamInfo<PrepCase>& param) {
      std::string name = param.param.name;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST(NSmallExp, DeltaIsTheDifferenceOfTheLowExponentBitsModuloFour) {
  Adder adder;
  for (int ea = 1020; ea < 1024; ++ea) {
    for (int eb = 1020; eb < 1024; ++eb) {
      RunPreparation(adder, {0, ea, 0}, {0, eb, 0});
      const int d = ((ea - eb) % 4 + 4) % 4;
      EXPECT_EQ(adder.nSmallExp.DELTA.Text(), BitsText(static_cast<u64>(d), 2)) << ea << " " << eb;
      const std::string reversed = {char('0' + (d & 1)), char('0' + (d >> 1))};
      EXPECT_EQ(adder.nSmallSig.DELTA.Text(), reversed) << ea << " " << eb;
    }
  }
}

TEST(NSmallExp, CarryInCellStartsAsOne) {
  Adder adder;
  EXPECT_EQ(adder.nSmallExp.c_in[0].str(), "1");
  EXPECT_EQ(adder.nSmallExp.DELTA.Text(), "00");
  EXPECT_EQ(adder.nSmallExp.FLP.Text(), std::string(53, '0'));
}

TEST(NSmallExp, PullTakesTheTwoLowExponentBitsMostSignificantFirst) {
  Adder adder;
  RunPreparation(adder, {1, 0b10, 0}, {0, 0b01, 0});
  EXPECT_EQ(adder.nSmallExp.Ea.Text(), "10");
  EXPECT_EQ(adder.nSmallExp.EB.Text(), "01");
  EXPECT_EQ(adder.nSmallExp.Sa[0].str(), "1");
  EXPECT_EQ(adder.nSmallExp.SB[0].str(), "0");
}

TEST(NSmallSig, EditedDeltaDecidesAlone) {
  // The stage reads its own DELTA cells: an edited input overrides the
  // exponents. Cell 1 (bit 1 of d) is tested first.
  Adder adder;
  const Fields a{0, 1023, 0x5555555555555};
  const Fields b{0, 1023, 0xAAAAAAAAAAAAA};
  RunPreparation(adder, a, b);
  struct Row {
    const char* cell0;
    const char* cell1;
    u64 x;
  };
  for (const Row& r : {Row{"0", "0", b.Significand() << 1}, Row{"1", "0", b.Significand()},
                       Row{"0", "1", a.Significand()}, Row{"1", "1", a.Significand()}}) {
    adder.nSmallSig.DELTA[0] = r.cell0;
    adder.nSmallSig.DELTA[1] = r.cell1;
    adder.nSmallSig.Calculate();
    EXPECT_EQ(adder.nSmallSig.FSOPA.Text(), BitsText(Mask(54) - r.x, 54))
        << r.cell0 << r.cell1;
  }
}

}  // namespace
}  // namespace sumaris
