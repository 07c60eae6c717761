#include "core/wire.h"

#include <cstdlib>
#include <utility>

#include "core/stage.h"

namespace sumaris {

Wire::Wire(std::string name, std::string title, int first, int last, std::string_view initial)
    : name_(std::move(name)),
      title_(std::move(title)),
      first_(first),
      last_(last),
      cells_(static_cast<std::size_t>(std::abs(last - first) + 1), Cell(initial)) {}

Wire::Wire(Stage* owner, std::string name, std::string title, int first, int last,
           std::string_view initial)
    : Wire(std::move(name), std::move(title), first, last, initial) {
  if (owner != nullptr) owner->RegisterWire(this);
}

std::string Wire::Text() const {
  std::string s;
  for (const Cell& c : cells_)
    s += c.text();
  return s;
}

void Wire::SetText(std::string_view chars) {
  for (std::size_t i = 0; i < chars.size() && i < cells_.size(); ++i) {
    cells_[i] = chars.substr(i, 1);
  }
}

}  // namespace sumaris
