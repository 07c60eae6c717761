#include "core/stage.h"

#include <algorithm>

namespace sumaris {

Wire* Stage::FindWire(std::string_view wireName) {
  const auto found =
      std::find_if(wires_.begin(), wires_.end(), [&](Wire* w) { return w->name() == wireName; });
  return found != wires_.end() ? *found : nullptr;
}

const Wire* Stage::FindWire(std::string_view wireName) const {
  return const_cast<Stage*>(this)->FindWire(wireName);
}

}  // namespace sumaris
