#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 23: normalisation: shift left by LZP, then the one-position
// correction when the prediction was one short.
class NPost final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire abs_FPSUM{this, "abs_FPSUM", "abs_FPSUM[-1:52]", -1, 52};
  Wire LZP{this, "LZP", "LZP[5:0]", 5, 0};
  Wire IS_R2{this, "IS_R2", "IS_R2", 0, 0};
  Wire norm_FPSUM{this, "norm_FPSUM", "norm_FPSUM[-1:52]", -1, 52};
  Wire sel{this, "sel", "[-1]", -1, -1};
  Wire F_NEAR{this, "F_NEAR", "F_NEAR[0:52]", 0, 52};
};

}  // namespace sumaris
