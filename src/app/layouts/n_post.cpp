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
  s.Explain(stage.abs_FPSUM, "The magnitude of the difference (step 21).");

  // IS_R2 is bit -1 of the unshifted magnitude.
  constexpr int kIsR2Top = 1600;
  s.Arrow(abs.CellCentre(0), abs.Bottom(), abs.CellCentre(0), kIsR2Top);
  s.AddCell(stage.IS_R2, kRowLeft, kIsR2Top);
  s.TitleCloseRightOf(stage.IS_R2, kRowLeft, kIsR2Top);
  s.Explain(stage.IS_R2,
            "Bit -1 of the difference itself: a difference that large cancelled nothing and may "
            "need rounding, which only the R path does.");

  // The shift amount comes in from the side.
  constexpr int kLzpLeft = 7700;
  constexpr int kLzpTop = 1600;
  s.EditableRow("EditLZP", stage.LZP, 80, kLzpLeft, kLzpTop);
  s.Explain(stage.LZP, "The anticipated count of leading zeros (step 22).");
  constexpr int kShiftLeft = 1300;
  constexpr int kShiftTop = 1450;
  constexpr int kShiftWidth = 5600;
  constexpr int kShiftBottom = 1950;
  s.AddUnit("Left Shifter", kShiftLeft, kShiftTop, kShiftWidth, kShiftBottom - kShiftTop);
  s.Tip(
      "Moves the difference left by the anticipated count LZP, which brings its leading one to bit "
      "-1, or to bit 0 when the count fell one short.");
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
  s.Explain(stage.sel,
            "Bit -1 of the shifted difference: set when the count was exact, so the row goes one "
            "bit back right.");
  s.Arrow(kNormX, kShiftBottom, kNormX, kCorrTop);
  s.ViewAfterTitle("expandnorm_fpsum", stage.norm_FPSUM, kNormX + kBusTextGap, 2250);
  s.Explain(stage.norm_FPSUM, "The difference shifted left by LZP.");
  const int corrMidY = (kCorrTop + kCorrBottom) / 2;
  s.Route({{CellCentre(kSelLeft), kSelTop + kCellHeight},
           {CellCentre(kSelLeft), corrMidY},
           {kCorrLeft, corrMidY}});
  s.AddUnit("ShiftR(1)", kCorrLeft, kCorrTop, kCorrWidth, kCorrBottom - kCorrTop);
  s.Tip(
      "Moves the row one bit right when its bit -1 is set, so that F_NEAR always starts with the "
      "leading one at bit 0. This corrects the anticipation without counting again.");

  // Output: the normalised significand, leading one at bit 0.
  constexpr int kFNearTop = 4100;
  s.Arrow(4650, kCorrBottom, 4650, AboveIndexLabels(kFNearTop));
  s.AddRow(stage.F_NEAR, 20, kRowLeft, kFNearTop);
  s.Explain(stage.F_NEAR, "The N path's significand, its leading one at bit 0.");
  return s.Finish();
}

}  // namespace sumaris::layout
