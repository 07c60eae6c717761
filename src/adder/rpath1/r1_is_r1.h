#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 11: IS_R1, the exponents are two or more apart. A subtraction then
// cancels at most one leading bit, which the R path's pre-shift absorbs;
// closer exponents can cancel many bits and are the N path's case. It is
// RES_MED, IS_BIG, or bit 0 of MAG_MED when A is the larger operand
// (EA = EB + 2 gives MAG_MED = 1).
class R1IsR1 final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire MAG_MED{this, "MAG_MED", "MAG_MED[0]", 0, 0};
  Wire SIGN_BIG_N{this, "SIGN_BIG_N", "not(SIGN_BIG)", 0, 0};
  Wire AND_res{this, "AND_res", "", 0, 0};  // output of the AND block
  Wire RIGHT_OR{this, "RIGHT_OR", "RIGHT_OR", 0, 0};
  Wire IS_BIG{this, "IS_BIG", "IS_BIG", 0, 0};
  Wire IS_R1{this, "IS_R1", "IS_R1", 0, 0};
};

}  // namespace sumaris
