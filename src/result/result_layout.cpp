// Drawings of the path decision (step 24) and the result window (step 25).
#include "wires/stage_layout.h"

namespace sumaris::layout {
namespace {

constexpr int kCell = 180;  // bit cell width
constexpr int kCellHeight = 330;
constexpr int kButtonHeight = 255;

// A wire row laid out by LayoutWire; its title above cell 0 unless placed.
Row WireRow(const std::string& wire, int left, int top, int groupGap, const std::string& title = "",
            std::optional<int> titleLeft = std::nullopt,
            std::optional<int> titleTop = std::nullopt) {
  Row row;
  row.wire = wire;
  row.left = left;
  row.top = top;
  row.groupGap = groupGap;
  row.title = title;
  row.titleLeft = titleLeft;
  row.titleTop = titleTop;
  return row;
}

// A one-bit signal: its cell with the title above it.
void Signal(StageLayout& l, const std::string& wire, const std::string& title, int left, int top,
            int titleWidth) {
  l.cells.push_back({wire, 0, left, top});
  l.texts.push_back({title, left, top - 300, titleWidth});
}

// An Edit button right of a one-bit cell, vertically centred on it.
void EditButton(StageLayout& l, const std::string& name, const std::string& wire,
                const std::string& title, int cellLeft, int cellTop) {
  l.buttons.push_back({name, "Edit", cellLeft + kCell + 60,
                       cellTop + (kCellHeight - kButtonHeight) / 2, 495, kButtonHeight,
                       EditorRequest{wire, 0, 0, title, std::nullopt, false}});
}

void Arrow(StageLayout& l, int x1, int y1, int x2, int y2) {
  l.lines.push_back({x1, y1, x2, y2, true});
}
void Segment(StageLayout& l, int x1, int y1, int x2, int y2) {
  l.lines.push_back({x1, y1, x2, y2, false});
}

}  // namespace

// Three columns over two bands. Top band: the path choice (SEFF, IS_R1,
// IS_R2 into the OR, IS_R out) on the left, the R path's exponent increment
// (FPOSUM[-1], FPOSUMI[-1], RINC into "Calc add to R", ADDR out) in the
// middle, the N path's inputs (LZP, norm_FPSUM[-1]) on the right. Bottom
// band: the EA/EB mux giving E, the ADDR/LZP mux under IS_R, the two SUB(1)
// corrections, the exponent adder and E_final.
StageLayout PathDecisionLayout() {
  StageLayout l;
  l.width = 9700;
  l.height = 5600;
  l.texts.push_back({"Exponent Computation", 120, 120, 4000, 330, TextStyle::Heading});

  // --- top band: inputs (cells at 900, titles at 600) ----------------------
  constexpr int kInTop = 900;
  constexpr int kInBottom = kInTop + kCellHeight;
  Signal(l, "seff", "SEFF", 240, kInTop, 500);
  Signal(l, "isr1", "IS_R1", 1140, kInTop, 600);
  Signal(l, "isr2", "IS_R2", 2040, kInTop, 600);
  EditButton(l, "EditSeff", "seff", "S-effective", 240, kInTop);
  EditButton(l, "EditISR1", "isr1", "IS_R1", 1140, kInTop);
  EditButton(l, "EDITISR2", "isr2", "IS_R2", 2040, kInTop);

  Signal(l, "FPOSUM", "FPOSUM[-1]", 3600, kInTop, 1000);
  Signal(l, "FPOSUMI", "FPOSUMI[-1]", 4700, kInTop, 1050);
  Signal(l, "RINC", "RINC", 5900, kInTop, 550);

  l.rows.push_back(WireRow("LZP", 6900, kInTop, 80));
  Signal(l, "norm_FPSUM", "norm_FPSUM[-1]", 8700, kInTop, 1300);
  l.texts.back().left = 8300;  // the long title starts left of its cell

  // The OR that chooses the path.
  constexpr int kUnitTop = 1450;
  l.boxes.push_back({200, kUnitTop, 2200, 560});
  l.texts.push_back({"Or", 200, kUnitTop + 40, 2200, 255, TextStyle::Block});
  l.texts.push_back(
      {"Choses between R and N path", 300, kUnitTop + 300, 2000, 200, TextStyle::Note});
  for (int x : {330, 1230, 2130})
    Arrow(l, x, kInBottom, x, kUnitTop);

  // The R path's exponent increment: the overflow bit of the candidate RINC picks.
  l.boxes.push_back({3400, kUnitTop, 2900, 400});
  l.texts.push_back({"Calc add to R", 3400, kUnitTop + 70, 2900, 255, TextStyle::Block});
  for (int x : {3690, 4790, 5990})
    Arrow(l, x, kInBottom, x, kUnitTop);

  // Outputs of the top band.
  constexpr int kOutTop = 2150;
  l.cells.push_back({"IS_R", 0, 1210, kOutTop});
  l.texts.push_back({"IS_R", 1450, kOutTop + 40, 450});
  Arrow(l, 1300, kUnitTop + 560, 1300, kOutTop);
  l.rows.push_back(WireRow("ADDR", 4100, kOutTop, 80));
  Arrow(l, 4650, kUnitTop + 400, 4650, kOutTop);

  // --- bottom band ----------------------------------------------------------
  constexpr int kMuxTop = 2950;
  constexpr int kMuxHeight = 450;
  constexpr int kMuxBottom = kMuxTop + kMuxHeight;

  // E: the exponent of the operand with the larger exponent (SIGN_BIG = 1: B).
  l.texts.push_back({"EA", 1350, 2550, 300});
  l.texts.push_back({"EB", 2250, 2550, 300});
  l.boxes.push_back({1000, kMuxTop, 1800, kMuxHeight, true});
  l.texts.push_back({"Mux", 1000, kMuxTop + 180, 1800, 255, TextStyle::Block});
  l.texts.push_back({"0", 1500, kMuxTop + 5, 150, 170, TextStyle::Note});
  l.texts.push_back({"1", 2400, kMuxTop + 5, 150, 170, TextStyle::Note});
  Arrow(l, 1450, 2805, 1450, kMuxTop);
  Arrow(l, 2350, 2805, 2350, kMuxTop);
  l.texts.push_back({"SIGN_BIG", 120, 2980, 850});
  l.cells.push_back({"SIGN_BIG", 0, 240, 3280});
  Arrow(l, 420, 3445, 1120, 3200);

  constexpr int kETop = 3850;
  l.rows.push_back(WireRow("E", 1000, kETop, 80, "", 120, kETop + 40));
  Arrow(l, 1900, kMuxBottom, 1900, kETop);

  // ADD_F: ADDR on the R path (IS_R = 1), LZP on the N path.
  l.boxes.push_back({3700, kMuxTop, 3800, kMuxHeight, true});
  l.texts.push_back({"Mux", 3700, kMuxTop + 180, 3800, 255, TextStyle::Block});
  l.texts.push_back({"1", 4720, kMuxTop + 5, 150, 170, TextStyle::Note});
  l.texts.push_back({"0", 7250, kMuxTop + 5, 150, 170, TextStyle::Note});
  Arrow(l, 4650, kOutTop + kCellHeight, 4650, kMuxTop);
  Arrow(l, 7450, kInBottom, 7450, kMuxTop);
  l.texts.push_back({"IS_R", 3150, 2760, 450});
  l.cells.push_back({"IS_R1", 0, 3250, 3050});
  Arrow(l, 3430, 3215, 3800, 3215);

  // The corrections: -1 for the pre-shift, +1 when the N path's post-shift
  // found the leading one at bit -1.
  constexpr int kSubTop = 3750;
  constexpr int kSubHeight = 550;
  struct Correction {
    int left, width;
    const char* note;
  };
  for (const Correction& c : {Correction{5950, 1500, "Caused by Pre-Shift"},
                              Correction{7900, 1600, "Caused by Post-Shift"}}) {
    l.boxes.push_back({c.left, kSubTop, c.width, kSubHeight});
    l.texts.push_back({"SUB(1)", c.left, kSubTop + 40, c.width, 255, TextStyle::Block});
    l.texts.push_back({c.note, c.left + 60, kSubTop + 300, c.width - 120, 200, TextStyle::Note});
  }
  Arrow(l, 8790, kInBottom, 8790, kSubTop);

  // The exponent adder.
  constexpr int kAdderTop = 4400;
  constexpr int kAdderHeight = 560;
  l.boxes.push_back({1500, kAdderTop, 5800, kAdderHeight});
  l.texts.push_back({"Adder", 1500, kAdderTop + 30, 5800, 255, TextStyle::Block});
  l.texts.push_back({"Calculate Exp", 1500, kAdderTop + 290, 5800, 255, TextStyle::Block});
  l.texts.push_back({"Add on 1 Sub  on 0", 3450, 3950, 1500, 200, TextStyle::Note});
  Segment(l, 3340, 3380, 3340, 3800);
  Arrow(l, 3340, 3800, 3340, kAdderTop);
  Arrow(l, 1950, kETop + kCellHeight, 1950, kAdderTop);
  Arrow(l, 5600, kMuxBottom, 5600, kAdderTop);
  Arrow(l, 6700, kSubTop + kSubHeight, 6700, kAdderTop);
  Segment(l, 8700, kSubTop + kSubHeight, 8700, 4650);
  Arrow(l, 8700, 4650, 7300, 4650);

  constexpr int kFinalTop = 5250;
  l.rows.push_back(WireRow("E_final", 2300, kFinalTop, 80, "", 700, kFinalTop + 40));
  Arrow(l, 3350, kAdderTop + kAdderHeight, 3350, kFinalTop);
  return l;
}

// The result as sign, exponent and significand rows, then the decimal value,
// the unbiased exponent and the chosen path. Nothing here can be edited.
StageLayout ResultsLayout() {
  StageLayout l;
  l.width = 10400;
  l.height = 4500;
  l.texts.push_back({"Result", 120, 120, 3000, 330, TextStyle::Heading});

  constexpr int kFirstTop = 1000;
  l.rows.push_back(WireRow("Sa", 240, kFirstTop, 80, "s"));
  l.rows.push_back(WireRow("Ea", 900, kFirstTop, 20, "e"));

  constexpr int kFractionTop = 2200;
  constexpr int kFractionLeft = 240;
  Row fraction = WireRow("Fa", kFractionLeft, kFractionTop, 40, "f", kFractionLeft + 4 * 185,
                         kFractionTop - 510);
  fraction.greyCell = 0;  // the hidden bit
  l.rows.push_back(fraction);
  l.texts.push_back({"hidden", 120, kFractionTop - 510, 560});

  struct ReadoutLine {
    const char* caption;
    const char* source;
    int top;
  };
  for (const ReadoutLine& r :
       {ReadoutLine{"Decimal value:", "Label1", 3100}, ReadoutLine{"ebias:", "Label4", 3600},
        ReadoutLine{"Chosen Path: ", "Label5", 4100}}) {
    l.texts.push_back({r.caption, 240, r.top, 1300});
    l.readouts.push_back({r.source, 1600, r.top, 5000});
  }
  return l;
}

}  // namespace sumaris::layout
