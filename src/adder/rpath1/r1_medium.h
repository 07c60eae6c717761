#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 1: low part of the exponent difference. Adds EA[6:0] and the inverse
// of EB[6:0] with no carry in, so the sum is D = EA - EB - 1 (low 7 bits).
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
