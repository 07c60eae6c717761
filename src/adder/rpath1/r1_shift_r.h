#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 8: the alignment shift of the small significand by MAG_MED (0 .. 63)
// into 118 cells, every uncovered position filled with seff.
class R1ShiftR final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire FSOP{this, "FSOP", "FSOP[-1:53]", -1, 53};
  Wire MAG_MED{this, "MAG_MED", "MAG_MED[5:0]", 5, 0};
  Wire seff{this, "seff", "SEFF", 0, 0};
  Wire FSOPAmed{this, "FSOPAmed", "FSOPA.med[-1:116]", -1, 116};
};

}  // namespace sumaris
