// Drawings of the rounding decision (step 15), the post-normalisation shift
// (step 16) and the two final selections (steps 17 and 18).
#include "rpath2/r2_layout_kit.h"

namespace sumaris::layout {
namespace {

using namespace r2;

int AfterTitle(int left, std::string_view title) { return left + TitleWidth(title) + 100; }

}  // namespace

StageLayout R2DecideLayout() {
  Sheet s;
  // The buttons hand the editor names of their own, spelled two ways.
  const std::string ronding = "Ronding Deceision";
  const std::string rounding = "Rounding Deceision";
  s.Label("Rounding Decisions", kMargin, kMargin, TextStyle::Heading, 3600, 400);

  // Inputs: each titled cell with its Edit button at its right.
  constexpr int kTitleTop = 700;
  constexpr int kCellTop = 960;
  constexpr int kBus = 1800;
  struct Input {
    const char* wire;
    const char* title;
    const char* button;
    int bit;
    const std::string& name;
    int left;
  };
  const Input inputs[] = {
      {"FPOSUMm1", "FPOSUM[-1]", "Command1", -1, ronding, 120},
      {"FPOSUMIm1", "FPOSUMI[-1]", "Command3", -1, rounding, 1370},
      {"FPOSUM51", "FPOSUM[51]", "Command6", 51, rounding, 2620},
      {"FPOSUMI51", "FPOSUMI[51]", "Command4", 51, rounding, 3870},
      {"XSUM52", "XSUM[52]", "Command2", 52, ronding, 5120},
  };
  for (const Input& in : inputs) {
    s.Label(in.title, in.left, kTitleTop);
    const int cell = in.left + 60;
    s.Cell(in.wire, 0, cell, kCellTop);
    s.Edit(in.button, cell + kCellWidth + 60, kCellTop + 37, in.wire, in.bit, in.bit, in.title,
           in.name);
    s.Line(cell + kCellWidth / 2, kCellTop + kCellHeight, cell + kCellWidth / 2, kBus);
  }
  // C[52], R', S'.
  const int crsLeft = 6270;
  s.Label("C[52], R', S'", crsLeft, kTitleTop);
  for (int p = 0; p < 3; ++p) s.Cell("C52RS", p, crsLeft + 60 + 185 * p, kCellTop);
  s.Edit("Command5", crsLeft + 60 + 3 * 185 + 60, kCellTop + 37, "C52RS", 52, 54, "C[52],R',S'",
         rounding);
  const int crsX = crsLeft + 60 + 185 + kCellWidth / 2;
  s.Line(crsX, kCellTop + kCellHeight, crsX, kBus);
  // The two mode bits, worked out from the rounding mode and the injection.
  constexpr int kModeTop = 620;
  constexpr int kModeWidth = 850;
  constexpr int kModeHeight = 720;
  const int modeLefts[] = {7450, 8400};
  const char* modeWires[] = {"IsRN", "IsRI"};
  const char* modeNames[] = {"Is RN", "Is RI"};
  for (int k = 0; k < 2; ++k) {
    const int left = modeLefts[k];
    s.Frame(modeNames[k], left, kModeTop, kModeWidth, kModeHeight);
    s.Cell(modeWires[k], 0, left + (kModeWidth - kCellWidth) / 2, kCellTop);
    s.Line(left + kModeWidth / 2, kModeTop + kModeHeight, left + kModeWidth / 2, kBus);
  }
  // This button hands the editor no wire.
  s.Edit("EditEB", 8400 - 50 - kButtonWidth / 2 - 75, kModeTop + kModeHeight + 60, "", 0, 1,
         "RI RN", rounding);
  s.Line(120 + 60 + kCellWidth / 2, kBus, modeLefts[1] + kModeWidth / 2, kBus);

  // The least significant bit fixed for ties: for the plain sum with and
  // without overflow and for the incremented sum with overflow.
  constexpr int kMidTop = 2200;
  struct Fixed {
    const char* wire;
    const char* title;
    int left;
  };
  const Fixed fixed[] = {
      {"LSBninc2", "LSB'(ninc)", 1600},
      {"LSBNINC", "LSB(ninc)", 3300},
      {"LSBinc2", "LSB'(inc)", 5000},
  };
  for (const Fixed& f : fixed) {
    s.Label(f.title, f.left - TitleWidth(f.title) - 40, kMidTop + 40);
    s.Cell(f.wire, 0, f.left, kMidTop);
    s.Arrow(f.left + kCellWidth / 2, kBus, f.left + kCellWidth / 2, kMidTop);
  }
  // RINC with overflow.
  constexpr int kRincLeft = 7200;
  constexpr int kRincWidth = 1200;
  const int rincX = kRincLeft + kRincWidth / 2;
  s.Unit("RINC", kRincLeft, 2150, kRincWidth, 430);
  s.Arrow(rincX, kBus, rincX, 2150);

  // The three multiplexers, selected by the overflow bits.
  constexpr int kMuxTop = 2950;
  constexpr int kMuxHeight = 500;
  const int muxY = kMuxTop + kMuxHeight / 2;
  const int nincX = 3300 + kCellWidth / 2;
  const int ninc2X = 1600 + kCellWidth / 2;
  const int inc2X = 5000 + kCellWidth / 2;
  // LSB(ninc): LSB'(ninc) on overflow of the plain sum.
  s.Mux(1300, kMuxTop, 1600, kMuxHeight, {{"1", ninc2X}, {"0", 2600}});
  s.Arrow(ninc2X, kMidTop + kCellHeight, ninc2X, kMuxTop);
  s.Line(nincX, kMidTop + kCellHeight, nincX, 2750);
  s.Line(2600, 2750, 4200, 2750);
  s.Arrow(2600, 2750, 2600, kMuxTop);
  s.Arrow(4200, 2750, 4200, kMuxTop);
  s.Note("FPOSUM[-1]", 700, muxY - 230);
  s.Arrow(250, muxY, Sheet::MuxSideAtMiddle(1300, 1600, kMuxHeight, false), muxY);
  // LSB(inc): LSB'(inc) on overflow of the incremented sum.
  s.Mux(3900, kMuxTop, 1600, kMuxHeight, {{"0", 4200}, {"1", inc2X}});
  s.Arrow(inc2X, kMidTop + kCellHeight, inc2X, kMuxTop);
  s.Note("FPOSUMI[-1]", 6000, muxY - 230);
  s.Arrow(6450, muxY, Sheet::MuxSideAtMiddle(3900, 1600, kMuxHeight, true), muxY);
  // RINC: C[52] and X without overflow, the overflow rule with it.
  s.Mux(6600, kMuxTop, 2000, kMuxHeight, {{"0", 6900}, {"1", rincX}});
  s.Arrow(6900, kBus, 6900, kMuxTop);
  s.Arrow(rincX, 2150 + 430, rincX, kMuxTop);
  s.Note("FPOSUM[-1]", 9050, muxY - 230);
  s.Arrow(9450, muxY, Sheet::MuxSideAtMiddle(6600, 2000, kMuxHeight, true), muxY);

  // Outputs.
  constexpr int kOutTop = 3850;
  struct Output {
    const char* wire;
    const char* title;
    int x;
  };
  const Output outputs[] = {
      {"LSBnincO", "LSB(ninc)", 1300 + 800},
      {"LSBincO", "LSB(inc)", 3900 + 800},
      {"RINC", "RINC", 6600 + 1000},
  };
  for (const Output& out : outputs) {
    s.Arrow(out.x, kMuxTop + kMuxHeight, out.x, kOutTop);
    s.Cell(out.wire, 0, out.x - kCellWidth / 2, kOutTop);
    s.Label(out.title, out.x - kCellWidth / 2 - TitleWidth(out.title) - 40, kOutTop + 40);
  }
  return s.Finish(9600, kOutTop + kCellHeight + kMargin);
}

StageLayout R2PostLayout() {
  Sheet s;
  const std::string name = "R2 Post";
  const RowGeometry in = LayoutWire(-1, 51, 0);
  // Bit j of an output sits under bit j of its input.
  const int outLeft = kRowLeft + 185;
  const int right = RowRight(in, kRowLeft);
  const int x = CellCentre(in, kRowLeft, 27);
  const int overflowX = CellCentre(in, kRowLeft, 0);

  struct Candidate {
    const char* input;
    const char* output;
    const char* button;
    const char* title;
    int top;
  };
  const Candidate candidates[] = {
      {"FPOSUM", "FPOSUM_s", "EditEB", "FPOSUM[-1:51]", 800},
      {"FPOSUMI", "FPOSUMI_s", "EditEA", "FPOSUMI[-1:51]", 3350},
  };
  int bottom = 0;
  for (const Candidate& c : candidates) {
    s.AddRow(c.input, kRowLeft, c.top, 0);
    s.Edit(c.button, AfterTitle(kRowLeft, c.title), c.top - kTitleAbove, c.input, -1, 51, c.title,
           name);
    const int shiftTop = c.top + kCellHeight + 170;
    const int shiftHeight = 380;
    s.Unit("Shift Right", outLeft, shiftTop, right + 60 - outLeft, shiftHeight);
    s.Arrow(x, c.top + kCellHeight, x, shiftTop);
    // The overflow bit sets the shift.
    s.Path({{overflowX, c.top + kCellHeight},
            {overflowX, shiftTop + shiftHeight / 2},
            {outLeft, shiftTop + shiftHeight / 2}});
    s.Note("[-1]", 270, c.top + kCellHeight + 80, 300);
    const int outTop = shiftTop + shiftHeight + 160 + kTitleAbove;
    s.AddRow(c.output, outLeft, outTop, 0);
    s.Arrow(x, shiftTop + shiftHeight, x, outTop - kIndexAbove - 10);
    bottom = outTop + kCellHeight;
  }
  return s.Finish(right + 60 + kMargin, bottom + kMargin);
}

StageLayout R2Select1Layout() {
  Sheet s;
  const std::string name = "R2 Select1";
  const RowGeometry row = LayoutWire(0, 51, 0);
  const int right = RowRight(row, kRowLeft);

  const int plain = 800;
  const int inc = plain + 900;
  s.AddRow("FPOSUM_s", kRowLeft, plain, 0);
  s.AddRow("FPOSUMI_s", kRowLeft, inc, 0);
  s.Edit("EditEB", AfterTitle(kRowLeft, "FPOSUM_s[0:51]"), plain - kTitleAbove, "FPOSUM_s", 0, 51,
         "FPOSUM_s[0:51]", name);
  s.Edit("EditEA", AfterTitle(kRowLeft, "FPOSUMI_s[0:51]"), inc - kTitleAbove, "FPOSUMI_s", 0,
         51, "FPOSUMI_s[0:51]", name);

  constexpr int kMuxLeft = 2000;
  constexpr int kMuxWidth = 6000;
  constexpr int kMuxHeight = 600;
  const int muxTop = inc + kCellHeight + 220;
  const int in0 = 3000;
  const int in1 = 7000;
  s.Mux(kMuxLeft, muxTop, kMuxWidth, kMuxHeight, {{"0", in0}, {"1", in1}});
  const int turn = inc + kCellHeight + 80;
  s.Path({{kRowLeft, plain + kCellHeight / 2},
          {kLane, plain + kCellHeight / 2},
          {kLane, turn},
          {in0, turn},
          {in0, muxTop}});
  s.Arrow(in1, inc + kCellHeight, in1, muxTop);

  // The select.
  const int muxY = muxTop + kMuxHeight / 2;
  const int rincLeft = 8700;
  s.Label("RINC", rincLeft, muxY - kCellHeight / 2 - 270);
  s.Cell("RINC", 0, rincLeft, muxY - kCellHeight / 2);
  s.Edit("EditRinc", rincLeft + kCellWidth + 60, muxY - kButtonHeight / 2, "RINC", 0, 0, "RINC",
         name);
  s.Arrow(rincLeft, muxY, Sheet::MuxSideAtMiddle(kMuxLeft, kMuxWidth, kMuxHeight, true), muxY);

  const int ffar = muxTop + kMuxHeight + 200 + kTitleAbove;
  s.AddRow("FFAR", kRowLeft, ffar, 0);
  const int outX = kMuxLeft + kMuxWidth / 2;
  s.Arrow(outX, muxTop + kMuxHeight, outX, ffar - kIndexAbove - 10);
  return s.Finish(std::max(right, rincLeft + kCellWidth + 60 + kButtonWidth) + kMargin,
                  ffar + kCellHeight + kMargin);
}

StageLayout R2Select2Layout() {
  Sheet s;
  const std::string name = "R2 Select2";
  constexpr int kInTop = 1100;
  struct Input {
    const char* wire;
    const char* title;
    const char* button;
    int left;
  };
  const Input inputs[] = {
      {"LSBNINC", "LSB(ninc)", "EditNinc", 3000},
      {"LSBINC", "LSB(inc)", "EditInc", 6000},
  };
  for (const Input& in : inputs) {
    s.Label(in.title, in.left, kInTop - 270);
    s.Cell(in.wire, 0, in.left, kInTop);
    s.Edit(in.button, in.left + kCellWidth + 60, kInTop + 37, in.wire, 0, 0, in.title, name);
  }
  constexpr int kMuxLeft = 2500;
  constexpr int kMuxWidth = 4000;
  constexpr int kMuxTop = 1800;
  constexpr int kMuxHeight = 600;
  const int in0 = 3000 + kCellWidth / 2;
  const int in1 = 6000 + kCellWidth / 2;
  s.Mux(kMuxLeft, kMuxTop, kMuxWidth, kMuxHeight, {{"0", in0}, {"1", in1}});
  s.Arrow(in0, kInTop + kCellHeight, in0, kMuxTop);
  s.Arrow(in1, kInTop + kCellHeight, in1, kMuxTop);

  const int muxY = kMuxTop + kMuxHeight / 2;
  const int rincLeft = 7300;
  s.Label("RINC", rincLeft, muxY - kCellHeight / 2 - 270);
  s.Cell("RINC", 0, rincLeft, muxY - kCellHeight / 2);
  s.Edit("EditRinc", rincLeft + kCellWidth + 60, muxY - kButtonHeight / 2, "RINC", 0, 0, "RINC",
         name);
  s.Arrow(rincLeft, muxY, Sheet::MuxSideAtMiddle(kMuxLeft, kMuxWidth, kMuxHeight, true), muxY);

  const int outX = kMuxLeft + kMuxWidth / 2;
  const int outTop = kMuxTop + kMuxHeight + 450;
  s.Arrow(outX, kMuxTop + kMuxHeight, outX, outTop);
  s.Cell("FFAR52", 0, outX - kCellWidth / 2, outTop);
  s.Label("F.FAR[52]", outX + kCellWidth / 2 + 100, outTop + 40);
  return s.Finish(rincLeft + kCellWidth + 60 + kButtonWidth + kMargin,
                  outTop + kCellHeight + kMargin);
}

}  // namespace sumaris::layout
