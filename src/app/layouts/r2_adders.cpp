// Drawings of the second cycle's adders: the half adders (step 12), the
// compound adder (step 13) and the injection addition of the low bits
// (step 14).
#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {
namespace {

// Cell 0 of the rows; left of them the lane where a bus runs round a row.
constexpr int kRowLeft = 360;
constexpr int kLane = 210;

// The aligned small significand as a whole, split where the two adders of
// the second cycle take it apart: bits -1..52 to the half adders, 53..116 to
// the low-bit adder. Both windows draw the bar alike, one scale for all 118
// bits, so the split sits at the same place in both.
constexpr int kBarLeft = 2150;
constexpr int kBarRight = 9300;
constexpr int kBarSplit = kBarLeft + (kBarRight - kBarLeft) * 54 / 118;  // before bit 53
constexpr int kBarTop = 640;

// Draws the split bar; returns its bottom.
int SplitTitle(Sketch& s) {
  constexpr int kMarkTop = 420;
  constexpr int kBarHeight = 120;
  s.AddText("FSOPA[-1:116]", kMargin, kBarTop + (kBarHeight - kTextHeight) / 2);
  s.AddBox(kBarLeft, kBarTop, kBarSplit - kBarLeft, kBarHeight);
  s.Tip(
      "Bits -1 to 52 of the aligned small significand: the part the half adders and the compound "
      "adder add to the large significand.");
  s.AddBox(kBarSplit, kBarTop, kBarRight - kBarSplit, kBarHeight);
  s.Tip(
      "Bits 53 to 116 of the aligned small significand: the injection addition of the low bits "
      "turns them into the round and sticky bits.");
  s.Note("[-1]", kBarLeft + 180, kMarkTop, 360);
  s.Note("[52]", kBarSplit - 180, kMarkTop, 360);
  s.Note("[53]", kBarSplit + 180, kMarkTop, 360);
  s.Note("[116]", kBarRight - 210, kMarkTop, 420);
  return kBarTop + kBarHeight;
}

// The "Edit" by the split title does nothing; its tooltip says where the
// wire is edited.
void DeadEditOfTheWholeWire(Sketch& s, const std::string& here) {
  s.AddButton("EditEB", "Edit", After(kMargin, "FSOPA[-1:116]"), kBarTop - 70, std::nullopt);
  s.TooltipOfLastButton(
      "Does nothing: FSOPA[-1:116] comes from step 9, R1BigMux, where its input "
      "FSOPA.med[-1:116] is edited.\nHere, edit " +
      here + ".");
}

}  // namespace

StageLayout R2HALayout(const R2HA& stage) {
  Sketch s;
  const std::string name(stage.name());  // its buttons hand the editor the stage's name
  const int barBottom = SplitTitle(s);
  DeadEditOfTheWholeWire(s, "its bits -1 to 52 as FSOPA[-1:52]");

  const int fsopa = 1460;
  const int flp = fsopa + 900;
  const RowPlace fsopaRow = s.EditableRow("EditEA", stage.FSOPA, 0, kRowLeft, fsopa, name);
  s.Explain(stage.FSOPA, "Bits -1 to 52 of the aligned small significand (step 9).");
  s.EditableRow("Command3", stage.FLP, 0, kRowLeft, flp, name);
  s.Explain(stage.FLP, "The large significand (step 10).");
  const int x = fsopaRow.CellCentre(26);  // the column the data flows down
  const int right = fsopaRow.Right();
  s.Arrow(x, barBottom, x, AboveIndexLabels(fsopa));

  const int haTop = flp + kCellHeight + 200;
  const int haHeight = 400;
  s.AddUnit("HA(54)", kMargin, haTop, right + kUnitOverhang - kMargin, haHeight);
  s.Tip(
      "A row of half adders turns FSOPA and FLP into a sum row and a carry row, each carry moved "
      "one bit left. The compound adder behind it can then prepare the sum and the sum plus one at "
      "once, and bit 52's half sum stays apart for the rounding decision.");
  s.Route({{kRowLeft, fsopa + kCellHeight / 2}, {kLane, fsopa + kCellHeight / 2}, {kLane, haTop}});
  s.Arrow(x, flp + kCellHeight, x, haTop);

  const int xsum = haTop + haHeight + 160 + kTitleAbove;
  const int xcarry = xsum + 900;
  const RowPlace xsumRow = s.AddRow(stage.XSUM, 0, kRowLeft, xsum);
  s.Explain(
      stage.XSUM,
      "The half adders' sums, bit by bit; bit 52's sum stays apart for the rounding decision.");
  s.AddRow(stage.XCARRY, 0, kRowLeft, xcarry);
  s.Explain(stage.XCARRY, "The half adders' carries, each one bit left of the bit it came from.");
  s.Arrow(x, haTop + haHeight, x, AboveIndexLabels(xsum));
  s.Route({{kLane, haTop + haHeight},
           {kLane, xcarry + kCellHeight / 2},
           {kRowLeft, xcarry + kCellHeight / 2}});
  return s.Finish(std::max(right, xsumRow.Right()) + kMargin, xcarry + kCellHeight + kMargin);
}

StageLayout R2CompoundLayout(const R2Compound& stage) {
  Sketch s;
  const std::string name = "Significand Add. High";
  const int xsum = 800;
  const int xcarry = xsum + 900;
  // Bit 52 of XSUM takes no part in the addition: drawn grey.
  const RowPlace xsumRow = s.EditableRow("EditEA", stage.XSUM, 20, kRowLeft, xsum, name);
  s.Explain(stage.XSUM,
            "The half sums (step 12); bit 52, drawn grey, takes no part in this addition.");
  s.GreyCell(stage.XSUM.Position(52));
  const RowPlace xcarryRow = s.EditableRow("EditEB", stage.XCARRY, 20, kRowLeft, xcarry, name);
  s.Explain(stage.XCARRY, "The half carries (step 12).");
  const int x = xcarryRow.CellCentre(27);
  const int right = xsumRow.Right();

  const int addTop = xcarry + kCellHeight + 200;
  const int addHeight = 400;
  s.AddUnit("Compound Adder(53)", kMargin, addTop, right + kUnitOverhang - kMargin, addHeight);
  s.Tip(
      "Forms the sum and the sum plus one of the two significands at once, so rounding can choose "
      "between them without a second carry propagation.");
  s.Route({{kRowLeft, xsum + kCellHeight / 2}, {kLane, xsum + kCellHeight / 2}, {kLane, addTop}});
  s.Arrow(x, xcarry + kCellHeight, x, addTop);

  const int fposum = addTop + addHeight + 160 + kTitleAbove;
  const int fposumi = fposum + 900;
  s.AddRow(stage.FPOSUM, 20, kRowLeft, fposum);
  s.Explain(stage.FPOSUM,
            "The sum XSUM + XCARRY with carry-in 0: the result when rounding adds nothing.");
  s.AddRow(stage.FPOSUMI, 20, kRowLeft, fposumi);
  s.Explain(stage.FPOSUMI,
            "The same sum plus one (carry-in 1): the result when rounding adds a unit.");
  s.Arrow(x, addTop + addHeight, x, AboveIndexLabels(fposum));
  s.Route({{kLane, addTop + addHeight},
           {kLane, fposumi + kCellHeight / 2},
           {kRowLeft, fposumi + kCellHeight / 2}});
  return s.Finish(right + kMargin, fposumi + kCellHeight + kMargin);
}

StageLayout R2SigaddLayout(const R2Sigadd& stage) {
  Sketch s;
  const std::string name = "R2 Significants addition ";
  const int barBottom = SplitTitle(s);
  DeadEditOfTheWholeWire(s, "its bits 54 to 116 as FSOPA[54:116]");

  // Bits 54..116.
  const int fsopa = 1400;
  const RowPlace low = s.EditableRow("EditFsopa", stage.FSOPA, 0, kRowLeft, fsopa, name);
  s.Explain(
      stage.FSOPA,
      "Bits 54 to 116 of the aligned small significand: all of it that lies below the round bit.");
  const int xLow = low.CellCentre(30);
  s.Arrow(xLow, barBottom, xLow, AboveIndexLabels(fsopa));

  // Columns below the row: bit 53 on the left, XOR and OR TREE in the
  // middle, their side signals and the injection on the right.
  constexpr int kUnitLeft = 2300;
  constexpr int kUnitWidth = 3500;
  constexpr int kUnitHeight = 330;
  const int unitRight = kUnitLeft + kUnitWidth;
  const int unitX = low.CellCentre(20);
  const int xorTop = 2050;
  const int orTop = 2600;

  // Bit 53, routed from the bar round the left of the row.
  const int bit53 = 1400;
  s.AddText(stage.FSOPA53.title(), kRowLeft, TextLevelWith(xorTop));
  s.TitleOf(stage.FSOPA53);
  s.Explain(stage.FSOPA53, "Bit 53 of the aligned small significand, at the round position.");
  s.AddCell(stage.FSOPA53, bit53, xorTop);
  s.Route({{kBarSplit + 100, barBottom},
           {kBarSplit + 100, barBottom + 80},
           {kLane, barBottom + 80},
           {kLane, 1900},
           {CellCentre(bit53), 1900},
           {CellCentre(bit53), xorTop}});

  s.AddUnit("XOR", kUnitLeft, xorTop, kUnitWidth, kUnitHeight);
  s.Tip(
      "XOR with S.EFF gives back the true low bits of a complemented operand, so that the OR tree "
      "can tell whether any of them is set.");
  s.Arrow(unitX, fsopa + kCellHeight, unitX, xorTop);
  s.AddUnit("OR TREE", kUnitLeft, orTop, kUnitWidth, kUnitHeight);
  s.Tip(
      "ORs the 63 low bits into one sticky bit: whether anything of the small operand lies below "
      "the round bit.");
  s.Arrow(unitX, xorTop + kUnitHeight, unitX, orTop);

  // S.EFF: into the XOR and, down the right, the select of the MUX.
  const int seffLeft = 8400;
  s.AddText(stage.seff.title(), seffLeft, xorTop - 260);
  s.TitleOf(stage.seff);
  s.Explain(stage.seff, "The effective operation: 1 for a subtraction.");
  s.AddCell(stage.seff, seffLeft, xorTop);
  // The editor names it after the first cycle, where it is computed.
  s.EditCloseRightOf("EditSeff", seffLeft, xorTop, Edits("seff", 0, 0, "R1 SEFF", name));
  s.Arrow(seffLeft, xorTop + kCellHeight / 2, unitRight, xorTop + kCellHeight / 2);

  // The OR of the low bits against S.EFF: the sticky bit.
  const int orOut = 6300;
  s.AddCell(stage.OrOut, orOut, orTop);
  s.Explain(stage.OrOut, "The sticky bit: 1 when any of the low bits 54 to 116 is set.");
  s.Arrow(unitRight, orTop + kCellHeight / 2, orOut, orTop + kCellHeight / 2);

  // The injection bits.
  const int injLeft = 6900;
  const int injTop = 2480;
  const int injWidth = 1150;
  const int injHeight = 650;
  s.AddFrame("INJ", injLeft, injTop, injWidth, injHeight);
  s.Tip(
      "The injection chosen by the rounding mode and the result's sign: INJ[0] is added at the "
      "round bit 53, INJ[1] at the sticky position. After it every rounding mode is a truncation.");
  s.AddCell(stage.INJ, injLeft + 100, injTop + 300, 0);
  s.Explain(stage.INJ,
            "The two injection bits from the operand entry: INJ[0] at bit 53, INJ[1] at the sticky "
            "position.",
            Sketch::Numbering::ByPlace);
  s.AddCell(stage.INJ, injLeft + 100 + kCellPitch, injTop + 300, 1);
  // The editor titles the two bits by what they stand for.
  s.EditRightOf("EditR1rne", injLeft + 100 + kCellPitch, injTop + 300,
                Edits("INJ", 0, 1, "RI RNE", name));

  // The addition of (bit 53, sticky) and the injection, for either
  // effective operation.
  const int addTop = 3350;
  const int addHeight = 1300;
  s.AddFrame("Compute C[52], R', S'", kMargin, addTop, 9600 - kMargin, addHeight);
  s.Tip(
      "Adds bit 53, the sticky bit and the injection, with the +1 of the two's complement in a "
      "subtraction. Out come the carry into bit 52 and the round and sticky bits after the "
      "injection.");
  s.Arrow(CellCentre(bit53), xorTop + kCellHeight, CellCentre(bit53), addTop);
  s.Arrow(CellCentre(orOut), orTop + kCellHeight, CellCentre(orOut), addTop);
  s.Arrow(injLeft + injWidth / 2, injTop + injHeight, injLeft + injWidth / 2, addTop);

  const int muxLeft = 3600;
  const int muxWidth = 2600;
  const int muxTop = 3950;
  const int muxHeight = 500;
  const int in0 = 4100;
  const int in1 = 5700;
  const MuxPlace mux =
      s.AddMux({muxLeft, muxTop, muxWidth, muxHeight}, {{"0", in0}, {"1", in1}}, "MUX");
  s.Tip(
      "Chooses the outcome for an effective addition (S = 0) or subtraction (S = 1), which add the "
      "low bits in different ways.");
  s.Arrow(in0, 3700, in0, muxTop);
  s.Arrow(in1, 3700, in1, muxTop);
  s.Note("(S=0)", in0 - 450, 3760, 600);
  s.Note("(S=1)", in1 + 450, 3760, 600);
  const int selectY = muxTop + muxHeight / 2;
  s.Route({{CellCentre(seffLeft), xorTop + kCellHeight},
           {CellCentre(seffLeft), selectY},
           {mux.RightSideAt(selectY), selectY}});

  // C[52], R', S'.
  const int outTop = 4950;
  const int outX = mux.OutX();
  const int outLeft = outX - kCellPitch - kCellWidth / 2;
  s.Arrow(outX, mux.Bottom(), outX, outTop);
  for (int p = 0; p < 3; ++p)
    s.AddCell(stage.C52RS, outLeft + kCellPitch * p, outTop, p);
  s.AddText(stage.C52RS.title(), outLeft + 3 * kCellPitch + 100, TextLevelWith(outTop));
  s.TitleOf(stage.C52RS);
  s.Explain(stage.C52RS,
            "The carry into bit 52, C[52], and the round and sticky bits after the injection, R' "
            "and S'.");

  return s.Finish(low.Right() + kMargin, outTop + kCellHeight + kMargin);
}

}  // namespace sumaris::layout
