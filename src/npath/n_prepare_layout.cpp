// Drawings of the N path's operand preparation: the small exponent
// difference with the larger significand, and the aligned, inverted smaller
// significand.
#include "npath/npath_layout_kit.h"

namespace sumaris::layout {
namespace {

using npath::CellMid;
using npath::kCellHeight;
using npath::kChannel;
using npath::kRowLeft;
using npath::Mux;
using npath::Sheet;
using npath::TitleWidth;

// A long significand row with its Edit button right after its title.
void SignificandRow(Sheet& s, const std::string& wire, const std::string& title,
                    const std::string& button, int first, int last, int top) {
  s.Row(wire, last - first + 1, kRowLeft, top, 20);
  s.Edit(button, wire, first, last, title, kRowLeft + TitleWidth(title) + 60, top - 520);
}

// A one-bit signal on the title line of the row it travels with.
constexpr int kSignTitleLeft = 2300;
constexpr int kSignCellLeft = 2600;
void SignOnTitleLine(Sheet& s, const std::string& wire, const std::string& title, int rowTop) {
  s.Title(title, kSignTitleLeft, rowTop - 510);
  s.Cell(wire, 0, kSignCellLeft, rowTop - 550);
}

}  // namespace

StageLayout NSmallExpLayout() {
  Sheet s;
  // Inputs: the two significands, each with its sign.
  constexpr int kFaTop = 690;
  constexpr int kFbTop = 1590;
  SignificandRow(s, "Fa", "FA[0:52]", "EditFA", 0, 52, kFaTop);
  SignOnTitleLine(s, "Sa", "SA", kFaTop);
  s.Edit("EditSA", "Sa", 0, 0, "SA", kSignCellLeft + 280, kFaTop - 520);
  SignificandRow(s, "FB", "FB[0:52]", "EditFB", 0, 52, kFbTop);
  SignOnTitleLine(s, "SB", "SB", kFbTop);
  s.Edit("EditSB", "SB", 0, 0, "SB", kSignCellLeft + 280, kFbTop - 520);

  // The two low exponent bits and the fixed carry-in into the 2-bit adder:
  // DELTA = (EA - EB) mod 4.
  constexpr int kExpTop = 2560;
  constexpr int kEaLeft = 5400;
  constexpr int kEbLeft = 7000;
  constexpr int kCinLeft = 8800;
  s.Row("Ea", 2, kEaLeft, kExpTop, 80);
  s.Edit("EditEA", "Ea", 1, 0, "EA[1:0]", kEaLeft + TitleWidth("EA[1:0]") + 60, kExpTop - 520);
  s.Row("EB", 2, kEbLeft, kExpTop, 80);
  s.Edit("EditEB", "EB", 1, 0, "EB[1:0]", kEbLeft + TitleWidth("EB[1:0]") + 60, kExpTop - 520);
  s.Title("C", kCinLeft - 180, kExpTop + 40);
  s.Cell("c_in", 0, kCinLeft, kExpTop);

  constexpr int kAddTop = kExpTop + kCellHeight + 200;
  constexpr int kAddHeight = 300;
  s.Unit("2-bit ADD", 5300, kAddTop, 3800, kAddHeight);
  const int pairMid = (CellMid(kEaLeft, 0, 80) + CellMid(kEaLeft, 1, 80)) / 2;
  s.Arrow(pairMid, kExpTop + kCellHeight, pairMid, kAddTop);
  const int ebMid = pairMid - kEaLeft + kEbLeft;
  s.Arrow(ebMid, kExpTop + kCellHeight, ebMid, kAddTop);
  s.Arrow(kCinLeft + 90, kExpTop + kCellHeight, kCinLeft + 90, kAddTop);

  // DELTA, in this window's cell order: cell 0 is bit 1, cell 1 is bit 0.
  constexpr int kDeltaTop = kAddTop + kAddHeight + 200;
  constexpr int kDelta1Left = 5900;
  constexpr int kDelta0Left = 7700;
  s.Cell("DELTA", 0, kDelta1Left, kDeltaTop);
  s.Title("DELTA[1]", kDelta1Left + 220, kDeltaTop + 40);
  s.Arrow(kDelta1Left + 90, kAddTop + kAddHeight, kDelta1Left + 90, kDeltaTop);
  s.Cell("DELTA", 1, kDelta0Left, kDeltaTop);
  s.Title("DELTA[0]", kDelta0Left + 220, kDeltaTop + 40);
  s.Arrow(kDelta0Left + 90, kAddTop + kAddHeight, kDelta0Left + 90, kDeltaTop);

  // The multiplexer passes sign and significand of the larger operand; bit 1
  // of DELTA selects.
  const Mux mux{150, 3500, 4750, 600};
  s.Multiplexer(mux);
  constexpr int kBusLabelTop = 3200;
  s.Path({{kRowLeft, kFaTop + kCellHeight / 2}, {kChannel, kFaTop + kCellHeight / 2},
          {kChannel, mux.top}});
  s.Title("SA,FA[0:52]", kChannel + 80, kBusLabelTop);
  s.Mark("0", kChannel + 170, mux.top + 20);
  constexpr int kFbBusX = 2300;
  s.Arrow(kFbBusX, kFbTop + kCellHeight, kFbBusX, mux.top);
  s.Title("SB,FB[0:52]", kFbBusX + 80, kBusLabelTop);
  s.Mark("1", kFbBusX + 170, mux.top + 20);
  const int selectY = kDeltaTop + kCellHeight / 2;
  s.Arrow(kDelta1Left, selectY, mux.RightSideAt(selectY), selectY);

  // Outputs: the sign of the larger operand and its significand, one
  // position to the left (FLP = 2 x F).
  constexpr int kFlpTop = 4810;
  SignOnTitleLine(s, "SL", "SL", kFlpTop);
  s.Arrow(kSignCellLeft + 90, mux.Bottom(), kSignCellLeft + 90, kFlpTop - 550);
  s.Arrow(3800, mux.Bottom(), 3800, kFlpTop - 250);
  s.Row("FLP", 53, kRowLeft, kFlpTop, 20);
  return s.Finish();
}

StageLayout NSmallSigLayout() {
  Sheet s;
  constexpr int kFaTop = 690;
  constexpr int kFbTop = 1590;
  SignificandRow(s, "Fa", "FA[0:52]", "EditFA", 0, 52, kFaTop);
  SignificandRow(s, "FB", "FB[0:52]", "EditFB", 0, 52, kFbTop);

  // Both significands inverted: the smaller one enters the subtraction as
  // its one's complement.
  constexpr int kInvTop = 2250;
  constexpr int kInvHeight = 300;
  s.Unit("INV(53)", 150, kInvTop, 2550, kInvHeight);
  s.Path({{kRowLeft, kFaTop + kCellHeight / 2}, {kChannel, kFaTop + kCellHeight / 2},
          {kChannel, kInvTop}});
  s.Unit("INV(53)", 3200, kInvTop, 2500, kInvHeight);
  constexpr int kFbx = 4450;
  s.Arrow(kFbx, kFbTop + kCellHeight, kFbx, kInvTop);

  // The multiplexer selects and aligns: bit 1 of DELTA picks the inverted
  // A (B larger), otherwise the inverted B, shifted by one when bit 0 is set.
  const Mux mux{150, 3150, 6050, 800};
  constexpr int kFaoX = 1425;
  s.Arrow(kFaoX, kInvTop + kInvHeight, kFaoX, mux.top);
  s.Title("FAO[0:52]", kFaoX + 80, 2700);
  s.Arrow(kFbx, kInvTop + kInvHeight, kFbx, mux.top);
  s.Title("FBO[0:52]", kFbx + 80, 2700);
  s.Multiplexer(mux);
  s.Mark("1", kFaoX + 170, mux.top + 20);
  s.Mark("0", kFbx + 170, mux.top + 20);

  // DELTA, in this window's cell order: cell 0 is bit 0, cell 1 is bit 1.
  constexpr int kDeltaLeft = 7000;
  constexpr int kDelta0Top = 3200;
  constexpr int kDelta1Top = 3600;
  const int buttonLeft = kDeltaLeft + 220 + TitleWidth("DELTA[0]") + 60;
  s.Cell("DELTA", 0, kDeltaLeft, kDelta0Top);
  s.Title("DELTA[0]", kDeltaLeft + 220, kDelta0Top + 40);
  s.Edit("EditDELTA0", "DELTA", 0, 0, "DELTA(0)", buttonLeft, kDelta0Top + 38);
  s.Cell("DELTA", 1, kDeltaLeft, kDelta1Top);
  s.Title("DELTA[1]", kDeltaLeft + 220, kDelta1Top + 40);
  s.Edit("EditDELTA1", "DELTA", 1, 1, "DELTA(1)", buttonLeft, kDelta1Top + 38);
  for (int top : {kDelta0Top, kDelta1Top}) {
    const int y = top + kCellHeight / 2;
    s.Arrow(kDeltaLeft, y, mux.RightSideAt(y), y);
  }

  // Output: the one's complement of the aligned smaller significand.
  constexpr int kFsopaTop = 4660;
  const int outX = mux.left + mux.width / 2;
  s.Arrow(outX, mux.Bottom(), outX, kFsopaTop - 250);
  s.Row("FSOPA", 54, kRowLeft, kFsopaTop, 0);
  return s.Finish();
}

}  // namespace sumaris::layout
