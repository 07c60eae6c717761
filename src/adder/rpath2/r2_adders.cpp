// Steps 12 to 14: half adders, compound adder, injection addition.
#include "adder/adder.h"
#include "adder/rpath2/r2_compound.h"
#include "adder/rpath2/r2_ha.h"
#include "adder/rpath2/r2_sigadd.h"
#include "core/wire_routines.h"

namespace sumaris {

void R2HA::Pull() {
  const Wire& fsopa = adder().r1BigMux.FSOPA;
  for (int p = 0; p <= 53; ++p)
    FSOPA[p] = fsopa[p];
  CopyWire(FLP, adder().r1ShiftL.FLP, 54);
}

void R2HA::Calculate() {
  auto a = [this](int p) { return FSOPA[p].LeadingInt(); };
  auto b = [this](int p) { return FLP[p].LeadingInt(); };
  for (int i = 52; i >= 1; --i) {
    XSUM[i].SetNumber(a(i) ^ b(i));
    XCARRY[i - 1].SetNumber(a(i) + b(i) == 2 ? 1 : 0);
  }
  SumBit52 = static_cast<std::int16_t>(a(53) ^ b(53));
  XSUM[0].SetNumber(a(0) ^ b(0));
  XCARRY[52].SetNumber(0);
  if (a(53) + b(53) == 2) XCARRY[52].SetNumber(1);
}

void R2Compound::Pull() {
  CopyWire(XSUM, adder().r2HA.XSUM, 53);  // cell 53 (bit 52) is left alone
  CopyWire(XCARRY, adder().r2HA.XCARRY, 53);
}

void R2Compound::Calculate() {
  AddWires(XSUM, XCARRY, 52, 0, FPOSUMI, 1);
  AddWires(XSUM, XCARRY, 52, 0, FPOSUM, 0);
}

std::int16_t R2Sigadd::HAsum(int a, int b, int cin, int z) {
  return static_cast<std::int16_t>(a ^ b ^ cin ^ z);
}

std::int16_t R2Sigadd::HAcarry(int a, int b, int cin, int z) {
  return a + b + cin + z >= 2 ? 1 : 0;
}

void R2Sigadd::Pull() {
  const Wire& fsopa = adder().r1BigMux.FSOPA;
  for (int p = 0; p <= 62; ++p)
    FSOPA[p] = fsopa[p + 55];
  seff[0] = adder().r11Comp.seff[0];
  FSOPA53[0] = fsopa[54];
  adder().input.SetINJ();
  INJ[0] = adder().input.INJ[0];
  INJ[1] = adder().input.INJ[1];
}

void R2Sigadd::Calculate() {
  // Bit 53 is read from the big mux itself, not from this window's copy.
  const int x = static_cast<int>(adder().r1BigMux.FSOPA[54].LeadingInt());
  const int i0 = static_cast<int>(INJ[0].LeadingInt());
  const int i1 = static_cast<int>(INJ[1].LeadingInt());

  OrOut[0] = "0";
  for (int p = 0; p <= 62; ++p) {
    if (FSOPA[p].text() != seff[0].text()) {
      OrOut[0] = "1";
      break;
    }
  }

  auto any = [this](long long bit) {
    for (int p = 0; p <= 62; ++p) {
      if (FSOPA[p].LeadingInt() == bit) return 1;
    }
    return 0;
  };

  int s = 0;
  int t = 0;
  if (seff[0].Value() == 0) {
    s = any(1);  // sticky of bits 54..116
  } else {
    s = any(0);  // the complemented low part is not all ones
    t = 1 - s;   // the +1 of the two's complement reaches bit 53
  }
  const int c = HAcarry(s, i1, 0, 0);
  C52RS[2].SetNumber(HAsum(s, i1, 0, 0));
  C52RS[1].SetNumber(HAsum(x, i0, c, t));
  C52RS[0].SetNumber(HAcarry(x, i0, c, t));
}

}  // namespace sumaris
