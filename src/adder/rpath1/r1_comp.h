#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 3: the effective operation. Adding operands of opposite signs, or
// subtracting operands of equal signs, subtracts their magnitudes: seff = 1.
// A subtraction adds the one's complement of the small significand and
// supplies the +1 of the two's complement later, in the injection addition.
// Both significands are complemented here, since only the swap stages know
// which one is small; the large one is taken from the operands as entered.
class R11Comp final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire Sa{this, "Sa", "SA", 0, 0};
  Wire SB{this, "SB", "SB", 0, 0};
  Wire SOP{this, "SOP", "SOP", 0, 0};      // 0 add, 1 subtract
  Wire seff{this, "seff", "S.EFF", 0, 0};  // 1 = effective subtraction
  Wire Fa{this, "Fa", "FA[0:52]", 0, 52};
  Wire FB{this, "FB", "FB[0:52]", 0, 52};
  Wire FAO{this, "FAO", "FAO[0:52]", 0, 52};
  Wire FBO{this, "FBO", "FBO[0:52]", 0, 52};
};

}  // namespace sumaris
