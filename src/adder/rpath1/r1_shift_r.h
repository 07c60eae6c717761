#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 8: the alignment shifter. The small significand moves right by
// MAG_MED (0 .. 63 bits) into a row wide enough to keep every bit it had,
// bits -1..116, so that all bits below the result's last bit are still there
// for the round and sticky bits. The bits it leaves free take seff, which
// continues a one's complement (ones) or a plain number (zeros).
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
