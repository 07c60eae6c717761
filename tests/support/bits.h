// Wires as numbers for the datapath tests, written without the wire
// routines under test: cell 0 is the most significant bit of every wire of
// the adder, and a computed cell must read exactly "0" or "1". Also the
// significand of an operand, hidden bit included.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "adder/adder.h"
#include "core/wire.h"
#include "support/adder_driver.h"

namespace sumaris::test {

__extension__ typedef unsigned __int128 U128;

constexpr std::uint64_t Mask(int bits) {
  return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

inline const char* Digit(U128 bit) {
  return (bit & 1) != 0 ? "1" : "0";
}

// Cells first .. first + count - 1 (all by default) as an unsigned number,
// the first most significant; a cell reading anything but "0" or "1" fails.
inline U128 Cells(const Wire& wire, int first = 0, int count = -1) {
  U128 value = 0;
  for (int p = first; p < (count < 0 ? wire.size() : first + count); ++p) {
    const bool one = wire[p].Is('1');
    if (!one && !wire[p].Is('0')) {
      ADD_FAILURE() << wire.name() << " cell " << p << " reads \"" << wire[p].str() << "\"";
    }
    value = (value << 1) | (one ? 1 : 0);
  }
  return value;
}
inline std::uint64_t Value(const Wire& wire) {
  return static_cast<std::uint64_t>(Cells(wire));
}
inline int Bit(const Wire& wire, int cell = 0) {
  return static_cast<int>(Cells(wire, cell, 1));
}

inline void SetValue(Wire& wire, U128 value) {
  for (int p = wire.size() - 1; p >= 0; --p, value >>= 1)
    wire[p] = Digit(value);
}

// Every cell a text of its own ("f0", "f1", ...), so a test sees which cell
// a copy came from.
inline void Tag(Wire& wire, const std::string& prefix) {
  for (int p = 0; p < wire.size(); ++p)
    wire[p] = prefix + std::to_string(p);
}

// The 53 significand bits of an operand, the hidden bit first: 1 exactly
// when the exponent field is not 0.
inline std::uint64_t Significand(std::uint64_t bits) {
  return (Field(bits) != 0 ? std::uint64_t{1} << 52 : 0) | Fraction(bits);
}

// Pull and Calculate of the stages in slots from .. to, as a sweep runs them.
inline void Compute(Adder& adder, int from, int to) {
  for (int slot = from; slot <= to; ++slot) {
    adder.StageInSlot(slot)->Pull();
    adder.StageInSlot(slot)->Calculate();
  }
}

}  // namespace sumaris::test
