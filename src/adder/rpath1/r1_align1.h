#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 4: the one-bit pre-shift that goes with D = EA - EB - 1. In an
// addition B moves one bit to the right, which makes up the 1 that D lacks
// when A is the larger operand. In a subtraction A moves one bit to the left
// instead, as does the large significand (R1ShiftL): a difference of operands
// two or more exponents apart may lose its leading bit, and taken one bit
// further left it lies in [1, 4) like a sum, so the rest of the R path rounds
// both alike (the path decision takes the 1 off the exponent). The bit left
// free reads 1 in a subtraction, so that a complement stays a one's
// complement, and 0 in an addition.
class R1Align1 final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire FAO{this, "FAO", "FAO[0:52]", 0, 52};
  Wire FBO{this, "FBO", "FBO[0:52]", 0, 52};
  Wire seff{this, "seff", "S.EFF", 0, 0};
  Wire FAOP{this, "FAOP", "FAOP[-1:52]", -1, 52};
  Wire FBOP{this, "FBOP", "FBOP[0:53]", 0, 53};
};

}  // namespace sumaris
