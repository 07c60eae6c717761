// Steps 15 to 18: rounding decision, post-normalisation, final selection.
#include "adder/adder.h"
#include "adder/rpath2/r2_decide.h"
#include "adder/rpath2/r2_post.h"
#include "adder/rpath2/r2_select1.h"
#include "adder/rpath2/r2_select2.h"
#include "core/errors.h"
#include "core/wire_routines.h"

namespace sumaris {

void R2Decide::Pull() {
  XSUM52[0].SetNumber(adder().r2HA.SumBit52);
  CopyWire(C52RS, adder().r2Sigadd.C52RS, 3);
  IsRN[0] = "0";
  IsRI[0] = "0";
  const OperandEntry& in = adder().input;
  if (in.rounding() == Rounding::NearestEven) IsRN[0] = "1";
  if (in.INJ[0].Value() == 1 && in.INJ[1].Value() == 1) IsRI[0] = "1";
  RINC[0] = adder().r2Select1.RINC[0];  // the previous run's decision
  const R2Compound& sums = adder().r2Compound;
  FPOSUMI51[0] = sums.FPOSUMI.Bit(51);
  FPOSUM51[0] = sums.FPOSUM.Bit(51);
  FPOSUMm1[0] = sums.FPOSUM.Bit(-1);
  FPOSUMIm1[0] = sums.FPOSUMI.Bit(-1);
}

std::int16_t R2Decide::Mux(int m0, int m1, int sel) {
  return static_cast<std::int16_t>(sel == 1 ? m1 : m0);
}

std::int16_t R2Decide::FixLNovf() const {
  const int n = IsRN[0].LeadingInt();
  const int r = C52RS.Bit(53).LeadingInt();
  const int s = C52RS.Bit(54).LeadingInt();
  return (1 - n) + r + s > 0 ? 1 : 0;
}

std::int16_t R2Decide::FixLovf() const {
  const int c = C52RS.Bit(52).LeadingInt();
  const int r = C52RS.Bit(53).LeadingInt();
  const int s = C52RS.Bit(54).LeadingInt();
  const int x = XSUM52[0].LeadingInt();
  const int n = IsRN[0].LeadingInt();
  int a = (1 - n) + x;
  if (a > 0) a = 1;
  int b = (1 - n) + (1 - x);
  if (b > 0) b = 1;
  const int t1 = Mux(a, 1, s);
  const int t2 = Mux(b, 1, s);
  const int t3 = Mux(t2, t1, c);
  return Mux(1, t3, r);
}

void R2Decide::ComputeRINC() {
  const int c = C52RS.Bit(52).LeadingInt();
  const int r = C52RS.Bit(53).LeadingInt();
  const int x = XSUM52[0].LeadingInt();
  const int n = IsRN[0].LeadingInt();
  const int i = IsRI[0].LeadingInt();
  const int m1 = Mux(i & x, i | x, c);
  const int m2 = Mux(x & (n | i), x | n | i, c);
  const int w = Mux(m1, m2, r);
  RINC[0].SetNumber(Mux(c & x, w, FPOSUMm1[0].LeadingInt()));
}

void R2Decide::Calculate() {
  const int c = C52RS.Bit(52).LeadingInt();
  const int x = XSUM52[0].LeadingInt();
  LSBinc2[0].SetNumber(FPOSUMI51[0].LeadingInt() & FixLovf());
  LSBNINC[0].SetNumber((c ^ x) & FixLNovf());
  LSBninc2[0].SetNumber(FixLovf() & FPOSUM51[0].LeadingInt());
  LSBnincO[0].SetNumber(
      Mux(LSBNINC[0].LeadingInt(), LSBninc2[0].LeadingInt(), FPOSUMm1[0].LeadingInt()));
  LSBincO[0].SetNumber(
      Mux(LSBNINC[0].LeadingInt(), LSBinc2[0].LeadingInt(), FPOSUMIm1[0].LeadingInt()));
  ComputeRINC();
}

void R2Post::Pull() {
  CopyWire(FPOSUM, adder().r2Compound.FPOSUM, 53);
  CopyWire(FPOSUMI, adder().r2Compound.FPOSUMI, 53);
}

void R2Post::Calculate() {
  const long long v = FPOSUM.Bit(-1).LeadingInt();
  const long long w = FPOSUMI.Bit(-1).LeadingInt();
  // Only an edited overflow cell other than 0 or 1 could shift past the row.
  if (v < 0 || v > 1 || w < 0 || w > 1) throw StageError("Subscript out of range");
  // Bits 0..51, one bit to the right when the overflow bit is set.
  ShiftBits(FPOSUM_s, FPOSUM, static_cast<int>(v));
  ShiftBits(FPOSUMI_s, FPOSUMI, static_cast<int>(w));
}

void R2Select1::Pull() {
  const R2Post& post = adder().r2Post;
  CopyWire(FPOSUM_s, post.FPOSUM_s, 52);
  CopyWire(FPOSUMI_s, post.FPOSUMI_s, 52);
  RINC[0] = adder().r2Decide.RINC[0];
}

void R2Select1::Calculate() {
  MuxWires(FPOSUM_s, FPOSUMI_s, 52, RINC, FFAR);
}

void R2Select2::Pull() {
  LSBINC[0] = adder().r2Decide.LSBincO[0];
  LSBNINC[0] = adder().r2Decide.LSBnincO[0];
  RINC[0] = adder().r2Decide.RINC[0];
}

void R2Select2::Calculate() {
  FFAR52[0] = RINC[0].Value() == 0 ? LSBNINC[0] : LSBINC[0];
}

}  // namespace sumaris
