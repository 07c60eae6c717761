// Steps 3 to 7: effective operation, complement, pre-shift and the swaps.
#include "adder/adder.h"
#include "adder/rpath1/r1_align1.h"
#include "adder/rpath1/r1_comp.h"
#include "adder/rpath1/r1_swap1.h"
#include "adder/rpath1/r1_swap2.h"
#include "adder/rpath1/r1_swap3.h"
#include "core/wire_routines.h"

namespace sumaris {

void R11Comp::Pull() {
  const OperandEntry& in = adder().input;
  Sa[0] = in.Sa;
  SB[0] = in.SB;
  SOP[0] = in.IsAdd() ? "0" : "1";
  CopyBoxes(Fa, in.Fa, 0, 52);
  CopyBoxes(FB, in.FB, 0, 52);
}

void R11Comp::Calculate() {
  seff[0].SetNumber(Sa[0].LeadingInt() ^ SB[0].LeadingInt() ^ SOP[0].LeadingInt());
  if (!seff[0].Is('1')) {
    CopyWire(FAO, Fa, 53);
    CopyWire(FBO, FB, 53);
  } else {
    InvertWire(Fa, 53, FAO);
    InvertWire(FB, 53, FBO);
  }
}

void R1Align1::Pull() {
  const R11Comp& comp = adder().r11Comp;
  CopyWire(FAO, comp.FAO, 53);
  CopyWire(FBO, comp.FBO, 53);
  seff[0] = comp.seff[0];
}

void R1Align1::Calculate() {
  if (seff[0].Value() == 1) {
    // Effective subtraction: A one bit to the left, B where it is; both get a
    // 1 in the bit below them, so that the complements stay one's complements.
    ShiftBits(FAOP, FAO, -1, "1");
    ShiftBits(FBOP, FBO, 0, "1");
  } else {
    // Effective addition: A where it is, B one bit to the right; both get a
    // 0 in the bit above them.
    ShiftBits(FAOP, FAO, 0, "0");
    ShiftBits(FBOP, FBO, 1, "0");
  }
}

void R1Swap1::Pull() {
  CopyWire(FBOP, adder().r1Align1.FBOP, 54);
  CopyWire(FAOP, adder().r1Align1.FAOP, 54);
  seff[0] = adder().r11Comp.seff[0];
  SIGN_MED[0] = adder().r1Medium.SIGN_MED[0];
}

void R1Swap1::Calculate() {
  // B (FBOP[0:53]) or A (FAOP[-1:52]) at its own bits, seff in the one it lacks.
  const Wire& small = SIGN_MED[0].Value() == 0 ? FBOP : FAOP;
  ShiftBits(FSOP, small, 0, seff[0]);
}

void R1Swap2::Pull() {
  CopyWire(FBO, adder().r1Align1.FBOP, 54);
  CopyWire(FAO, adder().r1Align1.FAOP, 54);
  SIGN_BIG[0] = adder().r1Large.SIGN_BIG[0];
}

void R1Swap2::Calculate() {
  MuxWires(FBO, FAO, 54, SIGN_BIG, FSO);
}

void R1Swap3::Pull() {
  const OperandEntry& in = adder().input;
  CopyBoxes(FB, in.FB, 0, 52);
  CopyBoxes(Fa, in.Fa, 0, 52);
  SIGN_BIG[0] = adder().r1Large.SIGN_BIG[0];
  Sa[0] = in.Sa;
  SB[0] = in.SB;
}

void R1Swap3::Calculate() {
  MuxWires(Fa, FB, 53, SIGN_BIG, FL);
  MuxWires(Sa, SB, 1, SIGN_BIG, SL);
}

}  // namespace sumaris
