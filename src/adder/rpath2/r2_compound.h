#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 13: the compound adder: XSUM + XCARRY over bits -1..51, at once with
// carry-in 0 (FPOSUM) and with carry-in 1 (FPOSUMI). Rounding adds at most
// one unit at bit 51, so with both sums ready it becomes a choice between
// them (RINC) instead of a second carry-propagating addition.
class R2Compound final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire XSUM{this, "XSUM", "XSUM[-1:52]", -1, 52};  // cell 53 (bit 52) is never pulled
  Wire XCARRY{this, "XCARRY", "XCARRY[-1:51]", -1, 51};
  Wire FPOSUM{this, "FPOSUM", "FPOSUM[-1:51]", -1, 51};
  Wire FPOSUMI{this, "FPOSUMI", "FPOSUMI[-1:51]", -1, 51};
};

}  // namespace sumaris
