#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 19: from the two low exponent bits, which operand is larger; its
// significand goes on pre-shifted one position left (FLP = 2 x F).
class NSmallExp final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire Ea{this, "Ea", "EA[1:0]", 1, 0};
  Wire EB{this, "EB", "EB[1:0]", 1, 0};
  Wire EB_n{this, "EB_n", "", 1, 0};  // hidden: inverted EB
  // d = (EA - EB) mod 4; cell 0 holds bit 1, cell 1 holds bit 0.
  Wire DELTA{this, "DELTA", "DELTA[1:0]", 1, 0};
  Wire Sa{this, "Sa", "SA", 0, 0};
  Wire SB{this, "SB", "SB", 0, 0};
  Wire SL{this, "SL", "SL", 0, 0};
  Wire Fa{this, "Fa", "FA[0:52]", 0, 52};
  Wire FB{this, "FB", "FB[0:52]", 0, 52};
  Wire FLP{this, "FLP", "FLP[-1:51]", -1, 51};
  Wire c_in{this, "c_in", "C", 0, 0, "1"};  // the adder's fixed carry-in
};

}  // namespace sumaris
