#pragma once

// Helpers shared by the tests of the R path's first cycle: entering operands
// bit by bit and reading wires back as numbers, written independently of the
// wire routines under test.

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "input/operand_entry.h"
#include "session/adder.h"
#include "wires/wire.h"

namespace sumaris::r1test {

// The bits of one operand: sign, biased exponent, and the 53 significand
// positions (index 0 the hidden bit, index 52 the least significant).
struct OperandBits {
  int sign = 0;
  int exponent = 0;
  std::array<int, 53> frac{};
};

inline OperandBits RandomOperand(std::mt19937& rng, int exponent) {
  OperandBits op;
  op.sign = static_cast<int>(rng() & 1u);
  op.exponent = exponent;
  for (int& bit : op.frac)
    bit = static_cast<int>(rng() & 1u);
  return op;
}

// Types the operand into the entry's boxes as a user would; the exponent
// first, because its change events rewrite the hidden-bit box.
inline void Enter(OperandEntry& in, Operand which, const OperandBits& op) {
  const BoxRow expRow = which == Operand::A ? BoxRow::Ea : BoxRow::EB;
  const BoxRow fracRow = which == Operand::A ? BoxRow::Fa : BoxRow::FB;
  in.SetSign(which, op.sign ? "1" : "0");
  for (int i = 0; i <= 10; ++i)
    in.SetBox(expRow, i, ((op.exponent >> i) & 1) ? "1" : "0");
  for (int i = 0; i <= 52; ++i)
    in.SetBox(fracRow, i, op.frac[static_cast<std::size_t>(i)] ? "1" : "0");
}

// Writes only the exponent boxes of an operand.
inline void EnterExponent(OperandEntry& in, Operand which, int exponent) {
  const BoxRow expRow = which == Operand::A ? BoxRow::Ea : BoxRow::EB;
  for (int i = 0; i <= 10; ++i)
    in.SetBox(expRow, i, ((exponent >> i) & 1) ? "1" : "0");
}

inline void SelectOperation(OperandEntry& in, bool subtract) {
  in.SelectOption(subtract ? 6 : 5);
}

// Pulls and calculates the stages of slots from..to in order.
inline void Compute(Adder& adder, int from, int to) {
  for (int slot = from; slot <= to; ++slot) {
    Stage* stage = adder.StageInSlot(slot);
    stage->Pull();
    stage->Calculate();
  }
}

// 1 for a cell reading "1", 0 for "0"; anything else fails the caller's
// check by returning -1.
inline int BitOf(const Cell& cell) {
  if (cell == "1") return 1;
  if (cell == "0") return 0;
  return -1;
}

// Unsigned value of cells first..last of a wire, cell `first` the most
// significant; -1 when a cell holds anything but "0" or "1".
inline std::int64_t CellsValue(const Wire& wire, int first, int last) {
  std::int64_t value = 0;
  for (int p = first; p <= last; ++p) {
    const int bit = BitOf(wire[p]);
    if (bit < 0) return -1;
    value = value * 2 + bit;
  }
  return value;
}
inline std::int64_t WireValue(const Wire& wire) {
  return CellsValue(wire, 0, wire.size() - 1);
}

// Fills every cell with a text of its own ("a0", "a1", ...), so a test can
// tell exactly which cell a copy came from.
inline void Tag(Wire& wire, const std::string& prefix) {
  for (int p = 0; p < wire.size(); ++p)
    wire[p] = prefix + std::to_string(p);
}
inline std::string TagOf(const std::string& prefix, int p) {
  return prefix + std::to_string(p);
}

// Writes value into the cells of a wire, cell 0 most significant.
inline void SetValue(Wire& wire, std::uint64_t value) {
  for (int p = wire.size() - 1; p >= 0; --p) {
    wire[p] = (value & 1u) ? "1" : "0";
    value >>= 1;
  }
}

}  // namespace sumaris::r1test
