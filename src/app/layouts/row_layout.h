#pragma once

#include <string>
#include <vector>

#include "app/layouts/measures.h"

namespace sumaris {

// Geometry of a wire row in twips, relative to the left edge and top of
// cell 0 (the measures are in app/layouts/measures.h). The stage window draws
// rows from this.
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
