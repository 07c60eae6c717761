// The rounding decision over every combination of its single-bit inputs,
// against the closed formulas of the rounding rules: the fix of the least
// significant bit for ties to even (with and without overflow) and RINC.

#include <gtest/gtest.h>

#include "rpath2/r2_bits.h"
#include "session/adder.h"

namespace sumaris {
namespace {

using r2test::BitText;
using r2test::CellBit;

struct Inputs {
  int c, r, s, x, n, i, ovf, ovfI, sum51, sumI51;
};

Inputs Decode(int v) {
  return {v & 1,         (v >> 1) & 1, (v >> 2) & 1, (v >> 3) & 1, (v >> 4) & 1,
          (v >> 5) & 1,  (v >> 6) & 1, (v >> 7) & 1, (v >> 8) & 1, (v >> 9) & 1};
}

void Load(R2Decide& d, const Inputs& in) {
  d.C52RS[0] = BitText(in.c);
  d.C52RS[1] = BitText(in.r);
  d.C52RS[2] = BitText(in.s);
  d.XSUM52[0] = BitText(in.x);
  d.IsRN[0] = BitText(in.n);
  d.IsRI[0] = BitText(in.i);
  d.FPOSUMm1[0] = BitText(in.ovf);
  d.FPOSUMIm1[0] = BitText(in.ovfI);
  d.FPOSUM51[0] = BitText(in.sum51);
  d.FPOSUMI51[0] = BitText(in.sumI51);
}

// Round to nearest with R' = S' = 0 is a tie: the kept bit is cleared.
int FixNoOverflow(const Inputs& in) { return (in.n == 1 && in.r == 0 && in.s == 0) ? 0 : 1; }

// With overflow the kept bit is bit 51 and bit 52 of the sum (C xor X) is the
// round bit. Round to nearest injected a 1 at bit 53, so R' = 1 and S' = 0
// mean that nothing was set below bit 52: with bit 52 set that is a tie.
int FixOverflow(const Inputs& in) {
  return (in.n == 1 && in.r == 1 && in.s == 0 && (in.c ^ in.x) == 1) ? 0 : 1;
}

int Rinc(const Inputs& in) {
  if (in.ovf == 0) return in.c & in.x;  // carry from bit 52 into bit 51
  if (in.r == 0 && in.c == 0) return in.x & in.i;
  if (in.r == 0 && in.c == 1) return in.x | in.i;
  if (in.r == 1 && in.c == 0) return in.x & (in.n | in.i);
  return in.x | in.n | in.i;
}

TEST(R2Decide, AllInputCombinations) {
  Adder adder;
  R2Decide& d = adder.r2Decide;
  for (int v = 0; v < 1024; ++v) {
    const Inputs in = Decode(v);
    Load(d, in);
    d.Calculate();
    SCOPED_TRACE(::testing::Message() << "C R S X N I ovf ovfI 51 I51 = " << in.c << in.r << in.s
                                      << in.x << in.n << in.i << in.ovf << in.ovfI << in.sum51
                                      << in.sumI51);
    EXPECT_EQ(d.FixLNovf(), FixNoOverflow(in));
    EXPECT_EQ(d.FixLovf(), FixOverflow(in));
    const int lsbInc2 = in.sumI51 & FixOverflow(in);
    const int lsbNinc2 = in.sum51 & FixOverflow(in);
    const int lsbNinc = (in.c ^ in.x) & FixNoOverflow(in);
    EXPECT_EQ(CellBit(d.LSBinc2, 0), lsbInc2);
    EXPECT_EQ(CellBit(d.LSBninc2, 0), lsbNinc2);
    EXPECT_EQ(CellBit(d.LSBNINC, 0), lsbNinc);
    EXPECT_EQ(CellBit(d.LSBnincO, 0), in.ovf == 1 ? lsbNinc2 : lsbNinc);
    EXPECT_EQ(CellBit(d.LSBincO, 0), in.ovfI == 1 ? lsbInc2 : lsbNinc);
    EXPECT_EQ(CellBit(d.RINC, 0), Rinc(in));
    // Inputs are left as they were.
    EXPECT_EQ(d.C52RS.Text(), std::string(BitText(in.c)) + BitText(in.r) + BitText(in.s));
  }
}

TEST(R2Decide, Mux) {
  EXPECT_EQ(R2Decide::Mux(0, 1, 1), 1);
  EXPECT_EQ(R2Decide::Mux(0, 1, 0), 0);
  EXPECT_EQ(R2Decide::Mux(1, 0, 1), 0);
  EXPECT_EQ(R2Decide::Mux(1, 0, 0), 1);
  EXPECT_EQ(R2Decide::Mux(1, 0, 2), 1);  // only a select of 1 takes the second input
}

TEST(R2Decide, NamedCases) {
  Adder adder;
  R2Decide& d = adder.r2Decide;
  // No overflow, C = X = 1: RINC and bit 52 of the sum is 0.
  Load(d, {1, 0, 0, 1, 0, 0, 0, 0, 0, 0});
  d.Calculate();
  EXPECT_EQ(d.RINC[0], "1");
  EXPECT_EQ(d.LSBNINC[0], "0");
  // Tie to even without overflow; toward zero keeps the bit.
  Load(d, {1, 0, 0, 0, 1, 0, 0, 0, 0, 0});
  d.Calculate();
  EXPECT_EQ(d.LSBNINC[0], "0");
  Load(d, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  d.Calculate();
  EXPECT_EQ(d.LSBNINC[0], "1");
  // Tie with overflow: both bit-51 versions are cleared.
  Load(d, {0, 1, 0, 1, 1, 0, 1, 1, 1, 1});
  d.Calculate();
  EXPECT_EQ(d.LSBinc2[0], "0");
  EXPECT_EQ(d.LSBninc2[0], "0");
  // Overflow, R' = C = 0, INJ 00: no increment.
  Load(d, {0, 0, 1, 1, 0, 0, 1, 1, 0, 0});
  d.Calculate();
  EXPECT_EQ(d.RINC[0], "0");
}

TEST(R2Decide, PullTakesItsInputs) {
  Adder adder;
  adder.r2HA.SumBit52 = 1;
  adder.r2Sigadd.C52RS.SetText("101");
  adder.r2Compound.FPOSUM.SetText(std::string("1") + std::string(51, '0') + "1");   // -1 and 51
  adder.r2Compound.FPOSUMI.SetText(std::string("0") + std::string(51, '1') + "0");  // neither
  adder.r2Select1.RINC[0] = "1";
  adder.input.SelectOption(4);
  adder.input.INJ[0] = "1";
  adder.input.INJ[1] = "1";
  R2Decide& d = adder.r2Decide;
  d.Pull();
  EXPECT_EQ(d.XSUM52[0], "1");
  EXPECT_EQ(d.C52RS.Text(), "101");
  EXPECT_EQ(d.FPOSUMm1[0], "1");
  EXPECT_EQ(d.FPOSUM51[0], "1");
  EXPECT_EQ(d.FPOSUMIm1[0], "0");
  EXPECT_EQ(d.FPOSUMI51[0], "0");
  EXPECT_EQ(d.IsRN[0], "1");
  EXPECT_EQ(d.IsRI[0], "1");
  // Before Calculate RINC shows the last decision the selection saw.
  EXPECT_EQ(d.RINC[0], "1");

  adder.input.SelectOption(3);
  adder.input.INJ[1] = "0";
  adder.r2Select1.RINC[0] = "0";
  d.Pull();
  EXPECT_EQ(d.IsRN[0], "0");
  EXPECT_EQ(d.IsRI[0], "0");
  EXPECT_EQ(d.RINC[0], "0");
  // Overflow, R' = 0, C = 1: RINC = X or I = 1.
  d.Calculate();
  EXPECT_EQ(d.RINC[0], "1");
}

}  // namespace
}  // namespace sumaris
