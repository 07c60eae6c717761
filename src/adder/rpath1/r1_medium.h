#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 1: the low half of the exponent difference. Aligning the operands
// needs |EA - EB|. The block does not subtract: it adds EA and the inverse of
// EB with no carry in, which gives D = EA - EB - 1, and inverts the bits of a
// negative D. That magnitude, MAG_MED, is EA - EB - 1 when EA > EB and
// EB - EA otherwise, with no carry-propagating negation; the pre-shifts of
// R1Align1 and R1ShiftL make up the missing 1 of the first case. MAG_MED is
// the alignment shifter's amount; RES_MED, a 1 among its bits 5..1, tells
// R1IsR1 that the exponents are at least two apart.
class R1Medium final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire Ea{this, "Ea", "EA[6:0]", 6, 0};
  Wire EB{this, "EB", "EB[6:0]", 6, 0};
  Wire EB_INV{this, "EB_INV", "", 6, 0};              // hidden: inverse of EB
  Wire DELTA{this, "DELTA", "DELTA[6:0]", 5, 0};      // low 6 bits of the sum
  Wire SIGN_MED{this, "SIGN_MED", "SIGN_MED", 6, 6};  // bit 6 of the sum
  Wire Cout{this, "Cout", "Cout", 7, 7};              // carry out of the 7-bit sum
  Wire MAG_MED{this, "MAG_MED", "MAG_MED[5:0]", 5, 0};
  Wire RES_MED{this, "RES_MED", "RES_MED", 0, 0};  // OR of MAG_MED[5:1]
};

}  // namespace sumaris
