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

// The last bit without overflow, bit 52, in round to nearest: R' = S' = 0
// after the injected half unit means that the bits below 52 were exactly one
// half, a tie, and the last bit is cleared so that the tie goes to the even
// neighbour. 0 in that case only.
std::int16_t R2Decide::FixLNovf() const {
  const int n = IsRN[0].LeadingInt();
  const int r = C52RS.Bit(53).LeadingInt();
  const int s = C52RS.Bit(54).LeadingInt();
  return (1 - n) + r + s > 0 ? 1 : 0;
}

// The same for an overflowing sum, whose last bit is 51: bit 52 of the sum,
// C[52] xor XSUM[52], is then its round bit, and a tie shows as that bit 1
// with R' = 1 and S' = 0 (nothing below bit 52 but the injected half unit at
// bit 53). 0 in round to nearest with that pattern only.
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
  const int t1 = Mux(a, 1, s);  // S' = 1: something below, no tie
  const int t2 = Mux(b, 1, s);
  const int t3 = Mux(t2, t1, c);  // C[52] picks the XSUM[52] that makes bit 52 a 1
  return Mux(1, t3, r);           // R' = 0: no tie
}

// RINC, whether a carry reaches bit 51. Without overflow it comes from bit 52:
// C[52] and XSUM[52] both 1. With overflow the injection, placed for a last
// bit 52, lacks a 1 at bit 53 in round to nearest (N) and a 1 at bit 52 when
// rounding away from zero (I); W is the carry into bit 51 once they are
// added: a carry out of bit 53 when R' and N are 1, then XSUM[52] + C[52] + I
// and that carry at bit 52. The four muxes spell W out for R' and C[52].
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
  // The last bit for either candidate: bit 51 of that sum when it overflows,
  // otherwise bit 52 of the full sum, C[52] xor XSUM[52]; each cleared for a tie.
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
