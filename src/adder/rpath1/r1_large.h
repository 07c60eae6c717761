#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 2: high part of the exponent difference, bits 10..7 and the sign bit
// 11 of D = EA - EB - 1, the magnitude bits 10..6 and IS_BIG.
class R1Large final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire OEA{this, "OEA", "", 11, 11};  // constant "0", never written
  Wire Ea{this, "Ea", "0,EA[10:7]", 10, 7};
  Wire OEB{this, "OEB", "", 11, 11};  // constant "0", never written
  Wire EB{this, "EB", "0,EB[10:7]", 10, 7};
  Wire OEB_INV{this, "OEB_INV", "", 11, 11};  // hidden: inverse of OEB
  Wire EB_INV{this, "EB_INV", "", 10, 7};     // hidden: inverse of EB
  Wire CIN{this, "CIN", "Carry in  ", 7, 7};  // carry from R1Medium
  Wire SIGN_MED{this, "SIGN_MED", "SIGN_MED", 6, 6};
  Wire DELTA{this, "DELTA", "DELTA[11:7]", 10, 7};
  Wire SIGN_BIG{this, "SIGN_BIG", "SIGN_BIG", 11, 11};
  Wire MAG_LRG{this, "MAG_LRG", "MAG_LRG[10:6]", 10, 6};
  Wire IS_BIG{this, "IS_BIG", "IS_BIG", 0, 0};
};

}  // namespace sumaris
