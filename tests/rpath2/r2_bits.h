#pragma once

// Bit-level helpers for the second-cycle tests: numbers written into and read
// back from wire cells without the wire routines, so the expectations do not
// depend on the code under test.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "wires/wire.h"

namespace sumaris::r2test {

__extension__ typedef unsigned __int128 U128;

// Writes the low `count` bits of `value` into cells firstCell .. firstCell +
// count - 1, most significant bit first.
inline void WriteBits(Wire& wire, int firstCell, int count, U128 value) {
  for (int k = 0; k < count; ++k) {
    const bool bit = ((value >> (count - 1 - k)) & 1) != 0;
    wire[firstCell + k] = bit ? "1" : "0";
  }
}

// Reads cells firstCell .. firstCell + count - 1 as a binary number, most
// significant first. A cell that is neither "0" nor "1" is a failure.
inline U128 ReadBits(const Wire& wire, int firstCell, int count) {
  U128 value = 0;
  for (int k = 0; k < count; ++k) {
    const std::string_view text = wire[firstCell + k].text();
    if (text != "0" && text != "1") {
      ADD_FAILURE() << wire.name() << " cell " << firstCell + k << " reads \"" << text << "\"";
    }
    value = (value << 1) | (text == "1" ? 1u : 0u);
  }
  return value;
}

inline std::uint64_t Read64(const Wire& wire, int firstCell, int count) {
  return static_cast<std::uint64_t>(ReadBits(wire, firstCell, count));
}

inline std::uint64_t Mask(int bits) {
  return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

inline const char* BitText(int bit) { return bit != 0 ? "1" : "0"; }

inline int CellBit(const Wire& wire, int cell) {
  const std::string_view text = wire[cell].text();
  EXPECT_TRUE(text == "0" || text == "1") << wire.name() << " cell " << cell << " reads \"" << text
                                          << "\"";
  return text == "1" ? 1 : 0;
}

}  // namespace sumaris::r2test
