#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 9: the aligned small significand FSOPA. For an exponent difference
// of 64 or more (IS_BIG) the shifter's amount would not fit; the operand
// then goes below bit 62, where it can only set the sticky bit, with seff
// above it. Otherwise the shifter's result passes.
class R1BigMux final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire FSO{this, "FSO", "FSO[0:53]", 0, 53};
  Wire FSOPAmed{this, "FSOPAmed", "FSOPA.med[-1:116]", -1, 116};
  Wire IS_BIG{this, "IS_BIG", "IS_BIG", 0, 0};
  Wire seff{this, "seff", "S.EFF^64", 0, 0};
  Wire FSOPA{this, "FSOPA", "FSOPA[-1:116]", -1, 116};
};

}  // namespace sumaris
