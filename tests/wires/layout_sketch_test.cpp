// The drawing vocabulary of the layout tables: the title width estimate
// against the face's metrics, row places, multiplexer sides, bus routes,
// the multiplexer's marks and name, buttons after titles, and the extent.
#include "wires/layout_sketch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace sumaris::layout {
namespace {

// Advance widths of Arial in thousandths of an em, from the face's metrics.
const std::map<char, int>& ArialAdvance() {
  static const std::map<char, int> kAdvance = {
      {'A', 667}, {'B', 667}, {'C', 722}, {'D', 722}, {'E', 667}, {'F', 611}, {'G', 778},
      {'H', 722}, {'K', 667}, {'L', 556}, {'M', 833}, {'N', 722}, {'O', 778}, {'P', 667},
      {'Q', 778}, {'R', 722}, {'S', 667}, {'T', 611}, {'U', 722}, {'V', 667}, {'W', 944},
      {'X', 667}, {'Y', 667}, {'Z', 611}, {'a', 556}, {'c', 500}, {'m', 833}, {'n', 556},
      {'o', 556}, {'r', 333}, {'s', 500}, {'u', 556}, {'w', 722}, {'x', 500}, {'0', 556},
      {'y', 500}, {'1', 556}, {'2', 556}, {'4', 556}, {'5', 556}, {'6', 556}, {'[', 278},
      {']', 278}, {':', 278}, {'-', 333}, {'(', 333}, {')', 333}, {'.', 278}, {',', 278},
      {' ', 278}, {'^', 469}, {'_', 556},
  };
  return kAdvance;
}

TEST(LayoutSketch, TextWidthFollowsArialAdvanceWidths) {
  // An em of 8.25 points is 165 twips; each glyph may round by a twip. The
  // apostrophe is given the room of a full 278 on purpose and left out here.
  for (const std::string text : {"FSOPA[-1:52]", "MAG_MED[5:0]", "S.EFF^64", "C[52], R', S'",
                                 "XCARRY[-1:51]", "WORM(55)", "PN-[-2:52]", "Carry on"}) {
    int thousandths = 0;
    int counted = 0;
    int estimate = TextWidth(text);
    for (const char c : text) {
      const auto found = ArialAdvance().find(c);
      if (found == ArialAdvance().end()) {
        estimate -= TextWidth(std::string(1, c));
        continue;
      }
      thousandths += found->second;
      ++counted;
    }
    EXPECT_LE(std::abs(estimate - thousandths * 165 / 1000), counted) << text;
  }
  // Wider glyphs are wider.
  EXPECT_GT(TextWidth("W"), TextWidth("M"));
  EXPECT_GT(TextWidth("M"), TextWidth("A"));
  EXPECT_GT(TextWidth("A"), TextWidth("a"));
  EXPECT_GT(TextWidth("a"), TextWidth("i"));
  EXPECT_EQ(TextWidth(""), 0);
}

TEST(LayoutSketch, RowPlaceFollowsTheRowGeometry) {
  // Cells 185 apart, 20 more before every eighth; cell 0 at x = 400.
  const RowPlace row = PlaceRow(0, 52, 20, 400, 1000);
  EXPECT_EQ(row.CellLeft(0), 400);
  EXPECT_EQ(row.CellLeft(7), 400 + 7 * 185);
  EXPECT_EQ(row.CellLeft(8), 400 + 8 * 185 + 20);
  EXPECT_EQ(row.CellCentre(16), 400 + 16 * 185 + 40 + 90);
  EXPECT_EQ(row.Right(), 400 + 52 * 185 + 6 * 20 + 180);
  EXPECT_EQ(row.Bottom(), 1330);
  EXPECT_EQ(row.Middle(), 1165);
  EXPECT_EQ(row.TitleTop(), 490);
}

TEST(LayoutSketch, MuxSidesFollowTheDrawnTrapezoid) {
  // Corners (100,200) (1100,200) at the top, (300,600) (900,600) at the
  // bottom: the sides lean in by min(1000 / 5, 400 / 2) = 200.
  const MuxPlace mux{100, 200, 1000, 400};
  struct Case {
    int y, left, right;
  } cases[] = {{200, 100, 1100}, {400, 200, 1000}, {600, 300, 900}, {300, 150, 1050}};
  for (const Case& c : cases) {
    EXPECT_EQ(mux.LeftSideAt(c.y), c.left) << c.y;
    EXPECT_EQ(mux.RightSideAt(c.y), c.right) << c.y;
  }
  EXPECT_EQ(mux.OutX(), 600);
  EXPECT_EQ(mux.Bottom(), 600);
}

TEST(LayoutSketch, RouteJoinsItsCornersWithTheArrowAtTheEnd) {
  for (const bool arrow : {true, false}) {
    Sketch s;
    s.Route({{210, 500}, {210, 900}, {700, 900}, {700, 1200}}, arrow);
    const StageLayout l = s.Finish();
    ASSERT_EQ(l.lines.size(), 3u);
    const int want[3][4] = {{210, 500, 210, 900}, {210, 900, 700, 900}, {700, 900, 700, 1200}};
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(l.lines[i].x1, want[i][0]);
      EXPECT_EQ(l.lines[i].y1, want[i][1]);
      EXPECT_EQ(l.lines[i].x2, want[i][2]);
      EXPECT_EQ(l.lines[i].y2, want[i][3]);
      EXPECT_EQ(l.lines[i].arrow, arrow && i == 2) << i;
    }
  }
}

TEST(LayoutSketch, MuxMarksAndNameStayInsideAndApart) {
  for (const int height : {350, 450, 500, 600, 800}) {
    Sketch s;
    s.AddMux({150, 1000, 3000, height}, {{"0", 900}, {"1", 2400}});
    const StageLayout l = s.Finish();
    ASSERT_EQ(l.boxes.size(), 1u);
    EXPECT_TRUE(l.boxes[0].trapezoid);
    ASSERT_EQ(l.texts.size(), 3u);
    const Text& name = l.texts[0];
    EXPECT_EQ(name.text, "Mux");
    EXPECT_GE(name.top, 1000) << height;
    EXPECT_LE(name.top + name.height, 1000 + height) << height;
    for (const Text& mark : {l.texts[1], l.texts[2]}) {
      EXPECT_EQ(mark.style, TextStyle::Note);
      EXPECT_GE(mark.top, 1000) << height;
      // The name sits below the marks; from a height of 450 their
      // rectangles do not even touch (lower ones keep marks by the inputs).
      EXPECT_LT(mark.top + mark.height / 2, name.top + name.height / 2) << height;
      if (height >= 450) {
        EXPECT_LE(mark.top + mark.height, name.top) << height << " " << mark.text;
      }
    }
    EXPECT_EQ(l.texts[1].left + l.texts[1].width / 2, 900);
    EXPECT_EQ(l.texts[2].left + l.texts[2].width / 2, 2400);
  }
}

TEST(LayoutSketch, ButtonsSitClearOfTheirTitlesAndCells) {
  Sketch s;
  const RowPlace row = s.AddRow("FSOPA", -1, 52, 0, 360, 1460);
  s.EditAfterTitle("EditEA", row, "FSOPA[-1:52]", Edits("FSOPA", -1, 52, "FSOPA[-1:52]", "R2HA"));
  s.EditRightOf("EditSeff", 8400, 2050, Edits("seff", 0, 0, "S.EFF"));
  s.AddButton("expandp", "...", 5000, 2390, Shows("P", -2, 52, "P[-2:52]"));
  s.AddButton("ShowPI", "Show PI", 8250, 2038, Shows("PIE", -2, 52, "PI[-2:52]"));
  const StageLayout l = s.Finish();
  ASSERT_EQ(l.buttons.size(), 4u);

  const Button& edit = l.buttons[0];
  EXPECT_GE(edit.left, 360 + TextWidth("FSOPA[-1:52]") + 100);
  EXPECT_EQ(edit.top, 1460 - 510);  // on the title's line
  EXPECT_EQ(edit.width, 495);
  ASSERT_TRUE(edit.opens.has_value());
  EXPECT_EQ(edit.opens->displayName, std::optional<std::string>("R2HA"));
  EXPECT_FALSE(edit.opens->viewOnly);

  const Button& beside = l.buttons[1];
  EXPECT_GT(beside.left, 8400 + 180);
  // Level with the cell: the same middle, to the twip.
  EXPECT_NEAR(2 * beside.top + beside.height, 2 * 2050 + 330, 1);

  EXPECT_EQ(l.buttons[2].width, 330);
  EXPECT_TRUE(l.buttons[2].opens->viewOnly);
  EXPECT_FALSE(l.buttons[2].opens->displayName.has_value());
  EXPECT_GE(l.buttons[3].width, TextWidth("Show PI") + 200);
}

TEST(LayoutSketch, ExtentCoversEverythingDrawnPlusTheMargin) {
  Sketch s;
  s.AddRow("Ea", 7, 0, 80, 120, 600);        // 8 cells, right edge 120 + 7 * 185 + 180
  s.AddUnit("Adder", 200, 1000, 1800, 400);  // right 2000, bottom 1400
  s.Arrow(500, 1400, 500, 2200);             // bottom 2200
  StageLayout l = s.Finish();
  EXPECT_EQ(l.width, 2000 + 120);
  EXPECT_EQ(l.height, 2200 + 120);

  Sketch wide;
  wide.AddRow("FSOPA", -1, 116, 0, 120, 600);
  l = wide.Finish();
  EXPECT_EQ(l.width, 120 + 117 * 185 + 180 + 120);
  EXPECT_EQ(l.height, 600 + 330 + 120);

  Sketch fixed;
  fixed.AddUnit("Or", 200, 1450, 2200, 560);
  l = fixed.Finish(9700, 5600);
  EXPECT_EQ(l.width, 9700);
  EXPECT_EQ(l.height, 5600);
}

}  // namespace
}  // namespace sumaris::layout
