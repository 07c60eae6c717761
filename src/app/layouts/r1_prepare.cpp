// Drawings of steps 3 to 7: effective operation and complement, the
// pre-shift by one, and the three swap multiplexers.
//
// The significand rows are wider than the window, so two of them cannot sit
// side by side. In step 3 a bus that has to pass a row runs down the
// channel at the left edge (under cell 0 of a row that starts at
// kOuterLeft) while the rows it passes start further right (kInnerLeft).
// Steps 4 to 7 stand every row by bit weight instead: bit j of each row in
// one column, as the post-normalisation does, so a shift or a swap reads
// column by column; there a bus that passes a row leaves its row at the
// left end and runs down a lane left of all rows. Either way the other bus
// goes straight down through the middle of the drawing.
#include <string>
#include <utility>

#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {

namespace {

// The left routing channel: buses that must pass a row run down here, under
// cell 0 of the rows that start at kOuterLeft, left of those at kInnerLeft.
constexpr int kOuterLeft = kMargin;
constexpr int kInnerLeft = 400;
constexpr int kChannelX = CellCentre(kOuterLeft);

// Rows and units of the two-input stages, top to bottom.
constexpr int kUpperTop = 630;   // first input row (outer)
constexpr int kLowerTop = 1500;  // second input row (inner)
constexpr int kCornerY = 2150;   // where the channel bus turns towards the unit
constexpr int kMuxTop = 2750;
constexpr int kMuxHeight = 550;
constexpr int kMuxWidth = 4900;
constexpr int kInput0X = 3700;
constexpr int kJoinY = 2450;  // where a one-bit signal joins an input bus
constexpr int kSelectLeft = 8300;
constexpr int kOutputTop = 4000;

// The mux of a swap stage, centred over the cell its output enters; the
// select cell sits right of it. Returns the mux's place.
MuxPlace SwapMux(Sketch& s, int outX, int input1X, const Wire& select,
                 const std::string& selectButton) {
  const MuxPlace mux = s.AddMux({outX - kMuxWidth / 2, kMuxTop, kMuxWidth, kMuxHeight},
                                {{"0", kInput0X}, {"1", input1X}});
  const int selTop = kMuxTop + (kMuxHeight - kCellHeight) / 2;
  const int selY = selTop + kCellHeight / 2;
  s.AddCell(select, kSelectLeft, selTop);
  s.TitleAbove(select, kSelectLeft, selTop);
  s.Explain(select, select.name() == "SIGN_MED"
                        ? "The sign of the low part of the exponent difference (step 1): 0 when EA "
                          "> EB. It selects."
                        : "The sign of the whole exponent difference (step 2): 0 when EA > EB, so "
                          "that A is the large operand. It selects.");
  s.EditRightOf(selectButton, kSelectLeft, selTop, EditsSignal(select));
  s.Arrow(kSelectLeft, selY, mux.RightSideAt(selY), selY);
  return mux;
}

// Steps 4 to 7: the column of bit 0, the lane left of all rows, and the
// left edge of the units, which reach over the lane.
constexpr int kBit0Left = 455;
constexpr int kLaneX = 150;
constexpr int kUnitLeft = 60;

// The row of a wire with each bit in the column of its weight.
RowPlace ByWeight(const Wire& wire, int groupGap, int top) {
  return PlaceRow(wire, groupGap, kBit0Left + wire.first() * kCellPitch, top);
}

// The lane bus from the left end of the upper row to input 0 of a unit.
void LaneToInput0(Sketch& s, const RowPlace& upper) {
  s.Route({{upper.left, upper.Middle()},
           {kLaneX, upper.Middle()},
           {kLaneX, kCornerY},
           {kInput0X, kCornerY},
           {kInput0X, kMuxTop}});
}

// One input row of a swap stage: its wire, its Edit button and what it carries.
struct SwapInput {
  const Wire& wire;
  const char* button;
  const char* what;
};

// What every swap stage draws alike: input 0 on top and input 1 below, both
// by bit weight; the mux that `select` steers, with its tooltip; the lane
// bus into input 0 and the bus from the lower row into input 1. The output
// row's place (by weight, under the mux) is left to the stage to fill, after
// whatever else it draws.
struct SwapPlaces {
  RowPlace output;
  MuxPlace mux;
  int input1X;
  int outX;
};
SwapPlaces SwapSkeleton(Sketch& s, const SwapInput& upper, const SwapInput& lower,
                        const Wire& output, int groupGap, const Wire& select,
                        const std::string& selectButton, std::string tip) {
  const RowPlace top = s.AddRow(upper.wire, ByWeight(upper.wire, groupGap, kUpperTop));
  s.EditAfterTitle(upper.button, top, Edits(upper.wire));
  const RowPlace bottom = s.AddRow(lower.wire, ByWeight(lower.wire, groupGap, kLowerTop));
  s.EditAfterTitle(lower.button, bottom, Edits(lower.wire));
  s.Explain(upper.wire, upper.what);
  s.Explain(lower.wire, lower.what);

  SwapPlaces places{ByWeight(output, groupGap, kOutputTop), {}, bottom.CellCentre(36), 0};
  places.outX = places.output.CellCentre(28);
  places.mux = SwapMux(s, places.outX, places.input1X, select, selectButton);
  LaneToInput0(s, top);
  s.Tip(std::move(tip));
  s.Arrow(places.input1X, bottom.Bottom(), places.input1X, places.mux.top);
  return places;
}

// The output row of a swap stage in its place, fed from the mux.
void SwapOutput(Sketch& s, const SwapPlaces& places, const Wire& output, const char* what) {
  const RowPlace row = s.AddRow(output, places.output);
  s.Explain(output, what);
  s.Arrow(places.outX, places.mux.Bottom(), places.outX, row.top);
}

}  // namespace

StageLayout R11CompLayout(const R11Comp& stage) {
  Sketch s;
  // Inputs: both significands; A's bus takes the channel, B's the middle.
  const RowPlace fa = s.EditableRow("EditFA", stage.Fa, 20, kOuterLeft, 630);
  s.Explain(stage.Fa, "Operand A's significand with its hidden bit 0, from the operand entry.");
  const RowPlace fb = s.EditableRow("EditFB", stage.FB, 20, kInnerLeft, 1500);
  s.Explain(stage.FB, "Operand B's significand with its hidden bit 0, from the operand entry.");
  const int middleX = fb.CellCentre(26);

  // The effective operation: SA xor SB xor SOP.
  const int signLeft = 8950;
  const int signTops[] = {1950, 2330, 2710};
  const Wire* signs[] = {&stage.Sa, &stage.SB, &stage.SOP};
  const int xorLeft = 7900;
  const int xorRight = 8550;
  s.AddUnit("XOR", xorLeft, signTops[0], xorRight - xorLeft,
            signTops[2] + kCellHeight - signTops[0]);
  s.Tip(
      "SA xor SB xor SOP: 1 when the magnitudes are to be subtracted, as when adding operands of "
      "opposite signs. This effective operation S.EFF steers the whole datapath.");
  for (int i = 0; i < 3; ++i) {
    s.AddCell(*signs[i], signLeft, signTops[i]);
    s.TitleRightOf(*signs[i], signLeft, signTops[i]);
    s.Explain(*signs[i], i == 0 ? "The sign of operand A: 1 negative."
                         : i == 1
                             ? "The sign of operand B: 1 negative."
                             : "The operation chosen in the operand entry: 0 adds, 1 subtracts.");
    s.Arrow(signLeft, signTops[i] + kCellHeight / 2, xorRight, signTops[i] + kCellHeight / 2);
  }
  const int seffLeft = 7250;
  const int seffTop = signTops[1];
  s.AddCell(stage.seff, seffLeft, seffTop);
  s.TitleAbove(stage.seff, seffLeft, seffTop);
  s.Explain(stage.seff, "The effective operation: 1 when the magnitudes are subtracted.");
  s.Arrow(xorLeft, seffTop + kCellHeight / 2, seffLeft + kCellWidth, seffTop + kCellHeight / 2);

  // The complement of both significands under control of S.EFF.
  const int boxTop = 3200;
  const int boxBottom = boxTop + 350;
  s.AddUnit("1's Complement", kOuterLeft, boxTop, 9000, 350);
  s.Tip(
      "Inverts both significands when S.EFF is 1 and passes them otherwise: only the swap stages "
      "know which one is small, so both are prepared. The +1 of the two's complement enters later, "
      "in the injection addition.");
  s.Arrow(kChannelX, fa.Bottom(), kChannelX, boxTop);
  s.Arrow(middleX, fb.Bottom(), middleX, boxTop);
  s.Arrow(CellCentre(seffLeft), seffTop + kCellHeight, CellCentre(seffLeft), boxTop);

  // Outputs, nested like the inputs: B's straight below, A's round the channel.
  const RowPlace fbo = s.AddRow(stage.FBO, 20, kInnerLeft, 4210);
  s.Explain(stage.FBO, "B's significand, inverted in an effective subtraction.");
  s.Arrow(middleX, boxBottom, middleX, fbo.top);
  const RowPlace fao = s.AddRow(stage.FAO, 20, kInnerLeft, 5110);
  s.Explain(stage.FAO, "A's significand, inverted in an effective subtraction.");
  s.Route({{kChannelX, boxBottom}, {kChannelX, fao.Middle()}, {fao.left, fao.Middle()}});
  return s.Finish();
}

StageLayout R1Align1Layout(const R1Align1& stage) {
  Sketch s;
  const RowPlace fao = s.AddRow(stage.FAO, ByWeight(stage.FAO, 0, 630));
  s.EditAfterTitle("EditFAO", fao, Edits(stage.FAO));
  const RowPlace fbo = s.AddRow(stage.FBO, ByWeight(stage.FBO, 0, 1500));
  s.EditAfterTitle("EditFBO", fbo, Edits(stage.FBO));
  s.Explain(stage.FAO,
            "A's significand from the complement stage, inverted in an effective subtraction.");
  s.Explain(stage.FBO,
            "B's significand from the complement stage, inverted in an effective subtraction.");
  const int middleX = fbo.CellCentre(26);

  // A one to the left in a subtraction, B one to the right in an addition;
  // S.EFF between the two shifters controls both.
  const int boxTop = 2280;
  const int boxHeight = 370;
  const int boxBottom = boxTop + boxHeight;
  const int leftBoxRight = 2600;
  const int rightBoxLeft = 3400;
  s.AddUnit("Shift Left", kUnitLeft, boxTop, leftBoxRight - kUnitLeft, boxHeight);
  s.Tip(
      "Moves A's significand one bit to the left in an effective subtraction. A difference of "
      "operands two or more exponents apart then lies in [1, 4) like a sum, so both round alike.");
  s.AddUnit("Shift Right", rightBoxLeft, boxTop, 9600 - rightBoxLeft, boxHeight);
  s.Tip(
      "Moves B's significand one bit to the right in an effective addition. That makes up the 1 "
      "missing from D = EA - EB - 1 when A is the larger operand.");
  const int seffLeft = 2900;
  const int seffTop = boxTop + (boxHeight - kCellHeight) / 2;
  const int seffY = seffTop + kCellHeight / 2;
  s.AddCell(stage.seff, seffLeft, seffTop);
  s.TitleAbove(stage.seff, seffLeft, seffTop);
  s.Explain(stage.seff,
            "The effective operation, 1 for a subtraction: it chooses the shifter that acts and is "
            "the bit the shifters bring in, so a complement stays a one's complement.");
  s.AddButton("EditSeff", "Edit", After(seffLeft, stage.seff.title()), seffTop - kTitleAboveCell,
              Edits(stage.seff));
  s.Arrow(seffLeft, seffY, leftBoxRight, seffY);
  s.Arrow(seffLeft + kCellWidth, seffY, rightBoxLeft, seffY);
  s.Route({{fao.left, fao.Middle()}, {kLaneX, fao.Middle()}, {kLaneX, boxTop}});
  s.Arrow(middleX, fbo.Bottom(), middleX, boxTop);

  // B keeps its bits' weights and takes bit 53; A takes bit -1.
  const RowPlace fbop = s.AddRow(stage.FBOP, ByWeight(stage.FBOP, 0, 3400));
  s.Arrow(middleX, boxBottom, middleX, fbop.top);
  const RowPlace faop = s.AddRow(stage.FAOP, ByWeight(stage.FAOP, 0, 4350));
  s.Route({{kLaneX, boxBottom}, {kLaneX, faop.Middle()}, {faop.left, faop.Middle()}});
  s.Explain(stage.FBOP, "B's significand, one bit further right in an effective addition.");
  s.Explain(stage.FAOP, "A's significand, one bit further left in an effective subtraction.");
  return s.Finish();
}

StageLayout R1Swap1Layout(const R1Swap1& stage) {
  Sketch s;
  // Input 0 (SIGN_MED = 0, B small) on top, input 1 (A small) below.
  const SwapPlaces p = SwapSkeleton(
      s,
      {stage.FBOP, "EditFBOP",
       "B's pre-shifted significand (step 4), the small operand when EA > EB."},
      {stage.FAOP, "EditFAOP",
       "A's pre-shifted significand (step 4), the small operand when EB is at least EA."},
      stage.FSOP, 0, stage.SIGN_MED, "EditSIGN_MED",
      "Passes the small operand on to the alignment shifter: B's significand when SIGN_MED is 0 "
      "(EA > EB), A's otherwise. The one bit of the 55-bit frame it does not cover takes S.EFF.");

  // S.EFF fills the one position each operand leaves free.
  const int seffLeft = 5300;
  const int seffTop = kJoinY - kCellHeight / 2;
  s.AddCell(stage.seff, seffLeft, seffTop);
  s.TitleAbove(stage.seff, seffLeft, seffTop);
  s.Explain(stage.seff,
            "The effective operation: it fills the one bit the chosen operand leaves free, "
            "continuing a one's complement (1) or a plain number (0).");
  // The editor titles it without the dot.
  s.AddButton("EditSeff", "Edit", After(seffLeft, stage.seff.title()), seffTop - kTitleAboveCell,
              Edits("seff", 0, 0, "SEFF"));
  s.Link(seffLeft, kJoinY, kInput0X, kJoinY);
  s.Link(seffLeft + kCellWidth, kJoinY, p.input1X, kJoinY);

  SwapOutput(s, p, stage.FSOP,
             "The small operand's significand in a 55-bit frame, for the alignment shifter.");
  return s.Finish();
}

StageLayout R1Swap2Layout(const R1Swap2& stage) {
  Sketch s;
  // Input 0 (SIGN_BIG = 0) is B's pre-shifted significand, input 1 A's.
  // The mux copies cell by cell, so A's bits land one column to the right.
  const SwapPlaces p = SwapSkeleton(
      s, {stage.FBO, "EditEB", "B's pre-shifted significand (step 4)."},
      {stage.FAO, "EditFAO", "A's pre-shifted significand (step 4)."}, stage.FSO, 0, stage.SIGN_BIG,
      "EditSIGN_BIG",
      "Picks the small operand by the sign of the whole exponent difference, for a difference of "
      "64 or more. Its exact place does not matter then, as it can only set the sticky bit.");
  SwapOutput(s, p, stage.FSO,
             "The small operand for an exponent difference of 64 or more, copied cell by cell.");
  return s.Finish();
}

StageLayout R1Swap3Layout(const R1Swap3& stage) {
  Sketch s;
  // The unprocessed operands: input 0 (SIGN_BIG = 0, A large) on top.
  const SwapPlaces p = SwapSkeleton(
      s,
      {stage.Fa, "EditFA", "Operand A's significand as entered, the large one when SIGN_BIG is 0."},
      {stage.FB, "EditFB", "Operand B's significand as entered, the large one when SIGN_BIG is 1."},
      stage.FL, 20, stage.SIGN_BIG, "EditSIGN_BIG",
      "Passes the large significand and its sign: A's when SIGN_BIG is 0, B's otherwise, taken "
      "from the operands as entered. The large operand is never complemented; the complement of "
      "the small one makes the subtraction.");

  // The signs travel with their significands.
  const int signTop = kJoinY - kCellHeight / 2;
  const int saLeft = kInput0X - 700;
  s.AddCell(stage.Sa, saLeft, signTop);
  s.TitleLeftOf(stage.Sa, saLeft, signTop);
  s.Explain(stage.Sa, "The sign of operand A: 1 negative.");
  s.Link(saLeft + kCellWidth, kJoinY, kInput0X, kJoinY);
  const int sbLeft = p.input1X + 470;
  s.AddCell(stage.SB, sbLeft, signTop);
  s.TitleAbove(stage.SB, sbLeft, signTop);
  s.Explain(stage.SB, "The sign of operand B: 1 negative.");
  s.Link(sbLeft, kJoinY, p.input1X, kJoinY);

  // Outputs: the large significand and its sign.
  SwapOutput(s, p, stage.FL, "The large significand, as entered.");
  const int slLeft = 6500;
  const int branchY = p.mux.Bottom() + 200;
  s.AddCell(stage.SL, slLeft, branchY - kCellHeight / 2);
  s.TitleRightOf(stage.SL, slLeft, branchY - kCellHeight / 2);
  s.Explain(stage.SL,
            "The sign of the large operand, shown only: the result's sign comes from the operand "
            "entry's injection logic.");
  s.Arrow(p.outX, branchY, slLeft, branchY);
  return s.Finish();
}

}  // namespace sumaris::layout
