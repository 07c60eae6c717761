#include "core/stage.h"

namespace sumaris {

Stage::Stage(std::string name, int slot, std::string displayName)
    : name_(std::move(name)), slot_(slot), displayName_(std::move(displayName)) {}

Wire* Stage::FindWire(std::string_view wireName) const {
  for (Wire* w : wires_) {
    if (w->name() == wireName) return w;
  }
  return nullptr;
}

}  // namespace sumaris
