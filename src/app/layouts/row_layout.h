#pragma once

#include <string>
#include <vector>

namespace sumaris {

// Geometry of a wire row in twips (1/1440 inch), relative to the left edge
// and top of cell 0. The stage window draws rows from this.
namespace twips {
inline constexpr int kCellPitch = 185;
inline constexpr int kCellWidth = 180;
inline constexpr int kCellHeight = 330;
inline constexpr int kIndexAbove = 240;  // index label top is 240 above the cell
inline constexpr int kIndexLeft = 30;    // and 30 to the left of it
inline constexpr int kIndexSize = 255;   // index labels are 255 by 255
}  // namespace twips

struct RowCell {
  int left = 0;         // left of the cell, relative to cell 0
  bool visible = true;  // false for the cells of a hidden wire
  std::string index;    // text of the index label (the bit number)
  bool indexVisible = false;
};

struct RowGeometry {
  std::vector<RowCell> cells;
  int width() const;  // from the left of cell 0 to the right of the last cell
};

// The visible row of a wire [first:last]: cells 185 apart, `groupGap` more
// before every cell whose position is a multiple of 8; index labels shown at
// cell 0, at every multiple of 8 and at the last cell.
RowGeometry LayoutWire(int first, int last, int groupGap);

// The invisible row of a hidden wire: cells 185 apart, no labels, no gaps.
RowGeometry LayoutHiddenWire(int first, int last);

}  // namespace sumaris
