#pragma once

#include <cstdint>

#include "adder/adder_stage.h"

namespace sumaris {

// Step 14: rounding by injection. A two-bit constant INJ, chosen by the
// rounding mode and the result's sign (OperandEntry::SetINJ), is added below
// the result's last bit: INJ[0] at the round bit 53, INJ[1] at the sticky
// position. After it every mode rounds by truncation, but for the ties fixed
// in R2Decide. The small significand's bits below 52 enter as FSOPA[53] and
// one sticky bit for bits 54..116; out come the carry into bit 52, C[52], and
// the round and sticky bits after the injection, R' and S'. In a subtraction
// the +1 of the two's complement enters here too.
class R2Sigadd final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  static std::int16_t HAsum(int a, int b, int cin, int z);
  static std::int16_t HAcarry(int a, int b, int cin, int z);

  Wire FSOPA{this, "FSOPA", "FSOPA[54:116]", 54, 116};
  Wire FSOPA53{this, "FSOPA53", "FSOPA[53]", 53, 53};
  Wire seff{this, "seff", "S.EFF", 0, 0};
  Wire INJ{this, "INJ", "INJ", 0, 1};
  Wire OrOut{this, "OrOut", "", 0, 0};
  Wire C52RS{this, "C52RS", "C[52], R', S'", 52, 54};  // C[52], R', S'
};

}  // namespace sumaris
