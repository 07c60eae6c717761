#pragma once

#include <string>
#include <utility>

#include "core/stage.h"

namespace sumaris {

class Adder;

// A stage of this adder: its Pull reaches the operand entry and the wires of
// earlier stages through the adder that owns it.
class AdderStage : public Stage {
 public:
  AdderStage(Adder& adder, std::string name, int slot, std::string displayName)
      : Stage(std::move(name), slot, std::move(displayName)), adder_(adder) {}

 protected:
  Adder& adder() const { return adder_; }

 private:
  Adder& adder_;
};

}  // namespace sumaris
