#pragma once

// Where this adder and IEEE 754 part ways: the classes of operand pairs whose
// result may differ, told apart with integer arithmetic and the host's own
// round-to-nearest sums (independent of the adder).

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace sumaris::ieee {

inline int ExponentField(std::uint64_t x) {
  return static_cast<int>((x >> 52) & 0x7FF);
}
inline std::uint64_t FractionField(std::uint64_t x) {
  return x & ((std::uint64_t{1} << 52) - 1);
}
inline bool IsSubnormal(std::uint64_t x) {
  return ExponentField(x) == 0 && FractionField(x) != 0;
}
inline bool IsZero(std::uint64_t x) {
  return (x << 1) == 0;
}

// Whether the exact |a +- b| reaches 2^1024, in integers: only a larger
// operand with the top exponent field 2046 can get there, by an effective
// addition whose significand sum reaches 2^53.
inline bool ReachesTwoTo1024(std::uint64_t a, std::uint64_t b, bool subtract) {
  if (((a >> 63) ^ (b >> 63) ^ (subtract ? 1u : 0u)) != 0) return false;
  int ea = std::max(ExponentField(a), 1), eb = std::max(ExponentField(b), 1);
  std::uint64_t ma = FractionField(a) | (ExponentField(a) ? std::uint64_t{1} << 52 : 0);
  std::uint64_t mb = FractionField(b) | (ExponentField(b) ? std::uint64_t{1} << 52 : 0);
  if (ea < eb) {
    std::swap(ea, eb);
    std::swap(ma, mb);
  }
  if (ea != 2046) return false;
  const int d = ea - eb;
  return ma + (d >= 64 ? 0 : mb >> d) >= (std::uint64_t{1} << 53);
}

// The cases in which this adder does not give the IEEE 754 result.
enum class Difference {
  None,
  SpecialOperand,
  SubnormalOperand,
  ZeroResult,  // exact cancellation
  SubnormalResult,
  Overflow
};

inline const char* Name(Difference d) {
  switch (d) {
    case Difference::None:
      return "none";
    case Difference::SpecialOperand:
      return "infinity or NaN operand";
    case Difference::SubnormalOperand:
      return "subnormal operand";
    case Difference::ZeroResult:
      return "zero result";
    case Difference::SubnormalResult:
      return "subnormal result";
    case Difference::Overflow:
      return "overflow";
  }
  return "?";
}

// c is the IEEE 754 result under the vector's rounding mode.
inline Difference Classify(std::uint64_t a, std::uint64_t b, bool subtract, std::uint64_t c) {
  if (ExponentField(a) == 2047 || ExponentField(b) == 2047) return Difference::SpecialOperand;
  if (IsSubnormal(a) || IsSubnormal(b)) return Difference::SubnormalOperand;
  // Below 2^-1022 every sum of doubles is exact, so the default rounding
  // tells zero and subnormal results apart in every mode.
  const double x = std::bit_cast<double>(a), y = std::bit_cast<double>(b);
  const double nearest = subtract ? x - y : x + y;
  // A zero result: exact cancellation (zeros included) differs; the effective
  // addition of two zeros gives the IEEE 754 zero.
  if (nearest == 0) {
    const bool effectiveAddition = ((a >> 63) ^ (b >> 63) ^ (subtract ? 1u : 0u)) == 0;
    return effectiveAddition && IsZero(a) && IsZero(b) ? Difference::None : Difference::ZeroResult;
  }
  if (std::fabs(nearest) < std::ldexp(1.0, -1022)) return Difference::SubnormalResult;
  if (ExponentField(c) == 2047 || ReachesTwoTo1024(a, b, subtract)) {
    return Difference::Overflow;
  }
  return Difference::None;
}

}  // namespace sumaris::ieee
