// The drawings of the five N path stages: every row, cell and button names
// a wire of its stage; the buttons are exactly the table below; hidden
// wires have no row; the labels of the hardware are all there; and nothing
// is drawn over anything else.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "session/adder.h"
#include "wires/layout_sketch.h"
#include "wires/row_layout.h"
#include "wires/stage_layout.h"

namespace sumaris {
namespace {

using layout::StageLayout;

struct ButtonSpec {
  std::string name;
  std::string caption;
  std::string wire;
  int start;
  int end;
  std::string title;
  bool viewOnly;
  auto Tie() const { return std::tie(name, caption, wire, start, end, title, viewOnly); }
  bool operator<(const ButtonSpec& o) const { return Tie() < o.Tie(); }
  bool operator==(const ButtonSpec& o) const { return Tie() == o.Tie(); }
};

std::ostream& operator<<(std::ostream& out, const ButtonSpec& b) {
  return out << b.name << " \"" << b.caption << "\" " << b.wire << " " << b.start << ".."
             << b.end << " \"" << b.title << "\"" << (b.viewOnly ? " view" : " edit");
}

struct CellSpec {
  std::string wire;
  int cell;
  std::string title;  // the label next to it
};

struct StageSpec {
  int slot;
  std::map<std::string, int> rows;  // wire -> group gap
  std::vector<CellSpec> cells;
  std::set<std::string> hidden;
  std::vector<std::string> labels;  // texts that must appear (repeats count)
  std::vector<ButtonSpec> buttons;
};

const std::vector<StageSpec>& Specs() {
  static const std::vector<StageSpec> kSpecs = {
      {19,
       {{"FB", 20}, {"Fa", 20}, {"FLP", 20}, {"Ea", 80}, {"EB", 80}},
       {{"DELTA", 0, "DELTA[1]"}, {"DELTA", 1, "DELTA[0]"}, {"Sa", 0, "SA"}, {"SB", 0, "SB"},
        {"SL", 0, "SL"}, {"c_in", 0, "C"}},
       {"EB_n"},
       {"2-bit ADD", "Mux", "0", "1", "SA,FA[0:52]", "SB,FB[0:52]"},
       {{"EditEA", "Edit", "Ea", 1, 0, "EA[1:0]", false},
        {"EditEB", "Edit", "EB", 1, 0, "EB[1:0]", false},
        {"EditFA", "Edit", "Fa", 0, 52, "FA[0:52]", false},
        {"EditFB", "Edit", "FB", 0, 52, "FB[0:52]", false},
        {"EditSA", "Edit", "Sa", 0, 0, "SA", false},
        {"EditSB", "Edit", "SB", 0, 0, "SB", false}}},
      {20,
       {{"FB", 20}, {"Fa", 20}, {"FSOPA", 0}},
       {{"DELTA", 0, "DELTA[0]"}, {"DELTA", 1, "DELTA[1]"}},
       {},
       {"INV(53)", "INV(53)", "Mux", "0", "1", "FAO[0:52]", "FBO[0:52]"},
       {{"EditFA", "Edit", "Fa", 0, 52, "FA[0:52]", false},
        {"EditFB", "Edit", "FB", 0, 52, "FB[0:52]", false},
        {"EditDELTA0", "Edit", "DELTA", 0, 0, "DELTA(0)", false},
        {"EditDELTA1", "Edit", "DELTA", 1, 1, "DELTA(1)", false}}},
      {21,
       {{"FLP", 0}, {"FSOPA", 0}, {"abs_FPSUM", 0}},
       {{"Fopsum2", 0, "FOPSUM[-2]"}},
       {"Sigma", "PIE", "P", "gen_c", "prop_c", "GP_C", "my_XNOR", "my_xor"},
       {"Parallel Prefix Addder(55)", "XNOR(55)", "XOR(54)", "OR(54)", "PENC(54)", "Mux"},
       {{"EditFSOPA", "Edit", "FSOPA", -1, 52, "FSOPA[-1:52]", false},
        {"EditFLP", "Edit", "FLP", -1, 51, "FLP[-1:51]", false},
        {"ShowPI", "Show PI", "PIE", -2, 52, "PI[-2:52]", true},
        {"ShowSigma", "Show Sigma", "Sigma", -2, 52, "Sigma[-2:52]", true},
        {"expandgen_c", "...", "gen_c", -2, 52, "Gen_C[-2:52]", true},
        {"expandprop_c", "...", "prop_c", -1, 52, "Prop_C[-1:52]", true},
        {"expandp", "...", "P", -2, 52, "P[-2:52]", true},
        {"ExpandOR", "...", "GP_C", -1, 52, "GP_C[-1:52]", true},
        {"expandmy_xnor", "...", "my_XNOR", -2, 52, "FOPSUM[-2:52]", true},
        {"expandmy_xor", "...", "my_xor", -1, 52, "FOPSUMI[-1:52]", true}}},
      {22,
       {{"FLP", 20}, {"FSOPA", 0}, {"LZP1", 80}, {"LZP2", 80}, {"LZP", 80}},
       {{"FOPSUM", 0, "FOPSUM[-2]"}},
       {"PS_i", "PC_i", "PNP", "PNM", "XOR55"},
       {"PN-recode", "XOR(55)", "PENC(55)", "PENC(54)", "Mux"},
       {{"EditFlp", "Edit", "FLP", -1, 51, "FLP[-1:51]", false},
        {"EditFsopa", "Edit", "FSOPA", -1, 52, "FSOPA[-1:52]", false},
        {"EditFOPSUM", "Edit", "FOPSUM", -2, -2, "FOPSUM[-2]", false},
        {"ExpandPNP", "...", "PNP", -2, 52, "PN+[-2:52]", true},
        {"ExpandPNM", "...", "PNM", -2, 52, "PN-[-2:52]", true},
        {"ExpandXOR55", "...", "XOR55", -2, 52, "XOR(55)[-2:52]", true}}},
      {23,
       {{"abs_FPSUM", 0}, {"LZP", 80}, {"F_NEAR", 20}},
       {{"IS_R2", 0, "IS_R2"}, {"sel", 0, "[-1]"}},
       {"norm_FPSUM"},
       {"Left Shifter", "ShiftR(1)"},
       {{"EditabsFPSUM", "Edit", "abs_FPSUM", -1, 52, "abs_FPSUM[-1:52]", false},
        {"EditLZP", "Edit", "LZP", 5, 0, "LZP[5:0]", false},
        {"expandnorm_fpsum", "...", "norm_FPSUM", -1, 52, "norm_FPSUM[-1:52]", true}}},
  };
  return kSpecs;
}

void PrintTo(const StageSpec& spec, std::ostream* out) { *out << "slot " << spec.slot; }

std::string SlotName(const ::testing::TestParamInfo<StageSpec>& info) {
  return "slot" + std::to_string(info.param.slot);
}

class NPathLayout : public ::testing::TestWithParam<StageSpec> {
 protected:
  Adder adder;
  const StageSpec& spec = GetParam();
  Stage& stage = *adder.StageInSlot(spec.slot);
  const StageLayout& sheet = layout::StageLayoutForSlot(spec.slot);
};

TEST_P(NPathLayout, RowsAreTheVisibleWiresWithTheirGaps) {
  std::map<std::string, int> rows;
  for (const auto& row : sheet.rows) {
    ASSERT_NE(stage.FindWire(row.wire), nullptr) << row.wire;
    EXPECT_TRUE(rows.emplace(row.wire, row.groupGap).second) << "two rows for " << row.wire;
    EXPECT_TRUE(row.title.empty()) << row.wire << " shows its own title";
    EXPECT_EQ(row.greyCell, -1);
  }
  EXPECT_EQ(rows, spec.rows);
}

TEST_P(NPathLayout, FixedCellsAreOneBitSignalsAndSeparateCells) {
  std::set<std::pair<std::string, int>> placed;
  for (const auto& cell : sheet.cells) {
    const Wire* wire = stage.FindWire(cell.wire);
    ASSERT_NE(wire, nullptr) << cell.wire;
    EXPECT_GE(cell.cell, 0);
    EXPECT_LT(cell.cell, wire->size()) << cell.wire;
    EXPECT_TRUE(placed.emplace(cell.wire, cell.cell).second) << cell.wire << " twice";
  }
  std::set<std::pair<std::string, int>> expected;
  for (const CellSpec& c : spec.cells) expected.emplace(c.wire, c.cell);
  EXPECT_EQ(placed, expected);
}

TEST_P(NPathLayout, EveryWireIsShownOrHidden) {
  std::set<std::string> shown;
  for (const auto& row : sheet.rows) shown.insert(row.wire);
  for (const auto& cell : sheet.cells) shown.insert(cell.wire);
  for (const Wire* wire : stage.wires()) {
    const bool hidden = spec.hidden.count(wire->name()) > 0;
    EXPECT_NE(hidden, shown.count(wire->name()) > 0) << wire->name();
  }
  for (const std::string& name : spec.hidden) EXPECT_NE(stage.FindWire(name), nullptr) << name;
}

TEST_P(NPathLayout, ButtonsAreExactlyTheTable) {
  std::vector<ButtonSpec> actual;
  for (const auto& button : sheet.buttons) {
    ASSERT_TRUE(button.opens.has_value()) << button.name;
    const auto& request = *button.opens;
    ASSERT_NE(stage.FindWire(request.wire), nullptr) << button.name;
    EXPECT_FALSE(request.displayName.has_value()) << button.name << " passes the stage's name";
    actual.push_back({button.name, button.caption, request.wire, request.start, request.end,
                      request.title, request.viewOnly});
  }
  std::vector<ButtonSpec> expected = spec.buttons;
  std::sort(actual.begin(), actual.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(actual, expected);
}

TEST_P(NPathLayout, LabelsOfTheHardwareAreShown) {
  std::multiset<std::string> texts;
  for (const auto& text : sheet.texts) texts.insert(text.text);
  std::map<std::string, int> needed;
  for (const std::string& label : spec.labels) ++needed[label];
  for (const CellSpec& c : spec.cells) needed[c.title] = std::max(needed[c.title], 1);
  for (const auto& [label, count] : needed) {
    EXPECT_GE(static_cast<int>(texts.count(label)), count) << "\"" << label << "\"";
  }
}

// --- geometry -------------------------------------------------------------

struct Rect {
  int left, top, right, bottom;
  std::string what;
  int row = -1;  // the parts of one wire row (cells, index labels, title) may touch
  bool Overlaps(const Rect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool Contains(const Rect& o) const {
    return left <= o.left && o.right <= right && top <= o.top && o.bottom <= bottom;
  }
  int Distance(const Rect& o) const {
    const int dx = std::max({0, o.left - right, left - o.right});
    const int dy = std::max({0, o.top - bottom, top - o.bottom});
    return static_cast<int>(std::hypot(dx, dy));
  }
};

// The width of a title in Arial 8.25, as the drawings estimate it from the
// face's advance widths (within a few twips of the rendered text).
int TextWidth(const std::string& text) { return layout::TextWidth(text); }

struct Drawing {
  std::vector<Rect> solid;   // rows, titles, cells, buttons, unit boxes
  std::vector<Rect> titles;  // title texts with their text
  std::vector<Rect> boxes;   // unit outlines, multiplexers included
};

Drawing Draw(const Stage& stage, const StageLayout& sheet) {
  Drawing d;
  int rowNumber = 0;
  for (const auto& row : sheet.rows) {
    ++rowNumber;
    const Wire* wire = stage.FindWire(row.wire);
    const RowGeometry geometry = LayoutWire(wire->first(), wire->last(), row.groupGap);
    const int width = geometry.width();
    d.solid.push_back({row.left, row.top, row.left + width, row.top + 330, row.wire + " cells", rowNumber});
    for (const RowCell& cell : geometry.cells) {
      if (!cell.indexVisible) continue;
      const int left = row.left + cell.left - 30;
      d.solid.push_back({left, row.top - 240, left + 255, row.top - 240 + 255,
                         row.wire + " index " + cell.index, rowNumber});
    }
    const int tl = row.titleLeft.value_or(row.left);
    const int tt = row.titleTop.value_or(row.top - 510);
    const Rect title{tl, tt, tl + TextWidth(wire->title()), tt + 255, wire->title(), rowNumber};
    d.solid.push_back(title);
    d.titles.push_back(title);
  }
  for (const auto& cell : sheet.cells) {
    d.solid.push_back({cell.left, cell.top, cell.left + cell.width, cell.top + 330,
                       cell.wire + "[" + std::to_string(cell.cell) + "]"});
  }
  for (const auto& text : sheet.texts) {
    if (text.style == layout::TextStyle::Title) {
      const Rect r{text.left, text.top, text.left + TextWidth(text.text), text.top + text.height,
                   text.text};
      d.solid.push_back(r);
      d.titles.push_back(r);
    }
  }
  for (const auto& button : sheet.buttons) {
    d.solid.push_back({button.left, button.top, button.left + button.width,
                       button.top + button.height, button.name});
  }
  for (const auto& box : sheet.boxes) {
    d.boxes.push_back({box.left, box.top, box.left + box.width, box.top + box.height,
                       box.trapezoid ? "mux" : "box"});
  }
  return d;
}

TEST_P(NPathLayout, NothingIsDrawnOverAnythingElse) {
  const Drawing d = Draw(stage, sheet);
  for (std::size_t i = 0; i < d.solid.size(); ++i) {
    for (std::size_t j = i + 1; j < d.solid.size(); ++j) {
      if (d.solid[i].row >= 0 && d.solid[i].row == d.solid[j].row) continue;
      EXPECT_FALSE(d.solid[i].Overlaps(d.solid[j]))
          << d.solid[i].what << " overlaps " << d.solid[j].what;
    }
    for (const Rect& box : d.boxes) {
      // Buttons may sit inside a unit (the adder's "Show" buttons).
      const bool button = std::any_of(sheet.buttons.begin(), sheet.buttons.end(),
                                      [&](const auto& b) { return b.name == d.solid[i].what; });
      if (!button) {
        EXPECT_FALSE(d.solid[i].Overlaps(box)) << d.solid[i].what << " on a unit";
      }
    }
  }
  for (std::size_t i = 0; i < d.boxes.size(); ++i) {
    for (std::size_t j = i + 1; j < d.boxes.size(); ++j) {
      EXPECT_FALSE(d.boxes[i].Overlaps(d.boxes[j])) << "units " << i << " and " << j;
    }
  }
  // Names of units and multiplexer marks sit inside an outline.
  for (const auto& text : sheet.texts) {
    if (text.style == layout::TextStyle::Title) continue;
    const Rect r{text.left, text.top, text.left + text.width, text.top + text.height, text.text};
    EXPECT_TRUE(std::any_of(d.boxes.begin(), d.boxes.end(),
                            [&](const Rect& box) { return box.Contains(r); }))
        << "\"" << text.text << "\" outside every unit";
  }
}

TEST_P(NPathLayout, LinesAreStraightAndCrossNothing) {
  const Drawing d = Draw(stage, sheet);
  ASSERT_FALSE(sheet.lines.empty());
  for (const auto& line : sheet.lines) {
    ASSERT_TRUE(line.x1 == line.x2 || line.y1 == line.y2)
        << line.x1 << "," << line.y1 << " - " << line.x2 << "," << line.y2;
    const int l = std::min(line.x1, line.x2), r = std::max(line.x1, line.x2);
    const int t = std::min(line.y1, line.y2), b = std::max(line.y1, line.y2);
    auto crosses = [&](const Rect& rect) {
      // Through the inside; running along or ending on an edge is fine.
      if (l == r) return rect.left < l && l < rect.right && t < rect.bottom && rect.top < b;
      return rect.top < t && t < rect.bottom && l < rect.right && rect.left < r;
    };
    for (const Rect& rect : d.solid) {
      EXPECT_FALSE(crosses(rect)) << "line " << line.x1 << "," << line.y1 << " - " << line.x2
                                  << "," << line.y2 << " crosses " << rect.what;
    }
    for (const Rect& rect : d.boxes) {
      if (rect.what == "mux") continue;  // select lines end on the slanted sides
      EXPECT_FALSE(crosses(rect)) << "line " << line.x1 << "," << line.y1 << " - " << line.x2
                                  << "," << line.y2 << " crosses a unit";
    }
  }
}

TEST_P(NPathLayout, SingleCellsCarryTheirOwnLabels) {
  // The title nearest to a single cell is its own: DELTA's cells in each
  // window's own order, c_in's "C", the one-bit signals' names.
  const Drawing d = Draw(stage, sheet);
  for (const CellSpec& c : spec.cells) {
    const auto placed = std::find_if(sheet.cells.begin(), sheet.cells.end(), [&](const auto& x) {
      return x.wire == c.wire && x.cell == c.cell;
    });
    ASSERT_NE(placed, sheet.cells.end());
    const Rect cell{placed->left, placed->top, placed->left + placed->width, placed->top + 330, ""};
    const Rect* nearest = nullptr;
    for (const Rect& title : d.titles) {
      if (nearest == nullptr || cell.Distance(title) < cell.Distance(*nearest)) nearest = &title;
    }
    ASSERT_NE(nearest, nullptr);
    EXPECT_EQ(nearest->what, c.title) << c.wire << " cell " << c.cell;
    EXPECT_LT(cell.Distance(*nearest), 400) << c.wire << " cell " << c.cell;
  }
}

TEST_P(NPathLayout, ButtonsSitByWhatTheyOpen) {
  const Drawing d = Draw(stage, sheet);
  for (const auto& button : sheet.buttons) {
    const Rect r{button.left, button.top, button.left + button.width, button.top + button.height,
                 button.name};
    if (button.caption == "...") {
      // A view button of a hidden wire stands right after the wire's name.
      const Rect* nearest = nullptr;
      for (const Rect& title : d.titles) {
        if (nearest == nullptr || r.Distance(title) < r.Distance(*nearest)) nearest = &title;
      }
      ASSERT_NE(nearest, nullptr);
      EXPECT_EQ(nearest->what, button.opens->title) << button.name;
      EXPECT_LT(r.Distance(*nearest), 200) << button.name;
    } else if (button.caption == "Edit") {
      // An Edit button is nearer to its wire (row title or single cell) than
      // to any other wire's.
      int best = std::numeric_limits<int>::max();
      std::string owner;
      for (const auto& row : sheet.rows) {
        const Wire* wire = stage.FindWire(row.wire);
        const int tl = row.titleLeft.value_or(row.left);
        const int tt = row.titleTop.value_or(row.top - 510);
        const int dist = r.Distance({tl, tt, tl + TextWidth(wire->title()), tt + 255, ""});
        if (dist < best) best = dist, owner = row.wire;
      }
      for (const auto& cell : sheet.cells) {
        const int dist = r.Distance({cell.left, cell.top, cell.left + cell.width, cell.top + 330, ""});
        if (dist < best) best = dist, owner = cell.wire;
      }
      EXPECT_EQ(owner, button.opens->wire) << button.name;
      EXPECT_LT(best, 1200) << button.name;
    }
  }
}

TEST_P(NPathLayout, DrawingFitsTheStageRectangle) {
  // Rows may run past the right edge (the window scrolls); everything else
  // stays inside the shared stage rectangle, below the margin.
  const Drawing d = Draw(stage, sheet);
  for (const Rect& r : d.solid) {
    EXPECT_GE(r.left, 100) << r.what;
    EXPECT_GE(r.top, 100) << r.what;
    EXPECT_LE(r.bottom, 5600) << r.what;
  }
  for (const Rect& r : d.boxes) {
    EXPECT_GE(r.left, 120);
    EXPECT_LE(r.right, 9700);
    EXPECT_LE(r.bottom, 5600);
  }
  for (const auto& button : sheet.buttons) EXPECT_LE(button.left + button.width, 9700) << button.name;
  EXPECT_GE(sheet.height, 4000);
  EXPECT_LE(sheet.height, 5800);
  EXPECT_GT(sheet.width, 9700);  // the long rows
}

INSTANTIATE_TEST_SUITE_P(NPath, NPathLayout, ::testing::ValuesIn(Specs()), SlotName);

}  // namespace
}  // namespace sumaris
