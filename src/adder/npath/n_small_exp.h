#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 19: the N path takes effective subtractions whose exponents are at
// most one apart, where the difference can lose many leading bits. The two
// low exponent bits then tell which operand is larger: d = (EA - EB) mod 4
// is 0 or 1 when A is at least as large, 3 when B is larger. The larger
// significand goes on doubled, FLP = 2 x F, so that the smaller one, aligned
// one bit to the right, keeps all its bits in the same frame and the
// difference is exact.
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
