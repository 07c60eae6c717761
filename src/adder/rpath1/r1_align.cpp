// Steps 8 to 11: alignment shift, big mux, large significand, R path condition.
#include "adder/adder.h"
#include "adder/rpath1/r1_big_mux.h"
#include "adder/rpath1/r1_is_r1.h"
#include "adder/rpath1/r1_shift_l.h"
#include "adder/rpath1/r1_shift_r.h"
#include "core/errors.h"
#include "core/wire_routines.h"

namespace sumaris {

void R1ShiftR::Pull() {
  CopyWire(FSOP, adder().r1Swap1.FSOP, 55);
  seff[0] = adder().r11Comp.seff[0];
  CopyWire(MAG_MED, adder().r1Medium.MAG_MED, 6);
}

void R1ShiftR::Calculate() {
  const double amount = UnsignedValue(MAG_MED);
  // Only an edited cell holding something other than 0 or 1 can push the
  // operand past the 118 cells; the shifter has no such position.
  if (amount < 0 || amount > 63 || amount != static_cast<int>(amount)) {
    throw StageError("Subscript out of range");
  }
  ShiftBits(FSOPAmed, FSOP, static_cast<int>(amount), seff[0]);
}

void R1BigMux::Pull() {
  CopyWire(FSO, adder().r1Swap2.FSO, 54);
  CopyWire(FSOPAmed, adder().r1ShiftR.FSOPAmed, 118);
  IS_BIG[0] = adder().r1Large.IS_BIG[0];
  seff[0] = adder().r11Comp.seff[0];
}

void R1BigMux::Calculate() {
  if (IS_BIG[0].Value() != 0) {
    // FSO[0:53] into bits 63..116, seff above it.
    ShiftBits(FSOPA, FSO, 63, seff[0]);
  } else {
    CopyWire(FSOPA, FSOPAmed, 118);
  }
}

void R1ShiftL::Pull() {
  CopyWire(FL, adder().r1Swap3.FL, 53);
  seff[0] = adder().r11Comp.seff[0];
}

void R1ShiftL::Calculate() {
  // The large significand is never complemented, so the fill is 0: at bit
  // -1 in an addition, at bit 52 after the shift of a subtraction.
  ShiftBits(FLP, FL, seff[0].Is('1') ? -1 : 0, "0");
}

void R1IsR1::Pull() {
  RIGHT_OR[0] = adder().r1Medium.RES_MED[0];
  IS_BIG[0] = adder().r1Large.IS_BIG[0];
  MAG_MED[0] = adder().r1Medium.MAG_MED.Bit(0);
  // Inverted while pulling, so an edited SIGN_BIG_N is not inverted again.
  SIGN_BIG_N[0].SetNumber(1 - adder().r1Large.SIGN_BIG[0].LeadingInt());
}

void R1IsR1::Calculate() {
  AndWires(SIGN_BIG_N, MAG_MED, 1, AND_res);
  OrWires(RIGHT_OR, IS_BIG, 1, IS_R1);
  IS_R1[0].SetNumber(RIGHT_OR[0].LeadingInt() | IS_BIG[0].LeadingInt() | AND_res[0].LeadingInt());
}

}  // namespace sumaris
