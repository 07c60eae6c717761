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
  norm_FPSUM[0] = adder().nPost.norm_FPSUM[0];
  FPOSUM[0] = adder().r2Post.FPOSUM[0];
  FPOSUMI[0] = adder().r2Post.FPOSUMI[0];
  RINC[0] = adder().r2Select2.RINC[0];
  CopyWire(LZP, adder().nPost.LZP, 6);
  const OperandEntry& in = adder().input;
  for (int i = 0; i <= 10; ++i) {
    // SIGN_BIG is read afresh for every bit: E is B's exponent when EA <= EB.
    const bool bLarger = adder().r1Large.SIGN_BIG[0].Value() == 1;
    E[i] = (bLarger ? in.EB : in.Ea)[static_cast<std::size_t>(10 - i)];
  }
  isr1[0] = adder().r1IsR1.IS_R1[0];
  isr2[0] = adder().nPost.IS_R2[0];
  seff[0] = adder().r11Comp.seff[0];
  SIGN_BIG[0] = adder().r1Large.SIGN_BIG[0];
}

void PathDecision::Calculate() {
  IS_R[0].SetNumber((1 - seff[0].LeadingInt()) | isr1[0].LeadingInt() | isr2[0].LeadingInt());
  IS_R1[0] = IS_R[0];
  ADDR[5] = RINC[0].Value() == 1 ? FPOSUMI[0] : FPOSUM[0];
  const bool rPath = IS_R[0].Value() == 1;
  CopyWire(ADD_F, rPath ? ADDR : LZP, 6);
  const int s = seff[0].Value() == 1 ? 1 : 0;
  const int n = norm_FPSUM[0].Value() == 1 ? 1 : 0;
  const int e = ToInteger16(WireToNumber(E, 0, 10, 1, 2));
  const int a = ToInteger16(WireToNumber(ADD_F, 0, 5, 1, 2));
  const int v = rPath ? e + a - s : e - a - s + n;
  NumberToWire(v, E_final, 0, 10);  // the 11 low bits, never clamped; Overflow beyond 16 bits
}

}  // namespace sumaris
