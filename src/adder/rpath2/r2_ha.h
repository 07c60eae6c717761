#pragma once

#include <cstdint>

#include "adder/adder_stage.h"

namespace sumaris {

// Step 12: 54 half adders over bits -1..52 of FSOPA and FLP. The sum of bit
// 52 is not a cell but the member SumBit52, read by the rounding decision.
class R2HA final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;
  void GetInputs() {}  // does nothing

  Wire FSOPA{this, "FSOPA", "FSOPA[-1:52]", -1, 52};
  Wire FLP{this, "FLP", "FLP[-1:52]", -1, 52};
  Wire XSUM{this, "XSUM", "XSUM[-1:52]", -1, 51};  // bit 52's sum is SumBit52
  Wire XCARRY{this, "XCARRY", "XCARRY[-1:51]", -1, 51};
  std::int16_t SumBit52 = 0;
};

}  // namespace sumaris
