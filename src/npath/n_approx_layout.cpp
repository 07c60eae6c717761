// Drawing of the N path's leading-zero anticipation: two recodings of the
// addends, the non-cancelling positions, two priority encoders and the
// choice between their counts.
#include "npath/npath_layout_kit.h"

namespace sumaris::layout {

using npath::CellMid;
using npath::kCellHeight;
using npath::kChannel;
using npath::kRowLeft;
using npath::Mux;
using npath::Sheet;
using npath::TitleWidth;

namespace {

void SignalName(Sheet& s, const std::string& title, const std::string& button,
                const std::string& wire, int left, int top) {
  s.Title(title, left, top);
  s.View(button, "...", wire, -2, 52, title, left + TitleWidth(title) + 20, top - 10);
}

// A six-bit count row with its title to the right of its cells; returns the
// x of its middle.
int CountRow(Sheet& s, const std::string& wire, int left, int top) {
  s.RowTitledAt(wire, 6, left, top, 80, left + 6 * 185 + 100, top + 40);
  return (CellMid(left, 0, 80) + CellMid(left, 5, 80)) / 2;
}

}  // namespace

StageLayout NApproxLayout() {
  Sheet s;
  constexpr int kFlpTop = 630;
  constexpr int kFsopaTop = 1500;
  s.Row("FLP", 53, kRowLeft, kFlpTop, 20);
  s.Edit("EditFlp", "FLP", -1, 51, "FLP[-1:51]", kRowLeft + TitleWidth("FLP[-1:51]") + 60,
         kFlpTop - 520);
  s.Row("FSOPA", 54, kRowLeft, kFsopaTop, 0);
  s.Edit("EditFsopa", "FSOPA", -1, 52, "FSOPA[-1:52]",
         kRowLeft + TitleWidth("FSOPA[-1:52]") + 60, kFsopaTop - 520);

  // Both recodings of the digit-wise difference.
  constexpr int kRecodeTop = 1950;
  constexpr int kRecodeBottom = 2200;
  s.Unit("PN-recode", 150, kRecodeTop, 9400, kRecodeBottom - kRecodeTop);
  s.Path({{kRowLeft, kFlpTop + kCellHeight / 2}, {kChannel, kFlpTop + kCellHeight / 2},
          {kChannel, kRecodeTop}});
  s.Arrow(5000, kFsopaTop + kCellHeight, 5000, kRecodeTop);

  // Positions where the recoded digits do not cancel.
  constexpr int kXorTop = 2550;
  constexpr int kXorBottom = 2800;
  constexpr int kPnpX = 1500;
  constexpr int kPnmX = 3500;
  s.Arrow(kPnpX, kRecodeBottom, kPnpX, kXorTop);
  SignalName(s, "PN+[-2:52]", "ExpandPNP", "PNP", kPnpX + 80, 2260);
  s.Arrow(kPnmX, kRecodeBottom, kPnmX, kXorTop);
  SignalName(s, "PN-[-2:52]", "ExpandPNM", "PNM", kPnmX + 80, 2260);
  s.Unit("XOR(55)", 1000, kXorTop, 3000, kXorBottom - kXorTop);

  // Two priority encoders over XOR55: from bit -2 (55 positions) and from
  // bit -1 (54 positions).
  constexpr int kPencTop = 3200;
  constexpr int kPencBottom = 3450;
  constexpr int kBranchY = 3100;
  constexpr int kPenc55Mid = 1150;
  constexpr int kPenc54Mid = 3700;
  constexpr int kXorOutX = 2500;
  s.Path({{kXorOutX, kXorBottom}, {kXorOutX, kBranchY}}, false);
  s.Path({{kXorOutX, kBranchY}, {kPenc55Mid, kBranchY}, {kPenc55Mid, kPencTop}});
  s.Path({{kXorOutX, kBranchY}, {kPenc54Mid, kBranchY}, {kPenc54Mid, kPencTop}});
  SignalName(s, "XOR(55)[-2:52]", "ExpandXOR55", "XOR55", kXorOutX + 80, 2830);
  s.Unit("PENC(55)", kPenc55Mid - 1000, kPencTop, 2000, kPencBottom - kPencTop);
  s.Unit("PENC(54)", kPenc54Mid - 1000, kPencTop, 2000, kPencBottom - kPencTop);

  constexpr int kCountTop = 3800;
  const int lzp2Mid = CountRow(s, "LZP2", kPenc55Mid - 550, kCountTop);
  const int lzp1Mid = CountRow(s, "LZP1", kPenc54Mid - 550, kCountTop);
  s.Arrow(lzp2Mid, kPencBottom, lzp2Mid, kCountTop - 250);
  s.Arrow(lzp1Mid, kPencBottom, lzp1Mid, kCountTop - 250);

  // The sign of the difference chooses the count: LZP2 when FLP > x.
  const Mux mux{150, 4300, 4550, 350};
  s.Arrow(lzp2Mid, kCountTop + kCellHeight, lzp2Mid, mux.top);
  s.Arrow(lzp1Mid, kCountTop + kCellHeight, lzp1Mid, mux.top);
  s.Multiplexer(mux);
  s.Mark("1", lzp2Mid + 170, mux.top + 20);
  s.Mark("0", lzp1Mid + 170, mux.top + 20);
  constexpr int kSelLeft = 5600;
  constexpr int kSelTop = 4350;
  s.Cell("FOPSUM", 0, kSelLeft, kSelTop);
  s.Title("FOPSUM[-2]", kSelLeft + 220, kSelTop + 40);
  s.Edit("EditFOPSUM", "FOPSUM", -2, -2, "FOPSUM[-2]",
         kSelLeft + 220 + TitleWidth("FOPSUM[-2]") + 40, kSelTop + 38);
  const int selectY = kSelTop + kCellHeight / 2;
  s.Arrow(kSelLeft, selectY, mux.RightSideAt(selectY), selectY);

  // Output: the predicted normalisation shift.
  constexpr int kLzpTop = 5030;
  const int outX = mux.left + mux.width / 2;
  const int lzpMid = CountRow(s, "LZP", outX - 550 + 15, kLzpTop);
  s.Arrow(lzpMid, mux.Bottom(), lzpMid, kLzpTop - 250);
  return s.Finish();
}

}  // namespace sumaris::layout
