#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 7: the large significand FL and its sign SL, picked by SIGN_BIG from
// the operands as entered: the large operand is never complemented, since the
// complement of the small one is what makes the addition a subtraction. SL is
// shown only; the result's sign comes from the operand entry's SetINJ.
class R1Swap3 final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire Fa{this, "Fa", "FA[0:52]", 0, 52};
  Wire FB{this, "FB", "FB[0:52]", 0, 52};
  Wire Sa{this, "Sa", "SA", 0, 0};
  Wire SB{this, "SB", "SB", 0, 0};
  Wire SIGN_BIG{this, "SIGN_BIG", "SIGN_BIG", 11, 11};
  Wire FL{this, "FL", "FL[0:52]", 0, 52};
  Wire SL{this, "SL", "SL", 0, 0};
};

}  // namespace sumaris
