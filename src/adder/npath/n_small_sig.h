#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 20: the smaller significand x, aligned by d and inverted, so that
// FLP + FSOPA + 1 is the difference FLP - x. With equal exponents B is taken
// as the smaller without looking; when that is wrong the difference is
// negative and NSigadd takes its magnitude.
class NSmallSig final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire Fa{this, "Fa", "FA[0:52]", 0, 52};
  Wire FB{this, "FB", "FB[0:52]", 0, 52};
  // The opposite order of NSmallExp: cell 0 holds bit 0 of d, cell 1 bit 1.
  Wire DELTA{this, "DELTA", "DELTA[0:1]", 0, 1};
  Wire FSOPA{this, "FSOPA", "FSOPA[-1:52]", -1, 52};
};

}  // namespace sumaris
