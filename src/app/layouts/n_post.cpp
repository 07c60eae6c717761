// Drawing of the N path's normalisation: a left shift by the predicted
// count and the one-position correction when the prediction fell short.
#include "app/layouts/layout_sketch.h"

namespace sumaris::layout {
namespace {

constexpr int kRowLeft = 450;  // cell 0 of the long rows

}  // namespace

StageLayout NPostLayout(const NPost& stage) {
  Sketch s;
  constexpr int kAbsTop = 630;
  const RowPlace abs = s.EditableRow("EditabsFPSUM", stage.abs_FPSUM, 0, kRowLeft, kAbsTop);

  // IS_R2 is bit -1 of the unshifted magnitude.
  constexpr int kIsR2Top = 1600;
  s.Arrow(abs.CellCentre(0), abs.Bottom(), abs.CellCentre(0), kIsR2Top);
  s.AddCell(stage.IS_R2, kRowLeft, kIsR2Top);
  s.TitleCloseRightOf(stage.IS_R2, kRowLeft, kIsR2Top);

  // The shift amount comes in from the side.
  constexpr int kLzpLeft = 7700;
  constexpr int kLzpTop = 1600;
  s.EditableRow("EditLZP", stage.LZP, 80, kLzpLeft, kLzpTop);
  constexpr int kShiftLeft = 1300;
  constexpr int kShiftTop = 1450;
  constexpr int kShiftWidth = 5600;
  constexpr int kShiftBottom = 1950;
  s.AddUnit("Left Shifter", kShiftLeft, kShiftTop, kShiftWidth, kShiftBottom - kShiftTop);
  s.Arrow(5000, kAbsTop + kCellHeight, 5000, kShiftTop);
  const int lzpY = kLzpTop + kCellHeight / 2;
  s.Arrow(kLzpLeft, lzpY, kShiftLeft + kShiftWidth, lzpY);

  // The shifted magnitude; its bit -1 tells whether the leading one went one
  // position too far.
  constexpr int kSelLeft = 1510;
  constexpr int kSelTop = 2450;
  constexpr int kCorrTop = 3050;
  constexpr int kCorrLeft = 2400;
  constexpr int kCorrWidth = 4500;
  constexpr int kCorrBottom = 3350;
  constexpr int kNormX = 4500;
  s.Arrow(CellCentre(kSelLeft), kShiftBottom, CellCentre(kSelLeft), kSelTop);
  s.AddCell(stage.sel, kSelLeft, kSelTop);
  s.TitleCloseRightOf(stage.sel, kSelLeft, kSelTop);
  s.Arrow(kNormX, kShiftBottom, kNormX, kCorrTop);
  s.ViewAfterTitle("expandnorm_fpsum", stage.norm_FPSUM, kNormX + kBusTextGap, 2250);
  const int corrMidY = (kCorrTop + kCorrBottom) / 2;
  s.Route({{CellCentre(kSelLeft), kSelTop + kCellHeight},
           {CellCentre(kSelLeft), corrMidY},
           {kCorrLeft, corrMidY}});
  s.AddUnit("ShiftR(1)", kCorrLeft, kCorrTop, kCorrWidth, kCorrBottom - kCorrTop);

  // Output: the normalised significand, leading one at bit 0.
  constexpr int kFNearTop = 4100;
  s.Arrow(4650, kCorrBottom, 4650, AboveIndexLabels(kFNearTop));
  s.AddRow(stage.F_NEAR, 20, kRowLeft, kFNearTop);
  return s.Finish();
}

}  // namespace sumaris::layout
