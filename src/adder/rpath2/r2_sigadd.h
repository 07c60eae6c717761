#pragma once

#include <cstdint>

#include "adder/adder_stage.h"

namespace sumaris {

// Step 14: the injection addition of the bits below 52: sticky of bits
// 54..116, plus the two injection bits, gives C[52], R' and S'.
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
