// Steps 1 and 2: the exponent difference D = EA - EB - 1.
#include "adder/adder.h"
#include "adder/rpath1/r1_large.h"
#include "adder/rpath1/r1_medium.h"
#include "core/wire_routines.h"

namespace sumaris {

void R1Medium::Pull() {
  const OperandEntry& in = adder().input;
  CopyBoxes(Ea, in.Ea, 0, 6);
  CopyBoxes(EB, in.EB, 0, 6);
}

void R1Medium::Calculate() {
  InvertWire(EB, 7, EB_INV);
  // Ripple from bit 0 upward over bits 0..5 into DELTA[5:0] ...
  long long c = 0;
  for (int bit = 0; bit <= 5; ++bit) {
    const long long a = Ea.Bit(bit).LeadingInt();
    const long long b = EB_INV.Bit(bit).LeadingInt();
    DELTA.Bit(bit).SetNumber(a ^ b ^ c);
    c = (a + b + c >= 2) ? 1 : 0;
  }
  // ... and bit 6 gives the sign of the low sum and the carry out.
  const long long a6 = Ea.Bit(6).LeadingInt();
  const long long b6 = EB_INV.Bit(6).LeadingInt();
  SIGN_MED[0].SetNumber(a6 ^ b6 ^ c);
  Cout[0] = (a6 + b6 + c >= 2) ? "1" : "0";
  XorWireBit(DELTA, SIGN_MED, 6, MAG_MED);
  OrReduce(MAG_MED, 5, RES_MED);  // the first five cells, bits 5..1; bit 0 does not enter
}

void R1Large::Pull() {
  const OperandEntry& in = adder().input;
  CopyBoxes(Ea, in.Ea, 7, 10);
  CopyBoxes(EB, in.EB, 7, 10);
  CIN[0] = adder().r1Medium.Cout[0];
  SIGN_MED[0] = adder().r1Medium.SIGN_MED[0];
}

void R1Large::Calculate() {
  InvertWire(EB, 4, EB_INV);
  OEB_INV[0].SetNumber(1 - OEB[0].LeadingInt());
  // Bits 7 up to 10 with the low part's carry; the carry out lands in SIGN_BIG.
  AddWires(Ea, EB_INV, Ea.Position(7), Ea.Position(10), DELTA, CIN[0], &SIGN_BIG);
  // Bit 11 of (0,EA) + (1,not EB): the carry xor the inverted leading 0 of EB.
  SIGN_BIG[0].SetNumber(SIGN_BIG[0].LeadingInt() ^ OEB_INV[0].LeadingInt());
  XorWireBit(DELTA, SIGN_BIG, 4, MAG_LRG);
  MAG_LRG.Bit(6).SetNumber(SIGN_MED[0].LeadingInt() ^ SIGN_BIG[0].LeadingInt());
  OrReduce(MAG_LRG, 5, IS_BIG);
}

}  // namespace sumaris
