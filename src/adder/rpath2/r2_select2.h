#pragma once

#include <cstdint>

#include "adder/adder_stage.h"

namespace sumaris {

// Step 18: F.FAR[52], the least significant bit, by RINC.
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
