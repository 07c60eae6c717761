// Drawing of the N path's normalisation: a left shift by the predicted
// count and the one-position correction when the prediction fell short.
#include "npath/npath_layout_kit.h"

namespace sumaris::layout {

using npath::kCellHeight;
using npath::kRowLeft;
using npath::Sheet;
using npath::TitleWidth;

StageLayout NPostLayout() {
  Sheet s;
  constexpr int kAbsTop = 630;
  s.Row("abs_FPSUM", 54, kRowLeft, kAbsTop, 0);
  s.Edit("EditabsFPSUM", "abs_FPSUM", -1, 52, "abs_FPSUM[-1:52]",
         kRowLeft + TitleWidth("abs_FPSUM[-1:52]") + 60, kAbsTop - 520);

  // IS_R2 is bit -1 of the unshifted magnitude.
  constexpr int kIsR2Top = 1600;
  s.Arrow(kRowLeft + 90, kAbsTop + kCellHeight, kRowLeft + 90, kIsR2Top);
  s.Cell("IS_R2", 0, kRowLeft, kIsR2Top);
  s.Title("IS_R2", kRowLeft + 220, kIsR2Top + 40);

  // The shift amount comes in from the side.
  constexpr int kLzpLeft = 7700;
  constexpr int kLzpTop = 1600;
  s.Row("LZP", 6, kLzpLeft, kLzpTop, 80);
  s.Edit("EditLZP", "LZP", 5, 0, "LZP[5:0]", kLzpLeft + TitleWidth("LZP[5:0]") + 60,
         kLzpTop - 520);
  constexpr int kShiftLeft = 1300;
  constexpr int kShiftTop = 1450;
  constexpr int kShiftWidth = 5600;
  constexpr int kShiftBottom = 1950;
  s.Unit("Left Shifter", kShiftLeft, kShiftTop, kShiftWidth, kShiftBottom - kShiftTop);
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
  s.Arrow(kSelLeft + 90, kShiftBottom, kSelLeft + 90, kSelTop);
  s.Cell("sel", 0, kSelLeft, kSelTop);
  s.Title("[-1]", kSelLeft + 220, kSelTop + 40);
  s.Arrow(kNormX, kShiftBottom, kNormX, kCorrTop);
  s.Title("norm_FPSUM[-1:52]", kNormX + 80, 2250);
  s.View("expandnorm_fpsum", "...", "norm_FPSUM", -1, 52, "norm_FPSUM[-1:52]",
         kNormX + 100 + TitleWidth("norm_FPSUM[-1:52]"), 2240);
  const int corrMidY = (kCorrTop + kCorrBottom) / 2;
  s.Path({{kSelLeft + 90, kSelTop + kCellHeight}, {kSelLeft + 90, corrMidY},
          {kCorrLeft, corrMidY}});
  s.Unit("ShiftR(1)", kCorrLeft, kCorrTop, kCorrWidth, kCorrBottom - kCorrTop);

  // Output: the normalised significand, leading one at bit 0.
  constexpr int kFNearTop = 4100;
  s.Arrow(4650, kCorrBottom, 4650, kFNearTop - 250);
  s.Row("F_NEAR", 53, kRowLeft, kFNearTop, 20);
  return s.Finish();
}

}  // namespace sumaris::layout
