// The drawings of steps 1 to 11: every wire, title, unit and button the
// stages must show, the editor calls of the buttons, and a drawing whose
// parts neither overlap nor leave arrows hanging.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
using layout::TextStyle;

struct ButtonWant {
  std::string name, caption, wire;
  int start, end;
  std::string title;
  bool viewOnly;
  auto Key() const { return std::tie(name, caption, wire, start, end, title, viewOnly); }
  bool operator<(const ButtonWant& o) const { return Key() < o.Key(); }
  bool operator==(const ButtonWant& o) const { return Key() == o.Key(); }
};

std::ostream& operator<<(std::ostream& os, const ButtonWant& b) {
  return os << b.name << " \"" << b.caption << "\" " << b.wire << " " << b.start << ".." << b.end
            << " \"" << b.title << "\"" << (b.viewOnly ? " view" : " edit");
}

struct RowWant {
  std::string wire, title;
  int gap;
};

struct CellWant {
  std::string wire;
  std::string title;  // the title shown with the cell; empty: part of a row title or none
};

struct StageWant {
  int slot;
  std::vector<RowWant> rows;
  std::vector<CellWant> cells;
  std::vector<std::string> hidden;
  std::vector<std::string> units;   // labels of hardware units, each inside a box
  std::vector<std::string> labels;  // further labels of the diagram
  std::vector<ButtonWant> buttons;
  bool mux = false;
};

// The stages as the hardware description gives them.
const std::vector<StageWant>& Wanted() {
  static const std::vector<StageWant> all = {
      {1,
       {{"Ea", "EA[6:0]", 80},
        {"EB", "EB[6:0]", 80},
        {"DELTA", "DELTA[6:0]", 80},
        {"MAG_MED", "MAG_MED[5:0]", 80}},
       {{"SIGN_MED", "SIGN_MED"}, {"Cout", "Cout"}, {"RES_MED", "RES_MED"}},
       {"EB_INV"},
       {"Adder(7)", "XOR", "OR TREE"},
       {"Cout", "MAG_MED[5:1]"},
       {{"EditEA", "Edit", "Ea", 6, 0, "EA[6:0]", false},
        {"EditEB", "Edit", "EB", 6, 0, "EB[6:0]", false}},
       false},
      {2,
       {{"Ea", "0,EA[10:7]", 80},
        {"EB", "0,EB[10:7]", 80},
        {"DELTA", "DELTA[11:7]", 80},
        {"MAG_LRG", "MAG_LRG[10:6]", 80}},
       {{"OEA", ""},
        {"OEB", ""},
        {"CIN", "Carry in  "},
        {"SIGN_MED", "SIGN_MED"},
        {"SIGN_BIG", "SIGN_BIG"},
        {"IS_BIG", "IS_BIG"}},
       {"EB_INV", "OEB_INV"},
       {"Adder(5)", "XOR", "OR TREE"},
       {},
       {{"EditOEA", "Edit", "Ea", 10, 7, "EA[10:7]", false},
        {"EditOEB", "Edit", "EB", 10, 7, "EB[10:7]", false},
        {"EditCIN", "Edit", "CIN", 0, 0, "Carry in", false},
        {"EditSIGN_MED", "Edit", "SIGN_MED", 0, 0, "SIGN_MED", false}},
       false},
      {3,
       {{"Fa", "FA[0:52]", 20},
        {"FB", "FB[0:52]", 20},
        {"FAO", "FAO[0:52]", 20},
        {"FBO", "FBO[0:52]", 20}},
       {{"Sa", "SA"}, {"SB", "SB"}, {"SOP", "SOP"}, {"seff", "S.EFF"}},
       {},
       {"1's Complement"},
       {},
       {{"EditFA", "Edit", "Fa", 0, 52, "FA[0:52]", false},
        {"EditFB", "Edit", "FB", 0, 52, "FB[0:52]", false}},
       false},
      {4,
       {{"FAO", "FAO[0:52]", 20},
        {"FBO", "FBO[0:52]", 20},
        {"FAOP", "FAOP[-1:52]", 0},
        {"FBOP", "FBOP[0:53]", 0}},
       {{"seff", "S.EFF"}},
       {},
       {"Shift Left", "Shift Right"},
       {},
       {{"EditFAO", "Edit", "FAO", 0, 52, "FAO[0:52]", false},
        {"EditFBO", "Edit", "FBO", 0, 52, "FBO[0:52]", false},
        {"EditSeff", "Edit", "seff", 0, 0, "S.EFF", false}},
       false},
      {5,
       {{"FAOP", "FAOP[-1:52]", 0}, {"FBOP", "FBOP[0:53]", 0}, {"FSOP", "FSOP[-1:53]", 0}},
       {{"seff", "S.EFF"}, {"SIGN_MED", "SIGN_MED"}},
       {},
       {},
       {"0", "1"},
       {{"EditFAOP", "Edit", "FAOP", -1, 52, "FAOP[-1:52]", false},
        {"EditFBOP", "Edit", "FBOP", 0, 53, "FBOP[0:53]", false},
        {"EditSeff", "Edit", "seff", 0, 0, "SEFF", false},
        {"EditSIGN_MED", "Edit", "SIGN_MED", 0, 0, "SIGN_MED", false}},
       true},
      {6,
       {{"FAO", "FAOP[-1:52]", 0}, {"FBO", "FBOP[0:53]", 0}, {"FSO", "FSO[0:53]", 0}},
       {{"SIGN_BIG", "SIGN_BIG"}},
       {},
       {},
       {"0", "1"},
       {{"EditFAO", "Edit", "FAO", -1, 52, "FAOP[-1:52]", false},
        {"EditEB", "Edit", "FBO", 0, 53, "FBOP[0:53]", false},
        {"EditSIGN_BIG", "Edit", "SIGN_BIG", 0, 0, "SIGN_BIG", false}},
       true},
      {7,
       {{"Fa", "FA[0:52]", 20}, {"FB", "FB[0:52]", 20}, {"FL", "FL[0:52]", 20}},
       {{"Sa", "SA"}, {"SB", "SB"}, {"SIGN_BIG", "SIGN_BIG"}, {"SL", "SL"}},
       {},
       {},
       {"0", "1"},
       {{"EditFA", "Edit", "Fa", 0, 52, "FA[0:52]", false},
        {"EditFB", "Edit", "FB", 0, 52, "FB[0:52]", false},
        {"EditSIGN_BIG", "Edit", "SIGN_BIG", 0, 0, "SIGN_BIG", false}},
       true},
      {8,
       {{"FSOP", "FSOP[-1:53]", 0},
        {"MAG_MED", "MAG_MED[5:0]", 80},
        {"FSOPAmed", "FSOPA.med[-1:116]", 0}},
       {{"seff", "SEFF"}},
       {},
       {"ShiftR(63)", "Sign extend with s.eff"},
       {},
       {{"EditFSOP", "Edit", "FSOP", -1, 53, "FSOP[-1:53]", false},
        {"EditMAG_MED", "Edit", "MAG_MED", 5, 0, "MAG_MED[5:0]", false},
        {"EditSeff", "Edit", "seff", 0, 0, "SEFF", false},
        {"ExpandFSOPAmed", "Expand", "FSOPAmed", -1, 116, "FSOPA", true}},
       false},
      {9,
       {{"FSO", "FSO[0:53]", 0},
        {"FSOPAmed", "FSOPA.med[-1:116]", 0},
        {"FSOPA", "FSOPA[-1:116]", 0}},
       {{"IS_BIG", "IS_BIG"}, {"seff", "S.EFF^64"}},
       {},
       {},
       {"0", "1", "S.EFF^64", "FSOPA.big[-1:116]", "IS_BIG"},
       {{"EditFSO", "Edit", "FSO", 0, 53, "FSO[0:53]", false},
        {"EditFSOPAmed", "Edit\\Expand", "FSOPAmed", -1, 116, "FSOPAmed[-1:116]", false},
        {"EditIS_BIG", "Edit", "IS_BIG", 1, 1, "IS_BIG", false},
        {"EditSeff", "Edit", "seff", 0, 0, "SEFF[0]", false},
        {"ExpandFSOPA", "Expand", "FSOPA", -1, 116, "FSOPA[-1:116]", true}},
       true},
      {10,
       {{"FL", "FL[0:52]", 20}, {"FLP", "FLP[-1:52]", 0}},
       {{"seff", "S.EFF"}},
       {},
       {"ShiftL(1)"},
       {},
       {{"EditFL", "Edit", "FL", 0, 52, "FL[0:52]", false},
        {"EditSeff", "Edit", "seff", 0, 0, "SEFF", false}},
       false},
      {11,
       {},
       {{"MAG_MED", "MAG_MED[0]"},
        {"SIGN_BIG_N", "not(SIGN_BIG)"},
        {"AND_res", ""},
        {"RIGHT_OR", "RIGHT_OR"},
        {"IS_BIG", "IS_BIG"},
        {"IS_R1", "IS_R1"}},
       {},
       {"AND", "OR"},
       {},
       {{"EditIS_BIG", "Edit", "IS_BIG", 0, 0, "IS_BIG", false},
        {"EditMAG_MED", "Edit", "MAG_MED", 0, 0, "MAG_MED", false},
        {"EditRIGHT_OR", "Edit", "RIGHT_OR", 0, 0, "RIGHT_OR", false},
        {"EditSIGN_BIG_N", "Edit", "SIGN_BIG_N", 0, 0, "not(SIGN_BIG)", false}},
       false},
  };
  return all;
}

std::string Where(const StageWant& drawing) {
  return "slot " + std::to_string(drawing.slot);
}

std::string RowTitle(const layout::Row& row, const Stage& stage) {
  if (!row.title.empty()) return row.title;
  const Wire* wire = stage.FindWire(row.wire);
  return wire != nullptr ? wire->title() : std::string();
}

TEST(R1Layouts, ButtonsOpenTheEditorWithTheirWires) {
  Adder adder;
  for (const StageWant& drawing : Wanted()) {
    const StageLayout& l = layout::StageLayoutForSlot(drawing.slot);
    const Stage& stage = *adder.StageInSlot(drawing.slot);
    std::vector<ButtonWant> got;
    for (const layout::Button& b : l.buttons) {
      ASSERT_TRUE(b.opens.has_value()) << Where(drawing) << " " << b.name;
      const layout::EditorRequest& r = *b.opens;
      got.push_back({b.name, b.caption, r.wire, r.start, r.end, r.title, r.viewOnly});
      // The stage's own display name goes to the editor.
      EXPECT_FALSE(r.displayName.has_value()) << Where(drawing) << " " << b.name;
      EXPECT_NE(stage.FindWire(r.wire), nullptr) << Where(drawing) << " " << b.name;
      // "Edit" buttons have the common size; longer captions fit theirs.
      if (b.caption == "Edit") {
        EXPECT_EQ(b.width, 495) << Where(drawing) << " " << b.name;
      } else {
        EXPECT_GE(b.width, layout::TextWidth(b.caption) + 200)
            << Where(drawing) << " " << b.name;
      }
      EXPECT_EQ(b.height, 255);
    }
    std::vector<ButtonWant> want = drawing.buttons;
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want) << Where(drawing);
  }
}

TEST(R1Layouts, EveryVisibleWireIsDrawnOnceAndNoHiddenOne) {
  Adder adder;
  for (const StageWant& drawing : Wanted()) {
    const StageLayout& l = layout::StageLayoutForSlot(drawing.slot);
    const Stage& stage = *adder.StageInSlot(drawing.slot);
    std::map<std::string, int> drawn;
    for (const layout::Row& row : l.rows) {
      EXPECT_NE(stage.FindWire(row.wire), nullptr) << Where(drawing) << " row " << row.wire;
      ++drawn[row.wire];
    }
    for (const layout::FixedCell& cell : l.cells) {
      const Wire* wire = stage.FindWire(cell.wire);
      ASSERT_NE(wire, nullptr) << Where(drawing) << " cell " << cell.wire;
      EXPECT_EQ(wire->size(), 1) << Where(drawing) << " " << cell.wire
                                 << " is not a one-bit signal";
      EXPECT_EQ(cell.cell, 0);
      ++drawn[cell.wire];
    }
    std::set<std::string> expected;
    for (const RowWant& r : drawing.rows)
      expected.insert(r.wire);
    for (const CellWant& c : drawing.cells)
      expected.insert(c.wire);
    for (const auto& [wire, count] : drawn) {
      EXPECT_EQ(count, 1) << Where(drawing) << " " << wire;
      EXPECT_TRUE(expected.count(wire)) << Where(drawing) << " draws " << wire;
    }
    for (const std::string& wire : expected) {
      EXPECT_TRUE(drawn.count(wire)) << Where(drawing) << " misses " << wire;
    }
    for (const std::string& hidden : drawing.hidden) {
      ASSERT_NE(stage.FindWire(hidden), nullptr) << hidden;
      EXPECT_FALSE(drawn.count(hidden)) << Where(drawing) << " shows hidden " << hidden;
    }
    // Every wire of the stage is either drawn or hidden.
    for (const Wire* wire : stage.wires()) {
      const bool hidden = std::find(drawing.hidden.begin(), drawing.hidden.end(), wire->name()) !=
                          drawing.hidden.end();
      EXPECT_NE(drawn.count(wire->name()) > 0, hidden) << Where(drawing) << " " << wire->name();
    }
  }
}

TEST(R1Layouts, RowsCarryTheirTitlesAndGroupGaps) {
  Adder adder;
  for (const StageWant& drawing : Wanted()) {
    const StageLayout& l = layout::StageLayoutForSlot(drawing.slot);
    const Stage& stage = *adder.StageInSlot(drawing.slot);
    for (const RowWant& want : drawing.rows) {
      const auto row = std::find_if(l.rows.begin(), l.rows.end(),
                                    [&](const layout::Row& r) { return r.wire == want.wire; });
      ASSERT_NE(row, l.rows.end()) << Where(drawing) << " " << want.wire;
      EXPECT_EQ(RowTitle(*row, stage), want.title) << Where(drawing) << " " << want.wire;
      EXPECT_EQ(row->groupGap, want.gap) << Where(drawing) << " " << want.wire;
    }
    // One-bit signals show their titles next to them.
    for (const CellWant& cell : drawing.cells) {
      if (cell.title.empty()) continue;
      const bool shown = std::any_of(l.texts.begin(), l.texts.end(), [&](const layout::Text& t) {
        return t.text == cell.title && t.style == TextStyle::Title;
      });
      EXPECT_TRUE(shown) << Where(drawing) << " title of " << cell.wire;
    }
  }
}

bool Inside(const layout::Text& t, const layout::Box& b) {
  return t.left >= b.left && t.top >= b.top && t.left + t.width <= b.left + b.width &&
         t.top + t.height <= b.top + b.height;
}

TEST(R1Layouts, UnitsSitInBoxesAndLabelsAreShown) {
  for (const StageWant& drawing : Wanted()) {
    const StageLayout& l = layout::StageLayoutForSlot(drawing.slot);
    std::vector<std::string> units = drawing.units;
    if (drawing.mux) units.push_back("Mux");
    for (const std::string& unit : units) {
      bool found = false;
      for (const layout::Text& t : l.texts) {
        if (t.text != unit || t.style != TextStyle::Block) continue;
        for (const layout::Box& b : l.boxes) {
          if (Inside(t, b) && b.trapezoid == (unit == "Mux")) found = true;
        }
      }
      EXPECT_TRUE(found) << Where(drawing) << " unit " << unit;
    }
    for (const std::string& label : drawing.labels) {
      const bool found = std::any_of(l.texts.begin(), l.texts.end(),
                                     [&](const layout::Text& t) { return t.text == label; });
      EXPECT_TRUE(found) << Where(drawing) << " label " << label;
    }
    // Every box holds a unit name.
    for (const layout::Box& b : l.boxes) {
      const bool named = std::any_of(l.texts.begin(), l.texts.end(), [&](const layout::Text& t) {
        return t.style == TextStyle::Block && Inside(t, b);
      });
      EXPECT_TRUE(named) << Where(drawing) << " box at " << b.left << "," << b.top;
    }
  }
}

// --- geometry -----------------------------------------------------------------

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive
  std::string what;
  bool Overlaps(const Rect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

// The solid parts of a drawing: cells, visible index labels, titles, notes
// and buttons, with texts as wide as their glyphs.
std::vector<Rect> SolidParts(const StageLayout& l, const Stage& stage, bool* rowsPastEdge) {
  std::vector<Rect> parts;
  for (const layout::Row& row : l.rows) {
    const Wire* wire = stage.FindWire(row.wire);
    if (wire == nullptr) continue;
    const RowGeometry g = LayoutWire(wire->first(), wire->last(), row.groupGap);
    for (std::size_t p = 0; p < g.cells.size(); ++p) {
      const int x = row.left + g.cells[p].left;
      const bool pastEdge = x + 180 > 9700;
      if (pastEdge && rowsPastEdge != nullptr) *rowsPastEdge = true;
      parts.push_back({x, row.top, x + 180, row.top + 330,
                       (pastEdge ? "~" : "") + row.wire + " cell " + std::to_string(p)});
      if (g.cells[p].indexVisible) {
        parts.push_back({x - 30, row.top - 240, x - 30 + 255, row.top,
                         (pastEdge ? "~" : "") + row.wire + " index " + std::to_string(p)});
      }
    }
    const std::string title = RowTitle(row, stage);
    const int tl = row.titleLeft.value_or(row.left);
    const int tt = row.titleTop.value_or(row.top - 510);
    parts.push_back({tl, tt, tl + layout::TextWidth(title), tt + 255, row.wire + " title"});
  }
  for (const layout::FixedCell& c : l.cells) {
    parts.push_back({c.left, c.top, c.left + c.width, c.top + 330, c.wire + " cell"});
  }
  for (const layout::Text& t : l.texts) {
    const int w = layout::TextWidth(t.text);
    if (t.style == TextStyle::Title) {
      parts.push_back({t.left, t.top, t.left + w, t.top + 220, "text " + t.text});
    } else if (t.style == TextStyle::Note) {
      const int centre = t.left + t.width / 2;
      const int half = w * 85 / 200 + 10;
      parts.push_back({centre - half, t.top, centre + half, t.top + 190, "note " + t.text});
    }
  }
  for (const layout::Button& b : l.buttons) {
    parts.push_back({b.left, b.top, b.left + b.width, b.top + b.height, "button " + b.name});
  }
  return parts;
}

TEST(R1Layouts, PartsDoNotOverlapAndStayInTheWindow) {
  Adder adder;
  for (const StageWant& drawing : Wanted()) {
    const StageLayout& l = layout::StageLayoutForSlot(drawing.slot);
    const Stage& stage = *adder.StageInSlot(drawing.slot);
    const std::vector<Rect> parts = SolidParts(l, stage, nullptr);
    for (std::size_t i = 0; i < parts.size(); ++i) {
      for (std::size_t j = i + 1; j < parts.size(); ++j) {
        EXPECT_FALSE(parts[i].Overlaps(parts[j]))
            << Where(drawing) << ": " << parts[i].what << " / " << parts[j].what;
      }
      const Rect& r = parts[i];
      EXPECT_GE(r.left, 60) << Where(drawing) << " " << r.what;
      EXPECT_GE(r.top, 60) << Where(drawing) << " " << r.what;
      EXPECT_LE(r.bottom, 5600) << Where(drawing) << " " << r.what;
      // Only the cells of long rows (and their index labels) run past the
      // right edge; the window scrolls to them.
      if (r.what[0] != '~') {
        EXPECT_LE(r.right, 9700) << Where(drawing) << " " << r.what;
      }
      // The top right corner is where "The System is now inconsistent" appears.
      const Rect corner{6000, 0, 9700, 390, "corner"};
      EXPECT_FALSE(r.Overlaps(corner)) << Where(drawing) << " " << r.what;
    }
    for (const layout::Box& b : l.boxes) {
      EXPECT_LE(b.left + b.width, 9700) << Where(drawing);
      EXPECT_LE(b.top + b.height, 5600) << Where(drawing);
    }
    // The extent given for scrolling covers everything, the long rows included.
    for (const Rect& r : parts) {
      EXPECT_LE(r.right, l.width) << Where(drawing) << " " << r.what;
      EXPECT_LE(r.bottom, l.height) << Where(drawing) << " " << r.what;
    }
  }
}

bool SegmentEntersRect(const layout::Line& s, const Rect& r) {
  // Axis-parallel segments only; touching the border does not count.
  const int x1 = std::min(s.x1, s.x2), x2 = std::max(s.x1, s.x2);
  const int y1 = std::min(s.y1, s.y2), y2 = std::max(s.y1, s.y2);
  return x1 < r.right - 1 && x2 > r.left && y1 < r.bottom - 1 && y2 > r.top;
}

bool OnRectBorder(int x, int y, const Rect& r) {
  const bool inX = x >= r.left && x <= r.right;
  const bool inY = y >= r.top && y <= r.bottom;
  return (inX && (y == r.top || y == r.bottom)) || (inY && (x == r.left || x == r.right));
}

bool OnSegment(int x, int y, const layout::Line& s) {
  return x >= std::min(s.x1, s.x2) && x <= std::max(s.x1, s.x2) && y >= std::min(s.y1, s.y2) &&
         y <= std::max(s.y1, s.y2);
}

TEST(R1Layouts, LinesConnectPartsWithoutCrossingThem) {
  Adder adder;
  for (const StageWant& drawing : Wanted()) {
    const StageLayout& l = layout::StageLayoutForSlot(drawing.slot);
    const Stage& stage = *adder.StageInSlot(drawing.slot);
    const std::vector<Rect> parts = SolidParts(l, stage, nullptr);
    std::vector<Rect> ends;  // what a line may start or end at
    for (const Rect& r : parts) {
      if (r.what.find("cell") != std::string::npos) ends.push_back(r);
    }
    for (const layout::Box& b : l.boxes) {
      if (b.trapezoid) {
        // The wide top edge and the two slanted sides.
        const int inset = std::min(b.width / 5, b.height / 2);
        ends.push_back({b.left, b.top, b.left + b.width, b.top, "mux top"});
        for (int y = b.top; y <= b.top + b.height; ++y) {
          const int dx = inset * (y - b.top) / b.height;
          ends.push_back({b.left + dx, y, b.left + dx, y, "mux side"});
          ends.push_back({b.left + b.width - dx, y, b.left + b.width - dx, y, "mux side"});
        }
        ends.push_back({b.left + inset, b.top + b.height, b.left + b.width - inset,
                        b.top + b.height, "mux bottom"});
      } else {
        ends.push_back({b.left, b.top, b.left + b.width, b.top + b.height, "box"});
      }
    }
    auto touchesPart = [&](int x, int y) {
      return std::any_of(ends.begin(), ends.end(), [&](const Rect& r) {
        return OnRectBorder(x, y, r) ||
               (std::abs(r.left - x) <= 2 && std::abs(r.top - y) <= 2 && r.left == r.right);
      });
    };
    for (std::size_t i = 0; i < l.lines.size(); ++i) {
      const layout::Line& line = l.lines[i];
      const std::string where = Where(drawing) + " line " + std::to_string(line.x1) + "," +
                                std::to_string(line.y1) + "-" + std::to_string(line.x2) + "," +
                                std::to_string(line.y2);
      EXPECT_TRUE(line.x1 == line.x2 || line.y1 == line.y2) << where;
      auto onOtherLine = [&](int x, int y) {
        for (std::size_t j = 0; j < l.lines.size(); ++j) {
          if (j != i && OnSegment(x, y, l.lines[j])) return true;
        }
        return false;
      };
      EXPECT_TRUE(touchesPart(line.x1, line.y1) || onOtherLine(line.x1, line.y1))
          << where << ": loose start";
      if (line.arrow) {
        EXPECT_TRUE(touchesPart(line.x2, line.y2)) << where << ": arrow points at nothing";
      } else {
        EXPECT_TRUE(touchesPart(line.x2, line.y2) || onOtherLine(line.x2, line.y2))
            << where << ": loose end";
      }
      for (const Rect& r : parts)
        EXPECT_FALSE(SegmentEntersRect(line, r)) << where << " / " << r.what;
      for (const layout::Box& b : l.boxes) {
        // A mux is narrower than its outline by the slant of its sides.
        const int inset = b.trapezoid ? std::min(b.width / 5, b.height / 2) : 0;
        const Rect inner{b.left + inset + 1, b.top + 1, b.left + b.width - inset - 1,
                         b.top + b.height - 1, "box"};
        EXPECT_FALSE(SegmentEntersRect(line, inner)) << where << " enters a box";
      }
    }
  }
}

}  // namespace
}  // namespace sumaris
