// The extent of an N path stage drawing.
#include <algorithm>

#include "npath/npath_layout_kit.h"

namespace sumaris::layout::npath {

StageLayout Sheet::Finish() {
  int right = rowsRight_;
  int bottom = rowsBottom_;
  auto extend = [&](int r, int b) {
    right = std::max(right, r);
    bottom = std::max(bottom, b);
  };
  for (const FixedCell& cell : layout_.cells) extend(cell.left + cell.width, cell.top + kCellHeight);
  for (const Text& text : layout_.texts) extend(text.left + text.width, text.top + text.height);
  for (const Box& box : layout_.boxes) extend(box.left + box.width, box.top + box.height);
  for (const Line& line : layout_.lines) extend(std::max(line.x1, line.x2), std::max(line.y1, line.y2));
  for (const Button& button : layout_.buttons) extend(button.left + button.width, button.top + button.height);
  layout_.width = right + kMargin;
  layout_.height = bottom + kMargin;
  return layout_;
}

}  // namespace sumaris::layout::npath
