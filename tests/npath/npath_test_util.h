#pragma once

// Helpers for the N path tests: wires read and written as unsigned integers
// (cell 0 the most significant bit, as in every wire of the adder), and
// operands written into the operand entry as IEEE 754 encodings.

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "input/operand_entry.h"
#include "session/adder.h"
#include "wires/wire.h"

namespace sumaris::npath_test {

using u64 = std::uint64_t;

inline constexpr u64 Mask(int bits) { return bits >= 64 ? ~u64{0} : (u64{1} << bits) - 1; }

// Cell p of an n-cell wire gets bit n-1-p of value.
inline void SetValue(Wire& wire, u64 value) {
  const int n = wire.size();
  for (int p = 0; p < n; ++p) wire[p] = ((value >> (n - 1 - p)) & 1) ? "1" : "0";
}

// The wire read as an unsigned binary number; every cell must read "0" or
// "1" exactly (a computed wire never holds anything else).
inline u64 ValueOf(const Wire& wire) {
  u64 value = 0;
  for (int p = 0; p < wire.size(); ++p) {
    const bool one = wire[p].Is('1');
    EXPECT_TRUE(one || wire[p].Is('0'))
        << wire.name() << " cell " << p << " holds \"" << wire[p].str() << "\"";
    value = (value << 1) | (one ? 1 : 0);
  }
  return value;
}

// An n-bit value as the text of an n-cell wire.
inline std::string BitsText(u64 value, int n) {
  std::string text;
  for (int i = n - 1; i >= 0; --i) text += ((value >> i) & 1) ? '1' : '0';
  return text;
}

// Leading zeros of an n-bit value (n when zero).
inline int LeadingZeros(u64 value, int n) {
  for (int i = n - 1; i >= 0; --i) {
    if ((value >> i) & 1) return n - 1 - i;
  }
  return n;
}

// An operand by its fields: sign, biased exponent (0 .. 2046) and the 52
// stored fraction bits.
struct Fields {
  int sign = 0;
  int exponent = 0;
  u64 fraction = 0;
  u64 Encoding() const {
    return (u64(sign) << 63) | (u64(exponent) << 52) | (fraction & Mask(52));
  }
  // The 53-bit significand with its hidden bit.
  u64 Significand() const { return (exponent != 0 ? u64{1} << 52 : 0) | (fraction & Mask(52)); }
  double Value() const { return std::bit_cast<double>(Encoding()); }
};

inline Fields FieldsOf(double value) {
  const u64 bits = std::bit_cast<u64>(value);
  return {static_cast<int>(bits >> 63), static_cast<int>((bits >> 52) & 0x7FF), bits & Mask(52)};
}

// Writes an encoding into an operand's boxes, as the entry window's
// decimal-to-bits conversion does.
inline void Enter(OperandEntry& entry, Operand op, u64 encoding) {
  std::array<unsigned char, 8> bytes{};
  for (int i = 0; i < 8; ++i) bytes[static_cast<std::size_t>(i)] = (encoding >> (8 * i)) & 0xFF;
  BytesToBoxes(bytes, entry, op);
}

// Pulls and calculates the five N path stages in pipeline order.
inline void RunNPath(Adder& adder) {
  for (Stage* stage : {static_cast<Stage*>(&adder.nSmallExp), static_cast<Stage*>(&adder.nSmallSig),
                       static_cast<Stage*>(&adder.nSigadd), static_cast<Stage*>(&adder.nApprox),
                       static_cast<Stage*>(&adder.nPost)}) {
    stage->Pull();
    stage->Calculate();
  }
}

inline void RunNPath(Adder& adder, const Fields& a, const Fields& b) {
  Enter(adder.input, Operand::A, a.Encoding());
  Enter(adder.input, Operand::B, b.Encoding());
  RunNPath(adder);
}

// The two addends the N path must form, worked out from the operands'
// fields in the 54-bit frame of bits -1 .. 52 (bit 52 weighs 1): the larger
// significand doubled, and the smaller one aligned to it. Which one is
// "larger" follows the two low exponent bits only: d = (ea - eb) mod 4 is 0
// or 1 for A, 2 or 3 for B; an odd d shifts the smaller one position right.
struct Addends {
  u64 flp = 0;  // 2 x F_large
  u64 x = 0;    // the aligned smaller significand
  int d = 0;
  u64 Difference() const { return flp > x ? flp - x : x - flp; }
};

inline Addends ExpectedAddends(const Fields& a, const Fields& b) {
  Addends addends;
  addends.d = ((a.exponent & 3) - (b.exponent & 3) + 4) % 4;
  const bool aLarger = addends.d <= 1;
  const u64 large = aLarger ? a.Significand() : b.Significand();
  const u64 small = aLarger ? b.Significand() : a.Significand();
  addends.flp = large << 1;
  addends.x = addends.d == 0 ? small << 1 : small;
  return addends;
}

}  // namespace sumaris::npath_test
