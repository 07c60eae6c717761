// Steps 12 to 14: half adders, compound adder, injection addition.
#include "adder/adder.h"
#include "adder/rpath2/r2_compound.h"
#include "adder/rpath2/r2_ha.h"
#include "adder/rpath2/r2_sigadd.h"
#include "core/wire_routines.h"

namespace sumaris {

void R2HA::Pull() {
  CopyBits(FSOPA, adder().r1BigMux.FSOPA, -1, 52);
  CopyWire(FLP, adder().r1ShiftL.FLP, 54);
}

void R2HA::Calculate() {
  auto a = [this](int bit) { return FSOPA.Bit(bit).LeadingInt(); };
  auto b = [this](int bit) { return FLP.Bit(bit).LeadingInt(); };
  // Each carry goes one bit to the left, where the compound adder adds it.
  for (int bit = 51; bit >= 0; --bit) {
    XSUM.Bit(bit).SetNumber(a(bit) ^ b(bit));
    XCARRY.Bit(bit - 1).SetNumber(a(bit) + b(bit) == 2 ? 1 : 0);
  }
  SumBit52 = static_cast<std::int16_t>(a(52) ^ b(52));
  XSUM.Bit(-1).SetNumber(a(-1) ^ b(-1));
  XCARRY.Bit(51).SetNumber(a(52) + b(52) == 2 ? 1 : 0);  // no carry leaves bit -1
}

void R2Compound::Pull() {
  CopyWire(XSUM, adder().r2HA.XSUM, 53);  // bits -1..51; bit 52 is left alone
  CopyWire(XCARRY, adder().r2HA.XCARRY, 53);
}

void R2Compound::Calculate() {
  // Bit 51 up to bit -1, with carry-in 1 and 0.
  const int lsb = XSUM.Position(51), msb = XSUM.Position(-1);
  AddWires(XSUM, XCARRY, lsb, msb, FPOSUMI, 1);
  AddWires(XSUM, XCARRY, lsb, msb, FPOSUM, 0);
}

std::int16_t R2Sigadd::HAsum(int a, int b, int cin, int z) {
  return static_cast<std::int16_t>(a ^ b ^ cin ^ z);
}

std::int16_t R2Sigadd::HAcarry(int a, int b, int cin, int z) {
  return a + b + cin + z >= 2 ? 1 : 0;
}

void R2Sigadd::Pull() {
  const Wire& fsopa = adder().r1BigMux.FSOPA;
  CopyBits(FSOPA, fsopa, 54, 116);
  seff[0] = adder().r11Comp.seff[0];
  FSOPA53[0] = fsopa.Bit(53);
  adder().input.SetINJ();
  INJ.Bit(0) = adder().input.INJ[0];
  INJ.Bit(1) = adder().input.INJ[1];
}

void R2Sigadd::Calculate() {
  // Bit 53 is read from the big mux itself, not from this stage's copy.
  const int x = static_cast<int>(adder().r1BigMux.FSOPA.Bit(53).LeadingInt());
  const int i0 = static_cast<int>(INJ.Bit(0).LeadingInt());
  const int i1 = static_cast<int>(INJ.Bit(1).LeadingInt());

  // The OR tree as the diagram draws it: some low bit differs from seff, the
  // fill of the alignment. Shown only; the sticky bit below is what counts.
  OrOut[0] = "0";
  for (const Cell& low : FSOPA.cells()) {
    if (low.text() != seff[0].text()) {
      OrOut[0] = "1";
      break;
    }
  }

  // Whether one of bits 54..116 reads `value`.
  auto any = [this](long long value) {
    for (const Cell& low : FSOPA.cells()) {
      if (low.LeadingInt() == value) return 1;
    }
    return 0;
  };

  // The sticky bit s of bits 54..116. In a subtraction they hold a one's
  // complement; the two's complement, one more, has a 1 among them exactly
  // when the complement is not all ones, and otherwise carries into bit 53.
  int s = 0;
  int t = 0;
  if (seff[0].Value() == 0) {
    s = any(1);  // sticky of bits 54..116
  } else {
    s = any(0);  // the complemented low part is not all ones
    t = 1 - s;   // the +1 of the two's complement reaches bit 53
  }
  // (FSOPA[53], s) + (INJ[0], INJ[1]) + t at bit 53, the carry going into
  // bit 52. With t = 1, s is 0 and so is c: never more than three ones meet
  // at bit 53, so the half-adder functions serve as a full adder.
  const int c = HAcarry(s, i1, 0, 0);
  C52RS.Bit(54).SetNumber(HAsum(s, i1, 0, 0));    // S'
  C52RS.Bit(53).SetNumber(HAsum(x, i0, c, t));    // R'
  C52RS.Bit(52).SetNumber(HAcarry(x, i0, c, t));  // C[52]
}

}  // namespace sumaris
