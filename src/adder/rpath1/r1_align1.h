#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 4: widens both significands by one position: A one to the left in an
// effective subtraction (fill 1), B one to the right in an addition (fill 0).
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
