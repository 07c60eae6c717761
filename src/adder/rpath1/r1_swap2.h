#pragma once

#include "adder/adder_stage.h"

namespace sumaris {

// Step 6: the small operand for an exponent difference of 64 or more, picked
// by the sign of the whole difference, SIGN_BIG. It is copied cell by cell,
// so A's bits land one position right of their weights; as the big mux puts
// the operand wholly into the sticky bits, its exact place does not count.
class R1Swap2 final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  Wire FAO{this, "FAO", "FAOP[-1:52]", -1, 52};
  Wire FBO{this, "FBO", "FBOP[0:53]", 0, 53};
  Wire SIGN_BIG{this, "SIGN_BIG", "SIGN_BIG", 11, 11};
  Wire FSO{this, "FSO", "FSO[0:53]", 0, 53};
};

}  // namespace sumaris
