// Steps 19 and 20: the N path's larger significand and the aligned,
// inverted smaller one.
#include "adder/adder.h"
#include "adder/npath/n_small_exp.h"
#include "adder/npath/n_small_sig.h"
#include "core/wire_routines.h"

namespace sumaris {
namespace {

template <std::size_t N>
void CopyBoxes(Wire& dest, const std::array<Cell, N>& boxes) {
  for (int i = 0; i < dest.size(); ++i)
    dest[i] = boxes[static_cast<std::size_t>(i)];
}

}  // namespace

void NSmallExp::Pull() {
  const OperandEntry& in = adder().input;
  for (int c = 0; c <= 1; ++c) {
    Ea[c] = in.Ea[static_cast<std::size_t>(1 - c)];
    EB[c] = in.EB[static_cast<std::size_t>(1 - c)];
  }
  Sa[0] = in.Sa;
  SB[0] = in.SB;
  CopyBoxes(Fa, in.Fa);
  CopyBoxes(FB, in.FB);
}

void NSmallExp::Calculate() {
  InvertWire(EB, 2, EB_n);
  AddWires(Ea, EB_n, 1, 0, DELTA, 1);  // d = (EA - EB) mod 4
  // Cell c of FLP is bit c - 1, so the chosen significand lands one
  // position to the left: FLP = 2 x F.
  MuxWires(Fa, FB, 53, DELTA, FLP);
  MuxWires(Sa, SB, 1, DELTA, SL);
}

void NSmallSig::Pull() {
  const OperandEntry& in = adder().input;
  CopyBoxes(Fa, in.Fa);
  CopyBoxes(FB, in.FB);
  DELTA[0] = adder().nSmallExp.DELTA[1];
  DELTA[1] = adder().nSmallExp.DELTA[0];
}

void NSmallSig::Calculate() {
  auto invert = [](const Cell& cell) { return 1 - cell.LeadingInt(); };
  if (DELTA[1].Is('1')) {
    // B is larger: A is the smaller operand, one position to the right.
    FSOPA[0] = "1";
    for (int i = 1; i <= 53; ++i)
      FSOPA[i].SetNumber(invert(Fa[i - 1]));
  } else if (DELTA[0].Is('1')) {
    // A is larger by one: B one position to the right.
    FSOPA[0] = "1";
    for (int i = 1; i <= 53; ++i)
      FSOPA[i].SetNumber(invert(FB[i - 1]));
  } else {
    // Equal exponents: B taken as the smaller, no shift.
    for (int i = 0; i <= 52; ++i)
      FSOPA[i].SetNumber(invert(FB[i]));
    FSOPA[53] = "1";
  }
}

}  // namespace sumaris
