#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/cell.h"

namespace sumaris {

class Stage;

// A datapath signal: a named row of text cells at positions 0 .. size-1 with
// a bit range [first:last]. The leftmost cell (position 0) shows bit `first`;
// position p shows bit first + p * step, step = -1 when first >= last. So
// cell 53 of FSOPA[-1:116] is its bit 52, and cell 0 of EA[6:0] its bit 6.
// A statement about a bit says Bit(n); operator[] takes a position, for the
// generic routines, for shifts and copies of whole rows, and for the one cell
// of a one-bit wire.
class Wire {
 public:
  // A wire of a stage registers itself with its owner, so windows, traces and
  // the editor can find every wire of a stage by name.
  Wire(Stage* owner, std::string name, std::string title, int first, int last,
       std::string_view initial = "0");
  // A free-standing wire (operand boxes, tests).
  Wire(std::string name, std::string title, int first, int last, std::string_view initial = "0");

  Wire(const Wire&) = delete;
  Wire& operator=(const Wire&) = delete;
  // Only free-standing wires move; a stage's wires stay where they are.
  Wire(Wire&&) = default;

  const std::string& name() const { return name_; }
  // The title as the stage shows it ("EA[6:0]"); empty for a hidden wire.
  const std::string& title() const { return title_; }
  int first() const { return first_; }
  int last() const { return last_; }
  int step() const { return first_ >= last_ ? -1 : 1; }
  // Number of cells, |last - first| + 1.
  int size() const { return static_cast<int>(cells_.size()); }

  Cell& operator[](int position) { return cells_[static_cast<std::size_t>(position)]; }
  const Cell& operator[](int position) const { return cells_[static_cast<std::size_t>(position)]; }

  // Bit number shown by the cell at `position`, and the position of `bit`.
  int BitAt(int position) const { return first_ + position * step(); }
  int Position(int bit) const { return (bit - first_) * step(); }
  Cell& Bit(int bit) { return (*this)[Position(bit)]; }
  const Cell& Bit(int bit) const { return (*this)[Position(bit)]; }

  std::vector<Cell>& cells() { return cells_; }
  const std::vector<Cell>& cells() const { return cells_; }

  // The texts of all cells joined left to right, handy for tests and traces.
  std::string Text() const;
  // Sets the cells from a string of one-character texts, left to right.
  void SetText(std::string_view chars);

 private:
  std::string name_;
  std::string title_;
  int first_;
  int last_;
  std::vector<Cell> cells_;
};

}  // namespace sumaris
