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

StageLayout R1ShiftRLayout(const R1ShiftR& /*stage*/) {
  Sketch s;
  const RowPlace fsop = s.AddRow("FSOP", -1, 53, 0, kOuterLeft, 630);
  s.EditAfterTitle("EditFSOP", fsop, "FSOP[-1:53]", Edits("FSOP", -1, 53, "FSOP[-1:53]"));
  const int busX = fsop.CellCentre(28);

  // The shifter, its amount MAG_MED[5:0] entering from the right.
  const int shiftTop = 1500;
  const int shiftBottom = 2200;
  s.AddUnit("ShiftR(63)", kOuterLeft, shiftTop, kUnitRight - kOuterLeft, shiftBottom - shiftTop);
  s.Arrow(busX, fsop.Bottom(), busX, shiftTop);
  const RowPlace mag = s.AddRow("MAG_MED", 5, 0, 80, kControlLeft, 1700);
  s.EditAfterTitle("EditMAG_MED", mag, "MAG_MED[5:0]", Edits("MAG_MED", 5, 0, "MAG_MED[5:0]"));
  s.Arrow(mag.left, mag.Middle(), kUnitRight, mag.Middle());

  // Every position the operand leaves free takes S.EFF.
  const int extendTop = 2550;
  const int extendBottom = 2950;
  s.AddUnit("Sign extend with s.eff", kOuterLeft, extendTop, kUnitRight - kOuterLeft,
            extendBottom - extendTop);
  s.Arrow(busX, shiftBottom, busX, extendTop);
  const int seffTop = extendTop + (extendBottom - extendTop - kCellHeight) / 2;
  s.AddCell("seff", kControlLeft, seffTop);
  s.TitleAbove("SEFF", kControlLeft, seffTop);
  s.EditRightOf("EditSeff", kControlLeft, seffTop, Edits("seff", 0, 0, "SEFF"));
  s.Arrow(kControlLeft, seffTop + kCellHeight / 2, kUnitRight, seffTop + kCellHeight / 2);

  const RowPlace med = s.AddRow("FSOPAmed", -1, 116, 0, kOuterLeft, 3660);
  s.EditAfterTitle("ExpandFSOPAmed", med, "FSOPA.med[-1:116]", Shows("FSOPAmed", -1, 116, "FSOPA"),
                   "Expand");
  s.Arrow(busX, extendBottom, busX, med.top);
  return s.Finish();
}

StageLayout R1BigMuxLayout(const R1BigMux& /*stage*/) {
  Sketch s;
  // Input 0: the medium alignment, on top; its bus takes the channel.
  const RowPlace med = s.AddRow("FSOPAmed", -1, 116, 0, kOuterLeft, 630);
  s.EditAfterTitle("EditFSOPAmed", med, "FSOPA.med[-1:116]",
                   Edits("FSOPAmed", -1, 116, "FSOPAmed[-1:116]"), "Edit\\Expand");
  // Input 1: 64 copies of S.EFF followed by FSO.
  const RowPlace fso = s.AddRow("FSO", 0, 53, 0, kInnerLeft, 1500);
  s.EditAfterTitle("EditFSO", fso, "FSO[0:53]", Edits("FSO", 0, 53, "FSO[0:53]"));

  const int input0X = 3700;
  const int input1X = fso.CellCentre(36);
  const int cornerY = 2150;
  const int joinY = 2450;
  const int muxTop = 2750;
  const int muxHeight = 550;
  const int muxWidth = 4900;
  const RowPlace outPlace = PlaceRow(-1, 116, 0, kOuterLeft, 4000);
  const int outX = outPlace.CellCentre(28);
  const MuxPlace mux = s.AddMux({outX - muxWidth / 2, muxTop, muxWidth, muxHeight},
                                {{"0", input0X}, {"1", input1X}});
  s.Route({{kChannelX, med.Bottom()}, {kChannelX, cornerY}, {input0X, cornerY}, {input0X, muxTop}});
  s.Arrow(input1X, fso.Bottom(), input1X, muxTop);

  const int seffLeft = input1X + 550;
  const int seffTop = joinY - kCellHeight / 2;
  s.AddCell("seff", seffLeft, seffTop);
  s.TitleAbove("S.EFF^64", seffLeft, seffTop);
  s.AddButton("EditSeff", "Edit", After(seffLeft, "S.EFF^64"), seffTop - 290,
              Edits("seff", 0, 0, "SEFF[0]"));
  s.Link(seffLeft, joinY, input1X, joinY);
  s.AddText("FSOPA.big[-1:116]", input1X - 60 - 1300, joinY + 60, 1300, 220, TextStyle::Note);

  // IS_BIG selects.
  const int selLeft = 8300;
  const int selTop = muxTop + (muxHeight - kCellHeight) / 2;
  const int selY = selTop + kCellHeight / 2;
  s.AddCell("IS_BIG", selLeft, selTop);
  s.TitleAbove("IS_BIG", selLeft, selTop);
  s.EditRightOf("EditIS_BIG", selLeft, selTop, Edits("IS_BIG", 1, 1, "IS_BIG"));
  s.Arrow(selLeft, selY, mux.RightSideAt(selY), selY);

  const RowPlace out = s.AddRow("FSOPA", outPlace);
  s.EditAfterTitle("ExpandFSOPA", out, "FSOPA[-1:116]", Shows("FSOPA", -1, 116, "FSOPA[-1:116]"),
                   "Expand");
  s.Arrow(outX, mux.Bottom(), outX, out.top);
  return s.Finish();
}

StageLayout R1ShiftLLayout(const R1ShiftL& /*stage*/) {
  Sketch s;
  const RowPlace fl = s.AddRow("FL", 0, 52, 20, kOuterLeft, 900);
  s.EditAfterTitle("EditFL", fl, "FL[0:52]", Edits("FL", 0, 52, "FL[0:52]"));
  const int busX = fl.CellCentre(28);

  const int boxTop = 1900;
  const int boxBottom = 2450;
  s.AddUnit("ShiftL(1)", kOuterLeft, boxTop, kUnitRight - kOuterLeft, boxBottom - boxTop);
  s.Arrow(busX, fl.Bottom(), busX, boxTop);
  const int seffTop = boxTop + (boxBottom - boxTop - kCellHeight) / 2;
  s.AddCell("seff", kControlLeft, seffTop);
  s.TitleAbove("S.EFF", kControlLeft, seffTop);
  s.EditRightOf("EditSeff", kControlLeft, seffTop, Edits("seff", 0, 0, "SEFF"));
  s.Arrow(kControlLeft, seffTop + kCellHeight / 2, kUnitRight, seffTop + kCellHeight / 2);

  const RowPlace flp = s.AddRow("FLP", -1, 52, 0, kOuterLeft, 3400);
  s.Arrow(busX, boxBottom, busX, flp.top);
  return s.Finish();
}

StageLayout R1IsR1Layout(const R1IsR1& /*stage*/) {
  Sketch s;
  // Inputs on top, each with its editor.
  const int inTop = 900;
  struct Input {
    const char* wire;
    const char* title;
    const char* button;
    const char* editorTitle;
    int left;
  };
  const Input inputs[] = {
      {"MAG_MED", "MAG_MED[0]", "EditMAG_MED", "MAG_MED", 1800},
      {"SIGN_BIG_N", "not(SIGN_BIG)", "EditSIGN_BIG_N", "not(SIGN_BIG)", 3600},
      {"RIGHT_OR", "RIGHT_OR", "EditRIGHT_OR", "RIGHT_OR", 5600},
      {"IS_BIG", "IS_BIG", "EditIS_BIG", "IS_BIG", 7400},
  };
  for (const Input& in : inputs) {
    s.AddCell(in.wire, in.left, inTop);
    s.TitleAbove(in.title, in.left, inTop);
    s.EditRightOf(in.button, in.left, inTop, Edits(in.wire, 0, 0, in.editorTitle));
  }
  const int inBottom = inTop + kCellHeight;

  // A larger with bit 0 of the magnitude set: EA = EB + 2 and the like.
  const int andTop = 1750;
  const int andBottom = 2150;
  s.AddUnit("AND", 1600, andTop, 2380, andBottom - andTop);
  s.Arrow(CellCentre(1800), inBottom, CellCentre(1800), andTop);
  s.Arrow(CellCentre(3600), inBottom, CellCentre(3600), andTop);
  const int andResLeft = 2700;
  const int andResTop = 2550;
  s.AddCell("AND_res", andResLeft, andResTop);
  s.Arrow(CellCentre(andResLeft), andBottom, CellCentre(andResLeft), andResTop);

  const int orTop = 3300;
  const int orBottom = 3700;
  s.AddUnit("OR", 2400, orTop, 5400, orBottom - orTop);
  s.Arrow(CellCentre(andResLeft), andResTop + kCellHeight, CellCentre(andResLeft), orTop);
  s.Arrow(CellCentre(5600), inBottom, CellCentre(5600), orTop);
  s.Arrow(CellCentre(7400), inBottom, CellCentre(7400), orTop);

  const int outLeft = 5010;
  const int outTop = 4200;
  s.AddCell("IS_R1", outLeft, outTop);
  s.TitleLeftOf("IS_R1", outLeft, outTop);
  s.Arrow(CellCentre(outLeft), orBottom, CellCentre(outLeft), outTop);
  return s.Finish();
}

}  // namespace sumaris::layout
