// Row geometry of a wire: cell pitch, group gaps and the visible index labels.
#include "wires/row_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace sumaris {
namespace {

// Cell lefts written out from the rule: 185 apart, plus the gap before every
// position that is a multiple of 8.
int ExpectedLeft(int position, int gap) { return 185 * position + gap * (position / 8); }

TEST(LayoutWire, PlacesCellsAndLabelsForEveryRangeShape) {
  struct Case {
    int first, last, gap;
    std::vector<std::string> visibleLabels;
  } cases[] = {
      {6, 0, 80, {"6", "0"}},
      {-2, 52, 80, {"-2", "6", "14", "22", "30", "38", "46", "52"}},
      {0, 63, 80, {"0", "8", "16", "24", "32", "40", "48", "56", "63"}},
      {-1, 116, 0, {"-1", "7", "15", "23", "31", "39", "47", "55", "63", "71", "79", "87", "95",
                    "103", "111", "116"}},
      {5, 5, 80, {"5"}},
      {10, 0, 20, {"10", "2", "0"}},
  };
  for (const Case& c : cases) {
    const RowGeometry row = LayoutWire(c.first, c.last, c.gap);
    ASSERT_EQ(static_cast<int>(row.cells.size()), std::abs(c.last - c.first) + 1);
    std::vector<std::string> visible;
    const int step = c.first >= c.last ? -1 : 1;
    for (std::size_t p = 0; p < row.cells.size(); ++p) {
      const RowCell& cell = row.cells[p];
      EXPECT_EQ(cell.left, ExpectedLeft(static_cast<int>(p), c.gap)) << c.first << ":" << p;
      EXPECT_EQ(cell.index, std::to_string(c.first + static_cast<int>(p) * step));
      EXPECT_TRUE(cell.visible);
      if (cell.indexVisible) visible.push_back(cell.index);
    }
    EXPECT_EQ(visible, c.visibleLabels) << c.first << ":" << c.last;
  }
}

TEST(LayoutWire, WidthEndsAtTheLastCell) {
  EXPECT_EQ(LayoutWire(6, 0, 80).width(), 185 * 6 + 180);
  EXPECT_EQ(LayoutWire(0, 63, 80).width(), 185 * 63 + 80 * 7 + 180);
}

TEST(LayoutHiddenWire, HasInvisibleCellsWithoutGapsOrLabels) {
  const RowGeometry row = LayoutHiddenWire(6, 0);
  ASSERT_EQ(row.cells.size(), 7u);
  for (std::size_t p = 0; p < row.cells.size(); ++p) {
    EXPECT_EQ(row.cells[p].left, 185 * static_cast<int>(p));
    EXPECT_FALSE(row.cells[p].visible);
    EXPECT_FALSE(row.cells[p].indexVisible);
  }
  EXPECT_EQ(LayoutHiddenWire(-2, 52).cells.size(), 55u);
}

}  // namespace
}  // namespace sumaris
