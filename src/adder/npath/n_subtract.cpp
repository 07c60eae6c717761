// Steps 21 to 23: parallel-prefix subtraction, leading-zero anticipation,
// normalisation.
#include "adder/adder.h"
#include "adder/npath/n_approx.h"
#include "adder/npath/n_post.h"
#include "adder/npath/n_sigadd.h"
#include "core/errors.h"
#include "core/wire_routines.h"

namespace sumaris {

// ---- NSigadd

void NSigadd::Pull() {
  CopyWire(FLP, adder().nSmallExp.FLP, 53);
  CopyWire(FSOPA, adder().nSmallSig.FSOPA, 54);
}

int NSigadd::Operator(int leftOp, int rightOp) {
  switch (leftOp) {
    case 1:
      return rightOp;  // propagate passes the less significant status
    case 2:
      return 2;  // generate
    default:
      return 0;  // kill
  }
}

void NSigadd::CalcSigma() {
  Sigma.Bit(-2) = "1";  // FLP extended by 0, FSOPA by 1
  for (int j = -1; j <= 51; ++j) {
    const int f = FLP.Bit(j).LeadingInt();
    const int x = FSOPA.Bit(j).LeadingInt();
    Sigma.Bit(j).SetNumber(f + x);
  }
  Sigma.Bit(52) = FSOPA.Bit(52);  // FLP has no bit 52
}

void NSigadd::CalcPIE() {
  PIE.Bit(52) = Sigma.Bit(52);
  for (int j = 51; j >= -2; --j)
    PIE.Bit(j).SetNumber(Operator(Sigma.Bit(j).LeadingInt(), PIE.Bit(j + 1).LeadingInt()));
}

void NSigadd::Calculate() {
  CalcSigma();
  CalcPIE();
  P.Bit(-2) = Sigma.Bit(-2).LeadingInt() == 1 ? "1" : "0";
  gen_c.Bit(-2) = PIE.Bit(-1).LeadingInt() == 2 ? "1" : "0";
  for (int j = -1; j <= 51; ++j) {
    P.Bit(j) = Sigma.Bit(j).LeadingInt() == 1 ? "1" : "0";
    gen_c.Bit(j) = PIE.Bit(j + 1).LeadingInt() == 2 ? "1" : "0";
    prop_c.Bit(j) = PIE.Bit(j + 1).LeadingInt() == 1 ? "1" : "0";
  }
  prop_c.Bit(52) = "1";  // the carry-in enters the least significant bit
  P.Bit(52) = Sigma.Bit(52);
  XnorWires(P, gen_c, 55, my_XNOR);  // one's complement of FLP + FSOPA
  for (int j = -1; j <= 52; ++j)
    GP_C.Bit(j).SetNumber(prop_c.Bit(j).LeadingInt() | gen_c.Bit(j).LeadingInt());
  for (int j = -1; j <= 52; ++j)
    my_xor.Bit(j).SetNumber(P.Bit(j).LeadingInt() ^ GP_C.Bit(j).LeadingInt());
  Fopsum2[0] = my_XNOR.Bit(-2);
  if (Fopsum2[0].Is('1')) {
    CopyWire(abs_FPSUM, my_xor, 54);  // FLP - x
  } else {
    CopyBits(abs_FPSUM, my_XNOR, -1, 52);  // x - FLP
  }
}

// ---- NApprox

void NApprox::Pull() {
  CopyWire(FSOPA, adder().nSmallSig.FSOPA, 54);
  CopyWire(FLP, adder().nSmallExp.FLP, 53);
  FOPSUM[0] = adder().nSigadd.Fopsum2[0];
}

void NApprox::Calculate() {
  PC_i.Bit(51) = "0";  // no borrow comes from bit 52
  for (int j = 51; j >= -1; --j) {
    const int complement = FSOPA.Bit(j).LeadingInt();
    const int x = 1 - complement;
    const int f = FLP.Bit(j).LeadingInt();
    PS_i.Bit(j).SetNumber(x ^ f);
    PC_i.Bit(j - 1).SetNumber(x == 1 && f == 0 ? 1 : 0);
  }
  PS_i.Bit(-2) = "0";
  PNP.Bit(52) = "0";
  for (int k = 51; k >= -1; --k) {
    const int u = PS_i.Bit(k).LeadingInt();
    const int w = PC_i.Bit(k).LeadingInt();
    PNM.Bit(k).SetNumber(u ^ w);
    PNP.Bit(k - 1).SetNumber(u == 1 && w == 0 ? 1 : 0);
  }
  PNM.Bit(-2) = "0";
  XorWires(PNM, PNP, 55, XOR55);

  // The zeros of XOR55 from bit `from` down to the first one, or `none`.
  auto leadingZeros = [this](int from, int none) {
    for (int bit = from; bit <= 52; ++bit) {
      if (XOR55.Bit(bit).Is('1')) return bit - from;
    }
    return none;
  };
  NumberToWire(leadingZeros(-1, 54), LZP1, 0, 5);
  NumberToWire(leadingZeros(-2, 55), LZP2, 0, 5);
  MuxWires(LZP1, LZP2, 6, FOPSUM, LZP);
}

// ---- NPost

void NPost::Pull() {
  CopyWire(LZP, adder().nApprox.LZP, 6);
  CopyWire(abs_FPSUM, adder().nSigadd.abs_FPSUM, 54);
  IS_R2[0] = abs_FPSUM.Bit(-1);
}

void NPost::Calculate() {
  const double amount = UnsignedValue(LZP);
  if (amount < 0 || amount != static_cast<int>(amount)) throw StageError("Subscript out of range");
  ShiftBits(norm_FPSUM, abs_FPSUM, -static_cast<int>(amount), "0");
  sel[0] = norm_FPSUM.Bit(-1);
  // Leading one at bit -1: one bit to the right; otherwise bits 0..52 as they are.
  ShiftBits(F_NEAR, norm_FPSUM, sel[0].Value() == 1 ? 1 : 0);
}

}  // namespace sumaris
