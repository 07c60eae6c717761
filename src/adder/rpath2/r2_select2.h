#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 18: the result's last bit, F.FAR[52], by RINC from the two bits that
// R2Decide fixed for overflow and ties, not from the candidate itself.
class R2Select2 final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;
  void GetInputs() {}  // does nothing

  Wire LSBINC{this, "LSBINC", "LSB(inc)", 52, 52};
  Wire LSBNINC{this, "LSBNINC", "LSB(ninc)", 52, 52};
  Wire RINC{this, "RINC", "RINC", 0, 0};
  Wire FFAR52{this, "FFAR52", "F.FAR[52]", 52, 52};
};

}  // namespace sumaris
