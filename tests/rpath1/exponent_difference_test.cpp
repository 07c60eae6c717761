// Steps 1, 2 and 11: the exponent difference D = EA - EB - 1 in its low and
// high halves, and the R path condition, checked against the arithmetic
// meaning of every signal.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "rpath1/r1_test_util.h"
#include "session/adder.h"

namespace sumaris {
namespace {

using r1test::BitOf;
using r1test::CellsValue;
using r1test::WireValue;

// What each signal must hold for a pair of biased exponents, derived from
// the arithmetic: D = EA - EB - 1 as a 12-bit two's complement number, and
// the one's-complement magnitude M of D.
struct Expected {
  int deltaLow;   // D bits 5..0
  int signMed;    // D bit 6
  int cout;       // carry out of EA[6:0] + not EB[6:0]
  int deltaHigh;  // D bits 10..7
  int signBig;    // D bit 11
  int magMed;
  int resMed;
  int magLrg;
  int isBig;
  int isR1;
};

Expected Expect(int ea, int eb) {
  Expected e{};
  const int d = ea - eb - 1;
  const int d12 = d & 0xFFF;
  e.deltaLow = d12 & 63;
  e.signMed = (d12 >> 6) & 1;
  e.deltaHigh = (d12 >> 7) & 15;
  e.signBig = ea > eb ? 0 : 1;
  e.cout = ((ea & 127) + (~eb & 127)) >> 7;
  // The magnitude: EA - EB - 1 when A is larger, EB - EA otherwise.
  const int magnitude = ea > eb ? ea - eb - 1 : eb - ea;
  e.magLrg = magnitude >> 6;
  e.isBig = (ea - eb >= 65 || eb - ea >= 64) ? 1 : 0;
  // Inside the shifter's range MAG_MED is the magnitude itself; beyond it,
  // the low sum made positive by its own sign.
  e.magMed = e.isBig ? ((e.deltaLow ^ (e.signMed ? 63 : 0)) & 63) : magnitude;
  e.resMed = (e.magMed >> 1) != 0 ? 1 : 0;
  e.isR1 = std::abs(ea - eb) >= 2 ? 1 : 0;
  return e;
}

// Compares every output of steps 1, 2 and 11 with the expectation; returns
// a description of the first difference, empty when all agree.
std::string Check(const Adder& adder, int ea, int eb) {
  const Expected e = Expect(ea, eb);
  const R1Medium& med = adder.r1Medium;
  const R1Large& lrg = adder.r1Large;
  struct Item {
    const char* name;
    std::int64_t got;
    int want;
  } items[] = {
      {"R1Medium DELTA", WireValue(med.DELTA), e.deltaLow},
      {"SIGN_MED", BitOf(med.SIGN_MED[0]), e.signMed},
      {"Cout", BitOf(med.Cout[0]), e.cout},
      {"MAG_MED", WireValue(med.MAG_MED), e.magMed},
      {"RES_MED", BitOf(med.RES_MED[0]), e.resMed},
      {"R1Large DELTA", WireValue(lrg.DELTA), e.deltaHigh},
      {"SIGN_BIG", BitOf(lrg.SIGN_BIG[0]), e.signBig},
      {"MAG_LRG", WireValue(lrg.MAG_LRG), e.magLrg},
      {"IS_BIG", BitOf(lrg.IS_BIG[0]), e.isBig},
      {"IS_R1", BitOf(adder.r1IsR1.IS_R1[0]), e.isR1},
      // The copies made by the later stages' Pull.
      {"R1Large CIN", BitOf(lrg.CIN[0]), e.cout},
      {"R1Large SIGN_MED", BitOf(lrg.SIGN_MED[0]), e.signMed},
      {"R1IsR1 RIGHT_OR", BitOf(adder.r1IsR1.RIGHT_OR[0]), e.resMed},
      {"R1IsR1 MAG_MED", BitOf(adder.r1IsR1.MAG_MED[0]), e.magMed & 1},
      {"R1IsR1 not(SIGN_BIG)", BitOf(adder.r1IsR1.SIGN_BIG_N[0]), 1 - e.signBig},
  };
  for (const Item& item : items) {
    if (item.got != item.want) {
      return std::string(item.name) + " is " + std::to_string(item.got) + ", expected " +
             std::to_string(item.want) + " for EA=" + std::to_string(ea) +
             " EB=" + std::to_string(eb);
    }
  }
  return {};
}

void RunExponentStages(Adder& adder) {
  for (Stage* stage : {static_cast<Stage*>(&adder.r1Medium), static_cast<Stage*>(&adder.r1Large),
                       static_cast<Stage*>(&adder.r1IsR1)}) {
    stage->Pull();
    stage->Calculate();
  }
}

TEST(R1ExponentDifference, TablePairsAgreeWithTheArithmetic) {
  struct Pair {
    int ea, eb;
  };
  std::vector<Pair> pairs;
  for (int base : {0, 1, 2, 63, 64, 65, 127, 128, 1023, 1024, 1500, 1982, 1983, 1984, 2047}) {
    for (int delta : {0, 1, -1, 2, -2, 63, -63, 64, -64, 65, -65, 127, -128, 1000, -1000}) {
      const int other = base + delta;
      if (other < 0 || other > 2047) continue;
      pairs.push_back({other, base});
      pairs.push_back({base, other});
    }
  }
  pairs.push_back({0, 2047});
  pairs.push_back({2047, 0});

  Adder adder;
  for (const Pair& p : pairs) {
    r1test::EnterExponent(adder.input, Operand::A, p.ea);
    r1test::EnterExponent(adder.input, Operand::B, p.eb);
    RunExponentStages(adder);
    EXPECT_EQ(Check(adder, p.ea, p.eb), "");
  }
}

// The worked cases, with the cell texts written out.
TEST(R1ExponentDifference, WorkedCasesShowTheseCells) {
  struct Case {
    int ea, eb;
    const char* deltaLow;
    const char* signMed;
    const char* cout;
    const char* magMed;
    const char* resMed;
    const char* deltaHigh;
    const char* signBig;
    const char* magLrg;
    const char* isBig;
  } cases[] = {
      // EA = EB: D = -1.
      {1023, 1023, "111111", "1", "0", "000000", "0", "1111", "1", "00000", "0"},
      // EA = EB + 1: D = 0.
      {1024, 1023, "000000", "0", "0", "000000", "0", "0000", "0", "00000", "0"},
      // EA = EB + 2: MAG_MED = 1, bit 0 is outside the OR tree.
      {1025, 1023, "000001", "0", "0", "000001", "0", "0000", "0", "00000", "0"},
      // EA = EB + 64: D = 63, the largest medium shift.
      {1087, 1023, "111111", "0", "0", "111111", "1", "0000", "0", "00000", "0"},
      // EA = EB + 65: bit 6 of MAG_LRG.
      {1088, 1023, "000000", "1", "0", "111111", "1", "0000", "0", "00001", "1"},
      // EB = EA + 63: D = -64.
      {1023, 1086, "000000", "1", "1", "111111", "1", "1111", "1", "00000", "0"},
      // EB = EA + 64: D = -65.
      {1023, 1087, "111111", "0", "1", "111111", "1", "1111", "1", "00001", "1"},
  };
  Adder adder;
  for (const Case& c : cases) {
    r1test::EnterExponent(adder.input, Operand::A, c.ea);
    r1test::EnterExponent(adder.input, Operand::B, c.eb);
    RunExponentStages(adder);
    SCOPED_TRACE("EA=" + std::to_string(c.ea) + " EB=" + std::to_string(c.eb));
    EXPECT_EQ(adder.r1Medium.DELTA.Text(), c.deltaLow);
    EXPECT_EQ(adder.r1Medium.SIGN_MED.Text(), c.signMed);
    EXPECT_EQ(adder.r1Medium.Cout.Text(), c.cout);
    EXPECT_EQ(adder.r1Medium.MAG_MED.Text(), c.magMed);
    EXPECT_EQ(adder.r1Medium.RES_MED.Text(), c.resMed);
    EXPECT_EQ(adder.r1Large.DELTA.Text(), c.deltaHigh);
    EXPECT_EQ(adder.r1Large.SIGN_BIG.Text(), c.signBig);
    EXPECT_EQ(adder.r1Large.MAG_LRG.Text(), c.magLrg);
    EXPECT_EQ(adder.r1Large.IS_BIG.Text(), c.isBig);
    // OEA and OEB are never written; the inverse of OEB is 1.
    EXPECT_EQ(adder.r1Large.OEA.Text(), "0");
    EXPECT_EQ(adder.r1Large.OEB.Text(), "0");
    EXPECT_EQ(adder.r1Large.OEB_INV.Text(), "1");
  }
}

TEST(R1ExponentDifference, HiddenInverseOfEBIsItsComplement) {
  Adder adder;
  r1test::EnterExponent(adder.input, Operand::A, 0x2A5);
  r1test::EnterExponent(adder.input, Operand::B, 0x5B3);  // 101 1011 0011
  RunExponentStages(adder);
  EXPECT_EQ(adder.r1Medium.EB.Text(), "0110011");
  EXPECT_EQ(adder.r1Medium.EB_INV.Text(), "1001100");
  EXPECT_EQ(adder.r1Large.EB.Text(), "1011");
  EXPECT_EQ(adder.r1Large.EB_INV.Text(), "0100");
  EXPECT_EQ(adder.r1Large.Ea.Text(), "0101");
}

// Writes a biased exponent straight into the boxes (no change events), to
// keep the sweeps below quick.
void SetExponentBoxes(std::array<Cell, 11>& boxes, int exponent) {
  static const Cell one("1");
  static const Cell zero("0");
  for (int i = 0; i <= 10; ++i)
    boxes[static_cast<std::size_t>(i)] = ((exponent >> i) & 1) ? one : zero;
}

// Every exponent against the values where something happens: the extremes,
// the middle, and the neighbourhoods of EA - EB = 0, +-2 and +-64.
TEST(R1ExponentDifference, EveryExponentAgainstTheCriticalOnes) {
  Adder adder;
  int failures = 0;
  for (int ea = 0; ea < 2048 && failures < 10; ++ea) {
    SetExponentBoxes(adder.input.Ea, ea);
    std::vector<int> others = {0, 1, 2, 63, 64, 127, 128, 1023, 1024, 2046, 2047};
    for (int k : {-66, -65, -64, -63, -62, -3, -2, -1, 0, 1, 2, 3, 62, 63, 64, 65, 66}) {
      others.push_back(ea + k);
    }
    for (int eb : others) {
      if (eb < 0 || eb > 2047) continue;
      SetExponentBoxes(adder.input.EB, eb);
      RunExponentStages(adder);
      const std::string problem = Check(adder, ea, eb);
      if (!problem.empty()) {
        ADD_FAILURE() << problem;
        if (++failures >= 10) break;
      }
    }
  }
}

// All 2048 x 2048 pairs. Each stage computes from its own cells only, so
// its outputs for a pair are its outputs for that pair's input cells: the
// low half is run for all 128 x 128 low parts, the high half for all
// 16 x 16 high parts with each carry and sign from below, the condition for
// its 16 input combinations, and every pair is then checked through them.
TEST(R1ExponentDifference, AllExponentPairsAgreeWithTheArithmetic) {
  Adder adder;
  R1Medium& med = adder.r1Medium;
  R1Large& lrg = adder.r1Large;
  R1IsR1& cond = adder.r1IsR1;

  struct Low {
    int delta, signMed, cout, magMed, resMed;
  };
  std::vector<Low> low(128 * 128);
  for (int a = 0; a < 128; ++a) {
    for (int b = 0; b < 128; ++b) {
      SetExponentBoxes(adder.input.Ea, a);
      SetExponentBoxes(adder.input.EB, b);
      med.Pull();
      med.Calculate();
      low[static_cast<std::size_t>(a * 128 + b)] = {
          static_cast<int>(WireValue(med.DELTA)), BitOf(med.SIGN_MED[0]), BitOf(med.Cout[0]),
          static_cast<int>(WireValue(med.MAG_MED)), BitOf(med.RES_MED[0])};
    }
  }

  struct High {
    int delta, signBig, magLrg, isBig;
  };
  std::vector<High> high(16 * 16 * 4);
  const char* bits[] = {"0", "1"};
  for (int a = 0; a < 16; ++a) {
    for (int b = 0; b < 16; ++b) {
      for (int cin = 0; cin <= 1; ++cin) {
        for (int signMed = 0; signMed <= 1; ++signMed) {
          SetExponentBoxes(adder.input.Ea, a << 7);
          SetExponentBoxes(adder.input.EB, b << 7);
          med.Cout[0] = bits[cin];
          med.SIGN_MED[0] = bits[signMed];
          lrg.Pull();
          lrg.Calculate();
          ASSERT_EQ(BitOf(lrg.CIN[0]), cin);
          ASSERT_EQ(BitOf(lrg.SIGN_MED[0]), signMed);
          high[static_cast<std::size_t>(((a * 16 + b) * 2 + cin) * 2 + signMed)] = {
              static_cast<int>(WireValue(lrg.DELTA)), BitOf(lrg.SIGN_BIG[0]),
              static_cast<int>(WireValue(lrg.MAG_LRG)), BitOf(lrg.IS_BIG[0])};
        }
      }
    }
  }

  // IS_R1 from RES_MED, IS_BIG, bit 0 of MAG_MED and SIGN_BIG.
  int isR1[16];
  for (int in = 0; in < 16; ++in) {
    med.RES_MED[0] = bits[in & 1];
    lrg.IS_BIG[0] = bits[(in >> 1) & 1];
    med.MAG_MED[5] = bits[(in >> 2) & 1];
    lrg.SIGN_BIG[0] = bits[(in >> 3) & 1];
    cond.Pull();
    cond.Calculate();
    isR1[in] = BitOf(cond.IS_R1[0]);
  }

  int failures = 0;
  for (int ea = 0; ea < 2048 && failures < 10; ++ea) {
    for (int eb = 0; eb < 2048; ++eb) {
      const Low& l = low[static_cast<std::size_t>((ea & 127) * 128 + (eb & 127))];
      const High& h = high[static_cast<std::size_t>(
          (((ea >> 7) * 16 + (eb >> 7)) * 2 + l.cout) * 2 + l.signMed)];
      const int r = isR1[l.resMed | (h.isBig << 1) | ((l.magMed & 1) << 2) | (h.signBig << 3)];
      const Expected e = Expect(ea, eb);
      const bool ok = l.delta == e.deltaLow && l.signMed == e.signMed && l.cout == e.cout &&
                      l.magMed == e.magMed && l.resMed == e.resMed && h.delta == e.deltaHigh &&
                      h.signBig == e.signBig && h.magLrg == e.magLrg && h.isBig == e.isBig &&
                      r == e.isR1;
      if (!ok) {
        ADD_FAILURE() << "EA=" << ea << " EB=" << eb;
        if (++failures >= 10) break;
      }
    }
  }
}

// The carry from the low half is an input of the high half: an edited CIN
// changes the high DELTA on the next Calculate, and only there.
TEST(R1ExponentDifference, CarryInFeedsTheHighAdder) {
  for (const auto& [ea, eb] :
       {std::pair{1023, 1023}, std::pair{1024, 1023}, std::pair{0, 2047}, std::pair{1500, 700}}) {
    Adder adder;
    r1test::EnterExponent(adder.input, Operand::A, ea);
    r1test::EnterExponent(adder.input, Operand::B, eb);
    RunExponentStages(adder);
    const int cin = BitOf(adder.r1Large.CIN[0]);
    adder.r1Large.CIN[0] = cin ? "0" : "1";
    adder.r1Large.Calculate();
    // (0,EA[10:7]) + (1,not EB[10:7]) + the flipped carry, 5 bits.
    const int sum = (((ea >> 7) & 15) + (~(eb >> 7) & 15) + (1 - cin) + 16) & 31;
    EXPECT_EQ(WireValue(adder.r1Large.DELTA), sum & 15) << ea << " " << eb;
    EXPECT_EQ(BitOf(adder.r1Large.SIGN_BIG[0]), sum >> 4) << ea << " " << eb;
    EXPECT_EQ(BitOf(adder.r1Medium.Cout[0]), cin);
  }
}

// A carry caption is read by its leading number: an empty one counts as 0.
TEST(R1ExponentDifference, EmptyCarryReadsAsZero) {
  Adder adder;
  r1test::EnterExponent(adder.input, Operand::A, 1024 + 128);
  r1test::EnterExponent(adder.input, Operand::B, 1024);
  RunExponentStages(adder);
  adder.r1Large.CIN[0] = "";
  adder.r1Large.Calculate();
  // EA[10:7] = 1001, EB[10:7] = 1000: 1001 + 0111 + 0 = 1 0000.
  EXPECT_EQ(adder.r1Large.DELTA.Text(), "0000");
  EXPECT_EQ(adder.r1Large.SIGN_BIG.Text(), "0");
}

}  // namespace
}  // namespace sumaris
