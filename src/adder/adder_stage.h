#pragma once

#include "core/stage.h"

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

}  // namespace sumaris
