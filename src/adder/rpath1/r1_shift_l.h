#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 10: the large significand FLP: one bit to the left in an effective
// subtraction, to match the pre-shift of R1Align1; the fill is always 0,
// since the large significand is never complemented.
class R1ShiftL final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire FL{this, "FL", "FL[0:52]", 0, 52};
  Wire seff{this, "seff", "S.EFF", 0, 0};
  Wire FLP{this, "FLP", "FLP[-1:52]", -1, 52};
};

}  // namespace sumaris
