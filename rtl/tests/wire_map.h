// Which RTL signal carries which wire of the cell model.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace sumaris {
class Adder;
class Wire;
}  // namespace sumaris

namespace sumaris::rtl {

// One wire of one stage (the model's names, Stage::name() and
// Wire::name()) and the RTL signal that carries it, by its hierarchical
// name below sumaris_adder. Every wire of every stage has a row.
struct WireSignal {
  std::string_view stage;
  std::string_view wire;
  std::string_view signal;
};

std::span<const WireSignal> WireSignals();

// A model wire as the RTL holds it: its cells left to right, each "0" or
// "1" one bit; a carry-status cell (0 kill, 1 propagate, 2 generate) two
// bits, generate first: "00", "01", "10". A cell with any other text reads
// "?" (or "??"), which no RTL value matches.
std::string RtlBitsOf(const Adder& adder, const Wire& wire);

}  // namespace sumaris::rtl
