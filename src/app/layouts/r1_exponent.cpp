// Drawings of steps 1 and 2: the two halves of the exponent difference.
// Each is an adder of EA and the inverse of EB (inputs on top), the sum
// with its sign bit in front, the XOR that turns it into a magnitude and the
// OR tree that flags a non-zero part of the magnitude (outputs at the bottom).
#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {

StageLayout R1MediumLayout(const R1Medium& stage) {
  Sketch s;
  // Inputs: EA[6:0] and EB[6:0].
  const RowPlace ea = s.EditableRow("EditEA", stage.Ea, 80, 2000, 650);
  const RowPlace eb = s.EditableRow("EditEB", stage.EB, 80, 4800, 650);

  // The 7-bit adder EA + not EB, carry in 0.
  const int adderTop = 1250;
  const int adderBottom = adderTop + 400;
  s.AddUnit("Adder(7)", 1700, adderTop, 5400, 400);
  s.Arrow(ea.CellCentre(3), ea.Bottom(), ea.CellCentre(3), adderTop);
  s.Arrow(eb.CellCentre(3), eb.Bottom(), eb.CellCentre(3), adderTop);

  // Its carry out, and the sum: bit 6 (SIGN_MED) in front of DELTA[5:0].
  const int sumTop = 2150;
  s.AddCell(stage.Cout, 1800, sumTop);
  s.TitleLeftOf(stage.Cout, 1800, sumTop);
  s.Arrow(CellCentre(1800), adderBottom, CellCentre(1800), sumTop);

  const int signLeft = 4000;
  s.AddCell(stage.SIGN_MED, signLeft, sumTop);
  // The row's title covers the sign cell in front of it.
  const RowPlace delta = s.AddRow(stage.DELTA, 80, signLeft + kCellPitch, sumTop);
  s.RowTitleLeftOf(signLeft, sumTop);
  const std::string& sign = stage.SIGN_MED.title();
  s.AddText(sign, signLeft - TextWidth(sign) - 40, sumTop + kCellHeight + 20);
  const int sumCentre = (signLeft + delta.Right()) / 2;
  s.Arrow(sumCentre, adderBottom, sumCentre, sumTop);

  // XOR with the sign: the magnitude of the low part.
  const int xorTop = 2850;
  s.AddUnit("XOR", 3850, xorTop, 1600, 350);
  s.Arrow(CellCentre(signLeft), delta.Bottom(), CellCentre(signLeft), xorTop);
  const int deltaCentre = delta.CellCentre(3);
  s.Arrow(deltaCentre, delta.Bottom(), deltaCentre, xorTop);

  const RowPlace mag = s.AddRow(stage.MAG_MED, 80, delta.left, 3800);
  s.RowTitleLeftOf(mag.left, mag.top);
  s.Arrow(deltaCentre, xorTop + 350, deltaCentre, mag.top);

  // The OR tree over MAG_MED[5:1]; bit 0 does not enter.
  const int orTop = 4500;
  const int tapY = mag.Bottom() + 70;
  const int orInput = mag.CellCentre(2);
  for (int p = 0; p <= 4; ++p)
    s.Link(mag.CellCentre(p), mag.Bottom(), mag.CellCentre(p), tapY);
  s.Link(mag.CellCentre(0), tapY, mag.CellCentre(4), tapY);
  s.AddText("MAG_MED[5:1]", orInput - 80 - 1100, tapY + kNoteBelowLine, 1100, 220, TextStyle::Note);
  s.AddUnit("OR TREE", 4000, orTop, 1290, 350);
  s.Arrow(orInput, tapY, orInput, orTop);

  const int resLeft = orInput - kCellWidth / 2;
  const int resTop = 5150;
  s.AddCell(stage.RES_MED, resLeft, resTop);
  s.TitleLeftOf(stage.RES_MED, resLeft, resTop);
  s.Arrow(orInput, orTop + 350, orInput, resTop);
  return s.Finish();
}

StageLayout R1LargeLayout(const R1Large& stage) {
  Sketch s;
  // Inputs: the top bits of both exponents behind a constant 0 (bit 11).
  // Each row's title ("0,EA[10:7]") covers the constant cell too, and its
  // Edit button follows that title; the editor takes the exponent bits
  // alone, under a title without the constant.
  const int eaLeft = 1100;
  s.AddCell(stage.OEA, eaLeft, 650);
  const RowPlace ea = s.AddRow(stage.Ea, 80, eaLeft + kCellPitch, 650);
  s.AddButton("EditOEA", "Edit", ButtonAfterRowTitle(eaLeft, ea.title), ea.TitleTop(),
              Edits("Ea", 10, 7, "EA[10:7]"));
  s.PlaceRowTitle(eaLeft, ea.TitleTop());

  const int ebLeft = 4100;
  s.AddCell(stage.OEB, ebLeft, 650);
  const RowPlace eb = s.AddRow(stage.EB, 80, ebLeft + kCellPitch, 650);
  s.AddButton("EditOEB", "Edit", ButtonAfterRowTitle(ebLeft, eb.title), eb.TitleTop(),
              Edits("EB", 10, 7, "EB[10:7]"));
  s.PlaceRowTitle(ebLeft, eb.TitleTop());

  // The 5-bit adder (0,EA) + (1,not EB) with the carry of the low part.
  const int adderTop = 1250;
  const int adderBottom = adderTop + 400;
  const int adderRight = 6000;
  s.AddUnit("Adder(5)", 900, adderTop, adderRight - 900, 400);
  const int eaCentre = (eaLeft + ea.Right()) / 2;
  const int ebCentre = (ebLeft + eb.Right()) / 2;
  s.Arrow(eaCentre, ea.Bottom(), eaCentre, adderTop);
  s.Arrow(ebCentre, eb.Bottom(), ebCentre, adderTop);

  const int cinLeft = 6700;
  const int cinTop = adderTop + (400 - kCellHeight) / 2;
  s.AddCell(stage.CIN, cinLeft, cinTop);
  s.TitleAbove(stage.CIN, cinLeft, cinTop);
  // The editor's title drops the spaces that pad the drawn one.
  s.EditRightOf("EditCIN", cinLeft, cinTop, Edits("CIN", 0, 0, "Carry in"));
  s.Arrow(cinLeft, cinTop + kCellHeight / 2, adderRight, cinTop + kCellHeight / 2);

  // The sum: SIGN_BIG (bit 11) in front of DELTA[10:7].
  const int sumTop = 2150;
  const int signLeft = 3000;
  s.AddCell(stage.SIGN_BIG, signLeft, sumTop);
  // The row's title covers the sign cell in front of it.
  const RowPlace delta = s.AddRow(stage.DELTA, 80, signLeft + kCellPitch, sumTop);
  s.RowTitleLeftOf(signLeft, sumTop);
  const std::string& sign = stage.SIGN_BIG.title();
  s.AddText(sign, signLeft - TextWidth(sign) - 40, sumTop + kCellHeight + 20);
  const int sumCentre = (signLeft + delta.Right()) / 2;
  s.Arrow(sumCentre, adderBottom, sumCentre, sumTop);

  // XOR with SIGN_BIG; bit 6 comes from SIGN_MED of the low part.
  const int xorTop = 2850;
  const int xorRight = 4750;
  s.AddUnit("XOR", 2850, xorTop, xorRight - 2850, 350);
  s.Arrow(CellCentre(signLeft), delta.Bottom(), CellCentre(signLeft), xorTop);
  const int deltaCentre = delta.CellCentre(2);
  s.Arrow(deltaCentre, delta.Bottom(), deltaCentre, xorTop);

  const int medLeft = 5400;
  const int medTop = xorTop + (350 - kCellHeight) / 2;
  s.AddCell(stage.SIGN_MED, medLeft, medTop);
  s.TitleAbove(stage.SIGN_MED, medLeft, medTop);
  s.EditRightOf("EditSIGN_MED", medLeft, medTop, EditsSignal(stage.SIGN_MED));
  s.Arrow(medLeft, medTop + kCellHeight / 2, xorRight, medTop + kCellHeight / 2);

  const RowPlace mag = s.AddRow(stage.MAG_LRG, 80, delta.left, 3800);
  s.RowTitleLeftOf(mag.left, mag.top);
  const int magCentre = mag.CellCentre(2);
  s.Arrow(magCentre, xorTop + 350, magCentre, mag.top);

  // OR tree over all five magnitude bits: the difference needs more than
  // the 6-bit shifter.
  const int orTop = 4500;
  s.AddUnit("OR TREE", 3000, orTop, 1290, 350);
  s.Arrow(magCentre, mag.Bottom(), magCentre, orTop);

  const int bigLeft = magCentre - kCellWidth / 2;
  const int bigTop = 5150;
  s.AddCell(stage.IS_BIG, bigLeft, bigTop);
  s.TitleLeftOf(stage.IS_BIG, bigLeft, bigTop);
  s.Arrow(magCentre, orTop + 350, magCentre, bigTop);
  return s.Finish();
}

}  // namespace sumaris::layout
