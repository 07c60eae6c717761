// Drawings of the N path's operand preparation: the small exponent
// difference with the larger significand, and the aligned, inverted smaller
// significand.
#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {
namespace {

// The left of cell 0 of the long rows, leaving room for the channel where a
// long bus leaves the rows on the left and runs down to its unit.
constexpr int kRowLeft = 450;
constexpr int kChannel = 250;

// A long significand row with its Edit button right after its title.
void SignificandRow(Sketch& s, const Wire& wire, const std::string& button, int top) {
  s.EditableRow(button, wire, 20, kRowLeft, top);
}

// A one-bit signal on the title line of the row it travels with.
constexpr int kSignTitleLeft = 2300;
constexpr int kSignCellLeft = 2600;
void SignOnTitleLine(Sketch& s, const Wire& wire, int rowTop) {
  s.AddText(wire.title(), kSignTitleLeft, rowTop - kTitleAbove);
  s.TitleOf(wire);
  s.AddCell(wire, kSignCellLeft, rowTop - 550);
}

}  // namespace

StageLayout NSmallExpLayout(const NSmallExp& stage) {
  Sketch s;
  // Inputs: the two significands, each with its sign.
  constexpr int kFaTop = 690;
  constexpr int kFbTop = 1590;
  SignificandRow(s, stage.Fa, "EditFA", kFaTop);
  s.Explain(stage.Fa, "Operand A's significand with its hidden bit 0.");
  SignOnTitleLine(s, stage.Sa, kFaTop);
  s.Explain(stage.Sa, "The sign of operand A: 1 negative.");
  s.AddButton("EditSA", "Edit", kSignCellLeft + 280, kFaTop - 520, Edits(stage.Sa));
  SignificandRow(s, stage.FB, "EditFB", kFbTop);
  s.Explain(stage.FB, "Operand B's significand with its hidden bit 0.");
  SignOnTitleLine(s, stage.SB, kFbTop);
  s.Explain(stage.SB, "The sign of operand B: 1 negative.");
  s.AddButton("EditSB", "Edit", kSignCellLeft + 280, kFbTop - 520, Edits(stage.SB));

  // The two low exponent bits and the fixed carry-in into the 2-bit adder:
  // DELTA = (EA - EB) mod 4.
  constexpr int kExpTop = 2560;
  constexpr int kEaLeft = 5400;
  constexpr int kEbLeft = 7000;
  constexpr int kCinLeft = 8800;
  const RowPlace ea = s.EditableRow("EditEA", stage.Ea, 80, kEaLeft, kExpTop);
  s.Explain(stage.Ea,
            "Bits 1 and 0 of A's biased exponent: enough to compare exponents at most one apart.");
  const RowPlace eb = s.EditableRow("EditEB", stage.EB, 80, kEbLeft, kExpTop);
  s.Explain(stage.EB, "Bits 1 and 0 of B's biased exponent; the adder takes their inverse.");
  s.AddText(stage.c_in.title(), kCinLeft - 180, TextLevelWith(kExpTop));
  s.TitleOf(stage.c_in);
  s.Explain(
      stage.c_in,
      "The 2-bit adder's fixed carry-in 1, which with the inverse of EB makes a subtraction.");
  s.AddCell(stage.c_in, kCinLeft, kExpTop);

  constexpr int kAddTop = kExpTop + kCellHeight + 200;
  constexpr int kAddHeight = 300;
  s.AddUnit("2-bit ADD", 5300, kAddTop, 3800, kAddHeight);
  s.Tip(
      "Adds EA[1:0], the inverse of EB[1:0] and the carry-in 1: DELTA = (EA - EB) mod 4. With "
      "exponents at most one apart, two bits tell which operand is the larger.");
  const int eaMid = (ea.CellCentre(0) + ea.CellCentre(1)) / 2;
  s.Arrow(eaMid, ea.Bottom(), eaMid, kAddTop);
  const int ebMid = (eb.CellCentre(0) + eb.CellCentre(1)) / 2;
  s.Arrow(ebMid, eb.Bottom(), ebMid, kAddTop);
  s.Arrow(CellCentre(kCinLeft), kExpTop + kCellHeight, CellCentre(kCinLeft), kAddTop);

  // The two bits of DELTA, each a cell titled by its bit.
  constexpr int kDeltaTop = kAddTop + kAddHeight + 200;
  constexpr int kDelta1Left = 5900;
  constexpr int kDelta0Left = 7700;
  s.AddCell(stage.DELTA, kDelta1Left, kDeltaTop, stage.DELTA.Position(1));
  s.Explain(stage.DELTA,
            "d = (EA - EB) mod 4: 0 or 1 when A is at least as large, 3 when B is larger; bit 1 "
            "selects.");
  s.TitleCloseRightOf("DELTA[1]", kDelta1Left, kDeltaTop);
  s.Arrow(CellCentre(kDelta1Left), kAddTop + kAddHeight, CellCentre(kDelta1Left), kDeltaTop);
  s.AddCell(stage.DELTA, kDelta0Left, kDeltaTop, stage.DELTA.Position(0));
  s.TitleCloseRightOf("DELTA[0]", kDelta0Left, kDeltaTop);
  s.Arrow(CellCentre(kDelta0Left), kAddTop + kAddHeight, CellCentre(kDelta0Left), kDeltaTop);

  // The multiplexer passes sign and significand of the larger operand; bit 1
  // of DELTA selects.
  // The input marks stand right of their lines.
  constexpr int kFbBusX = 2300;
  const MuxPlace mux =
      s.AddMux({150, 3500, 4750, 600}, {{"0", kChannel + 170}, {"1", kFbBusX + 170}});
  s.Tip(
      "Passes the sign and significand of the larger operand: A when DELTA[1] is 0, B when it is "
      "1. The significand goes on doubled, one bit to the left, so that the smaller one keeps all "
      "its bits once aligned and the difference is exact.");
  constexpr int kBusLabelTop = 3200;
  s.Route({{kRowLeft, kFaTop + kCellHeight / 2},
           {kChannel, kFaTop + kCellHeight / 2},
           {kChannel, mux.top}});
  s.AddText("SA,FA[0:52]", kChannel + kBusTextGap, kBusLabelTop);
  s.Arrow(kFbBusX, kFbTop + kCellHeight, kFbBusX, mux.top);
  s.AddText("SB,FB[0:52]", kFbBusX + kBusTextGap, kBusLabelTop);
  const int selectY = kDeltaTop + kCellHeight / 2;
  s.Arrow(kDelta1Left, selectY, mux.RightSideAt(selectY), selectY);

  // Outputs: the sign of the larger operand and its significand, one
  // position to the left (FLP = 2 x F).
  constexpr int kFlpTop = 4810;
  SignOnTitleLine(s, stage.SL, kFlpTop);
  s.Explain(stage.SL, "The sign of the larger operand.");
  s.Arrow(CellCentre(kSignCellLeft), mux.Bottom(), CellCentre(kSignCellLeft), kFlpTop - 550);
  s.Arrow(3800, mux.Bottom(), 3800, AboveIndexLabels(kFlpTop));
  s.AddRow(stage.FLP, 20, kRowLeft, kFlpTop);
  s.Explain(stage.FLP,
            "The larger significand doubled: bit k of FLP holds bit k + 1 of the significand.");
  return s.Finish();
}

StageLayout NSmallSigLayout(const NSmallSig& stage) {
  Sketch s;
  constexpr int kFaTop = 690;
  constexpr int kFbTop = 1590;
  SignificandRow(s, stage.Fa, "EditFA", kFaTop);
  s.Explain(stage.Fa, "Operand A's significand with its hidden bit 0.");
  SignificandRow(s, stage.FB, "EditFB", kFbTop);
  s.Explain(stage.FB, "Operand B's significand with its hidden bit 0.");

  // Both significands inverted: the smaller one enters the subtraction as
  // its one's complement.
  constexpr int kInvTop = 2250;
  constexpr int kInvHeight = 300;
  s.AddUnit("INV(53)", 150, kInvTop, 2550, kInvHeight);
  s.Tip(
      "Inverts A's significand: the N path subtracts the smaller significand by adding its one's "
      "complement and a carry-in of 1.");
  s.Route({{kRowLeft, kFaTop + kCellHeight / 2},
           {kChannel, kFaTop + kCellHeight / 2},
           {kChannel, kInvTop}});
  s.AddUnit("INV(53)", 3200, kInvTop, 2500, kInvHeight);
  s.Tip("Inverts B's significand, for when B is the smaller operand.");
  constexpr int kFbx = 4450;
  s.Arrow(kFbx, kFbTop + kCellHeight, kFbx, kInvTop);

  // The multiplexer selects and aligns: bit 1 of DELTA picks the inverted
  // A (B larger), otherwise the inverted B, shifted by one when bit 0 is set.
  constexpr int kFaoX = 1425;
  constexpr int kMuxTop = 3150;
  s.Arrow(kFaoX, kInvTop + kInvHeight, kFaoX, kMuxTop);
  s.AddText("FAO[0:52]", kFaoX + kBusTextGap, 2700);
  s.Arrow(kFbx, kInvTop + kInvHeight, kFbx, kMuxTop);
  s.AddText("FBO[0:52]", kFbx + kBusTextGap, 2700);
  const MuxPlace mux = s.AddMux({150, kMuxTop, 6050, 800}, {{"1", kFaoX + 170}, {"0", kFbx + 170}});
  s.Tip(
      "Picks the inverted smaller significand and aligns it: inverted A when DELTA[1] is set (B "
      "larger), otherwise inverted B, one bit right when DELTA[0] is set. With equal exponents B "
      "is taken as the smaller without looking; if that is wrong the subtraction takes the "
      "magnitude.");

  // The two bits of DELTA, each a cell titled by its bit and edited alone.
  constexpr int kDeltaLeft = 7000;
  constexpr int kDelta0Top = 3200;
  constexpr int kDelta1Top = 3600;
  const int buttonLeft = After(kDeltaLeft + kCellWidth + kCloseGap, "DELTA[0]");
  s.AddCell(stage.DELTA, kDeltaLeft, kDelta0Top, stage.DELTA.Position(0));
  s.Explain(stage.DELTA,
            "d = (EA - EB) mod 4 (step 19), here with bit 0 in the left cell: bit 0 aligns, bit 1 "
            "selects.",
            Sketch::Numbering::ByPlace);
  s.TitleCloseRightOf("DELTA[0]", kDeltaLeft, kDelta0Top);
  s.AddButton("EditDELTA0", "Edit", buttonLeft, kDelta0Top + 38, Edits("DELTA", 0, 0, "DELTA(0)"));
  s.AddCell(stage.DELTA, kDeltaLeft, kDelta1Top, stage.DELTA.Position(1));
  s.TitleCloseRightOf("DELTA[1]", kDeltaLeft, kDelta1Top);
  // Its own cell, bit 1: the editor starts there rather than at cell 0.
  EditorRequest delta1 = Edits("DELTA", 1, 1, "DELTA(1)");
  delta1.firstCell = stage.DELTA.Position(1);
  s.AddButton("EditDELTA1", "Edit", buttonLeft, kDelta1Top + 38, delta1);
  for (int top : {kDelta0Top, kDelta1Top}) {
    const int y = top + kCellHeight / 2;
    s.Arrow(kDeltaLeft, y, mux.RightSideAt(y), y);
  }

  // Output: the one's complement of the aligned smaller significand.
  constexpr int kFsopaTop = 4660;
  s.Arrow(mux.OutX(), mux.Bottom(), mux.OutX(), AboveIndexLabels(kFsopaTop));
  s.AddRow(stage.FSOPA, 0, kRowLeft, kFsopaTop);
  s.Explain(
      stage.FSOPA,
      "The inverted, aligned smaller significand x: FLP + FSOPA + 1 is the difference FLP - x.");
  return s.Finish();
}

}  // namespace sumaris::layout
