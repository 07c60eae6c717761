// The drawings of the second cycle's stages: every wire is shown under its
// own title, every block label is there, every Edit button hands the editor
// exactly what the window's design says, and nothing is drawn on top of
// anything else.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "session/adder.h"
#include "wires/layout_sketch.h"
#include "wires/row_layout.h"
#include "wires/stage_layout.h"

namespace sumaris {
namespace {

using layout::StageLayout;
using layout::TextStyle;

struct ExpectedRow {
  const char* wire;
  const char* title;
  int gap;
};

struct ExpectedCell {
  const char* wire;
  const char* title;  // nullptr: shown without a title
};

struct ExpectedButton {
  const char* name;
  std::optional<std::string> wire;  // nullopt: the click does nothing
  int start;
  int end;
  const char* title;
  const char* displayName;
};

struct ExpectedStage {
  int slot;
  const char* stage;
  const char* displayName;
  std::vector<ExpectedRow> rows;
  std::vector<ExpectedCell> cells;
  std::vector<const char*> labels;  // each occurrence listed
  int muxes;
  std::vector<ExpectedButton> buttons;
};

const std::vector<ExpectedStage>& Expected() {
  static const std::vector<ExpectedStage> kStages = {
      {12,
       "R2HA",
       "",
       {{"FSOPA", "FSOPA[-1:52]", 0},
        {"FLP", "FLP[-1:52]", 0},
        {"XSUM", "XSUM[-1:52]", 0},
        {"XCARRY", "XCARRY[-1:51]", 0}},
       {},
       {"HA(54)", "FSOPA[-1:116]", "[-1]", "[52]", "[53]", "[116]"},
       0,
       {{"EditEA", "FSOPA", -1, 52, "FSOPA[-1:52]", "R2HA"},
        {"Command3", "FLP", -1, 52, "FLP[-1:52]", "R2HA"},
        {"EditEB", std::nullopt, 0, 0, "", ""}}},
      {13,
       "R2Compound",
       "",
       {{"XSUM", "XSUM[-1:52]", 20},
        {"XCARRY", "XCARRY[-1:51]", 20},
        {"FPOSUM", "FPOSUM[-1:51]", 20},
        {"FPOSUMI", "FPOSUMI[-1:51]", 20}},
       {},
       {"Compound Adder(53)"},
       0,
       {{"EditEA", "XSUM", -1, 52, "XSUM[-1:52]", "Significand Add. High"},
        {"EditEB", "XCARRY", -1, 51, "XCARRY[-1:51]", "Significand Add. High"}}},
      {14,
       "R2Sigadd",
       "",
       {{"FSOPA", "FSOPA[54:116]", 0}},
       {{"FSOPA53", "FSOPA[53]"},
        {"seff", "S.EFF"},
        {"INJ", "INJ"},
        {"OrOut", nullptr},
        {"C52RS", "C[52], R', S'"}},
       {"Compute C[52], R', S'", "OR TREE", "XOR", "MUX", "0", "1", "(S=0)", "(S=1)", "INJ",
        "FSOPA[-1:116]", "[-1]", "[52]", "[53]", "[116]"},
       1,
       {{"EditFsopa", "FSOPA", 54, 116, "FSOPA[54:116]", "R2 Significants addition "},
        {"EditR1rne", "INJ", 0, 1, "RI RNE", "R2 Significants addition "},
        {"EditSeff", "seff", 0, 0, "R1 SEFF", "R2 Significants addition "},
        {"EditEB", std::nullopt, 0, 0, "", ""}}},
      {15,
       "R2Decide",
       "Rounding Decision",
       {},
       {{"FPOSUMm1", "FPOSUM[-1]"},
        {"FPOSUMIm1", "FPOSUMI[-1]"},
        {"FPOSUM51", "FPOSUM[51]"},
        {"FPOSUMI51", "FPOSUMI[51]"},
        {"XSUM52", "XSUM[52]"},
        {"C52RS", "C[52], R', S'"},
        {"IsRN", "Is RN"},
        {"IsRI", "Is RI"},
        {"LSBinc2", "LSB'(inc)"},
        {"LSBninc2", "LSB'(ninc)"},
        {"LSBNINC", "LSB(ninc)"},
        {"LSBincO", "LSB(inc)"},
        {"LSBnincO", "LSB(ninc)"},
        {"RINC", "RINC"}},
       {"Rounding Decisions", "Mux", "Mux", "Mux", "0", "0", "0", "1", "1", "1", "Is RN", "Is RI",
        "RINC"},
       3,
       {{"Command1", "FPOSUMm1", -1, -1, "FPOSUM[-1]", "Ronding Deceision"},
        {"Command2", "XSUM52", 52, 52, "XSUM[52]", "Ronding Deceision"},
        {"Command3", "FPOSUMIm1", -1, -1, "FPOSUMI[-1]", "Rounding Deceision"},
        {"Command4", "FPOSUMI51", 51, 51, "FPOSUMI[51]", "Rounding Deceision"},
        {"Command5", "C52RS", 52, 54, "C[52],R',S'", "Rounding Deceision"},
        {"Command6", "FPOSUM51", 51, 51, "FPOSUM[51]", "Rounding Deceision"},
        {"EditEB", std::string(), 0, 1, "RI RN", "Rounding Deceision"}}},
      {16,
       "R2Post",
       "",
       {{"FPOSUM", "FPOSUM[-1:51]", 0},
        {"FPOSUMI", "FPOSUMI[-1:51]", 0},
        {"FPOSUM_s", "FPOSUM_s[0:51]", 0},
        {"FPOSUMI_s", "FPOSUMI_s[0:51]", 0}},
       {},
       {"Shift Right", "Shift Right", "[-1]", "[-1]"},
       0,
       {{"EditEA", "FPOSUMI", -1, 51, "FPOSUMI[-1:51]", "R2 Post"},
        {"EditEB", "FPOSUM", -1, 51, "FPOSUM[-1:51]", "R2 Post"}}},
      {17,
       "R2Select1",
       "",
       {{"FPOSUM_s", "FPOSUM_s[0:51]", 0},
        {"FPOSUMI_s", "FPOSUMI_s[0:51]", 0},
        {"FFAR", "F.FAR[0:51]", 0}},
       {{"RINC", "RINC"}},
       {"Mux", "0", "1"},
       1,
       {{"EditEA", "FPOSUMI_s", 0, 51, "FPOSUMI_s[0:51]", "R2 Select1"},
        {"EditEB", "FPOSUM_s", 0, 51, "FPOSUM_s[0:51]", "R2 Select1"},
        {"EditRinc", "RINC", 0, 0, "RINC", "R2 Select1"}}},
      {18,
       "R2Select2",
       "",
       {},
       {{"LSBINC", "LSB(inc)"}, {"LSBNINC", "LSB(ninc)"}, {"RINC", "RINC"}, {"FFAR52", "F.FAR[52]"}},
       {"Mux", "0", "1"},
       1,
       {{"EditInc", "LSBINC", 0, 0, "LSB(inc)", "R2 Select2"},
        {"EditNinc", "LSBNINC", 0, 0, "LSB(ninc)", "R2 Select2"},
        {"EditRinc", "RINC", 0, 0, "RINC", "R2 Select2"}}},
  };
  return kStages;
}

void PrintTo(const ExpectedStage& stage, std::ostream* os) { *os << stage.stage; }

std::multiset<std::string> TextsOf(const StageLayout& l) {
  std::multiset<std::string> texts;
  for (const auto& t : l.texts) texts.insert(t.text);
  return texts;
}

class R2Layout : public ::testing::TestWithParam<ExpectedStage> {
 protected:
  Adder adder;
};

TEST_P(R2Layout, StageAndDisplayName) {
  const ExpectedStage& want = GetParam();
  const Stage* stage = adder.StageInSlot(want.slot);
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(stage->name(), want.stage);
  EXPECT_EQ(stage->displayName(), want.displayName);
}

TEST_P(R2Layout, EveryNamedWireExists) {
  const ExpectedStage& want = GetParam();
  const Stage& stage = *adder.StageInSlot(want.slot);
  const StageLayout& l = layout::StageLayoutForSlot(want.slot);
  for (const auto& row : l.rows) EXPECT_NE(stage.FindWire(row.wire), nullptr) << row.wire;
  for (const auto& cell : l.cells) {
    const Wire* wire = stage.FindWire(cell.wire);
    ASSERT_NE(wire, nullptr) << cell.wire;
    EXPECT_GE(cell.cell, 0);
    EXPECT_LT(cell.cell, wire->size()) << cell.wire;
  }
  for (const auto& button : l.buttons) {
    if (button.opens && !button.opens->wire.empty()) {
      EXPECT_NE(stage.FindWire(button.opens->wire), nullptr) << button.name;
    }
  }
}

TEST_P(R2Layout, RowsWithTitlesAndGaps) {
  const ExpectedStage& want = GetParam();
  const Stage& stage = *adder.StageInSlot(want.slot);
  const StageLayout& l = layout::StageLayoutForSlot(want.slot);
  ASSERT_EQ(l.rows.size(), want.rows.size());
  for (const ExpectedRow& row : want.rows) {
    const auto found = std::find_if(l.rows.begin(), l.rows.end(),
                                    [&](const layout::Row& r) { return r.wire == row.wire; });
    ASSERT_NE(found, l.rows.end()) << row.wire;
    const Wire* wire = stage.FindWire(row.wire);
    ASSERT_NE(wire, nullptr);
    const std::string title = found->title.empty() ? wire->title() : found->title;
    EXPECT_EQ(title, row.title) << row.wire;
    EXPECT_EQ(found->groupGap, row.gap) << row.wire;
  }
}

// Every wire of these stages is on show: as a row, or cell by cell.
TEST_P(R2Layout, NoWireHidden) {
  const ExpectedStage& want = GetParam();
  const Stage& stage = *adder.StageInSlot(want.slot);
  const StageLayout& l = layout::StageLayoutForSlot(want.slot);
  for (const Wire* wire : stage.wires()) {
    const bool asRow = std::any_of(l.rows.begin(), l.rows.end(),
                                   [&](const layout::Row& r) { return r.wire == wire->name(); });
    std::map<int, int> shown;
    for (const auto& cell : l.cells) {
      if (cell.wire == wire->name()) ++shown[cell.cell];
    }
    if (asRow) {
      EXPECT_TRUE(shown.empty()) << wire->name() << " drawn twice";
      continue;
    }
    for (int p = 0; p < wire->size(); ++p) {
      EXPECT_EQ(shown[p], 1) << wire->name() << " cell " << p;
    }
  }
}

TEST_P(R2Layout, SingleCellsCarryTheirTitles) {
  const ExpectedStage& want = GetParam();
  const Stage& stage = *adder.StageInSlot(want.slot);
  const StageLayout& l = layout::StageLayoutForSlot(want.slot);
  const std::multiset<std::string> texts = TextsOf(l);
  std::map<std::string, int> needed;
  for (const ExpectedCell& cell : want.cells) {
    const Wire* wire = stage.FindWire(cell.wire);
    ASSERT_NE(wire, nullptr) << cell.wire;
    EXPECT_TRUE(std::any_of(l.cells.begin(), l.cells.end(),
                            [&](const layout::FixedCell& c) { return c.wire == cell.wire; }))
        << cell.wire;
    if (cell.title != nullptr) {
      EXPECT_EQ(wire->title(), cell.title);
      ++needed[cell.title];
    }
  }
  for (const auto& [title, count] : needed) {
    EXPECT_GE(static_cast<int>(texts.count(title)), count) << title;
  }
}

TEST_P(R2Layout, BlockLabels) {
  const ExpectedStage& want = GetParam();
  const StageLayout& l = layout::StageLayoutForSlot(want.slot);
  const std::multiset<std::string> texts = TextsOf(l);
  std::map<std::string, int> needed;
  for (const char* label : want.labels) ++needed[label];
  for (const auto& [label, count] : needed) {
    EXPECT_GE(static_cast<int>(texts.count(label)), count) << label;
  }
  const auto muxes = std::count_if(l.boxes.begin(), l.boxes.end(),
                                   [](const layout::Box& b) { return b.trapezoid; });
  EXPECT_EQ(muxes, want.muxes);
  // A unit's name sits inside its box.
  for (const auto& t : l.texts) {
    if (t.style != TextStyle::Block) continue;
    const bool inside = std::any_of(l.boxes.begin(), l.boxes.end(), [&](const layout::Box& b) {
      return t.left >= b.left && t.top >= b.top && t.left + t.width <= b.left + b.width &&
             t.top + t.height <= b.top + b.height;
    });
    EXPECT_TRUE(inside) << t.text;
  }
}

TEST_P(R2Layout, EditButtons) {
  const ExpectedStage& want = GetParam();
  const StageLayout& l = layout::StageLayoutForSlot(want.slot);
  ASSERT_EQ(l.buttons.size(), want.buttons.size());
  for (const ExpectedButton& b : want.buttons) {
    SCOPED_TRACE(b.name);
    const auto found = std::find_if(l.buttons.begin(), l.buttons.end(),
                                    [&](const layout::Button& x) { return x.name == b.name; });
    ASSERT_NE(found, l.buttons.end());
    EXPECT_EQ(found->caption, "Edit");
    EXPECT_EQ(found->width, 495);
    EXPECT_EQ(found->height, 255);
    if (!b.wire) {
      EXPECT_FALSE(found->opens.has_value()) << "this button does nothing";
      continue;
    }
    ASSERT_TRUE(found->opens.has_value());
    const layout::EditorRequest& r = *found->opens;
    EXPECT_EQ(r.wire, *b.wire);
    EXPECT_EQ(r.start, b.start);
    EXPECT_EQ(r.end, b.end);
    EXPECT_EQ(r.title, b.title);
    ASSERT_TRUE(r.displayName.has_value());
    EXPECT_EQ(*r.displayName, b.displayName);
    EXPECT_FALSE(r.viewOnly);
  }
}

// --- geometry ----------------------------------------------------------------

struct Rect {
  int left, top, right, bottom;
  std::string what;
};

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// What a text covers on screen: a left-aligned title from its left, a
// centred unit name or note around the middle of its rectangle.
Rect Ink(const layout::Text& t) {
  int width = layout::TextWidth(t.text);
  int height = 230;
  switch (t.style) {
    case TextStyle::Heading:
      width = width * 12 / 8 + 100;
      height = 330;
      [[fallthrough]];
    case TextStyle::Title:
      return {t.left, t.top, t.left + width, t.top + height, t.text};
    case TextStyle::Note:
      width = width * 7 / 8;
      height = 190;
      return {t.left + (t.width - width) / 2, t.top, t.left + (t.width + width) / 2,
              t.top + height, t.text};
    case TextStyle::Block:
      return {t.left + (t.width - width) / 2, t.top + (t.height - height) / 2,
              t.left + (t.width + width) / 2, t.top + (t.height + height) / 2, t.text};
  }
  return {};
}

std::vector<Rect> Elements(const Stage& stage, const StageLayout& l) {
  std::vector<Rect> all;
  for (const auto& row : l.rows) {
    const Wire* wire = stage.FindWire(row.wire);
    const RowGeometry g = LayoutWire(wire->first(), wire->last(), row.groupGap);
    const std::string title = row.title.empty() ? wire->title() : row.title;
    const int tl = row.titleLeft.value_or(row.left);
    const int tt = row.titleTop.value_or(row.top - 510);
    all.push_back({tl, tt, tl + layout::TextWidth(title), tt + 230, "title " + title});
    for (std::size_t p = 0; p < g.cells.size(); ++p) {
      const int x = row.left + g.cells[p].left;
      all.push_back({x, row.top, x + 180, row.top + 330, row.wire + " cell"});
      if (g.cells[p].indexVisible) {
        all.push_back({x - 30, row.top - 240, x - 30 + 255, row.top - 240 + 230,
                       row.wire + " index " + g.cells[p].index});
      }
    }
  }
  for (const auto& c : l.cells) {
    all.push_back({c.left, c.top, c.left + c.width, c.top + 330, c.wire + " fixed cell"});
  }
  for (const auto& t : l.texts) all.push_back(Ink(t));
  for (const auto& b : l.buttons) {
    all.push_back({b.left, b.top, b.left + b.width, b.top + b.height, "button " + b.name});
  }
  return all;
}

TEST_P(R2Layout, NothingDrawnOverAnythingElse) {
  const ExpectedStage& want = GetParam();
  const Stage& stage = *adder.StageInSlot(want.slot);
  const StageLayout& l = layout::StageLayoutForSlot(want.slot);
  const std::vector<Rect> all = Elements(stage, l);
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (std::size_t j = i + 1; j < all.size(); ++j) {
      EXPECT_FALSE(Overlap(all[i], all[j])) << all[i].what << " and " << all[j].what;
    }
  }
}

TEST_P(R2Layout, DrawingWithinItsExtentAndMargins) {
  const ExpectedStage& want = GetParam();
  const Stage& stage = *adder.StageInSlot(want.slot);
  const StageLayout& l = layout::StageLayoutForSlot(want.slot);
  for (const Rect& r : Elements(stage, l)) {
    EXPECT_GE(r.left, 100) << r.what;
    EXPECT_GE(r.top, 100) << r.what;
    EXPECT_LE(r.right, l.width) << r.what;
    EXPECT_LE(r.bottom, l.height) << r.what;
  }
  for (const auto& b : l.boxes) {
    EXPECT_GE(b.left, 100);
    EXPECT_LE(b.left + b.width, l.width);
    EXPECT_LE(b.top + b.height, l.height);
  }
  for (const auto& line : l.lines) {
    EXPECT_TRUE(line.x1 != line.x2 || line.y1 != line.y2) << "a line of no length";
    EXPECT_LE(std::max(line.x1, line.x2), l.width);
    EXPECT_LE(std::max(line.y1, line.y2), l.height);
  }
  // The drawing fits the shared window's height; only rows run past its width.
  EXPECT_LE(l.height, 5600 + 120);
  EXPECT_FALSE(l.lines.empty());
}

INSTANTIATE_TEST_SUITE_P(SecondCycle, R2Layout, ::testing::ValuesIn(Expected()),
                         [](const ::testing::TestParamInfo<ExpectedStage>& param) {
                           return std::string(param.param.stage);
                         });

}  // namespace
}  // namespace sumaris
