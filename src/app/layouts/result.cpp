// Drawings of the path decision (step 24) and the result window (step 25).
#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {
namespace {

// A one-bit signal: its cell with its title above it, and what it carries.
void Signal(Sketch& s, const Wire& wire, int left, int top, int titleWidth, std::string what) {
  s.AddCell(wire, left, top);
  s.AddText(wire.title(), left, top - 300, titleWidth);
  s.TitleOf(wire);
  s.Explain(wire, std::move(what));
}

}  // namespace

// Three columns over two bands. Top band: the path choice (SEFF, IS_R1,
// IS_R2 into the OR, IS_R out) on the left, the R path's exponent increment
// (FPOSUM[-1], FPOSUMI[-1], RINC into "Calc add to R", ADDR out) in the
// middle, the N path's inputs (LZP, norm_FPSUM[-1]) on the right. Bottom
// band: the EA/EB mux giving E, the ADDR/LZP mux under IS_R, the two SUB(1)
// corrections, the exponent adder and E_final.
StageLayout PathDecisionLayout(const PathDecision& stage) {
  Sketch s;
  s.AddText("Exponent Computation", 120, 120, 4000, 330, TextStyle::Heading);

  // --- top band: inputs (cells at 900, titles at 600) ----------------------
  constexpr int kInTop = 900;
  constexpr int kInBottom = kInTop + kCellHeight;
  Signal(s, stage.seff, 240, kInTop, 500,
         "The effective operation: 0 for an addition, which always takes the R path.");
  Signal(s, stage.isr1, 1140, kInTop, 600,
         "From the R path condition (step 11): the exponents lie two or more apart.");
  Signal(s, stage.isr2, 2040, kInTop, 600,
         "From the normalisation (step 23): the N path's difference cancelled nothing.");
  // The editor spells S.EFF out.
  s.EditCloseRightOf("EditSeff", 240, kInTop, Edits("seff", 0, 0, "S-effective"));
  s.EditCloseRightOf("EditISR1", 1140, kInTop, Edits(stage.isr1));
  s.EditCloseRightOf("EDITISR2", 2040, kInTop, Edits(stage.isr2));

  Signal(s, stage.FPOSUM, 3600, kInTop, 1000, "Bit -1 of the plain sum: it overflowed.");
  Signal(s, stage.FPOSUMI, 4700, kInTop, 1050, "Bit -1 of the incremented sum: it overflowed.");
  Signal(s, stage.RINC, 5900, kInTop, 550, "The rounding decision: which sum the R path took.");

  s.AddRow(stage.LZP, 80, 6900, kInTop);
  s.Explain(stage.LZP, "The N path's count of leading zeros (step 22).");
  // The long title starts left of its cell.
  s.AddCell(stage.norm_FPSUM, 8700, kInTop);
  s.AddText(stage.norm_FPSUM.title(), 8300, kInTop - 300, 1300);
  s.TitleOf(stage.norm_FPSUM);
  s.Explain(stage.norm_FPSUM,
            "Bit -1 of the N path's shifted difference (step 23): the leading one went one place "
            "too far.");

  // The OR that chooses the path.
  constexpr int kUnitTop = 1450;
  s.AddFrame("Or", 200, kUnitTop, 2200, 560);
  s.Tip(
      "IS_R = not S.EFF or IS_R1 or IS_R2: the R path takes every effective addition and the "
      "subtractions handed to it; the N path the rest.");
  s.Note("Choses between R and N path", 1300, kUnitTop + 300, 2000);
  for (int x : {330, 1230, 2130})
    s.Arrow(x, kInBottom, x, kUnitTop);

  // The R path's exponent increment: the overflow bit of the candidate RINC picks.
  s.AddUnit("Calc add to R", 3400, kUnitTop, 2900, 400);
  s.Tip(
      "Works out ADDR, the R path's exponent change: 1 when the sum that RINC chose overflowed "
      "(its bit -1 set).");
  for (int x : {3690, 4790, 5990})
    s.Arrow(x, kInBottom, x, kUnitTop);

  // Outputs of the top band.
  constexpr int kOutTop = 2150;
  s.AddCell(stage.IS_R, 1210, kOutTop);
  s.Explain(stage.IS_R, "1 when the R path delivers the result, 0 for the N path.");
  s.AddText(stage.IS_R.title(), 1450, TextLevelWith(kOutTop), 450);
  s.Arrow(1300, kUnitTop + 560, 1300, kOutTop);
  s.AddRow(stage.ADDR, 80, 4100, kOutTop);
  s.Explain(stage.ADDR, "The R path's exponent change: 1 when the chosen sum overflowed.");
  s.Arrow(4650, kUnitTop + 400, 4650, kOutTop);

  // --- bottom band ----------------------------------------------------------
  constexpr int kMuxTop = 2950;
  constexpr int kMuxHeight = 450;
  constexpr int kMuxBottom = kMuxTop + kMuxHeight;

  // E: the exponent of the operand with the larger exponent (SIGN_BIG = 1: B).
  s.AddText("EA", 1350, 2550, 300);
  s.AddText("EB", 2250, 2550, 300);
  s.AddMux({1000, kMuxTop, 1800, kMuxHeight}, {{"0", 1575}, {"1", 2475}});
  s.Tip("Takes E, the exponent of the larger operand: EA when SIGN_BIG is 0, EB otherwise.");
  s.Arrow(1450, 2805, 1450, kMuxTop);
  s.Arrow(2350, 2805, 2350, kMuxTop);
  s.AddText(stage.SIGN_BIG.title(), 120, 2980, 850);
  s.AddCell(stage.SIGN_BIG, 240, 3280);
  s.Explain(stage.SIGN_BIG,
            "The sign of the whole exponent difference (step 2): 0 when A is the larger operand.");
  s.Arrow(420, 3445, 1120, 3200);

  constexpr int kETop = 3850;
  s.AddRow(stage.E, 80, 1000, kETop);
  s.Explain(stage.E, "The larger operand's biased exponent.");
  s.PlaceRowTitle(120, TextLevelWith(kETop));
  s.Arrow(1900, kMuxBottom, 1900, kETop);

  // ADD_F: ADDR on the R path (IS_R = 1), LZP on the N path.
  s.AddMux({3700, kMuxTop, 3800, kMuxHeight}, {{"1", 4795}, {"0", 7325}});
  s.Tip(
      "Takes the chosen path's exponent change: ADDR on the R path (IS_R = 1), the count LZP on "
      "the N path.");
  s.Arrow(4650, kOutTop + kCellHeight, 4650, kMuxTop);
  s.Arrow(7450, kInBottom, 7450, kMuxTop);
  s.AddText(stage.IS_R1.title(), 3150, 2760, 450);
  s.AddCell(stage.IS_R1, 3250, 3050);
  s.Explain(stage.IS_R1, "IS_R again, where it chooses the exponent change.");
  s.Arrow(3430, 3215, 3800, 3215);

  // The corrections: -1 for the pre-shift, +1 when the N path's post-shift
  // found the leading one at bit -1.
  constexpr int kSubTop = 3750;
  constexpr int kSubHeight = 550;
  struct Correction {
    int left, width;
    const char* note;
  };
  for (const Correction& c : {Correction{5950, 1500, "Caused by Pre-Shift"},
                              Correction{7900, 1600, "Caused by Post-Shift"}}) {
    s.AddFrame("SUB(1)", c.left, kSubTop, c.width, kSubHeight);
    s.Tip(c.left == 5950
              ? "Takes one off the exponent for the pre-shift: the R path moved a subtraction's "
                "significands one bit left, the N path doubled the larger one."
              : "Gives the one back when the N path's leading one came out at bit -1 "
                "(norm_FPSUM[-1]) and the row went one bit right.");
    s.Note(c.note, c.left + c.width / 2, kSubTop + 300, c.width - 120);
  }
  s.Arrow(8790, kInBottom, 8790, kSubTop);

  // The exponent adder.
  constexpr int kAdderTop = 4400;
  constexpr int kAdderHeight = 560;
  s.AddFrame("Adder", 1500, kAdderTop, 5800, kAdderHeight);
  s.Tip(
      "Adds E, the chosen change (ADDR, or LZP subtracted) and the corrections, giving E_final "
      "over 11 bits. It wraps and never clamps, which is why this adder gets overflow and "
      "underflow wrong.");
  s.AddText("Calculate Exp", 1500, kAdderTop + 290, 5800, kTextHeight, TextStyle::Block);
  s.Note("Add on 1 Sub  on 0", 4200, 3950, 1500);
  s.Link(3340, 3380, 3340, 3800);
  s.Arrow(3340, 3800, 3340, kAdderTop);
  s.Arrow(1950, kETop + kCellHeight, 1950, kAdderTop);
  s.Arrow(5600, kMuxBottom, 5600, kAdderTop);
  s.Arrow(6700, kSubTop + kSubHeight, 6700, kAdderTop);
  s.Route({{8700, kSubTop + kSubHeight}, {8700, 4650}, {7300, 4650}});

  constexpr int kFinalTop = 5250;
  s.AddRow(stage.E_final, 80, 2300, kFinalTop);
  s.Explain(stage.E_final, "The result's biased exponent, wrapped to 11 bits.");
  s.PlaceRowTitle(700, TextLevelWith(kFinalTop));
  s.Arrow(3350, kAdderTop + kAdderHeight, 3350, kFinalTop);
  return s.Finish(9700, 5600);
}

// The result as sign, exponent and significand rows, then the decimal value,
// the unbiased exponent and the chosen path. Nothing here can be edited.
StageLayout ResultsLayout(const Results& stage) {
  Sketch s;
  s.AddText("Result", 120, 120, 3000, 330, TextStyle::Heading);

  constexpr int kFirstTop = 1000;
  // The sign is one cell: no index label, its title level with the
  // exponent's.
  s.AddCell(stage.Sa, 240, kFirstTop);
  s.AddText(stage.Sa.title(), 240, kFirstTop - kTitleAbove, 300);
  s.Explain(stage.Sa,
            "The result's sign, worked out with the injection in the operand entry: 1 negative.");
  s.AddRow(stage.Ea, 20, 900, kFirstTop);
  s.Explain(stage.Ea, "The result's biased exponent, E_final of the path decision.");

  constexpr int kFractionTop = 2200;
  constexpr int kFractionLeft = 240;
  s.AddRow(stage.Fa, 40, kFractionLeft, kFractionTop);
  s.Explain(stage.Fa,
            "The result's significand from the chosen path; bit 0, on grey, is the hidden bit, "
            "which is not stored.");
  s.PlaceRowTitle(kFractionLeft + 4 * kCellPitch, kFractionTop - kTitleAbove);
  s.GreyCell(stage.Fa.Position(0));  // the hidden bit
  s.AddText("hidden", 120, kFractionTop - kTitleAbove, 560);

  // The read-outs under their captions, one line each: the decimal value,
  // the same bits in hexadecimal below it, the unbiased exponent, the path.
  const auto tip = [](std::string_view name) -> std::string {
    if (name == Results::kDecimalValue) {
      return "The result's exact value: the shortest decimal text that reads back to this "
             "double. A double click appends the result's bits to pad.txt.";
    }
    if (name == Results::kHexValue) {
      return "The result's 64 bits in hexadecimal: the sign, 11 exponent bits and 52 fraction "
             "bits.";
    }
    if (name == Results::kUnbiasedExponent) return "The exponent field less the bias 1023.";
    return "The path whose significand the result took.";
  };
  int top = 3100;
  for (const Results::ReadoutCaption& r : Results::kReadouts) {
    s.AddText(std::string(r.caption), 240, top, 1300);
    s.AddReadout(std::string(r.name), 1600, top, 5000, kTextHeight, tip(r.name));
    top += 500;
  }

  // IEEE 754 beside the adder: the standard's result for the addition the
  // stages show, whether this adder agrees, and if not, which class of
  // difference it is, why, and (Where?) the stage where it arises.
  top += 100;
  s.AddText("IEEE 754:", 240, top, 1300);
  s.AddSessionReadout(std::string(Results::kIeeeResult), 1600, top, 8600,
                      "What IEEE 754 binary64 gives for these operands, operation and rounding "
                      "mode: its 64 bits in hexadecimal and its shortest decimal text.");
  top += 400;
  s.AddSessionReadout(std::string(Results::kIeeeVerdict), 1600, top, 5600,
                      "Whether this adder's result is the IEEE 754 result, and if not, the class "
                      "of the difference.");
  s.AddButton("Where", "Where?", 7400, top - 40, std::nullopt, 1100);
  s.TooltipOfLastButton("Bring the stage where the difference from IEEE 754 arises to the front.");
  s.ShowsIeeeDifference();
  top += 400;
  constexpr int kCauseHeight = 720;  // three lines of the plain font
  s.AddSessionReadout(std::string(Results::kIeeeCause), 240, top, 9900,
                      "Why this hardware gives another result than IEEE 754.", kCauseHeight,
                      /*wrapped=*/true);
  top += kCauseHeight;
  return s.Finish(10400, top);
}

}  // namespace sumaris::layout
