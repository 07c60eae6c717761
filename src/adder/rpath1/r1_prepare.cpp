// Steps 3 to 7: effective operation, complement, pre-shift and the swaps.
#include "adder/adder.h"
#include "adder/rpath1/r1_align1.h"
#include "adder/rpath1/r1_comp.h"
#include "adder/rpath1/r1_swap1.h"
#include "adder/rpath1/r1_swap2.h"
#include "adder/rpath1/r1_swap3.h"
#include "core/wire_routines.h"

namespace sumaris {
namespace {

// Cells from..from+n-1 of src into cells at..at+n-1 of dest, texts unchanged.
void CopyCells(Wire& dest, int at, const Wire& src, int from, int n) {
  for (int i = 0; i < n; ++i)
    dest[at + i] = src[from + i];
}

template <std::size_t N>
void CopyBoxes(Wire& dest, const std::array<Cell, N>& boxes) {
  for (int i = 0; i < dest.size(); ++i)
    dest[i] = boxes[static_cast<std::size_t>(i)];
}

}  // namespace

void R11Comp::Pull() {
  const OperandEntry& in = adder().input;
  Sa[0] = in.Sa;
  SB[0] = in.SB;
  SOP[0] = in.IsAdd() ? "0" : "1";
  CopyBoxes(Fa, in.Fa);
  CopyBoxes(FB, in.FB);
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
    // Effective subtraction: A one position left, both filled with 1 at the
    // bottom so that the complements stay one's complements.
    CopyCells(FAOP, 0, FAO, 0, 53);
    FAOP[53] = "1";
    CopyCells(FBOP, 0, FBO, 0, 53);
    FBOP[53] = "1";
  } else {
    // Effective addition: B one position right, 0 at the top of both.
    FAOP[0] = "0";
    CopyCells(FAOP, 1, FAO, 0, 53);
    FBOP[0] = "0";
    CopyCells(FBOP, 1, FBO, 0, 53);
  }
}

void R1Swap1::Pull() {
  CopyWire(FBOP, adder().r1Align1.FBOP, 54);
  CopyWire(FAOP, adder().r1Align1.FAOP, 54);
  seff[0] = adder().r11Comp.seff[0];
  SIGN_MED[0] = adder().r1Medium.SIGN_MED[0];
}

void R1Swap1::Calculate() {
  if (SIGN_MED[0].Value() == 0) {
    // B is the small operand: seff on top, then FBOP[0:53].
    FSOP[0] = seff[0];
    CopyCells(FSOP, 1, FBOP, 0, 54);
  } else {
    // A is the small operand: FAOP[-1:52], then seff at the bottom.
    CopyCells(FSOP, 0, FAOP, 0, 54);
    FSOP[54] = seff[0];
  }
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
  CopyBoxes(FB, in.FB);
  CopyBoxes(Fa, in.Fa);
  SIGN_BIG[0] = adder().r1Large.SIGN_BIG[0];
  Sa[0] = in.Sa;
  SB[0] = in.SB;
}

void R1Swap3::Calculate() {
  MuxWires(Fa, FB, 53, SIGN_BIG, FL);
  MuxWires(Sa, SB, 1, SIGN_BIG, SL);
}

}  // namespace sumaris
