#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 21: the significand subtraction |FLP - x| on a compound parallel-prefix
// adder: one carry network serves FLP + FSOPA = FLP - x - 1 and the same plus
// 1 = FLP - x. The carries are statuses per bit (0 kill, 1 propagate, 2
// generate), combined from the right. When the first sum is negative, x was
// the larger and its inverse, x - FLP, is the magnitude: no negation needed.
class NSigadd final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  static int Operator(int leftOp, int rightOp);
  void CalcSigma();
  void CalcPIE();

  Wire FLP{this, "FLP", "FLP[-1:51]", -1, 51};
  Wire FSOPA{this, "FSOPA", "FSOPA[-1:52]", -1, 52};
  Wire Sigma{this, "Sigma", "Sigma[-2:52]", -2, 52, ""};
  Wire PIE{this, "PIE", "PI[-2:52]", -2, 52, ""};
  Wire P{this, "P", "P[-2:52]", -2, 52};
  Wire gen_c{this, "gen_c", "Gen_C[-2:52]", -2, 52};
  Wire prop_c{this, "prop_c", "Prop_C[-1:52]", -1, 52};
  Wire GP_C{this, "GP_C", "GP_C[-1:52]", -1, 52, ""};
  Wire my_XNOR{this, "my_XNOR", "FOPSUM[-2:52]", -2, 52};
  Wire my_xor{this, "my_xor", "FOPSUMI[-1:52]", -1, 52};
  Wire Fopsum2{this, "Fopsum2", "FOPSUM[-2]", -2, -2};
  Wire abs_FPSUM{this, "abs_FPSUM", "abs_FPSUM[-1:52]", -1, 52};
};

}  // namespace sumaris
