// Steps 1 and 2: the exponent difference D = EA - EB - 1.
#include "adder/adder.h"
#include "adder/rpath1/r1_large.h"
#include "adder/rpath1/r1_medium.h"
#include "core/wire_routines.h"

namespace sumaris {

void R1Medium::Pull() {
  const OperandEntry& in = adder().input;
  for (int bit = 0; bit <= 6; ++bit) {
    Ea.Bit(bit) = in.Ea[static_cast<std::size_t>(bit)];
    EB.Bit(bit) = in.EB[static_cast<std::size_t>(bit)];
  }
}

void R1Medium::Calculate() {
  InvertWire(EB, 7, EB_INV);
  // Ripple from bit 0 (cell 6) upward over bits 0..5 into DELTA[5:0] ...
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
  OrReduce(MAG_MED, 5, RES_MED);  // MAG_MED[5:1]; bit 0 does not enter
}

void R1Large::Pull() {
  const OperandEntry& in = adder().input;
  for (int bit = 7; bit <= 10; ++bit) {
    Ea.Bit(bit) = in.Ea[static_cast<std::size_t>(bit)];
    EB.Bit(bit) = in.EB[static_cast<std::size_t>(bit)];
  }
  CIN[0] = adder().r1Medium.Cout[0];
  SIGN_MED[0] = adder().r1Medium.SIGN_MED[0];
}

void R1Large::Calculate() {
  InvertWire(EB, 4, EB_INV);
  OEB_INV[0].SetNumber(1 - OEB[0].LeadingInt());
  // Bits 7..10 from the last cell to the first; the carry out lands in SIGN_BIG.
  AddWires(Ea, EB_INV, 3, 0, DELTA, CIN[0], &SIGN_BIG);
  // Bit 11 of (0,EA) + (1,not EB): the carry xor the inverted leading 0 of EB.
  SIGN_BIG[0].SetNumber(SIGN_BIG[0].LeadingInt() ^ OEB_INV[0].LeadingInt());
  XorWireBit(DELTA, SIGN_BIG, 4, MAG_LRG);
  MAG_LRG.Bit(6).SetNumber(SIGN_MED[0].LeadingInt() ^ SIGN_BIG[0].LeadingInt());
  OrReduce(MAG_LRG, 5, IS_BIG);
}

}  // namespace sumaris
