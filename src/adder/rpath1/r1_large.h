#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 2: the high half of D = EA - EB - 1: bits 10..7 with the carry of
// R1Medium, and bit 11, SIGN_BIG, the sign of the whole difference: 0 exactly
// when EA > EB, so it names the large operand. The magnitude bits 10..6 say
// whether |D| reaches 64, too far for the 6-bit shifter: IS_BIG, upon which
// the big mux places the small operand where it can only set the sticky bit.
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
