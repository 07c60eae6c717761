#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 17: bits 0..51 of the R path's result, F.FAR, from the candidate that
// RINC chose.
class R2Select1 final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;
  void GetInputs() {}  // does nothing

  Wire FPOSUM_s{this, "FPOSUM_s", "FPOSUM_s[0:51]", 0, 51};
  Wire FPOSUMI_s{this, "FPOSUMI_s", "FPOSUMI_s[0:51]", 0, 51};
  Wire RINC{this, "RINC", "RINC", 0, 0};
  Wire FFAR{this, "FFAR", "F.FAR[0:51]", 0, 51};
};

}  // namespace sumaris
