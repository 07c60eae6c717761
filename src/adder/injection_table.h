#pragma once

#include <array>
#include <string_view>

#include "core/cell.h"

namespace sumaris {

// The table of the "Set Injection" window: per rounding mode the two bits
// that the R path injects below the last kept bit, as editable boxes. It is
// a reference card for the user; the adder takes its injection bits from
// SetINJ, never from here.
class InjectionTable {
 public:
  enum Row { kUp = 0, kDown = 1, kZero = 2, kNe = 3 };
  static constexpr int kRows = 4;
  static constexpr int kBoxes = 2;  // box 0 is the more significant bit

  InjectionTable();

  const Cell& Box(int row, int index) const {
    return boxes_[static_cast<std::size_t>(row)][static_cast<std::size_t>(index)];
  }
  // A box accepts only "1": any other text becomes "0".
  void SetBox(int row, int index, std::string_view text);

  // The row labels and the boxes' names, top to bottom.
  static std::string_view RowLabel(int row);
  static std::string_view BoxName(int row);

 private:
  std::array<std::array<Cell, kBoxes>, kRows> boxes_;
};

}  // namespace sumaris
