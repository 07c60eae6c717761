#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 22: leading-zero anticipation. Normalising the difference needs its
// count of leading zeros, and counting them after the subtraction would put
// two slow steps in a row. This block predicts the count from the two addends
// while NSigadd subtracts: it recodes their bitwise difference twice, marks in
// XOR55 where the digits stop cancelling, and counts the zeros before the
// first mark, from bit -1 for a negative difference and from bit -2 for a
// positive one. The count can fall one short; NPost allows for that.
class NApprox final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire FLP{this, "FLP", "FLP[-1:51]", -1, 51};
  Wire FSOPA{this, "FSOPA", "FSOPA[-1:52]", -1, 52};
  Wire FOPSUM{this, "FOPSUM", "FOPSUM[-2]", -2, -2};
  Wire PS_i{this, "PS_i", "", -2, 52};
  Wire PC_i{this, "PC_i", "", -2, 52};
  Wire PNP{this, "PNP", "PN+[-2:52]", -2, 52};
  Wire PNM{this, "PNM", "PN-[-2:52]", -2, 52};
  Wire XOR55{this, "XOR55", "XOR(55)[-2:52]", -2, 52};
  Wire LZP1{this, "LZP1", "LZP1[5:0]", 5, 0};
  Wire LZP2{this, "LZP2", "LZP2[5:0]", 5, 0};
  Wire LZP{this, "LZP", "LZP[5:0]", 5, 0};
};

}  // namespace sumaris
