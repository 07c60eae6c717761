// Drawing of the N path's significand subtraction: a parallel-prefix adder
// whose carries serve both the sum and the incremented sum, the sign of the
// first choosing the magnitude.
#include "npath/npath_layout_kit.h"

namespace sumaris::layout {

using npath::kCellHeight;
using npath::kChannel;
using npath::kRowLeft;
using npath::Mux;
using npath::Sheet;
using npath::TitleWidth;

namespace {

// The name of a hidden wire beside its line, with the button that shows it.
void SignalName(Sheet& s, const std::string& title, const std::string& button,
                const std::string& wire, int first, int last, int left, int top) {
  s.Title(title, left, top);
  s.View(button, "...", wire, first, last, title, left + TitleWidth(title) + 20, top - 10);
}

}  // namespace

StageLayout NSigaddLayout() {
  Sheet s;
  constexpr int kFlpTop = 630;
  constexpr int kFsopaTop = 1500;
  s.Row("FLP", 53, kRowLeft, kFlpTop, 0);
  s.Edit("EditFLP", "FLP", -1, 51, "FLP[-1:51]", kRowLeft + TitleWidth("FLP[-1:51]") + 60,
         kFlpTop - 520);
  s.Row("FSOPA", 54, kRowLeft, kFsopaTop, 0);
  s.Edit("EditFSOPA", "FSOPA", -1, 52, "FSOPA[-1:52]",
         kRowLeft + TitleWidth("FSOPA[-1:52]") + 60, kFsopaTop - 520);

  // The prefix adder: digit sums Sigma and suffix carry statuses PI inside.
  constexpr int kAdderTop = 2000;
  constexpr int kAdderBottom = 2330;
  s.UnitNamedOver("Parallel Prefix Addder(55)", 150, kAdderTop, 9400, kAdderBottom - kAdderTop,
                  6750);
  s.View("ShowSigma", "Show Sigma", "Sigma", -2, 52, "Sigma[-2:52]", 7000, kAdderTop + 38, 1100);
  s.View("ShowPI", "Show PI", "PIE", -2, 52, "PI[-2:52]", 8250, kAdderTop + 38, 1100);
  s.Path({{kRowLeft, kFlpTop + kCellHeight / 2}, {kChannel, kFlpTop + kCellHeight / 2},
          {kChannel, kAdderTop}});
  s.Arrow(5000, kFsopaTop + kCellHeight, 5000, kAdderTop);

  // Left: OR of the two carries gives the carries for a carry-in of 1, then
  // XOR with the propagate bits the incremented sum. Right: XNOR of
  // propagate bits and plain carries gives the inverted plain sum.
  constexpr int kNamesTop = 2400;
  constexpr int kUnitsTop = 2900;
  constexpr int kUnitHeight = 250;
  constexpr int kPropX = 500;
  constexpr int kGenX = 2500;
  s.Arrow(kPropX, kAdderBottom, kPropX, kUnitsTop);
  SignalName(s, "Prop_C[-1:52]", "expandprop_c", "prop_c", -1, 52, kPropX + 80, kNamesTop);
  s.Arrow(kGenX, kAdderBottom, kGenX, kUnitsTop);
  SignalName(s, "Gen_C[-2:52]", "expandgen_c", "gen_c", -2, 52, kGenX + 80, kNamesTop);
  constexpr int kOrLeft = 150;
  constexpr int kOrWidth = 2750;
  s.Unit("OR(54)", kOrLeft, kUnitsTop, kOrWidth, kUnitHeight);

  constexpr int kXorTop = 3500;
  constexpr int kXorLeft = 3300;
  constexpr int kXorWidth = 2400;
  constexpr int kPx = 4500;
  constexpr int kBranchY = 2750;
  constexpr int kXnorLeft = 5900;
  constexpr int kXnorWidth = 3100;
  constexpr int kXnorPx = 6200;
  s.Arrow(kPx, kAdderBottom, kPx, kXorTop);
  s.Path({{kPx, kBranchY}, {kXnorPx, kBranchY}, {kXnorPx, kUnitsTop}});
  SignalName(s, "P[-2:52]", "expandp", "P", -2, 52, kPx + 80, kNamesTop);
  constexpr int kGen2X = 8600;
  s.Arrow(kGen2X, kAdderBottom, kGen2X, kUnitsTop);
  s.Title("Gen_C[-2:52]", kGen2X - 80 - TitleWidth("Gen_C[-2:52]"), kNamesTop);
  s.Unit("XNOR(55)", kXnorLeft, kUnitsTop, kXnorWidth, kUnitHeight);

  constexpr int kGpcY = kXorTop + kUnitHeight / 2;
  const int orMid = kOrLeft + kOrWidth / 2;
  s.Path({{orMid, kUnitsTop + kUnitHeight}, {orMid, kGpcY}, {kXorLeft, kGpcY}});
  SignalName(s, "GP_C[-1:52]", "ExpandOR", "GP_C", -1, 52, orMid + 80, kGpcY - 300);
  s.Unit("XOR(54)", kXorLeft, kXorTop, kXorWidth, kUnitHeight);

  // The sign of the plain sum selects: FLP > x takes the incremented sum,
  // otherwise the inverted plain sum is the magnitude.
  const Mux mux{150, 4100, 7450, 350};
  constexpr int kXorOutX = kPx;
  s.Arrow(kXorOutX, kXorTop + kUnitHeight, kXorOutX, mux.top);
  SignalName(s, "FOPSUMI[-1:52]", "expandmy_xor", "my_xor", -1, 52, kXorOutX + 80,
             kXorTop + kUnitHeight + 50);
  constexpr int kXnorOutX = 6700;
  s.Arrow(kXnorOutX, kUnitsTop + kUnitHeight, kXnorOutX, mux.top);
  SignalName(s, "FOPSUM[-2:52]", "expandmy_xnor", "my_XNOR", -2, 52, kXnorOutX + 80, 3280);

  // FOPSUM[-2], the select, taken from the top bit of the inverted sum.
  constexpr int kSelLeft = 8610;
  constexpr int kSelTop = 3650;
  s.Arrow(kSelLeft + 90, kUnitsTop + kUnitHeight, kSelLeft + 90, kSelTop);
  s.Cell("Fopsum2", 0, kSelLeft, kSelTop);
  s.Title("FOPSUM[-2]", kSelLeft - 80 - TitleWidth("FOPSUM[-2]"), kSelTop + 40);
  const int selectY = mux.top + 150;
  s.Path({{kSelLeft + 90, kSelTop + kCellHeight}, {kSelLeft + 90, selectY},
          {mux.RightSideAt(selectY), selectY}});
  s.Multiplexer(mux);
  s.Mark("1", kXorOutX + 170, mux.top + 20);
  s.Mark("0", kXnorOutX + 170, mux.top + 20);
  s.Unit("PENC(54)", 8000, 4560, 1500, 250);

  // Output: the magnitude of the difference.
  constexpr int kAbsTop = 5070;
  const int outX = 3875;
  s.Arrow(outX, mux.Bottom(), outX, kAbsTop - 250);
  s.Row("abs_FPSUM", 54, kRowLeft, kAbsTop, 0);
  return s.Finish();
}

}  // namespace sumaris::layout
