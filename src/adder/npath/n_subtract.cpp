// Steps 21 to 23: parallel-prefix subtraction, leading-zero anticipation,
// normalisation.
#include "adder/adder.h"
#include "adder/npath/n_approx.h"
#include "adder/npath/n_post.h"
#include "adder/npath/n_sigadd.h"
#include "core/errors.h"
#include "core/wire_routines.h"

namespace sumaris {

// ---- NSigadd: bit j of a [-2:52] wire is cell j + 2, of a [-1:..] wire j + 1.

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
  Sigma[0] = "1";  // bit -2: FLP extended by 0, FSOPA by 1
  for (int j = -1; j <= 51; ++j) {
    const int f = FLP[j + 1].LeadingInt();
    const int x = FSOPA[j + 1].LeadingInt();
    Sigma[j + 2].SetNumber(f + x);
  }
  Sigma[54] = FSOPA[53];  // FLP has no bit 52
}

void NSigadd::CalcPIE() {
  PIE[54] = Sigma[54];
  for (int j = 51; j >= -2; --j)
    PIE[j + 2].SetNumber(Operator(Sigma[j + 2].LeadingInt(), PIE[j + 3].LeadingInt()));
}

void NSigadd::Calculate() {
  CalcSigma();
  CalcPIE();
  P[0] = Sigma[0].LeadingInt() == 1 ? "1" : "0";
  gen_c[0] = PIE[1].LeadingInt() == 2 ? "1" : "0";
  for (int j = -1; j <= 51; ++j) {
    P[j + 2] = Sigma[j + 2].LeadingInt() == 1 ? "1" : "0";
    gen_c[j + 2] = PIE[j + 3].LeadingInt() == 2 ? "1" : "0";
    prop_c[j + 1] = PIE[j + 3].LeadingInt() == 1 ? "1" : "0";
  }
  prop_c[53] = "1";  // the carry-in enters the least significant bit
  P[54] = Sigma[54];
  XnorWires(P, gen_c, 55, my_XNOR);  // one's complement of FLP + FSOPA
  for (int i = 0; i <= 53; ++i)
    GP_C[i].SetNumber(prop_c[i].LeadingInt() | gen_c[i + 1].LeadingInt());
  for (int i = 0; i <= 53; ++i)
    my_xor[i].SetNumber(P[i + 1].LeadingInt() ^ GP_C[i].LeadingInt());
  Fopsum2[0] = my_XNOR[0];
  if (Fopsum2[0].Is('1')) {
    CopyWire(abs_FPSUM, my_xor, 54);  // FLP - x
  } else {
    for (int i = 0; i <= 53; ++i)
      abs_FPSUM[i] = my_XNOR[i + 1];  // x - FLP
  }
}

// ---- NApprox

void NApprox::Pull() {
  CopyWire(FSOPA, adder().nSmallSig.FSOPA, 54);
  CopyWire(FLP, adder().nSmallExp.FLP, 53);
  FOPSUM[0] = adder().nSigadd.Fopsum2[0];
}

void NApprox::Calculate() {
  PC_i[53] = "0";  // PC_i[51]: no borrow comes from bit 52
  for (int j = 51; j >= -1; --j) {
    const int xc = FSOPA[j + 1].LeadingInt();
    const int x = 1 - xc;
    const int f = FLP[j + 1].LeadingInt();
    PS_i[j + 2].SetNumber(x ^ f);
    PC_i[j + 1].SetNumber(x == 1 && f == 0 ? 1 : 0);
  }
  PS_i[0] = "0";
  PNP[54] = "0";
  for (int k = 51; k >= -1; --k) {
    const int u = PS_i[k + 2].LeadingInt();
    const int w = PC_i[k + 2].LeadingInt();
    PNM[k + 2].SetNumber(u ^ w);
    PNP[k + 1].SetNumber(u == 1 && w == 0 ? 1 : 0);
  }
  PNM[0] = "0";
  XorWires(PNM, PNP, 55, XOR55);

  auto leadingZeros = [this](int fromCell, int none) {
    for (int c = fromCell; c <= 54; ++c) {
      if (XOR55[c].Is('1')) return c - fromCell;
    }
    return none;
  };
  NumberToWire(leadingZeros(1, 54), LZP1, 0, 5);
  NumberToWire(leadingZeros(0, 55), LZP2, 0, 5);
  MuxWires(LZP1, LZP2, 6, FOPSUM, LZP);
}

// ---- NPost

void NPost::Pull() {
  CopyWire(LZP, adder().nApprox.LZP, 6);
  CopyWire(abs_FPSUM, adder().nSigadd.abs_FPSUM, 54);
  IS_R2[0] = abs_FPSUM[0];
}

void NPost::Calculate() {
  const double amount = WireToNumber(LZP, 0, 5, 1, 2);
  if (amount < 0 || amount != static_cast<int>(amount)) throw StageError("Subscript out of range");
  const int s = static_cast<int>(amount);
  for (int i = 0; i <= 53 - s; ++i)
    norm_FPSUM[i] = abs_FPSUM[i + s];
  for (int i = std::max(54 - s, 0); i <= 53; ++i)
    norm_FPSUM[i] = "0";
  sel[0] = norm_FPSUM[0];
  if (sel[0].Value() == 1) {
    CopyWire(F_NEAR, norm_FPSUM, 53);  // leading one at bit -1: one to the right
  } else {
    for (int i = 1; i <= 53; ++i)
      F_NEAR[i - 1] = norm_FPSUM[i];
  }
}

}  // namespace sumaris
