#include "app/layouts/row_layout.h"

#include <cstdlib>

namespace sumaris {

int RowGeometry::width() const {
  return cells.empty() ? 0 : cells.back().left + twips::kCellWidth;
}

RowGeometry LayoutWire(int first, int last, int groupGap) {
  const int step = first >= last ? -1 : 1;
  const int count = std::abs(last - first);
  RowGeometry row;
  row.cells.reserve(static_cast<std::size_t>(count) + 1);
  row.cells.push_back({0, true, std::to_string(first), true});
  int x = twips::kCellPitch;
  int number = first + step;
  for (int p = 1, k = 1; p <= count; ++p, ++k) {
    RowCell cell{0, true, std::to_string(number), false};
    if (k % 8 == 0) {
      x += groupGap;
      cell.indexVisible = true;
    }
    cell.left = x;
    row.cells.push_back(cell);
    x += twips::kCellPitch;
    number += step;
  }
  row.cells.back().indexVisible = true;
  return row;
}

RowGeometry LayoutHiddenWire(int first, int last) {
  const int count = std::abs(last - first);
  RowGeometry row;
  for (int p = 0; p <= count; ++p)
    row.cells.push_back({twips::kCellPitch * p, false, {}, false});
  return row;
}

}  // namespace sumaris
