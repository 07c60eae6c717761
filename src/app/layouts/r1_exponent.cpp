// Drawings of steps 1 and 2: the two halves of the exponent difference.
// Each is an adder of EA and the inverse of EB (inputs on top), the sum
// with its sign bit in front, the XOR that turns it into a magnitude and the
// OR tree that flags a non-zero part of the magnitude (outputs at the bottom).
#include <string>

#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {
namespace {

struct Explained {
  const Wire& wire;
  const char* what;
};

// The adder's sum: its sign cell at `signLeft`, the DELTA row right after it
// (the row's title covers the sign cell, so it goes in front), the sign's
// title under its cell, and the arrow from the adder into the middle.
// Returns the DELTA row's place.
RowPlace SumWithItsSign(Sketch& s, const Explained& sign, const Explained& delta, int signLeft,
                        int sumTop, int adderBottom) {
  s.AddCell(sign.wire, signLeft, sumTop);
  const RowPlace row = s.AddRow(delta.wire, 80, signLeft + kCellPitch, sumTop);
  s.Explain(delta.wire, delta.what);
  s.RowTitleLeftOf(signLeft, sumTop);
  const std::string& title = sign.wire.title();
  s.AddText(title, signLeft - TextWidth(title) - 40, sumTop + kCellHeight + 20);
  s.TitleOf(sign.wire);
  s.Explain(sign.wire, sign.what);
  const int sumCentre = (signLeft + row.Right()) / 2;
  s.Arrow(sumCentre, adderBottom, sumCentre, sumTop);
  return row;
}

}  // namespace

StageLayout R1MediumLayout(const R1Medium& stage) {
  Sketch s;
  // Inputs: EA[6:0] and EB[6:0].
  const RowPlace ea = s.EditableRow("EditEA", stage.Ea, 80, 2000, 650);
  s.Explain(stage.Ea, "Bits 6 to 0 of operand A's biased exponent, from the operand entry.");
  const RowPlace eb = s.EditableRow("EditEB", stage.EB, 80, 4800, 650);
  s.Explain(stage.EB, "Bits 6 to 0 of operand B's biased exponent; the adder takes their inverse.");

  // The 7-bit adder EA + not EB, carry in 0.
  const int adderTop = 1250;
  const int adderBottom = adderTop + 400;
  s.AddUnit("Adder(7)", 1700, adderTop, 5400, 400);
  s.Tip(
      "Adds EA and the inverse of EB with no carry in, which gives D = EA - EB - 1: adding an "
      "inverse is cheaper than subtracting. The missing 1 is made up later by the one-bit "
      "pre-shifts.");
  s.Arrow(ea.CellCentre(3), ea.Bottom(), ea.CellCentre(3), adderTop);
  s.Arrow(eb.CellCentre(3), eb.Bottom(), eb.CellCentre(3), adderTop);

  // Its carry out, and the sum: bit 6 (SIGN_MED) in front of DELTA[5:0].
  const int sumTop = 2150;
  s.AddCell(stage.Cout, 1800, sumTop);
  s.TitleLeftOf(stage.Cout, 1800, sumTop);
  s.Explain(stage.Cout,
            "The carry out of the 7-bit adder, carried on into the high part of the difference "
            "(step 2).");
  s.Arrow(CellCentre(1800), adderBottom, CellCentre(1800), sumTop);

  const int signLeft = 4000;
  const RowPlace delta = SumWithItsSign(
      s,
      {stage.SIGN_MED,
       "Bit 6 of the sum D = EA - EB - 1, its sign while the exponents lie less "
       "than 64 apart: 0 when EA > EB. It picks the small operand for the alignment."},
      {stage.DELTA, "The low six bits of the sum D = EA - EB - 1."}, signLeft, sumTop, adderBottom);

  // XOR with the sign: the magnitude of the low part.
  const int xorTop = 2850;
  s.AddUnit("XOR", 3850, xorTop, 1600, 350);
  s.Tip(
      "Inverts DELTA bit by bit when the sum is negative (SIGN_MED = 1), which turns D into a "
      "magnitude without a carry-propagating negation. The alignment shifter needs how far apart "
      "the exponents are, not which is larger.");
  s.Arrow(CellCentre(signLeft), delta.Bottom(), CellCentre(signLeft), xorTop);
  const int deltaCentre = delta.CellCentre(3);
  s.Arrow(deltaCentre, delta.Bottom(), deltaCentre, xorTop);

  const RowPlace mag = s.AddRow(stage.MAG_MED, 80, delta.left, 3800);
  s.Explain(stage.MAG_MED,
            "The magnitude of the low part of D: EA - EB - 1 when EA > EB, EB - EA otherwise. It "
            "is the alignment shifter's amount.");
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
  s.Tip(
      "ORs MAG_MED[5:1] into RES_MED, which is 1 when the low part of the magnitude is 2 or more. "
      "It tells the R path condition that the exponents lie at least two apart.");
  s.Arrow(orInput, tapY, orInput, orTop);

  const int resLeft = orInput - kCellWidth / 2;
  const int resTop = 5150;
  s.AddCell(stage.RES_MED, resLeft, resTop);
  s.TitleLeftOf(stage.RES_MED, resLeft, resTop);
  s.Explain(
      stage.RES_MED,
      "1 when any of MAG_MED[5:1] is set: the low part of the exponent difference is 2 or more.");
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
  s.Explain(stage.OEA,
            "The constant 0 in front of EA[10:7]: bit 11 of the extended exponent, so that the sum "
            "has a sign bit.");
  const RowPlace ea = s.AddRow(stage.Ea, 80, eaLeft + kCellPitch, 650);
  s.Explain(stage.Ea, "Bits 10 to 7 of operand A's biased exponent.");
  s.AddButton("EditOEA", "Edit", ButtonAfterRowTitle(eaLeft, ea.title), ea.TitleTop(),
              Edits("Ea", 10, 7, "EA[10:7]"));
  s.PlaceRowTitle(eaLeft, ea.TitleTop());

  const int ebLeft = 4100;
  s.AddCell(stage.OEB, ebLeft, 650);
  s.Explain(
      stage.OEB,
      "The constant 0 in front of EB[10:7]; inverted with EB, it is bit 11 of the subtrahend.");
  const RowPlace eb = s.AddRow(stage.EB, 80, ebLeft + kCellPitch, 650);
  s.Explain(stage.EB,
            "Bits 10 to 7 of operand B's biased exponent; the adder takes their inverse.");
  s.AddButton("EditOEB", "Edit", ButtonAfterRowTitle(ebLeft, eb.title), eb.TitleTop(),
              Edits("EB", 10, 7, "EB[10:7]"));
  s.PlaceRowTitle(ebLeft, eb.TitleTop());

  // The 5-bit adder (0,EA) + (1,not EB) with the carry of the low part.
  const int adderTop = 1250;
  const int adderBottom = adderTop + 400;
  const int adderRight = 6000;
  s.AddUnit("Adder(5)", 900, adderTop, adderRight - 900, 400);
  s.Tip(
      "Adds (0, EA[10:7]) and the inverse of (0, EB[10:7]) with the carry of the low part, "
      "completing D = EA - EB - 1 over all eleven bits. Its top bit is the sign of the whole "
      "difference.");
  const int eaCentre = (eaLeft + ea.Right()) / 2;
  const int ebCentre = (ebLeft + eb.Right()) / 2;
  s.Arrow(eaCentre, ea.Bottom(), eaCentre, adderTop);
  s.Arrow(ebCentre, eb.Bottom(), ebCentre, adderTop);

  const int cinLeft = 6700;
  const int cinTop = adderTop + (400 - kCellHeight) / 2;
  s.AddCell(stage.CIN, cinLeft, cinTop);
  s.TitleAbove(stage.CIN, cinLeft, cinTop);
  s.Explain(stage.CIN, "The carry out of the low part's 7-bit adder (step 1), into the high part.");
  // The editor's title drops the spaces that pad the drawn one.
  s.EditRightOf("EditCIN", cinLeft, cinTop, Edits("CIN", 0, 0, "Carry in"));
  s.Arrow(cinLeft, cinTop + kCellHeight / 2, adderRight, cinTop + kCellHeight / 2);

  // The sum: SIGN_BIG (bit 11) in front of DELTA[10:7].
  const int sumTop = 2150;
  const int signLeft = 3000;
  const RowPlace delta = SumWithItsSign(
      s,
      {stage.SIGN_BIG,
       "Bit 11 of D = EA - EB - 1, the sign of the whole difference: 0 exactly when "
       "EA > EB. It names the large operand."},
      {stage.DELTA, "Bits 10 to 7 of the sum D = EA - EB - 1."}, signLeft, sumTop, adderBottom);

  // XOR with SIGN_BIG; bit 6 comes from SIGN_MED of the low part.
  const int xorTop = 2850;
  const int xorRight = 4750;
  s.AddUnit("XOR", 2850, xorTop, xorRight - 2850, 350);
  s.Tip(
      "Inverts the high bits of D, with bit 6 (SIGN_MED), when the whole difference is negative, "
      "giving the high part of its magnitude.");
  s.Arrow(CellCentre(signLeft), delta.Bottom(), CellCentre(signLeft), xorTop);
  const int deltaCentre = delta.CellCentre(2);
  s.Arrow(deltaCentre, delta.Bottom(), deltaCentre, xorTop);

  const int medLeft = 5400;
  const int medTop = xorTop + (350 - kCellHeight) / 2;
  s.AddCell(stage.SIGN_MED, medLeft, medTop);
  s.TitleAbove(stage.SIGN_MED, medLeft, medTop);
  s.Explain(stage.SIGN_MED,
            "Bit 6 of the low part's sum (step 1); inverted with the high bits for a negative "
            "difference, it becomes bit 6 of MAG_LRG.");
  s.EditRightOf("EditSIGN_MED", medLeft, medTop, EditsSignal(stage.SIGN_MED));
  s.Arrow(medLeft, medTop + kCellHeight / 2, xorRight, medTop + kCellHeight / 2);

  const RowPlace mag = s.AddRow(stage.MAG_LRG, 80, delta.left, 3800);
  s.Explain(stage.MAG_LRG,
            "Bits 10 to 6 of the magnitude of the exponent difference; any of them set means a "
            "difference of 64 or more.");
  s.RowTitleLeftOf(mag.left, mag.top);
  const int magCentre = mag.CellCentre(2);
  s.Arrow(magCentre, xorTop + 350, magCentre, mag.top);

  // OR tree over all five magnitude bits: the difference needs more than
  // the 6-bit shifter.
  const int orTop = 4500;
  s.AddUnit("OR TREE", 3000, orTop, 1290, 350);
  s.Tip(
      "ORs the five bits of MAG_LRG into IS_BIG: the exponents lie 64 or more apart, farther than "
      "the 6-bit alignment shifter reaches. The big mux then puts the small operand where it can "
      "only set the sticky bit.");
  s.Arrow(magCentre, mag.Bottom(), magCentre, orTop);

  const int bigLeft = magCentre - kCellWidth / 2;
  const int bigTop = 5150;
  s.AddCell(stage.IS_BIG, bigLeft, bigTop);
  s.TitleLeftOf(stage.IS_BIG, bigLeft, bigTop);
  s.Explain(stage.IS_BIG,
            "1 when the exponents lie 64 or more apart, so that the small operand can only set the "
            "sticky bit.");
  s.Arrow(magCentre, orTop + 350, magCentre, bigTop);
  return s.Finish();
}

}  // namespace sumaris::layout
