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
  const double amount = WireToNumber(MAG_MED, 0, 5, 1, 2);
  // Only an edited cell holding something other than 0 or 1 can push the
  // operand past the 118 cells; the shifter has no such position.
  if (amount < 0 || amount > 63 || amount != static_cast<int>(amount)) {
    throw StageError("Subscript out of range");
  }
  const int s = static_cast<int>(amount);
  for (int p = 0; p < s; ++p)
    FSOPAmed[p] = seff[0];
  for (int p = s; p <= s + 54; ++p)
    FSOPAmed[p] = FSOP[p - s];
  for (int p = s + 55; p <= 117; ++p)
    FSOPAmed[p] = seff[0];
}

void R1BigMux::Pull() {
  CopyWire(FSO, adder().r1Swap2.FSO, 54);
  CopyWire(FSOPAmed, adder().r1ShiftR.FSOPAmed, 118);
  IS_BIG[0] = adder().r1Large.IS_BIG[0];
  seff[0] = adder().r11Comp.seff[0];
}

void R1BigMux::Calculate() {
  if (IS_BIG[0].Value() != 0) {
    for (int p = 0; p <= 63; ++p)
      FSOPA[p] = seff[0];
    for (int p = 64; p <= 117; ++p)
      FSOPA[p] = FSO[p - 64];
  } else {
    CopyWire(FSOPA, FSOPAmed, 118);
  }
}

void R1ShiftL::Pull() {
  CopyWire(FL, adder().r1Swap3.FL, 53);
  seff[0] = adder().r11Comp.seff[0];
}

void R1ShiftL::Calculate() {
  if (!seff[0].Is('1')) {
    FLP[0] = "0";
    for (int p = 1; p <= 53; ++p)
      FLP[p] = FL[p - 1];
  } else {
    // Never complemented, so the fill at the bottom is 0.
    for (int p = 0; p <= 52; ++p)
      FLP[p] = FL[p];
    FLP[53] = "0";
  }
}

void R1IsR1::Pull() {
  RIGHT_OR[0] = adder().r1Medium.RES_MED[0];
  IS_BIG[0] = adder().r1Large.IS_BIG[0];
  MAG_MED[0] = adder().r1Medium.MAG_MED[5];
  // Inverted while pulling, so an edited SIGN_BIG_N is not inverted again.
  SIGN_BIG_N[0].SetNumber(1 - adder().r1Large.SIGN_BIG[0].LeadingInt());
}

void R1IsR1::Calculate() {
  AndWires(SIGN_BIG_N, MAG_MED, 1, AND_res);
  OrWires(RIGHT_OR, IS_BIG, 1, IS_R1);
  IS_R1[0].SetNumber(RIGHT_OR[0].LeadingInt() | IS_BIG[0].LeadingInt() | AND_res[0].LeadingInt());
}

}  // namespace sumaris
