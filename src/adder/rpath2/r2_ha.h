#pragma once

#include <cstdint>

#include "adder/adder_stage.h"

namespace sumaris {

// Step 12: a row of half adders turns the two significands into a sum row and
// a carry row, each carry moved one bit to the left where it is added. The
// compound adder behind it then only adds bits -1..51; the half sum of bit 52
// (the member SumBit52, a number rather than a cell) stays apart for the
// rounding decision, which decides the carry out of bit 52.
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
