// The R path's first cycle (slots 1 to 11) against the arithmetic each
// signal stands for: the exponent difference D = EA - EB - 1, the effective
// operation and pre-shift, the shifter, the big mux, FLP, and the aligned
// significands as a whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/adder_driver.h"
#include "support/bits.h"

namespace sumaris::test {
namespace {

// The outputs of slots 1, 2 and 11 for a pair of exponent fields, in the
// order DELTA[5:0], SIGN_MED, Cout, DELTA[10:7], SIGN_BIG, MAG_LRG, IS_BIG,
// IS_R1, then inside the shifter's range (IS_BIG 0) MAG_MED and RES_MED.
std::vector<int> Outputs(Adder& adder, int ea, int eb) {
  for (std::size_t i = 0; i <= 10; ++i) {
    adder.input.Ea[i] = Digit(static_cast<unsigned>(ea) >> i);
    adder.input.EB[i] = Digit(static_cast<unsigned>(eb) >> i);
  }
  for (int slot : {1, 2, 11})
    Compute(adder, slot, slot);
  const R1Medium& m = adder.r1Medium;
  const R1Large& l = adder.r1Large;
  std::vector<int> v = {int(Value(m.DELTA)), Bit(m.SIGN_MED),        Bit(m.Cout),
                        int(Value(l.DELTA)), Bit(l.SIGN_BIG),        int(Value(l.MAG_LRG)),
                        Bit(l.IS_BIG),       Bit(adder.r1IsR1.IS_R1)};
  if (v[6] == 0) v.insert(v.end(), {int(Value(m.MAG_MED)), Bit(m.RES_MED)});
  return v;
}

// The same by the arithmetic: D = EA - EB - 1 as a 12-bit two's-complement
// number, its one's-complement magnitude, and the carry out of the low half.
std::vector<int> Meaning(int ea, int eb) {
  const int d = (ea - eb - 1) & 0xFFF, magnitude = ea > eb ? ea - eb - 1 : eb - ea;
  const bool isBig = ea - eb >= 65 || eb - ea >= 64;
  std::vector<int> v = {
      d & 63,         (d >> 6) & 1, ((ea & 127) + (~eb & 127)) >> 7, (d >> 7) & 15, ea <= eb,
      magnitude >> 6, isBig,        std::abs(ea - eb) >= 2};
  if (!isBig) v.insert(v.end(), {magnitude, magnitude >= 2});
  return v;
}

TEST(R1ExponentDifference, EveryExponentAgainstItsBoundariesAndRandomPartners) {
  Adder adder;
  std::mt19937 rng(1);
  int failures = 0;
  for (int ea = 0; ea < 2048 && failures < 10; ++ea) {
    for (int k : {0,  1,   -1, 2,   -2,  3,    -3,   63,    -63,  64,    -64,
                  65, -65, 66, -66, 128, -128, 1000, -1000, 5000, -5000, 9000}) {
      // 5000 and -5000 stand for the extremes 2047 and 0, 9000 for a random partner.
      const int eb = k == 5000 ? 2047 : k == -5000 ? 0 : k == 9000 ? int(rng() % 2048) : ea + k;
      if (eb < 0 || eb > 2047) continue;
      const std::vector<int> got = Outputs(adder, ea, eb), want = Meaning(ea, eb);
      if (got != want && ++failures <= 10) {
        ADD_FAILURE() << "EA " << ea << ", EB " << eb << ": " << ::testing::PrintToString(got)
                      << ", not " << ::testing::PrintToString(want);
      }
    }
  }
}

TEST(R1EffectiveOperation, EverySignAndOperationComplementsAndPreShifts) {
  AdderDriver driver;
  Adder& adder = driver.adder();
  std::mt19937_64 rng(11);
  for (int combination = 0; combination < 8; ++combination) {
    const bool sa = combination & 1, sb = combination & 2, subtract = combination & 4;
    const std::uint64_t a = Pack(sa, 1030, rng()), b = Pack(sb, 1020, rng());
    driver.Load(Operand::A, a);
    driver.Load(Operand::B, b);
    adder.input.SelectOperation(subtract ? Operation::Subtract : Operation::Add);
    Compute(adder, 1, 4);
    const bool seff = sa != (sb != subtract);
    SCOPED_TRACE(::testing::Message() << "SA " << sa << " SB " << sb << " sub " << subtract);
    EXPECT_EQ(Value(adder.r11Comp.seff), seff ? 1u : 0u);
    EXPECT_EQ(Value(adder.r1Align1.seff), seff ? 1u : 0u);
    // Complemented in a subtraction; then A doubled (FAOP[-1:52]) or B halved
    // (FBOP[0:53]), the free position filled with seff so a complement stays one.
    const auto complemented = [&](std::uint64_t f) { return seff ? ~f & Mask(53) : f; };
    const auto preShifted = [&](std::uint64_t f) { return seff ? (complemented(f) << 1) | 1 : f; };
    EXPECT_EQ(Value(adder.r11Comp.FAO), complemented(Significand(a)));
    EXPECT_EQ(Value(adder.r11Comp.FBO), complemented(Significand(b)));
    EXPECT_EQ(Value(adder.r1Align1.FAOP), preShifted(Significand(a)));
    EXPECT_EQ(Value(adder.r1Align1.FBOP), preShifted(Significand(b)));
  }
}

TEST(R1ShiftRight, EveryAmountPutsTheOperandAtItsCellsAndSeffElsewhere) {
  Adder adder;
  R1ShiftR& shift = adder.r1ShiftR;
  Tag(shift.FSOP, "f");
  for (const char* seff : {"0", "1"}) {
    for (int amount = 0; amount <= 63; ++amount) {
      SetValue(shift.MAG_MED, static_cast<unsigned>(amount));
      shift.seff[0] = seff;
      shift.Calculate();
      for (int p = 0; p < 118; ++p) {
        const bool covered = p >= amount && p <= amount + 54;
        ASSERT_EQ(shift.FSOPAmed[p].str(), covered ? "f" + std::to_string(p - amount) : seff)
            << "amount " << amount << ", seff " << seff << ", cell " << p;
      }
    }
  }
}

TEST(R1BigMux, TakesTheMediumShiftOrSixtyFourSeffsAndFso) {
  Adder adder;
  R1BigMux& mux = adder.r1BigMux;
  Tag(mux.FSO, "o");
  Tag(mux.FSOPAmed, "m");
  for (const char* isBig : {"0", "1"}) {
    for (const char* seff : {"0", "1"}) {
      mux.IS_BIG[0] = isBig;
      mux.seff[0] = seff;
      mux.Calculate();
      for (int p = 0; p < 118; ++p) {
        const std::string want = *isBig == '0' ? "m" + std::to_string(p)
                                 : p <= 63     ? seff
                                               : "o" + std::to_string(p - 64);
        ASSERT_EQ(mux.FSOPA[p].str(), want) << "IS_BIG " << isBig << ", seff " << seff << " " << p;
      }
    }
  }
}

TEST(R1ShiftLeft, LargeSignificandMovesOneLeftInASubtractionOnly) {
  Adder adder;
  R1ShiftL& shift = adder.r1ShiftL;
  Tag(shift.FL, "l");
  for (const bool subtract : {false, true}) {
    shift.seff[0] = subtract ? "1" : "0";
    shift.Calculate();
    for (int bit = -1; bit <= 52; ++bit) {
      const int from = subtract ? bit + 1 : bit;  // never complemented: the fill is 0
      EXPECT_EQ(shift.FLP.Bit(bit).str(), from < 0 || from > 52 ? "0" : "l" + std::to_string(from))
          << "seff " << subtract << ", bit " << bit;
    }
  }
}

// The whole first cycle by its meaning. With L the operand of the larger
// exponent (B when they are equal), S the other one, k = min(|EA - EB|, 64)
// and e = seff, both significands are aligned to one frame in which a
// subtraction doubles them: FLP = L * 2^e over bits -1..52, and FSOPA over
// bits -1..116 is S * 2^(64 + e - k), complemented when e = 1.
TEST(R1FirstCycle, SignificandsAreAlignedForEveryDifferenceSignAndOperation) {
  AdderDriver driver;
  Adder& adder = driver.adder();
  std::mt19937_64 rng(2024);
  int failures = 0;
  const int bases[] = {1, 600, 1023, 1960};
  for (int n = 0; n < 6000 && failures < 10; ++n) {
    const int eb = n < 4000 ? bases[n % 4] : int(rng() % 2048);
    const int ea = n < 4000 ? std::clamp(eb + (n / 4) % 141 - 70, 0, 2047) : int(rng() % 2048);
    const std::uint64_t a = Pack(rng() & 1, ea, rng()), b = Pack(rng() & 1, eb, rng());
    const bool subtract = rng() & 1;
    driver.Load(Operand::A, a);
    driver.Load(Operand::B, b);
    adder.input.SelectOperation(subtract ? Operation::Subtract : Operation::Add);
    Compute(adder, 1, 11);
    const int e = Negative(a) != (Negative(b) != subtract) ? 1 : 0;
    const std::uint64_t large = ea > eb ? a : b, small = ea > eb ? b : a;
    const int k = std::min(std::abs(ea - eb), 64);
    const U128 placed = static_cast<U128>(Significand(small)) << (64 + e - k);
    const U128 fsopa = e == 1 ? ~placed & ((static_cast<U128>(1) << 118) - 1) : placed;
    const bool ok = Value(adder.r1ShiftL.FLP) == Significand(large) << e &&
                    Cells(adder.r1BigMux.FSOPA) == fsopa &&
                    Bit(adder.r1Swap3.SL) == int(Negative(large)) &&
                    Bit(adder.r1IsR1.IS_R1) == (std::abs(ea - eb) >= 2 ? 1 : 0);
    if (!ok && ++failures <= 10) {
      ADD_FAILURE() << Hex(a) << (subtract ? " - " : " + ") << Hex(b) << " is not aligned";
    }
  }
}

// An edited input survives the recomputation from its own stage (which is
// calculated, not pulled) and reaches every later stage.
TEST(R1Recompute, EditedInputsSurviveAndPropagate) {
  AdderDriver driver;
  Adder& adder = driver.adder();
  driver.Run(Pack(false, 1030, 0x123456789ABCD), Pack(false, 1020, 0xFEDCBA9876543), false,
             Rounding::NearestEven);
  ASSERT_EQ(Value(adder.r1ShiftR.MAG_MED), 9u);  // EA - EB - 1
  const std::string fsop = adder.r1ShiftR.FSOP.Text();
  SetValue(adder.r1ShiftR.MAG_MED, 20);
  driver.session().RecomputeFrom(adder.r1ShiftR.slot());
  EXPECT_EQ(Value(adder.r1ShiftR.MAG_MED), 20u);
  EXPECT_EQ(adder.r1ShiftR.FSOPAmed.Text(), std::string(20, '0') + fsop + std::string(43, '0'));
  EXPECT_EQ(adder.r2HA.FSOPA.Text(), adder.r1ShiftR.FSOPAmed.Text().substr(0, 54));
  EXPECT_EQ(Value(adder.r1Medium.MAG_MED), 9u);
}

}  // namespace
}  // namespace sumaris::test
