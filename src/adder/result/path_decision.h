#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 24: which path delivers the result, and its biased exponent. The R
// path takes every effective addition and every subtraction that R1IsR1 or
// NPost hands to it (IS_R1, IS_R2); the N path the rest. The exponent is the
// larger operand's, moved by the chosen path's shifts: in the R path +1 when
// the chosen sum overflowed, -1 for the pre-shift of a subtraction; in the N
// path -LZP, -1 for the doubling and +1 when NPost shifted back right.
// E_final is wrapped to 11 bits and never clamped.
class PathDecision final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire seff{this, "seff", "SEFF", 0, 0};
  Wire isr1{this, "isr1", "IS_R1", 0, 0};
  Wire isr2{this, "isr2", "IS_R2", 0, 0};
  Wire IS_R{this, "IS_R", "IS_R", 0, 0};
  Wire IS_R1{this, "IS_R1", "IS_R", 0, 0};  // IS_R again, at the exponent adder's mux
  Wire SIGN_BIG{this, "SIGN_BIG", "SIGN_BIG", 11, 11};
  Wire E{this, "E", "E[10:0]", 10, 0};
  Wire RINC{this, "RINC", "RINC", 0, 0};
  Wire FPOSUM{this, "FPOSUM", "FPOSUM[-1]", -1, -1};
  Wire FPOSUMI{this, "FPOSUMI", "FPOSUMI[-1]", -1, -1};
  Wire ADDR{this, "ADDR", "", 5, 0};  // only bit 0 is ever written
  Wire LZP{this, "LZP", "LZP", 5, 0};
  Wire norm_FPSUM{this, "norm_FPSUM", "norm_FPSUM[-1]", -1, -1};
  Wire ADD_F{this, "ADD_F", "", 5, 0};  // hidden: ADDR or LZP
  Wire E_final{this, "E_final", "E_final[10:0]", 10, 0};
};

}  // namespace sumaris
