// Drawings of steps 8 to 11: the alignment shifter, the big mux, the
// one-position shift of the large significand and the R path condition.
#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {

namespace {

// Rows start at the margin; a bus that passes a row starting further right
// runs down under cell 0 of the outer one.
constexpr int kOuterLeft = kMargin;
constexpr int kInnerLeft = 400;
constexpr int kChannelX = CellCentre(kOuterLeft);

// Right of the units: their control inputs.
constexpr int kUnitRight = 7300;
constexpr int kControlLeft = 7800;

}  // namespace

StageLayout R1ShiftRLayout(const R1ShiftR& stage) {
  Sketch s;
  const RowPlace fsop = s.EditableRow("EditFSOP", stage.FSOP, 0, kOuterLeft, 630);
  s.Explain(stage.FSOP, "The small operand's significand from the swap (step 5).");
  const int busX = fsop.CellCentre(28);

  // The shifter, its amount MAG_MED[5:0] entering from the right.
  const int shiftTop = 1500;
  const int shiftBottom = 2200;
  s.AddUnit("ShiftR(63)", kOuterLeft, shiftTop, kUnitRight - kOuterLeft, shiftBottom - shiftTop);
  s.Tip(
      "Moves the small significand right by MAG_MED, 0 to 63 bits, into a row of bits -1 to 116 "
      "wide enough to keep every bit. The bits below the result's last bit stay there for the "
      "round and sticky bits.");
  s.Arrow(busX, fsop.Bottom(), busX, shiftTop);
  const RowPlace mag = s.EditableRow("EditMAG_MED", stage.MAG_MED, 80, kControlLeft, 1700);
  s.Explain(stage.MAG_MED,
            "The shift amount: the magnitude of the low part of the exponent difference (step 1).");
  s.Arrow(mag.left, mag.Middle(), kUnitRight, mag.Middle());

  // Every position the operand leaves free takes S.EFF.
  const int extendTop = 2550;
  const int extendBottom = 2950;
  s.AddUnit("Sign extend with s.eff", kOuterLeft, extendTop, kUnitRight - kOuterLeft,
            extendBottom - extendTop);
  s.Tip(
      "Fills every position the shifted operand left free with S.EFF: ones continue a one's "
      "complement, zeros a plain number.");
  s.Arrow(busX, shiftBottom, busX, extendTop);
  const int seffTop = extendTop + (extendBottom - extendTop - kCellHeight) / 2;
  s.AddCell(stage.seff, kControlLeft, seffTop);
  s.TitleAbove(stage.seff, kControlLeft, seffTop);
  s.Explain(stage.seff, "The fill bit, the effective operation: 1 in a subtraction.");
  s.EditRightOf("EditSeff", kControlLeft, seffTop, Edits(stage.seff));
  s.Arrow(kControlLeft, seffTop + kCellHeight / 2, kUnitRight, seffTop + kCellHeight / 2);

  // The expanded view is titled with the bare name of the signal.
  const RowPlace med = s.AddRow(stage.FSOPAmed, 0, kOuterLeft, 3660);
  s.Explain(stage.FSOPAmed, "The small significand aligned by the shifter, every bit kept.");
  s.EditAfterTitle("ExpandFSOPAmed", med, Shows("FSOPAmed", -1, 116, "FSOPA"), "Expand");
  s.Arrow(busX, extendBottom, busX, med.top);
  return s.Finish();
}

StageLayout R1BigMuxLayout(const R1BigMux& stage) {
  Sketch s;
  // Input 0: the medium alignment, on top; its bus takes the channel. The
  // editor titles it with the wire's name rather than the row's title.
  const RowPlace med = s.AddRow(stage.FSOPAmed, 0, kOuterLeft, 630);
  s.Explain(stage.FSOPAmed, "The small significand aligned by the shifter (step 8).");
  s.EditAfterTitle("EditFSOPAmed", med, Edits("FSOPAmed", -1, 116, "FSOPAmed[-1:116]"),
                   "Edit\\Expand");
  // Input 1: 64 copies of S.EFF followed by FSO.
  const RowPlace fso = s.EditableRow("EditFSO", stage.FSO, 0, kInnerLeft, 1500);
  s.Explain(stage.FSO, "The small operand for an exponent difference of 64 or more (step 6).");

  const int input0X = 3700;
  const int input1X = fso.CellCentre(36);
  const int cornerY = 2150;
  const int joinY = 2450;
  const int muxTop = 2750;
  const int muxHeight = 550;
  const int muxWidth = 4900;
  const RowPlace outPlace = PlaceRow(stage.FSOPA, 0, kOuterLeft, 4000);
  const int outX = outPlace.CellCentre(28);
  const MuxPlace mux = s.AddMux({outX - muxWidth / 2, muxTop, muxWidth, muxHeight},
                                {{"0", input0X}, {"1", input1X}});
  s.Tip(
      "Chooses the aligned small significand: the shifter's result, or, for an exponent difference "
      "of 64 or more (IS_BIG), S.EFF above the operand placed low, where it only sets the sticky "
      "bit. The shifter's 6-bit amount cannot reach that far.");
  s.Route({{kChannelX, med.Bottom()}, {kChannelX, cornerY}, {input0X, cornerY}, {input0X, muxTop}});
  s.Arrow(input1X, fso.Bottom(), input1X, muxTop);

  const int seffLeft = input1X + 550;
  const int seffTop = joinY - kCellHeight / 2;
  s.AddCell(stage.seff, seffLeft, seffTop);
  s.TitleAbove(stage.seff, seffLeft, seffTop);
  s.Explain(stage.seff,
            "The effective operation, standing for the 64 copies that fill the top of the row for "
            "a difference of 64 or more.");
  // Drawn as the 64 copies it stands for, edited as the one bit it is.
  s.AddButton("EditSeff", "Edit", After(seffLeft, stage.seff.title()), seffTop - kTitleAboveCell,
              Edits("seff", 0, 0, "SEFF[0]"));
  s.Link(seffLeft, joinY, input1X, joinY);
  s.AddText("FSOPA.big[-1:116]", input1X - 60 - 1300, joinY + kNoteBelowLine, 1300, 220,
            TextStyle::Note);

  // IS_BIG selects.
  const int selLeft = 8300;
  const int selTop = muxTop + (muxHeight - kCellHeight) / 2;
  const int selY = selTop + kCellHeight / 2;
  s.AddCell(stage.IS_BIG, selLeft, selTop);
  s.TitleAbove(stage.IS_BIG, selLeft, selTop);
  s.Explain(stage.IS_BIG, "1 when the exponents lie 64 or more apart (step 2). It selects.");
  // The editor numbers this one bit 1, not 0.
  s.EditRightOf("EditIS_BIG", selLeft, selTop, Edits("IS_BIG", 1, 1, "IS_BIG"));
  s.Arrow(selLeft, selY, mux.RightSideAt(selY), selY);

  const RowPlace out = s.AddRow(stage.FSOPA, outPlace);
  s.Explain(stage.FSOPA, "The aligned small significand, into the second cycle.");
  s.EditAfterTitle("ExpandFSOPA", out, Shows(stage.FSOPA), "Expand");
  s.Arrow(outX, mux.Bottom(), outX, out.top);
  return s.Finish();
}

StageLayout R1ShiftLLayout(const R1ShiftL& stage) {
  Sketch s;
  const RowPlace fl = s.EditableRow("EditFL", stage.FL, 20, kOuterLeft, 900);
  s.Explain(stage.FL, "The large significand (step 7).");
  const int busX = fl.CellCentre(28);

  const int boxTop = 1900;
  const int boxBottom = 2450;
  s.AddUnit("ShiftL(1)", kOuterLeft, boxTop, kUnitRight - kOuterLeft, boxBottom - boxTop);
  s.Tip(
      "Moves the large significand one bit to the left in an effective subtraction, to match the "
      "pre-shift of the small one. The bit it frees is 0, as the large significand is never "
      "complemented.");
  s.Arrow(busX, fl.Bottom(), busX, boxTop);
  const int seffTop = boxTop + (boxBottom - boxTop - kCellHeight) / 2;
  s.AddCell(stage.seff, kControlLeft, seffTop);
  s.TitleAbove(stage.seff, kControlLeft, seffTop);
  s.Explain(stage.seff, "The effective operation: 1 in a subtraction, which makes the shift.");
  // The editor titles it without the dot.
  s.EditRightOf("EditSeff", kControlLeft, seffTop, Edits("seff", 0, 0, "SEFF"));
  s.Arrow(kControlLeft, seffTop + kCellHeight / 2, kUnitRight, seffTop + kCellHeight / 2);

  const RowPlace flp = s.AddRow(stage.FLP, 0, kOuterLeft, 3400);
  s.Explain(stage.FLP, "The large significand, one bit further left in an effective subtraction.");
  s.Arrow(busX, boxBottom, busX, flp.top);
  return s.Finish();
}

StageLayout R1IsR1Layout(const R1IsR1& stage) {
  Sketch s;
  // Inputs on top, each with its editor.
  const int inTop = 900;
  struct Input {
    const Wire& wire;
    const char* button;
    const char* editorTitle;  // null: the wire's own title
    int left;
  };
  const Input inputs[] = {
      // Titled by its bit over the cell, by its name in the editor.
      {stage.MAG_MED, "EditMAG_MED", "MAG_MED", 1800},
      {stage.SIGN_BIG_N, "EditSIGN_BIG_N", nullptr, 3600},
      {stage.RIGHT_OR, "EditRIGHT_OR", nullptr, 5600},
      {stage.IS_BIG, "EditIS_BIG", nullptr, 7400},
  };
  for (const Input& in : inputs) {
    s.AddCell(in.wire, in.left, inTop);
    s.TitleAbove(in.wire, in.left, inTop);
    s.Explain(in.wire,
              &in.wire == &stage.MAG_MED
                  ? "Bit 0 of the magnitude of the low part of the exponent difference (step 1)."
              : &in.wire == &stage.SIGN_BIG_N
                  ? "The inverse of SIGN_BIG: 1 when A is the larger operand."
              : &in.wire == &stage.RIGHT_OR
                  ? "RES_MED from step 1: the low part of the magnitude is 2 or more."
                  : "1 when the exponents lie 64 or more apart (step 2).");
    s.EditRightOf(
        in.button, in.left, inTop,
        in.editorTitle == nullptr ? Edits(in.wire) : Edits(in.wire.name(), 0, 0, in.editorTitle));
  }
  const int inBottom = inTop + kCellHeight;

  // A larger with bit 0 of the magnitude set: EA = EB + 2 and the like.
  const int andTop = 1750;
  const int andBottom = 2150;
  s.AddUnit("AND", 1600, andTop, 2380, andBottom - andTop);
  s.Tip(
      "1 when A is the larger operand and bit 0 of MAG_MED is set, which means EA = EB + 2: D "
      "lacks a 1 then, so MAG_MED = 1 is already two apart.");
  s.Arrow(CellCentre(1800), inBottom, CellCentre(1800), andTop);
  s.Arrow(CellCentre(3600), inBottom, CellCentre(3600), andTop);
  const int andResLeft = 2700;
  const int andResTop = 2550;
  s.AddCell(stage.AND_res, andResLeft, andResTop);
  s.Explain(stage.AND_res, "The AND's output: EA = EB + 2.");
  s.Arrow(CellCentre(andResLeft), andBottom, CellCentre(andResLeft), andResTop);

  const int orTop = 3300;
  const int orBottom = 3700;
  s.AddUnit("OR", 2400, orTop, 5400, orBottom - orTop);
  s.Tip(
      "IS_R1 is the AND's output or RES_MED or IS_BIG: the exponents lie two or more apart. A "
      "subtraction then cancels at most one leading bit, which the R path's pre-shift absorbs.");
  s.Arrow(CellCentre(andResLeft), andResTop + kCellHeight, CellCentre(andResLeft), orTop);
  s.Arrow(CellCentre(5600), inBottom, CellCentre(5600), orTop);
  s.Arrow(CellCentre(7400), inBottom, CellCentre(7400), orTop);

  const int outLeft = 5010;
  const int outTop = 4200;
  s.AddCell(stage.IS_R1, outLeft, outTop);
  s.TitleLeftOf(stage.IS_R1, outLeft, outTop);
  s.Explain(stage.IS_R1,
            "1 when the exponents lie two or more apart: the R path's case for a subtraction.");
  s.Arrow(CellCentre(outLeft), orBottom, CellCentre(outLeft), outTop);
  return s.Finish();
}

}  // namespace sumaris::layout
