// Drawings of the second cycle's adders: the half adders (step 12), the
// compound adder (step 13) and the injection addition of the low bits
// (step 14).
#include "rpath2/r2_layout_kit.h"

namespace sumaris::layout {
namespace {

using namespace r2;

// The aligned small significand as a whole, split where the two adders of
// the second cycle take it apart: bits -1..52 here, 53..116 to the low-bit
// adder. `split` is where the bar is divided; returns the bar's bottom.
int SplitTitle(Sheet& s, int barLeft, int split, int barRight) {
  constexpr int kMarkTop = 420;
  constexpr int kBarTop = 640;
  constexpr int kBarHeight = 120;
  s.Label("FSOPA[-1:116]", kMargin, kBarTop + (kBarHeight - kTextHeight) / 2);
  s.layout().boxes.push_back({barLeft, kBarTop, split - barLeft, kBarHeight, false});
  s.layout().boxes.push_back({split, kBarTop, barRight - split, kBarHeight, false});
  s.Note("[-1]", barLeft + 180, kMarkTop, 360);
  s.Note("[52]", split - 180, kMarkTop, 360);
  s.Note("[53]", split + 180, kMarkTop, 360);
  s.Note("[116]", barRight - 210, kMarkTop, 420);
  return kBarTop + kBarHeight;
}

// The "Edit" button right after a row's title.
int AfterTitle(int left, std::string_view title) { return left + TitleWidth(title) + 100; }

}  // namespace

StageLayout R2HALayout() {
  Sheet s;
  const int barBottom = SplitTitle(s, 2150, 7300, 9300);
  // The dead button sits by the split title; its click does nothing.
  s.DeadEdit("EditEB", AfterTitle(kMargin, "FSOPA[-1:116]"), 640 - 70);

  const RowGeometry wide = LayoutWire(-1, 52, 0);  // FSOPA, FLP
  const RowGeometry narrow = LayoutWire(-1, 51, 0);  // XSUM, XCARRY
  const int x = CellCentre(wide, kRowLeft, 26);    // the column the data flows down
  const int right = RowRight(wide, kRowLeft);

  const int fsopa = 1460;
  const int flp = fsopa + 900;
  s.AddRow("FSOPA", kRowLeft, fsopa, 0);
  s.AddRow("FLP", kRowLeft, flp, 0);
  s.Edit("EditEA", AfterTitle(kRowLeft, "FSOPA[-1:52]"), fsopa - kTitleAbove, "FSOPA", -1, 52,
         "FSOPA[-1:52]", "R2HA");
  s.Edit("Command3", AfterTitle(kRowLeft, "FLP[-1:52]"), flp - kTitleAbove, "FLP", -1, 52,
         "FLP[-1:52]", "R2HA");
  s.Arrow(x, barBottom, x, fsopa - kIndexAbove - 10);

  const int haTop = flp + kCellHeight + 200;
  const int haHeight = 400;
  s.Unit("HA(54)", kMargin, haTop, right + 60 - kMargin, haHeight);
  s.Path({{kRowLeft, fsopa + kCellHeight / 2}, {kLane, fsopa + kCellHeight / 2}, {kLane, haTop}});
  s.Arrow(x, flp + kCellHeight, x, haTop);

  const int xsum = haTop + haHeight + 160 + kTitleAbove;
  const int xcarry = xsum + 900;
  s.AddRow("XSUM", kRowLeft, xsum, 0);
  s.AddRow("XCARRY", kRowLeft, xcarry, 0);
  s.Arrow(x, haTop + haHeight, x, xsum - kIndexAbove - 10);
  s.Path({{kLane, haTop + haHeight},
          {kLane, xcarry + kCellHeight / 2},
          {kRowLeft, xcarry + kCellHeight / 2}});
  return s.Finish(std::max(right, RowRight(narrow, kRowLeft)) + kMargin,
                  xcarry + kCellHeight + kMargin);
}

StageLayout R2CompoundLayout() {
  Sheet s;
  const RowGeometry xsumRow = LayoutWire(-1, 52, 20);
  const RowGeometry row = LayoutWire(-1, 51, 20);  // XCARRY, FPOSUM, FPOSUMI
  const int x = CellCentre(row, kRowLeft, 27);
  const int right = RowRight(xsumRow, kRowLeft);

  const int xsum = 800;
  const int xcarry = xsum + 900;
  // Bit 52 of XSUM takes no part in the addition: drawn grey.
  s.AddRow("XSUM", kRowLeft, xsum, 20, 53);
  s.AddRow("XCARRY", kRowLeft, xcarry, 20);
  s.Edit("EditEA", AfterTitle(kRowLeft, "XSUM[-1:52]"), xsum - kTitleAbove, "XSUM", -1, 52,
         "XSUM[-1:52]", "Significand Add. High");
  s.Edit("EditEB", AfterTitle(kRowLeft, "XCARRY[-1:51]"), xcarry - kTitleAbove, "XCARRY", -1, 51,
         "XCARRY[-1:51]", "Significand Add. High");

  const int addTop = xcarry + kCellHeight + 200;
  const int addHeight = 400;
  s.Unit("Compound Adder(53)", kMargin, addTop, right + 60 - kMargin, addHeight);
  s.Path({{kRowLeft, xsum + kCellHeight / 2}, {kLane, xsum + kCellHeight / 2}, {kLane, addTop}});
  s.Arrow(x, xcarry + kCellHeight, x, addTop);

  const int fposum = addTop + addHeight + 160 + kTitleAbove;
  const int fposumi = fposum + 900;
  s.AddRow("FPOSUM", kRowLeft, fposum, 20);
  s.AddRow("FPOSUMI", kRowLeft, fposumi, 20);
  s.Arrow(x, addTop + addHeight, x, fposum - kIndexAbove - 10);
  s.Path({{kLane, addTop + addHeight},
          {kLane, fposumi + kCellHeight / 2},
          {kRowLeft, fposumi + kCellHeight / 2}});
  return s.Finish(right + kMargin, fposumi + kCellHeight + kMargin);
}

StageLayout R2SigaddLayout() {
  Sheet s;
  const std::string name = "R2 Significants addition ";
  constexpr int kSplit = 3000;
  const int barBottom = SplitTitle(s, 2150, kSplit, 9300);
  s.DeadEdit("EditEB", AfterTitle(kMargin, "FSOPA[-1:116]"), 640 - 70);

  // Bits 54..116.
  const RowGeometry low = LayoutWire(54, 116, 0);
  const int fsopa = 1400;
  s.AddRow("FSOPA", kRowLeft, fsopa, 0);
  s.Edit("EditFsopa", AfterTitle(kRowLeft, "FSOPA[54:116]"), fsopa - kTitleAbove, "FSOPA", 54, 116,
         "FSOPA[54:116]", name);
  const int xLow = CellCentre(low, kRowLeft, 30);
  s.Arrow(xLow, barBottom, xLow, fsopa - kIndexAbove - 10);

  // Columns below the row: bit 53 on the left, XOR and OR TREE in the
  // middle, their side signals and the injection on the right.
  constexpr int kUnitLeft = 2300;
  constexpr int kUnitWidth = 3500;
  constexpr int kUnitHeight = 330;
  const int unitRight = kUnitLeft + kUnitWidth;
  const int unitX = CellCentre(low, kRowLeft, 20);
  const int xorTop = 2050;
  const int orTop = 2600;

  // Bit 53, routed from the bar round the left of the row.
  const int bit53 = 1400;
  s.Label("FSOPA[53]", kRowLeft, xorTop + 40);
  s.Cell("FSOPA53", 0, bit53, xorTop);
  s.Path({{kSplit + 100, barBottom},
          {kSplit + 100, barBottom + 80},
          {kLane, barBottom + 80},
          {kLane, 1900},
          {bit53 + kCellWidth / 2, 1900},
          {bit53 + kCellWidth / 2, xorTop}});

  s.Unit("XOR", kUnitLeft, xorTop, kUnitWidth, kUnitHeight);
  s.Arrow(unitX, fsopa + kCellHeight, unitX, xorTop);
  s.Unit("OR TREE", kUnitLeft, orTop, kUnitWidth, kUnitHeight);
  s.Arrow(unitX, xorTop + kUnitHeight, unitX, orTop);

  // S.EFF: into the XOR and, down the right, the select of the MUX.
  const int seffLeft = 8400;
  s.Label("S.EFF", seffLeft, xorTop - 260);
  s.Cell("seff", 0, seffLeft, xorTop);
  s.Edit("EditSeff", seffLeft + kCellWidth + 60, xorTop + 37, "seff", 0, 0, "R1 SEFF", name);
  s.Arrow(seffLeft, xorTop + kCellHeight / 2, unitRight, xorTop + kCellHeight / 2);

  // The OR of the low bits against S.EFF: the sticky bit.
  const int orOut = 6300;
  s.Cell("OrOut", 0, orOut, orTop);
  s.Arrow(unitRight, orTop + kCellHeight / 2, orOut, orTop + kCellHeight / 2);

  // The injection bits.
  const int injLeft = 6900;
  const int injTop = 2480;
  const int injWidth = 1150;
  const int injHeight = 650;
  s.Frame("INJ", injLeft, injTop, injWidth, injHeight);
  s.Cell("INJ", 0, injLeft + 100, injTop + 300);
  s.Cell("INJ", 1, injLeft + 100 + 185, injTop + 300);
  s.Edit("EditR1rne", injLeft + 100 + 185 + kCellWidth + 80, injTop + 337, "INJ", 0, 1, "RI RNE",
         name);

  // The addition of (bit 53, sticky) and the injection, for either
  // effective operation.
  const int addTop = 3350;
  const int addHeight = 1300;
  s.Frame("Compute C[52], R', S'", kMargin, addTop, 9600 - kMargin, addHeight);
  s.Arrow(bit53 + kCellWidth / 2, xorTop + kCellHeight, bit53 + kCellWidth / 2, addTop);
  s.Arrow(orOut + kCellWidth / 2, orTop + kCellHeight, orOut + kCellWidth / 2, addTop);
  s.Arrow(injLeft + injWidth / 2, injTop + injHeight, injLeft + injWidth / 2, addTop);

  const int muxLeft = 3600;
  const int muxWidth = 2600;
  const int muxTop = 3950;
  const int muxHeight = 500;
  const int in0 = 4100;
  const int in1 = 5700;
  s.Mux(muxLeft, muxTop, muxWidth, muxHeight, {{"0", in0}, {"1", in1}}, "MUX");
  s.Arrow(in0, 3700, in0, muxTop);
  s.Arrow(in1, 3700, in1, muxTop);
  s.Note("(S=0)", in0 - 450, 3760, 600);
  s.Note("(S=1)", in1 + 450, 3760, 600);
  const int selectY = muxTop + muxHeight / 2;
  s.Path({{seffLeft + kCellWidth / 2, xorTop + kCellHeight},
          {seffLeft + kCellWidth / 2, selectY},
          {Sheet::MuxSideAtMiddle(muxLeft, muxWidth, muxHeight, true), selectY}});

  // C[52], R', S'.
  const int outTop = 4950;
  const int outX = muxLeft + muxWidth / 2;
  const int outLeft = outX - 185 - kCellWidth / 2;
  s.Arrow(outX, muxTop + muxHeight, outX, outTop);
  for (int p = 0; p < 3; ++p) s.Cell("C52RS", p, outLeft + 185 * p, outTop);
  s.Label("C[52], R', S'", outLeft + 3 * 185 + 100, outTop + 40);

  return s.Finish(RowRight(low, kRowLeft) + kMargin, outTop + kCellHeight + kMargin);
}

}  // namespace sumaris::layout
