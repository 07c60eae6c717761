// The row geometry of a wire, checked against the placement rule written out.
#include "app/layouts/row_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace sumaris {
namespace {

// Cell lefts and labels written out from the rule: 185 apart, plus the group
// gap before every position that is a multiple of 8; labels visible at cell
// 0, at every multiple of 8 and at the last cell.
TEST(RowLayout, PlacesCellsAndShowsLabelsAtZeroMultiplesOfEightAndTheLast) {
  struct Case {
    int first, last, gap;
  } cases[] = {{6, 0, 80}, {-2, 52, 80}, {0, 63, 80}, {-1, 116, 0}, {5, 5, 80}, {10, 0, 20}};
  for (const Case& c : cases) {
    const RowGeometry row = LayoutWire(c.first, c.last, c.gap);
    const RowGeometry hidden = LayoutHiddenWire(c.first, c.last);
    const int n = std::abs(c.last - c.first) + 1, step = c.first > c.last ? -1 : 1;
    ASSERT_EQ(static_cast<int>(row.cells.size()), n);
    ASSERT_EQ(static_cast<int>(hidden.cells.size()), n);
    for (int p = 0; p < n; ++p) {
      SCOPED_TRACE(std::to_string(c.first) + ":" + std::to_string(c.last) + " cell " +
                   std::to_string(p));
      const RowCell& cell = row.cells[static_cast<std::size_t>(p)];
      EXPECT_EQ(cell.left, 185 * p + c.gap * (p / 8));
      EXPECT_EQ(cell.index, std::to_string(c.first + p * step));
      EXPECT_TRUE(cell.visible);
      EXPECT_EQ(cell.indexVisible, p % 8 == 0 || p == n - 1);
      const RowCell& h = hidden.cells[static_cast<std::size_t>(p)];
      EXPECT_EQ(h.left, 185 * p);
      EXPECT_FALSE(h.visible || h.indexVisible);
    }
    EXPECT_EQ(row.width(), 185 * (n - 1) + c.gap * ((n - 1) / 8) + 180);
  }
  EXPECT_EQ(LayoutWire(-2, 52, 80).cells[54].index, "52");  // worked by hand
}

}  // namespace
}  // namespace sumaris
