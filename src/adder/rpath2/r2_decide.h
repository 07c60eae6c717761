#pragma once

#include <cstdint>

#include "adder/adder_stage.h"

namespace sumaris {

// Step 15: the rounding decision. RINC takes the incremented sum when a carry
// reaches bit 51. Without overflow the result's last bit is 52 and that carry
// comes from bit 52; when the sum overflows (bit -1 set) the last bit is 51,
// the injection, placed for bit 52, lies one bit too low, and the decision
// adds what it lacks. LSB(inc) and LSB(ninc) are the result's last bit for
// either choice, cleared for a tie in round to nearest even.
class R2Decide final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override;

  static std::int16_t Mux(int m0, int m1, int sel);
  std::int16_t FixLNovf() const;
  std::int16_t FixLovf() const;
  void ComputeRINC();

  Wire FPOSUMm1{this, "FPOSUMm1", "FPOSUM[-1]", -1, -1};
  Wire FPOSUMIm1{this, "FPOSUMIm1", "FPOSUMI[-1]", -1, -1};
  Wire FPOSUM51{this, "FPOSUM51", "FPOSUM[51]", 51, 51};
  Wire FPOSUMI51{this, "FPOSUMI51", "FPOSUMI[51]", 51, 51};
  Wire XSUM52{this, "XSUM52", "XSUM[52]", 52, 52};
  Wire C52RS{this, "C52RS", "C[52], R', S'", 52, 54};
  Wire IsRN{this, "IsRN", "Is RN", 0, 0};
  Wire IsRI{this, "IsRI", "Is RI", 0, 0};
  Wire LSBinc2{this, "LSBinc2", "LSB'(inc)", 51, 51};
  Wire LSBninc2{this, "LSBninc2", "LSB'(ninc)", 51, 51};
  Wire LSBNINC{this, "LSBNINC", "LSB(ninc)", 52, 52};
  Wire LSBincO{this, "LSBincO", "LSB(inc)", 52, 52};
  Wire LSBnincO{this, "LSBnincO", "LSB(ninc)", 52, 52};
  Wire RINC{this, "RINC", "RINC", 0, 0};
};

}  // namespace sumaris
