#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 23: normalisation. abs_FPSUM moves left by the predicted count LZP,
// which brings its leading one to bit -1, or to bit 0 when the count fell one
// short. A last one-bit shifter looks at bit -1 and, when it is set, moves the
// row one bit right, so that F_NEAR[0:52] always starts with the leading one.
// IS_R2 passes on bit -1 of the difference itself: a difference that large
// cancelled nothing and may need rounding, which only the R path does.
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
