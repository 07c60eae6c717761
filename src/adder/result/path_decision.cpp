#include "adder/result/path_decision.h"

#include "adder/adder.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/wire_routines.h"

namespace sumaris {
namespace {

// A wire sum taken into a 16-bit integer variable: rounded, and an Overflow
// when it does not fit (possible only with cells edited to odd texts).
int ToInteger16(double value) {
  const long long n = RoundToInteger(value);
  if (n < -32768 || n > 32767) throw Overflow();
  return static_cast<int>(n);
}

}  // namespace

void PathDecision::Pull() {
  norm_FPSUM[0] = adder().nPost.norm_FPSUM.Bit(-1);
  FPOSUM[0] = adder().r2Post.FPOSUM.Bit(-1);
  FPOSUMI[0] = adder().r2Post.FPOSUMI.Bit(-1);
  RINC[0] = adder().r2Select2.RINC[0];
  CopyWire(LZP, adder().nPost.LZP, 6);
  // E is B's exponent when EA <= EB. SIGN_BIG is R1Large's, not this
  // stage's own copy, which an edit may have changed.
  const OperandEntry& in = adder().input;
  const bool bLarger = adder().r1Large.SIGN_BIG[0].Value() == 1;
  CopyBoxes(E, bLarger ? in.EB : in.Ea, 0, 10);
  isr1[0] = adder().r1IsR1.IS_R1[0];
  isr2[0] = adder().nPost.IS_R2[0];
  seff[0] = adder().r11Comp.seff[0];
  SIGN_BIG[0] = adder().r1Large.SIGN_BIG[0];
}

void PathDecision::Calculate() {
  IS_R[0].SetNumber((1 - seff[0].LeadingInt()) | isr1[0].LeadingInt() | isr2[0].LeadingInt());
  IS_R1[0] = IS_R[0];
  ADDR.Bit(0) = RINC[0].Value() == 1 ? FPOSUMI[0] : FPOSUM[0];
  const bool rPath = IS_R[0].Value() == 1;
  CopyWire(ADD_F, rPath ? ADDR : LZP, 6);
  const int s = seff[0].Value() == 1 ? 1 : 0;
  const int n = norm_FPSUM[0].Value() == 1 ? 1 : 0;
  const int e = ToInteger16(UnsignedValue(E));
  const int a = ToInteger16(UnsignedValue(ADD_F));
  const int v = rPath ? e + a - s : e - a - s + n;
  NumberToWire(v, E_final, 0, 10);  // the 11 low bits, never clamped; Overflow beyond 16 bits
}

}  // namespace sumaris
