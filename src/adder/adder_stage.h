#pragma once

#include <cstddef>
#include <span>

#include "core/cell.h"
#include "core/stage.h"
#include "core/wire.h"

namespace sumaris {

class Adder;

// A stage of this adder: its Pull reaches the operand entry and the wires of
// earlier stages through the adder that owns it.
class AdderStage : public Stage {
 public:
  AdderStage(Adder& adder, const StageDescriptor& descriptor) : Stage(descriptor), adder_(adder) {}

 protected:
  Adder& adder() const { return adder_; }

 private:
  Adder& adder_;
};

// Boxes from .. to of an operand entry row into the same bits of a wire,
// texts as they stand: box i of a row holds bit i, for the exponent (bit 10
// most significant) and the significand (bit 0 the hidden bit) alike.
inline void CopyBoxes(Wire& dest, std::span<const Cell> boxes, int from, int to) {
  for (int bit = from; bit <= to; ++bit)
    dest.Bit(bit) = boxes[static_cast<std::size_t>(bit)];
}

}  // namespace sumaris
