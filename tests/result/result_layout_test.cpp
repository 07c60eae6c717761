// The drawings of the path decision and the result window: every wire,
// title, block label, read-out and button is there, nothing overlaps, the
// connections end on the units they feed, and the Edit buttons open the
// editor on the right wire.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "session/adder.h"
#include "session/session.h"
#include "wires/row_layout.h"
#include "wires/stage_layout.h"

namespace sumaris {
namespace {

using layout::StageLayout;

struct Rect {
  std::string what;
  int left, top, width, height;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

// Distance from a point to a rectangle (0 inside).
int Distance(int x, int y, const Rect& r) {
  const int dx = std::max({r.left - x, 0, x - r.right()});
  const int dy = std::max({r.top - y, 0, y - r.bottom()});
  return std::max(dx, dy);
}

// A row title's extent: 8.25-point Arial, generously 110 twips a character.
int TitleWidth(const std::string& title) {
  return 110 * static_cast<int>(title.size()) + 60;
}

std::string RowTitle(const layout::Row& row, const Stage& stage) {
  return row.title.empty() ? stage.FindWire(row.wire)->title() : row.title;
}

// Everything drawn that must not overlap anything else: cells, visible
// index labels, row titles, texts, read-outs and buttons.
std::vector<Rect> Solids(const StageLayout& l, const Stage& stage) {
  std::vector<Rect> out;
  for (const layout::Row& row : l.rows) {
    const Wire* w = stage.FindWire(row.wire);
    const RowGeometry g = LayoutWire(w->first(), w->last(), row.groupGap);
    for (std::size_t p = 0; p < g.cells.size(); ++p) {
      const int x = row.left + g.cells[p].left;
      out.push_back({row.wire + " cell " + std::to_string(p), x, row.top, 180, 330});
      if (g.cells[p].indexVisible) {
        out.push_back({row.wire + " index " + g.cells[p].index, x - 30, row.top - 240, 255, 255});
      }
    }
    const std::string title = RowTitle(row, stage);
    if (!title.empty()) {
      out.push_back({row.wire + " title", row.titleLeft.value_or(row.left),
                     row.titleTop.value_or(row.top - 510), TitleWidth(title), 255});
    }
  }
  for (const layout::FixedCell& c : l.cells) {
    out.push_back({c.wire + " fixed cell", c.left, c.top, c.width, 330});
  }
  for (const layout::Text& t : l.texts) {
    out.push_back({"text \"" + t.text + "\"", t.left, t.top, t.width, t.height});
  }
  for (const layout::Readout& r : l.readouts) {
    out.push_back({"read-out " + r.source, r.left, r.top, r.width, r.height});
  }
  for (const layout::Button& b : l.buttons) {
    out.push_back({"button " + b.name, b.left, b.top, b.width, b.height});
  }
  return out;
}

// The generic checks of a drawing: inside its extent, nothing overlapping,
// every arrow ending on the unit or row it feeds and starting at something.
void CheckGeometry(const StageLayout& l, const Stage& stage) {
  EXPECT_GT(l.width, 0);
  EXPECT_GT(l.height, 0);
  const std::vector<Rect> solids = Solids(l, stage);
  for (const Rect& r : solids) {
    EXPECT_GE(r.left, 0) << r.what;
    EXPECT_GE(r.top, 0) << r.what;
    EXPECT_LE(r.right(), l.width) << r.what;
    EXPECT_LE(r.bottom(), l.height) << r.what;
  }
  // A row's own cells and index labels touch by the row geometry's design
  // (a label reaches 15 twips into its cell); between rows and everything
  // else nothing may overlap.
  auto owner = [](const Rect& r) {
    const std::size_t cut = r.what.find(" cell ");
    const std::size_t label = r.what.find(" index ");
    if (cut != std::string::npos) return r.what.substr(0, cut);
    if (label != std::string::npos) return r.what.substr(0, label);
    return r.what;
  };
  for (std::size_t i = 0; i < solids.size(); ++i) {
    for (std::size_t j = i + 1; j < solids.size(); ++j) {
      if (owner(solids[i]) == owner(solids[j])) continue;
      EXPECT_FALSE(Overlap(solids[i], solids[j])) << solids[i].what << " / " << solids[j].what;
    }
  }
  std::vector<Rect> units;
  for (const layout::Box& b : l.boxes) {
    units.push_back({"box", b.left, b.top, b.width, b.height});
    EXPECT_LE(b.left + b.width, l.width);
    EXPECT_LE(b.top + b.height, l.height);
  }
  for (const Rect& r : solids) {
    if (r.what.find("cell") != std::string::npos) units.push_back(r);
  }
  auto near = [&](int x, int y) {
    for (const Rect& u : units) {
      if (Distance(x, y, u) <= 40) return true;
    }
    return false;
  };
  auto lineEnd = [&](int x, int y) {
    for (const layout::Line& line : l.lines) {
      if ((line.x2 == x && line.y2 == y) || (line.x1 == x && line.y1 == y)) return true;
    }
    return false;
  };
  for (const layout::Line& line : l.lines) {
    const std::string where = std::to_string(line.x1) + "," + std::to_string(line.y1) + " -> " +
                              std::to_string(line.x2) + "," + std::to_string(line.y2);
    EXPECT_TRUE(line.x1 == line.x2 || line.y1 == line.y2 || line.arrow) << where;
    if (line.arrow) {
      EXPECT_TRUE(near(line.x2, line.y2)) << "arrow feeds nothing: " << where;
    } else {
      EXPECT_TRUE(lineEnd(line.x2, line.y2)) << "segment leads nowhere: " << where;
    }
    EXPECT_TRUE(near(line.x1, line.y1) || lineEnd(line.x1, line.y1) ||
                [&] {
                  // a line may also start at a text naming an input ("EA", "EB")
                  for (const layout::Text& t : l.texts) {
                    if (Distance(line.x1, line.y1, {"", t.left, t.top, t.width, t.height}) <= 40)
                      return true;
                  }
                  return false;
                }())
        << "line starts at nothing: " << where;
  }
}

std::multiset<std::string> Texts(const StageLayout& l) {
  std::multiset<std::string> all;
  for (const layout::Text& t : l.texts)
    all.insert(t.text);
  return all;
}

// Gap between two rectangles (0 when they touch or overlap).
int Gap(const Rect& a, const Rect& b) {
  const int dx = std::max({b.left - a.right(), 0, a.left - b.right()});
  const int dy = std::max({b.top - a.bottom(), 0, a.top - b.bottom()});
  return std::max(dx, dy);
}

// The text nearest to a fixed cell: its title.
std::string NearestText(const StageLayout& l, const layout::FixedCell& c) {
  const Rect cell{"", c.left, c.top, c.width, 330};
  int best = 1 << 30;
  std::string text;
  for (const layout::Text& t : l.texts) {
    const int d = Gap(cell, {"", t.left, t.top, t.width, t.height});
    if (d < best) {
      best = d;
      text = t.text;
    }
  }
  return text;
}

TEST(ResultLayouts, PathDecisionShowsEveryWireWithItsTitle) {
  Adder adder;
  const Stage& stage = adder.pathDecision;
  const StageLayout& l = layout::StageLayoutForSlot(24);

  struct RowWant {
    int gap;
    std::string title;
  };
  const std::map<std::string, RowWant> rows = {
      {"E", {80, "E[10:0]"}},
      {"ADDR", {80, ""}},
      {"LZP", {80, "LZP"}},
      {"E_final", {80, "E_final[10:0]"}},
  };
  ASSERT_EQ(l.rows.size(), rows.size());
  for (const layout::Row& row : l.rows) {
    ASSERT_TRUE(rows.count(row.wire)) << row.wire;
    ASSERT_NE(stage.FindWire(row.wire), nullptr) << row.wire;
    EXPECT_EQ(row.groupGap, rows.at(row.wire).gap) << row.wire;
    EXPECT_EQ(RowTitle(row, stage), rows.at(row.wire).title) << row.wire;
    EXPECT_EQ(row.greyCell, -1) << row.wire;
  }
  // Cell 0 of the exponent rows is their most significant bit.
  EXPECT_EQ(stage.FindWire("E")->BitAt(0), 10);
  EXPECT_EQ(stage.FindWire("E_final")->BitAt(0), 10);
  EXPECT_EQ(stage.FindWire("ADDR")->BitAt(0), 5);
  EXPECT_EQ(stage.FindWire("LZP")->BitAt(0), 5);

  const std::map<std::string, std::string> signals = {
      {"seff", "SEFF"},           {"isr1", "IS_R1"},
      {"isr2", "IS_R2"},          {"IS_R", "IS_R"},
      {"IS_R1", "IS_R"},          {"SIGN_BIG", "SIGN_BIG"},
      {"RINC", "RINC"},           {"FPOSUM", "FPOSUM[-1]"},
      {"FPOSUMI", "FPOSUMI[-1]"}, {"norm_FPSUM", "norm_FPSUM[-1]"},
  };
  ASSERT_EQ(l.cells.size(), signals.size());
  for (const layout::FixedCell& c : l.cells) {
    ASSERT_TRUE(signals.count(c.wire)) << c.wire;
    EXPECT_EQ(c.cell, 0);
    EXPECT_EQ(NearestText(l, c), signals.at(c.wire)) << "title beside " << c.wire;
  }

  // Every wire is drawn once, except the hidden ADD_F.
  std::multiset<std::string> drawn;
  for (const layout::Row& row : l.rows)
    drawn.insert(row.wire);
  for (const layout::FixedCell& c : l.cells)
    drawn.insert(c.wire);
  std::multiset<std::string> wires;
  for (const Wire* w : stage.wires()) {
    if (w->name() != "ADD_F") wires.insert(w->name());
  }
  EXPECT_EQ(drawn, wires);

  const std::multiset<std::string> texts = Texts(l);
  for (const char* label : {"Or", "Choses between R and N path", "Calc add to R", "Adder",
                            "Calculate Exp", "Caused by Pre-Shift", "Caused by Post-Shift",
                            "Add on 1 Sub  on 0", "EA", "EB", "Exponent Computation"}) {
    EXPECT_EQ(texts.count(label), 1u) << label;
  }
  EXPECT_EQ(texts.count("Mux"), 2u);
  EXPECT_EQ(texts.count("SUB(1)"), 2u);
  EXPECT_EQ(texts.count("0"), 2u);  // the inputs of both muxes
  EXPECT_EQ(texts.count("1"), 2u);
  EXPECT_EQ(l.texts.front().text, "Exponent Computation");
  EXPECT_EQ(l.texts.front().style, layout::TextStyle::Heading);
  EXPECT_EQ(std::count_if(l.boxes.begin(), l.boxes.end(),
                          [](const layout::Box& b) { return b.trapezoid; }),
            2);
  EXPECT_TRUE(l.readouts.empty());
  CheckGeometry(l, stage);
}

TEST(ResultLayouts, PathDecisionEditButtonsOpenTheirWires) {
  Adder adder;
  const Stage& stage = adder.pathDecision;
  const StageLayout& l = layout::StageLayoutForSlot(24);
  struct Want {
    std::string wire, title;
  };
  const std::map<std::string, Want> buttons = {
      {"EditISR1", {"isr1", "IS_R1"}},
      {"EDITISR2", {"isr2", "IS_R2"}},
      {"EditSeff", {"seff", "S-effective"}},
  };
  ASSERT_EQ(l.buttons.size(), buttons.size());
  for (const layout::Button& b : l.buttons) {
    ASSERT_TRUE(buttons.count(b.name)) << b.name;
    EXPECT_EQ(b.caption, "Edit");
    EXPECT_EQ(b.width, 495);
    EXPECT_EQ(b.height, 255);
    ASSERT_TRUE(b.opens.has_value()) << b.name;
    const layout::EditorRequest& r = *b.opens;
    EXPECT_EQ(r.wire, buttons.at(b.name).wire);
    EXPECT_NE(stage.FindWire(r.wire), nullptr);
    EXPECT_EQ(r.start, 0);
    EXPECT_EQ(r.end, 0);
    EXPECT_EQ(r.title, buttons.at(b.name).title);
    EXPECT_EQ(r.displayName.value_or(stage.displayName()), "Path Decision");
    EXPECT_FALSE(r.viewOnly);
    // The button sits beside the cell of the wire it edits.
    const auto cell = std::find_if(l.cells.begin(), l.cells.end(),
                                   [&](const layout::FixedCell& c) { return c.wire == r.wire; });
    ASSERT_NE(cell, l.cells.end());
    EXPECT_LE(Distance(b.left, b.top + b.height / 2, {"", cell->left, cell->top, 180, 330}), 120)
        << b.name;
  }
}

TEST(ResultLayouts, ResultsShowsRowsMarkersAndReadOuts) {
  Adder adder;
  Session session(adder);
  session.FillStepTable();
  session.Run();
  const Stage& stage = adder.results;
  const StageLayout& l = layout::StageLayoutForSlot(25);

  struct RowWant {
    int cells, gap;
    std::string title;
    int grey;
  };
  const std::map<std::string, RowWant> rows = {
      {"Sa", {1, 80, "s", -1}},
      {"Ea", {11, 20, "e", -1}},
      {"Fa", {53, 40, "f", 0}},
  };
  ASSERT_EQ(l.rows.size(), rows.size());
  for (const layout::Row& row : l.rows) {
    ASSERT_TRUE(rows.count(row.wire)) << row.wire;
    const Wire* w = stage.FindWire(row.wire);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->size(), rows.at(row.wire).cells);
    if (w->size() > 1) {
      EXPECT_EQ(row.groupGap, rows.at(row.wire).gap) << row.wire;
    }
    EXPECT_EQ(RowTitle(row, stage), rows.at(row.wire).title);
    EXPECT_EQ(row.greyCell, rows.at(row.wire).grey) << row.wire;
  }
  EXPECT_EQ(stage.FindWire("Ea")->BitAt(0), 10);
  EXPECT_EQ(stage.FindWire("Fa")->BitAt(0), 0);
  EXPECT_TRUE(l.cells.empty());
  EXPECT_TRUE(l.buttons.empty());

  const std::multiset<std::string> texts = Texts(l);
  EXPECT_EQ(texts.count("Result"), 1u);
  EXPECT_EQ(l.texts.front().style, layout::TextStyle::Heading);
  // "hidden" sits above the hidden-bit cell of Fa, clear of its index label.
  const auto fa = std::find_if(l.rows.begin(), l.rows.end(),
                               [](const layout::Row& r) { return r.wire == "Fa"; });
  const auto hidden = std::find_if(l.texts.begin(), l.texts.end(),
                                   [](const layout::Text& t) { return t.text == "hidden"; });
  ASSERT_NE(hidden, l.texts.end());
  EXPECT_LT(hidden->left, fa->left + 180);
  EXPECT_GT(hidden->left + hidden->width, fa->left);
  EXPECT_LE(hidden->top + hidden->height, fa->top - 240);

  // Each read-out with its caption on its left, on the same line.
  const std::map<std::string, std::string> captions = {
      {"Label1", "Decimal value:"}, {"Label4", "ebias:"}, {"Label5", "Chosen Path: "}};
  ASSERT_EQ(l.readouts.size(), captions.size());
  for (const layout::Readout& r : l.readouts) {
    ASSERT_TRUE(captions.count(r.source)) << r.source;
    EXPECT_FALSE(stage.Readout(r.source).empty()) << r.source;
    const auto caption = std::find_if(l.texts.begin(), l.texts.end(), [&](const layout::Text& t) {
      return t.text == captions.at(r.source);
    });
    ASSERT_NE(caption, l.texts.end()) << r.source;
    EXPECT_EQ(caption->top, r.top);
    EXPECT_LE(caption->left + caption->width, r.left);
    EXPECT_GE(caption->left + caption->width, r.left - 300);
  }
  CheckGeometry(l, stage);
}

}  // namespace
}  // namespace sumaris
