// Steps 19 and 20: the N path's larger significand and the aligned,
// inverted smaller one.
#include "adder/adder.h"
#include "adder/npath/n_small_exp.h"
#include "adder/npath/n_small_sig.h"
#include "core/wire_routines.h"

namespace sumaris {

void NSmallExp::Pull() {
  const OperandEntry& in = adder().input;
  CopyBoxes(Ea, in.Ea, 0, 1);
  CopyBoxes(EB, in.EB, 0, 1);
  Sa[0] = in.Sa;
  SB[0] = in.SB;
  CopyBoxes(Fa, in.Fa, 0, 52);
  CopyBoxes(FB, in.FB, 0, 52);
}

void NSmallExp::Calculate() {
  InvertWire(EB, 2, EB_n);
  AddWires(Ea, EB_n, Ea.Position(0), Ea.Position(1), DELTA, 1);  // d = (EA - EB) mod 4
  // Selected by bit 1 of d, the first cell of DELTA. Copied cell by cell into
  // FLP[-1:51], the significand lands one bit to the left: FLP = 2 x F.
  MuxWires(Fa, FB, 53, DELTA, FLP);
  MuxWires(Sa, SB, 1, DELTA, SL);
}

void NSmallSig::Pull() {
  const OperandEntry& in = adder().input;
  CopyBoxes(Fa, in.Fa, 0, 52);
  CopyBoxes(FB, in.FB, 0, 52);
  CopyBits(DELTA, adder().nSmallExp.DELTA, 0, 1);
}

void NSmallSig::Calculate() {
  auto invert = [](const Cell& cell) { return 1 - cell.LeadingInt(); };
  // FSOPA is in the frame of FLP = 2 x F, so an operand aligned one bit to
  // the right keeps its bit numbers there, and one that is not shifted moves
  // one bit to the left. Bits the operand does not cover read 1, the
  // complement of 0.
  if (DELTA.Bit(1).Is('1')) {
    // B is larger: A is the smaller operand, aligned one bit to the right.
    FSOPA.Bit(-1) = "1";
    for (int j = 0; j <= 52; ++j)
      FSOPA.Bit(j).SetNumber(invert(Fa.Bit(j)));
  } else if (DELTA.Bit(0).Is('1')) {
    // A is larger by one: B aligned one bit to the right.
    FSOPA.Bit(-1) = "1";
    for (int j = 0; j <= 52; ++j)
      FSOPA.Bit(j).SetNumber(invert(FB.Bit(j)));
  } else {
    // Equal exponents: B taken as the smaller, not aligned.
    for (int j = -1; j <= 51; ++j)
      FSOPA.Bit(j).SetNumber(invert(FB.Bit(j + 1)));
    FSOPA.Bit(52) = "1";
  }
}

}  // namespace sumaris
