// Drawings of the rounding decision (step 15), the post-normalisation shift
// (step 16) and the two final selections (steps 17 and 18).
#include <string>

#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {
namespace {

// Cell 0 of the rows; left of them the lane where a bus runs round a row.
constexpr int kRowLeft = 360;
constexpr int kLane = 210;

// RINC, the rounding decision, with its title and Edit button at `left`,
// level with the middle of the multiplexer it selects (`muxY`).
void RincSelects(Sketch& s, const Wire& rinc, const std::string& editorName, int left,
                 const MuxPlace& mux, int muxY) {
  s.AddText(rinc.title(), left, muxY - kCellHeight / 2 - 270);
  s.TitleOf(rinc);
  s.Explain(rinc, "The rounding decision (step 15): 1 takes the incremented sum. It selects.");
  s.AddCell(rinc, left, muxY - kCellHeight / 2);
  s.AddButton("EditRinc", "Edit", left + kCellWidth + kButtonGap, muxY - kButtonHeight / 2,
              Edits(rinc, editorName));
  s.Arrow(left, muxY, mux.RightSideAt(muxY), muxY);
}

}  // namespace

StageLayout R2DecideLayout(const R2Decide& stage) {
  Sketch s;
  // The buttons hand the editor names of their own, spelled two ways.
  const std::string ronding = "Ronding Deceision";
  const std::string rounding = "Rounding Deceision";
  s.AddText("Rounding Decisions", kMargin, kMargin, 3600, 400, TextStyle::Heading);

  // Inputs: each titled cell with its Edit button at its right.
  constexpr int kTitleTop = 700;
  constexpr int kCellTop = 960;
  constexpr int kCellIndent = 60;  // a cell's left beyond its title's
  constexpr int kBus = 1800;
  struct Input {
    const Wire& wire;
    const char* button;
    const std::string& name;
    int left;
  };
  const Input inputs[] = {
      {stage.FPOSUMm1, "Command1", ronding, 120},   {stage.FPOSUMIm1, "Command3", rounding, 1370},
      {stage.FPOSUM51, "Command6", rounding, 2620}, {stage.FPOSUMI51, "Command4", rounding, 3870},
      {stage.XSUM52, "Command2", ronding, 5120},
  };
  for (const Input& in : inputs) {
    s.AddText(in.wire.title(), in.left, kTitleTop);
    s.TitleOf(in.wire);
    s.Explain(
        in.wire,
        &in.wire == &stage.FPOSUMm1 ? "Bit -1 of the plain sum: 1 when it overflowed into [2, 4)."
        : &in.wire == &stage.FPOSUMIm1
            ? "Bit -1 of the incremented sum: 1 when it overflowed into [2, 4)."
        : &in.wire == &stage.FPOSUM51 ? "Bit 51 of the plain sum, its last bit when it overflows."
        : &in.wire == &stage.FPOSUMI51
            ? "Bit 51 of the incremented sum, its last bit when it overflows."
            : "The half sum of bit 52, kept apart from the compound adder (step 12).");
    const int cell = in.left + kCellIndent;
    s.AddCell(in.wire, cell, kCellTop);
    s.EditCloseRightOf(in.button, cell, kCellTop, Edits(in.wire, in.name));
    s.Link(CellCentre(cell), kCellTop + kCellHeight, CellCentre(cell), kBus);
  }
  // C[52], R', S'; the editor's title runs without spaces.
  const int crsLeft = 6270;
  s.AddText(stage.C52RS.title(), crsLeft, kTitleTop);
  s.TitleOf(stage.C52RS);
  s.Explain(stage.C52RS,
            "The carry into bit 52 and the round and sticky bits after the injection (step 14).");
  for (int p = 0; p < 3; ++p)
    s.AddCell(stage.C52RS, crsLeft + kCellIndent + kCellPitch * p, kCellTop, p);
  s.AddButton("Command5", "Edit", crsLeft + kCellIndent + 3 * kCellPitch + kButtonGap,
              ButtonLevelWith(kCellTop), Edits("C52RS", 52, 54, "C[52],R',S'", rounding));
  const int crsX = CellCentre(crsLeft + kCellIndent + kCellPitch);
  s.Link(crsX, kCellTop + kCellHeight, crsX, kBus);
  // The two mode bits, worked out from the rounding mode and the injection.
  constexpr int kModeTop = 620;
  constexpr int kModeWidth = 850;
  constexpr int kModeHeight = 720;
  const int modeLefts[] = {7450, 8400};
  const Wire* modes[] = {&stage.IsRN, &stage.IsRI};
  for (int k = 0; k < 2; ++k) {
    const int left = modeLefts[k];
    s.AddFrame(modes[k]->title(), left, kModeTop, kModeWidth, kModeHeight);
    s.Tip(k == 0 ? "1 in round to nearest even, the one mode whose ties need fixing: the last bit "
                   "of a tie is cleared, so that it goes to the even neighbour."
                 : "1 when the injection is 11, rounding away from zero. For a sum that overflows "
                   "the injection lies a bit too low, and this mode then lacks a 1 at bit 52 that "
                   "the decision adds.");
    s.AddCell(*modes[k], left + (kModeWidth - kCellWidth) / 2, kCellTop);
    s.Explain(*modes[k], k == 0 ? "1 in round to nearest even."
                                : "1 when the injection is 11: rounding away from zero.");
    s.Link(left + kModeWidth / 2, kModeTop + kModeHeight, left + kModeWidth / 2, kBus);
  }
  // This button hands the editor no wire.
  s.AddButton("EditEB", "Edit", 8400 - 50 - kButtonWidth / 2 - 75, kModeTop + kModeHeight + 60,
              Edits("", 0, 1, "RI RN", rounding));
  s.Link(CellCentre(inputs[0].left + kCellIndent), kBus, modeLefts[1] + kModeWidth / 2, kBus);

  // The least significant bit fixed for ties: for the plain sum with and
  // without overflow and for the incremented sum with overflow.
  constexpr int kMidTop = 2200;
  struct Fixed {
    const Wire& wire;
    int left;
  };
  // LSB(ninc) first: it feeds input 0 of both multiplexers on its right.
  const Fixed fixed[] = {
      {stage.LSBNINC, 1600},
      {stage.LSBninc2, 3300},
      {stage.LSBinc2, 5000},
  };
  for (const Fixed& f : fixed) {
    s.TitleLeftOf(f.wire, f.left, kMidTop);
    s.AddCell(f.wire, f.left, kMidTop);
    s.Explain(
        f.wire,
        &f.wire == &stage.LSBNINC ? "The last bit without overflow: bit 52 of the full sum, C[52] "
                                    "xor XSUM[52], cleared for a tie."
        : &f.wire == &stage.LSBninc2
            ? "The last bit of the plain sum when it overflows, its bit 51, cleared for a tie."
            : "The last bit of the incremented sum when it overflows, its bit 51, cleared for a "
              "tie.");
    s.Arrow(CellCentre(f.left), kBus, CellCentre(f.left), kMidTop);
  }
  // RINC with overflow.
  constexpr int kRincLeft = 7200;
  constexpr int kRincWidth = 1200;
  const int rincX = kRincLeft + kRincWidth / 2;
  s.AddUnit("RINC", kRincLeft, 2150, kRincWidth, 430);
  s.Tip(
      "Works out, for a sum that overflows, whether a carry reaches bit 51 once the injection is "
      "in its right place. Without overflow that carry comes from bit 52: C[52] and XSUM[52] both "
      "1.");
  s.Arrow(rincX, kBus, rincX, 2150);

  // The three multiplexers, selected by the overflow bits; each takes
  // input 0 on its left and input 1 on its right.
  constexpr int kMuxTop = 2950;
  constexpr int kMuxHeight = 500;
  const int muxY = kMuxTop + kMuxHeight / 2;
  const int nincX = CellCentre(1600);
  const int ninc2X = CellCentre(3300);
  const int inc2X = CellCentre(5000);
  // LSB(ninc): LSB'(ninc) on overflow of the plain sum. LSB(ninc) also runs
  // on to input 0 of the next multiplexer, across the line of LSB'(ninc).
  constexpr int kBranchY = 2670;
  constexpr int kJogY = 2840;
  const MuxPlace nincMux = s.AddMux({1300, kMuxTop, 1600, kMuxHeight}, {{"0", nincX}, {"1", 2600}});
  s.Arrow(nincX, kMidTop + kCellHeight, nincX, kMuxTop);
  s.Link(nincX, kBranchY, 4200, kBranchY);
  s.Arrow(4200, kBranchY, 4200, kMuxTop);
  s.Route({{ninc2X, kMidTop + kCellHeight}, {ninc2X, kJogY}, {2600, kJogY}, {2600, kMuxTop}});
  s.Tip(
      "LSB(ninc), the last bit if the plain sum is taken: its bit 51 when it overflows (FPOSUM[-1] "
      "= 1), bit 52 otherwise, each fixed for ties.");
  s.Note("FPOSUM[-1]", 700, muxY - 230);
  s.Arrow(250, muxY, nincMux.LeftSideAt(muxY), muxY);
  // LSB(inc): LSB'(inc) on overflow of the incremented sum.
  const MuxPlace incMux = s.AddMux({3900, kMuxTop, 1600, kMuxHeight}, {{"0", 4200}, {"1", inc2X}});
  s.Tip(
      "LSB(inc), the last bit if the incremented sum is taken, chosen the same way by its own "
      "overflow bit FPOSUMI[-1].");
  s.Arrow(inc2X, kMidTop + kCellHeight, inc2X, kMuxTop);
  s.Note("FPOSUMI[-1]", 6000, muxY - 230);
  s.Arrow(6450, muxY, incMux.RightSideAt(muxY), muxY);
  // RINC: C[52] and X without overflow, the overflow rule with it.
  const MuxPlace rincMux = s.AddMux({6600, kMuxTop, 2000, kMuxHeight}, {{"0", 6900}, {"1", rincX}});
  s.Tip(
      "RINC: without overflow of the plain sum the carry from bit 52, with it the overflow rule. "
      "RINC chooses the incremented sum in the final selection.");
  s.Arrow(6900, kBus, 6900, kMuxTop);
  s.Arrow(rincX, 2150 + 430, rincX, kMuxTop);
  s.Note("FPOSUM[-1]", 9050, muxY - 230);
  s.Arrow(9450, muxY, rincMux.RightSideAt(muxY), muxY);

  // Outputs.
  constexpr int kOutTop = 3850;
  struct Output {
    const Wire& wire;
    int x;
  };
  const Output outputs[] = {
      {stage.LSBnincO, 1300 + 800},
      {stage.LSBincO, 3900 + 800},
      {stage.RINC, 6600 + 1000},
  };
  for (const Output& out : outputs) {
    s.Arrow(out.x, kMuxTop + kMuxHeight, out.x, kOutTop);
    s.AddCell(out.wire, out.x - kCellWidth / 2, kOutTop);
    s.TitleLeftOf(out.wire, out.x - kCellWidth / 2, kOutTop);
    s.Explain(out.wire, &out.wire == &stage.RINC
                            ? "1 when rounding takes the incremented sum: a carry reaches bit 51."
                        : &out.wire == &stage.LSBincO
                            ? "The last bit of the result if the incremented sum is taken."
                            : "The last bit of the result if the plain sum is taken.");
  }
  return s.Finish(9600, kOutTop + kCellHeight + kMargin);
}

StageLayout R2PostLayout(const R2Post& stage) {
  Sketch s;
  const std::string name = "R2 Post";
  // Bit j of an output sits under bit j of its input.
  const int outLeft = kRowLeft + kCellPitch;
  const RowPlace in = PlaceRow(stage.FPOSUM, 0, kRowLeft, 0);  // either input, at height 0
  const int right = in.Right();
  const int x = in.CellCentre(27);
  const int overflowX = in.CellCentre(0);

  struct Candidate {
    const Wire& input;
    const Wire& output;
    const char* button;
    int top;
  };
  const Candidate candidates[] = {
      {stage.FPOSUM, stage.FPOSUM_s, "EditEB", 800},
      {stage.FPOSUMI, stage.FPOSUMI_s, "EditEA", 3350},
  };
  int bottom = 0;
  for (const Candidate& c : candidates) {
    s.EditableRow(c.button, c.input, 0, kRowLeft, c.top, name);
    s.Explain(c.input, &c.input == &stage.FPOSUM
                           ? "The plain sum from the compound adder (step 13)."
                           : "The incremented sum from the compound adder (step 13).");
    const int shiftTop = c.top + kCellHeight + 170;
    const int shiftHeight = 380;
    s.AddUnit("Shift Right", outLeft, shiftTop, right + kUnitOverhang - outLeft, shiftHeight);
    s.Tip(
        "Moves the sum one bit to the right when its overflow bit -1 is set, so that bit 0 holds "
        "the leading one. The bit that falls off, 51, is the last bit the rounding decision "
        "rounded for that case.");
    s.Arrow(x, c.top + kCellHeight, x, shiftTop);
    // The overflow bit sets the shift.
    s.Route({{overflowX, c.top + kCellHeight},
             {overflowX, shiftTop + shiftHeight / 2},
             {outLeft, shiftTop + shiftHeight / 2}});
    s.Note("[-1]", 270, c.top + kCellHeight + 80, 300);
    const int outTop = shiftTop + shiftHeight + 160 + kTitleAbove;
    s.AddRow(c.output, 0, outLeft, outTop);
    s.Explain(c.output, &c.output == &stage.FPOSUM_s
                            ? "The plain sum normalised: its leading one at bit 0."
                            : "The incremented sum normalised: its leading one at bit 0.");
    s.Arrow(x, shiftTop + shiftHeight, x, AboveIndexLabels(outTop));
    bottom = outTop + kCellHeight;
  }
  return s.Finish(right + kUnitOverhang + kMargin, bottom + kMargin);
}

StageLayout R2Select1Layout(const R2Select1& stage) {
  Sketch s;
  const std::string name = "R2 Select1";
  const int plain = 800;
  const int inc = plain + 900;
  const RowPlace plainRow = s.EditableRow("EditEB", stage.FPOSUM_s, 0, kRowLeft, plain, name);
  s.Explain(stage.FPOSUM_s, "The plain sum, normalised (step 16).");
  s.EditableRow("EditEA", stage.FPOSUMI_s, 0, kRowLeft, inc, name);
  s.Explain(stage.FPOSUMI_s, "The incremented sum, normalised (step 16).");
  const int right = plainRow.Right();

  constexpr int kMuxLeft = 2000;
  constexpr int kMuxWidth = 6000;
  constexpr int kMuxHeight = 600;
  const int muxTop = inc + kCellHeight + 220;
  const int in0 = 3000;
  const int in1 = 7000;
  const MuxPlace mux =
      s.AddMux({kMuxLeft, muxTop, kMuxWidth, kMuxHeight}, {{"0", in0}, {"1", in1}});
  s.Tip(
      "Takes bits 0 to 51 of the R path's significand from the sum RINC chose: the incremented one "
      "when rounding adds a unit, the plain one otherwise.");
  const int turn = inc + kCellHeight + 80;
  s.Route({{kRowLeft, plain + kCellHeight / 2},
           {kLane, plain + kCellHeight / 2},
           {kLane, turn},
           {in0, turn},
           {in0, muxTop}});
  s.Arrow(in1, inc + kCellHeight, in1, muxTop);

  // The select.
  const int rincLeft = 8700;
  RincSelects(s, stage.RINC, name, rincLeft, mux, muxTop + kMuxHeight / 2);

  const int ffar = mux.Bottom() + 200 + kTitleAbove;
  s.AddRow(stage.FFAR, 0, kRowLeft, ffar);
  s.Explain(stage.FFAR, "Bits 0 to 51 of the R path's significand.");
  s.Arrow(mux.OutX(), mux.Bottom(), mux.OutX(), AboveIndexLabels(ffar));
  return s.Finish(std::max(right, rincLeft + kCellWidth + kButtonGap + kButtonWidth) + kMargin,
                  ffar + kCellHeight + kMargin);
}

StageLayout R2Select2Layout(const R2Select2& stage) {
  Sketch s;
  const std::string name = "R2 Select2";
  constexpr int kInTop = 1100;
  struct Input {
    const Wire& wire;
    const char* button;
    int left;
  };
  const Input inputs[] = {
      {stage.LSBNINC, "EditNinc", 3000},
      {stage.LSBINC, "EditInc", 6000},
  };
  for (const Input& in : inputs) {
    s.AddText(in.wire.title(), in.left, kInTop - 270);
    s.TitleOf(in.wire);
    s.Explain(in.wire,
              &in.wire == &stage.LSBNINC
                  ? "The last bit if the plain sum is taken, fixed for overflow and ties (step 15)."
                  : "The last bit if the incremented sum is taken, fixed for overflow and ties "
                    "(step 15).");
    s.AddCell(in.wire, in.left, kInTop);
    s.EditCloseRightOf(in.button, in.left, kInTop, EditsSignal(in.wire, name));
  }
  constexpr int kMuxLeft = 2500;
  constexpr int kMuxWidth = 4000;
  constexpr int kMuxTop = 1800;
  constexpr int kMuxHeight = 600;
  const int in0 = CellCentre(3000);
  const int in1 = CellCentre(6000);
  const MuxPlace mux =
      s.AddMux({kMuxLeft, kMuxTop, kMuxWidth, kMuxHeight}, {{"0", in0}, {"1", in1}});
  s.Tip(
      "Takes the result's last bit by RINC from the two bits the rounding decision fixed for "
      "overflow and ties, not from the chosen sum itself.");
  s.Arrow(in0, kInTop + kCellHeight, in0, kMuxTop);
  s.Arrow(in1, kInTop + kCellHeight, in1, kMuxTop);

  const int rincLeft = 7300;
  RincSelects(s, stage.RINC, name, rincLeft, mux, kMuxTop + kMuxHeight / 2);

  const int outX = mux.OutX();
  const int outTop = mux.Bottom() + 450;
  s.Arrow(outX, mux.Bottom(), outX, outTop);
  s.AddCell(stage.FFAR52, outX - kCellWidth / 2, outTop);
  s.AddText(stage.FFAR52.title(), outX + kCellWidth / 2 + 100, TextLevelWith(outTop));
  s.TitleOf(stage.FFAR52);
  s.Explain(stage.FFAR52, "Bit 52, the last bit, of the R path's significand.");
  return s.Finish(rincLeft + kCellWidth + kButtonGap + kButtonWidth + kMargin,
                  outTop + kCellHeight + kMargin);
}

}  // namespace sumaris::layout
