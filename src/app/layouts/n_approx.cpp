// Drawing of the N path's leading-zero anticipation: two recodings of the
// addends, the non-cancelling positions, two priority encoders and the
// choice between their counts.
#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {
namespace {

constexpr int kRowLeft = 450;  // cell 0 of the rows
constexpr int kChannel = 250;  // where a bus runs down left of them

// A six-bit count row with its title to the right of its cells; returns the
// x of its middle.
int CountRow(Sketch& s, const Wire& wire, int left, int top) {
  const RowPlace row = s.AddRow(wire, 80, left, top);
  s.PlaceRowTitle(left + 6 * kCellPitch + 100, TextLevelWith(top));
  return (row.CellCentre(0) + row.CellCentre(5)) / 2;
}

}  // namespace

StageLayout NApproxLayout(const NApprox& stage) {
  Sketch s;
  constexpr int kFlpTop = 630;
  constexpr int kFsopaTop = 1500;
  s.EditableRow("EditFlp", stage.FLP, 20, kRowLeft, kFlpTop);
  s.Explain(stage.FLP, "The larger significand doubled (step 19).");
  s.EditableRow("EditFsopa", stage.FSOPA, 0, kRowLeft, kFsopaTop);
  s.Explain(stage.FSOPA, "The inverted, aligned smaller significand (step 20).");

  // Both recodings of the digit-wise difference.
  constexpr int kRecodeTop = 1950;
  constexpr int kRecodeBottom = 2200;
  s.AddUnit("PN-recode", 150, kRecodeTop, 9400, kRecodeBottom - kRecodeTop);
  s.Tip(
      "Recodes the bitwise difference of FLP and x twice, into positive and negative digits. In "
      "that form the place where the leading digits stop cancelling shows without the "
      "subtraction's carries.");
  s.Route({{kRowLeft, kFlpTop + kCellHeight / 2},
           {kChannel, kFlpTop + kCellHeight / 2},
           {kChannel, kRecodeTop}});
  s.Arrow(5000, kFsopaTop + kCellHeight, 5000, kRecodeTop);

  // Positions where the recoded digits do not cancel.
  constexpr int kXorTop = 2550;
  constexpr int kXorBottom = 2800;
  constexpr int kPnpX = 1500;
  constexpr int kPnmX = 3500;
  s.Arrow(kPnpX, kRecodeBottom, kPnpX, kXorTop);
  s.ViewAfterTitle("ExpandPNP", stage.PNP, kPnpX + kBusTextGap, 2260);
  s.Explain(stage.PNP, "The positive digits of the recoded difference.");
  s.Arrow(kPnmX, kRecodeBottom, kPnmX, kXorTop);
  s.ViewAfterTitle("ExpandPNM", stage.PNM, kPnmX + kBusTextGap, 2260);
  s.Explain(stage.PNM, "The negative digits of the recoded difference.");
  s.AddUnit("XOR(55)", 1000, kXorTop, 3000, kXorBottom - kXorTop);
  s.Tip(
      "Marks the positions where the recoded digits do not cancel. The first mark lies at the "
      "difference's leading one or one place past it.");

  // Two priority encoders over XOR55: from bit -2 (55 positions) and from
  // bit -1 (54 positions).
  constexpr int kPencTop = 3200;
  constexpr int kPencBottom = 3450;
  constexpr int kBranchY = 3100;
  constexpr int kPenc55Mid = 1150;
  constexpr int kPenc54Mid = 3700;
  constexpr int kXorOutX = 2500;
  s.Link(kXorOutX, kXorBottom, kXorOutX, kBranchY);
  s.Route({{kXorOutX, kBranchY}, {kPenc55Mid, kBranchY}, {kPenc55Mid, kPencTop}});
  s.Route({{kXorOutX, kBranchY}, {kPenc54Mid, kBranchY}, {kPenc54Mid, kPencTop}});
  s.ViewAfterTitle("ExpandXOR55", stage.XOR55, kXorOutX + kBusTextGap, 2830);
  s.Explain(stage.XOR55, "1 where the recoded digits do not cancel.");
  s.AddUnit("PENC(55)", kPenc55Mid - 1000, kPencTop, 2000, kPencBottom - kPencTop);
  s.Tip(
      "Counts the zeros of XOR(55) before its first mark, from bit -2: the shift for a positive "
      "difference.");
  s.AddUnit("PENC(54)", kPenc54Mid - 1000, kPencTop, 2000, kPencBottom - kPencTop);
  s.Tip(
      "Counts the zeros of XOR(55) before its first mark, from bit -1: the shift for a negative "
      "difference.");

  constexpr int kCountTop = 3800;
  const int lzp2Mid = CountRow(s, stage.LZP2, kPenc55Mid - 550, kCountTop);
  s.Explain(stage.LZP2, "The leading zeros of XOR(55) counted from bit -2.");
  const int lzp1Mid = CountRow(s, stage.LZP1, kPenc54Mid - 550, kCountTop);
  s.Explain(stage.LZP1, "The leading zeros of XOR(55) counted from bit -1.");
  s.Arrow(lzp2Mid, kPencBottom, lzp2Mid, AboveIndexLabels(kCountTop));
  s.Arrow(lzp1Mid, kPencBottom, lzp1Mid, AboveIndexLabels(kCountTop));

  // The sign of the difference chooses the count: LZP2 when FLP > x.
  constexpr int kMuxTop = 4300;
  s.Arrow(lzp2Mid, kCountTop + kCellHeight, lzp2Mid, kMuxTop);
  s.Arrow(lzp1Mid, kCountTop + kCellHeight, lzp1Mid, kMuxTop);
  const MuxPlace mux =
      s.AddMux({150, kMuxTop, 4550, 350}, {{"1", lzp2Mid + 170}, {"0", lzp1Mid + 170}});
  s.Tip(
      "Takes LZP2 when FLP is the larger (FOPSUM[-2] = 1), LZP1 otherwise. The count can fall one "
      "short, which the normalisation allows for.");
  constexpr int kSelLeft = 5600;
  constexpr int kSelTop = 4350;
  s.AddCell(stage.FOPSUM, kSelLeft, kSelTop);
  s.TitleCloseRightOf(stage.FOPSUM, kSelLeft, kSelTop);
  s.Explain(stage.FOPSUM, "From the subtraction (step 21): 1 when FLP is the larger. It selects.");
  s.AddButton("EditFOPSUM", "Edit", After(kSelLeft + kCellWidth + kCloseGap, stage.FOPSUM.title()),
              kSelTop + 38, Edits(stage.FOPSUM));
  const int selectY = kSelTop + kCellHeight / 2;
  s.Arrow(kSelLeft, selectY, mux.RightSideAt(selectY), selectY);

  // Output: the predicted normalisation shift.
  constexpr int kLzpTop = 5030;
  const int lzpMid = CountRow(s, stage.LZP, mux.OutX() - 550 + 15, kLzpTop);
  s.Explain(stage.LZP, "The anticipated count of leading zeros: the normalisation's shift amount.");
  s.Arrow(lzpMid, mux.Bottom(), lzpMid, AboveIndexLabels(kLzpTop));
  return s.Finish();
}

}  // namespace sumaris::layout
