// Drawing of the N path's significand subtraction: a parallel-prefix adder
// whose carries serve both the sum and the incremented sum, the sign of the
// first choosing the magnitude.
#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {
namespace {

constexpr int kRowLeft = 450;  // cell 0 of the rows
constexpr int kChannel = 250;  // where a bus runs down left of them

}  // namespace

StageLayout NSigaddLayout(const NSigadd& stage) {
  Sketch s;
  constexpr int kFlpTop = 630;
  constexpr int kFsopaTop = 1500;
  s.EditableRow("EditFLP", stage.FLP, 0, kRowLeft, kFlpTop);
  s.Explain(stage.FLP, "The larger significand doubled (step 19).");
  s.EditableRow("EditFSOPA", stage.FSOPA, 0, kRowLeft, kFsopaTop);
  s.Explain(stage.FSOPA, "The inverted, aligned smaller significand (step 20).");

  // The prefix adder: digit sums Sigma and suffix carry statuses PI inside.
  constexpr int kAdderTop = 2000;
  constexpr int kAdderBottom = 2330;
  // The name centred over the left part, the "Show" buttons in the rest.
  s.AddBox(150, kAdderTop, 9400, kAdderBottom - kAdderTop);
  s.Tip(
      "The parallel-prefix carry network: the digit sums Sigma (0, 1 or 2) of FLP + FSOPA and, "
      "combined from the right, the carry status PI of every bit (0 kill, 1 propagate, 2 "
      "generate). One network serves both the sum and the sum plus one.");
  s.AddText("Parallel Prefix Addder(55)", 150, kAdderTop, 6750, kAdderBottom - kAdderTop,
            TextStyle::Block);
  s.AddButton("ShowSigma", "Show Sigma", 7000, kAdderTop + 38, Shows(stage.Sigma), 1100);
  s.AddButton("ShowPI", "Show PI", 8250, kAdderTop + 38, Shows(stage.PIE), 1100);
  s.Route({{kRowLeft, kFlpTop + kCellHeight / 2},
           {kChannel, kFlpTop + kCellHeight / 2},
           {kChannel, kAdderTop}});
  s.Arrow(5000, kFsopaTop + kCellHeight, 5000, kAdderTop);

  // Left: OR of the two carries gives the carries for a carry-in of 1, then
  // XOR with the propagate bits the incremented sum. Right: XNOR of
  // propagate bits and plain carries gives the inverted plain sum.
  constexpr int kNamesTop = 2400;
  constexpr int kUnitsTop = 2900;
  constexpr int kUnitHeight = 250;
  constexpr int kPropX = 500;
  constexpr int kGenX = 2500;
  s.Arrow(kPropX, kAdderBottom, kPropX, kUnitsTop);
  s.ViewAfterTitle("expandprop_c", stage.prop_c, kPropX + kBusTextGap, kNamesTop);
  s.Explain(stage.prop_c, "1 where a carry-in of 1 would propagate all the way into the bit.");
  s.Arrow(kGenX, kAdderBottom, kGenX, kUnitsTop);
  s.ViewAfterTitle("expandgen_c", stage.gen_c, kGenX + kBusTextGap, kNamesTop);
  s.Explain(stage.gen_c, "The carry into each bit with carry-in 0: generated somewhere below it.");
  constexpr int kOrLeft = 150;
  constexpr int kOrWidth = 2750;
  s.AddUnit("OR(54)", kOrLeft, kUnitsTop, kOrWidth, kUnitHeight);
  s.Tip(
      "ORs Gen_C and Prop_C: the carry into each bit when the carry-in is 1. The sum plus one then "
      "needs no second carry network.");

  constexpr int kXorTop = 3500;
  constexpr int kXorLeft = 3300;
  constexpr int kXorWidth = 2400;
  constexpr int kPx = 4500;
  constexpr int kBranchY = 2750;
  constexpr int kXnorLeft = 5900;
  constexpr int kXnorWidth = 3100;
  constexpr int kXnorPx = 6200;
  s.Arrow(kPx, kAdderBottom, kPx, kXorTop);
  s.Route({{kPx, kBranchY}, {kXnorPx, kBranchY}, {kXnorPx, kUnitsTop}});
  s.ViewAfterTitle("expandp", stage.P, kPx + kBusTextGap, kNamesTop);
  s.Explain(stage.P, "The propagate bits: 1 where a digit sum is 1.");
  constexpr int kGen2X = 8600;
  s.Arrow(kGen2X, kAdderBottom, kGen2X, kUnitsTop);
  s.AddText(stage.gen_c.title(), LeftOf(stage.gen_c.title(), kGen2X), kNamesTop);
  s.TitleOf(stage.gen_c);
  s.AddUnit("XNOR(55)", kXnorLeft, kUnitsTop, kXnorWidth, kUnitHeight);
  s.Tip(
      "P xnor Gen_C, the inverse of the plain sum FLP + FSOPA: that is x - FLP, the magnitude when "
      "x is the larger.");

  constexpr int kGpcY = kXorTop + kUnitHeight / 2;
  const int orMid = kOrLeft + kOrWidth / 2;
  s.Route({{orMid, kUnitsTop + kUnitHeight}, {orMid, kGpcY}, {kXorLeft, kGpcY}});
  s.ViewAfterTitle("ExpandOR", stage.GP_C, orMid + kBusTextGap, kGpcY - 300);
  s.Explain(stage.GP_C, "The carry into each bit with carry-in 1: Gen_C or Prop_C.");
  s.AddUnit("XOR(54)", kXorLeft, kXorTop, kXorWidth, kUnitHeight);
  s.Tip("P xor GP_C, the sum plus one: FLP - x, the difference when FLP is the larger.");

  // The sign of the plain sum selects: FLP > x takes the incremented sum,
  // otherwise the inverted plain sum is the magnitude.
  constexpr int kMuxTop = 4100;
  constexpr int kXorOutX = kPx;
  s.Arrow(kXorOutX, kXorTop + kUnitHeight, kXorOutX, kMuxTop);
  s.ViewAfterTitle("expandmy_xor", stage.my_xor, kXorOutX + kBusTextGap,
                   kXorTop + kUnitHeight + 50);
  s.Explain(stage.my_xor, "The sum plus one, FLP + FSOPA + 1 = FLP - x.");
  constexpr int kXnorOutX = 6700;
  s.Arrow(kXnorOutX, kUnitsTop + kUnitHeight, kXnorOutX, kMuxTop);
  s.ViewAfterTitle("expandmy_xnor", stage.my_XNOR, kXnorOutX + kBusTextGap, 3280);
  s.Explain(stage.my_XNOR,
            "The inverse of the plain sum FLP + FSOPA; its top bit chooses the magnitude.");

  // FOPSUM[-2], the select, taken from the top bit of the inverted sum.
  constexpr int kSelLeft = 8610;
  constexpr int kSelTop = 3650;
  s.Arrow(CellCentre(kSelLeft), kUnitsTop + kUnitHeight, CellCentre(kSelLeft), kSelTop);
  s.AddCell(stage.Fopsum2, kSelLeft, kSelTop);
  s.TitleLeftOf(stage.Fopsum2, kSelLeft, kSelTop);
  s.Explain(
      stage.Fopsum2,
      "Bit -2 of the inverted plain sum: 1 when FLP is the larger, which takes the sum plus one.");
  const MuxPlace mux{150, kMuxTop, 7450, 350};
  const int selectY = mux.top + 150;
  s.Route({{CellCentre(kSelLeft), kSelTop + kCellHeight},
           {CellCentre(kSelLeft), selectY},
           {mux.RightSideAt(selectY), selectY}});
  s.AddMux(mux, {{"1", kXorOutX + 170}, {"0", kXnorOutX + 170}});
  s.Tip(
      "Takes the magnitude by FOPSUM[-2]: the sum plus one when FLP is the larger, otherwise the "
      "inverted plain sum. So the difference needs no negation.");
  s.AddUnit("PENC(54)", 8000, 4560, 1500, 250);
  s.Tip(
      "A priority encoder for the leading zeros of the difference. The normalisation uses the "
      "count anticipated from the addends (step 22) instead, ready as early as the difference "
      "itself.");

  // Output: the magnitude of the difference.
  constexpr int kAbsTop = 5070;
  const int outX = 3875;
  s.Arrow(outX, mux.Bottom(), outX, AboveIndexLabels(kAbsTop));
  s.AddRow(stage.abs_FPSUM, 0, kRowLeft, kAbsTop);
  s.Explain(stage.abs_FPSUM, "The magnitude of the difference of the significands.");
  return s.Finish();
}

}  // namespace sumaris::layout
