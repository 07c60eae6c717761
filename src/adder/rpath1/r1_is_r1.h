#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 11: IS_R1, the exponents differ by at least two.
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
