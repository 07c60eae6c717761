#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 16: both candidate sums normalised: one whose overflow bit -1 is set
// moves one bit to the right, so that bit 0 holds the leading one. The bit
// that falls off, 51, is the last bit that R2Decide rounded for this case.
class R2Post final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire FPOSUM{this, "FPOSUM", "FPOSUM[-1:51]", -1, 51};
  Wire FPOSUMI{this, "FPOSUMI", "FPOSUMI[-1:51]", -1, 51};
  Wire FPOSUM_s{this, "FPOSUM_s", "FPOSUM_s[0:51]", 0, 51};
  Wire FPOSUMI_s{this, "FPOSUMI_s", "FPOSUMI_s[0:51]", 0, 51};
};

}  // namespace sumaris
