// Edits in the first cycle: the stage at the step counter is calculated
// from its inputs as they stand (not pulled again), and every later stage
// pulls and calculates, so an edited input reaches the rest of the adder.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "rpath1/r1_test_util.h"
#include "session/adder.h"
#include "session/session.h"

namespace sumaris {
namespace {

using r1test::BitOf;
using r1test::OperandBits;
using r1test::WireValue;

struct Fixture {
  Adder adder;
  Session session{adder};

  Fixture(int ea, int eb, bool subtract, unsigned seed = 1) {
    std::mt19937 rng(seed);
    OperandBits a = r1test::RandomOperand(rng, ea);
    OperandBits b = r1test::RandomOperand(rng, eb);
    a.sign = 0;
    b.sign = 0;
    r1test::Enter(adder.input, Operand::A, a);
    r1test::Enter(adder.input, Operand::B, b);
    r1test::SelectOperation(adder.input, subtract);
    session.FillStepTable();
    session.Run();
  }
};

TEST(R1Recompute, EditedShiftAmountIsUsedAndPassedOn) {
  Fixture f(1030, 1020, false);  // A larger by 10: MAG_MED = 9
  ASSERT_EQ(WireValue(f.adder.r1ShiftR.MAG_MED), 9);
  const std::string fsop = f.adder.r1ShiftR.FSOP.Text();
  const std::string seff = f.adder.r1ShiftR.seff.Text();

  r1test::SetValue(f.adder.r1ShiftR.MAG_MED, 20);
  f.session.RecomputeFrom(8);

  // The edit survives (R1ShiftR was not pulled) and shifts by 20.
  const R1ShiftR& shift = f.adder.r1ShiftR;
  EXPECT_EQ(WireValue(shift.MAG_MED), 20);
  for (int p = 0; p < 118; ++p) {
    const std::string want =
        (p >= 20 && p <= 74) ? fsop.substr(static_cast<std::size_t>(p - 20), 1) : seff;
    ASSERT_EQ(shift.FSOPAmed[p].str(), want) << p;
  }
  // The big mux and the second cycle see it; the exponent stage keeps its own.
  EXPECT_EQ(f.adder.r1BigMux.FSOPAmed.Text(), shift.FSOPAmed.Text());
  EXPECT_EQ(f.adder.r1BigMux.FSOPA.Text(), shift.FSOPAmed.Text());
  EXPECT_EQ(f.adder.r2HA.FSOPA.Text(), shift.FSOPAmed.Text().substr(0, 54));
  EXPECT_EQ(WireValue(f.adder.r1Medium.MAG_MED), 9);
}

TEST(R1Recompute, EditedExponentBitsOfTheFirstStage) {
  Fixture f(1030, 1020, false);
  // EA[6:0] edited from 0000110 (6) to 0010100 (20); EB[6:0] is 1111100.
  f.adder.r1Medium.Ea.SetText("0010100");
  f.session.RecomputeFrom(1);
  EXPECT_EQ(f.adder.r1Medium.Ea.Text(), "0010100");
  const int low = (20 + (~1020 & 127)) & 127;  // 7-bit sum, carry in 0
  EXPECT_EQ(WireValue(f.adder.r1Medium.DELTA), low & 63);
  EXPECT_EQ(BitOf(f.adder.r1Medium.SIGN_MED[0]), low >> 6);
  EXPECT_EQ(WireValue(f.adder.r1ShiftR.MAG_MED), WireValue(f.adder.r1Medium.MAG_MED));
  // R1Large still pulls its bits from the operand entry.
  EXPECT_EQ(f.adder.r1Large.Ea.Text(), "1000");
}

TEST(R1Recompute, EditedCarryChangesTheHighHalfOnly) {
  Fixture f(1023, 1023, false);  // EA[10:7] + not EB[10:7] = 1111: the carry decides
  ASSERT_EQ(f.adder.r1Large.CIN.Text(), "0");
  ASSERT_EQ(f.adder.r1Large.SIGN_BIG.Text(), "1");
  const std::string mediumBefore = f.adder.r1Medium.DELTA.Text() + f.adder.r1Medium.Cout.Text() +
                                   f.adder.r1Medium.SIGN_MED.Text() +
                                   f.adder.r1Medium.MAG_MED.Text();

  f.adder.r1Large.CIN[0] = "1";
  f.session.RecomputeFrom(2);

  EXPECT_EQ(f.adder.r1Large.CIN.Text(), "1");
  EXPECT_EQ(f.adder.r1Large.DELTA.Text(), "0000");
  EXPECT_EQ(f.adder.r1Large.SIGN_BIG.Text(), "0");
  EXPECT_EQ(f.adder.r1Medium.DELTA.Text() + f.adder.r1Medium.Cout.Text() +
                f.adder.r1Medium.SIGN_MED.Text() + f.adder.r1Medium.MAG_MED.Text(),
            mediumBefore);
  // Later stages now take A as the large operand.
  EXPECT_EQ(f.adder.r1Swap3.SIGN_BIG.Text(), "0");
  EXPECT_EQ(f.adder.r1Swap3.FL.Text(), f.adder.r1Swap3.Fa.Text());
  EXPECT_EQ(f.adder.r1IsR1.SIGN_BIG_N.Text(), "1");
}

TEST(R1Recompute, SeffEditedInAlign1StaysThere) {
  Fixture f(1030, 1020, false);  // both positive, "Add": seff = 0
  ASSERT_EQ(f.adder.r11Comp.seff.Text(), "0");
  f.adder.r1Align1.seff[0] = "1";
  f.session.RecomputeFrom(4);

  // Align 1 shifts as for a subtraction on the uncomplemented inputs.
  const R1Align1& align = f.adder.r1Align1;
  EXPECT_EQ(align.FAOP.Text(), align.FAO.Text() + "1");
  EXPECT_EQ(align.FBOP.Text(), align.FBO.Text() + "1");
  EXPECT_EQ(align.FAO.Text(), f.adder.r11Comp.Fa.Text());
  // The later stages copy seff from R11Comp, and the shifted wires from Align 1.
  EXPECT_EQ(f.adder.r1Swap1.seff.Text(), "0");
  EXPECT_EQ(f.adder.r1ShiftR.seff.Text(), "0");
  EXPECT_EQ(f.adder.r1BigMux.seff.Text(), "0");
  EXPECT_EQ(f.adder.r1ShiftL.seff.Text(), "0");
  EXPECT_EQ(f.adder.r1Swap1.FAOP.Text(), align.FAOP.Text());
  EXPECT_EQ(f.adder.r1Swap2.FBO.Text(), align.FBOP.Text());
}

TEST(R1Recompute, EditedConditionInputsAreNotInvertedAgain) {
  Fixture f(1023, 1024, true);  // EB = EA + 1: bit 0 of the magnitude is 1
  ASSERT_EQ(f.adder.r1IsR1.MAG_MED.Text(), "1");
  ASSERT_EQ(f.adder.r1IsR1.SIGN_BIG_N.Text(), "0");
  ASSERT_EQ(f.adder.r1IsR1.IS_R1.Text(), "0");

  f.adder.r1IsR1.SIGN_BIG_N[0] = "1";
  f.session.RecomputeFrom(11);
  EXPECT_EQ(f.adder.r1IsR1.SIGN_BIG_N.Text(), "1");
  EXPECT_EQ(f.adder.r1IsR1.AND_res.Text(), "1");
  EXPECT_EQ(f.adder.r1IsR1.IS_R1.Text(), "1");
}

TEST(R1Recompute, ConditionFollowsEachInput) {
  struct Case {
    const char* magMed;
    const char* signBigN;
    const char* rightOr;
    const char* isBig;
    const char* andRes;
    const char* isR1;
  } cases[] = {
      {"0", "0", "0", "0", "0", "0"}, {"1", "0", "0", "0", "0", "0"},
      {"0", "1", "0", "0", "0", "0"}, {"1", "1", "0", "0", "1", "1"},
      {"0", "0", "1", "0", "0", "1"}, {"0", "0", "0", "1", "0", "1"},
      {"1", "1", "1", "1", "1", "1"},
  };
  Adder adder;
  R1IsR1& stage = adder.r1IsR1;
  for (const Case& c : cases) {
    stage.MAG_MED[0] = c.magMed;
    stage.SIGN_BIG_N[0] = c.signBigN;
    stage.RIGHT_OR[0] = c.rightOr;
    stage.IS_BIG[0] = c.isBig;
    stage.Calculate();
    EXPECT_EQ(stage.AND_res.Text(), c.andRes);
    EXPECT_EQ(stage.IS_R1.Text(), c.isR1) << c.magMed << c.signBigN << c.rightOr << c.isBig;
  }
}

}  // namespace
}  // namespace sumaris
