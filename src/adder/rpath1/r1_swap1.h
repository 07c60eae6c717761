#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 5: the small operand for the alignment shifter: B when EA > EB
// (SIGN_MED = 0), otherwise A. In the 55-bit FSOP it keeps its bit weights;
// the one bit it does not cover, above or below it, takes seff, which
// continues a one's complement (1) or a plain number (0).
class R1Swap1 final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire FAOP{this, "FAOP", "FAOP[-1:52]", -1, 52};
  Wire FBOP{this, "FBOP", "FBOP[0:53]", 0, 53};
  Wire seff{this, "seff", "S.EFF", 0, 0};
  Wire SIGN_MED{this, "SIGN_MED", "SIGN_MED", 6, 6};
  Wire FSOP{this, "FSOP", "FSOP[-1:53]", -1, 53};
};

}  // namespace sumaris
