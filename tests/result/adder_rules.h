// What the adder should give for one addition, worked out without the
// adder: the host's IEEE 754 double arithmetic in the four <cfenv> rounding
// modes, and, where the hardware does not follow IEEE 754, the rule that
// its datapath states, computed with the host's arithmetic on rescaled
// operands.
//
// Where the hardware departs from IEEE 754, and why:
// - Exact cancellation (an effective subtraction of equal magnitudes): the N
//   path's leading-zero count of an all-zero difference is 54, and the
//   exponent adder computes E - 54 - 1 like for any other N path result, so
//   the exponent field is E - 55 (wrapped to 11 bits) with a zero fraction,
//   and the sign is that of A (the result sign of equal magnitudes).
// - A result below the normal range: the N path always normalises, and the
//   exponent adder wraps to 11 bits instead of denormalising.
// - A result beyond the normal range: exponent E + 1 = 2047 with the rounded
//   fraction (no infinity, no clamping to the largest finite number).
// - A subnormal operand: its exponent field 0 enters the exponent difference
//   as 0, not as 1, so it is taken at half its value.
// - An exponent field of all ones (infinity, NaN): an ordinary exponent, the
//   operand is (1.f) * 2^1024; a carry past it wraps the field to 0.
#pragma once

#include <bit>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "support/adder_driver.h"

namespace sumaris::test {

// A op B on the host in one rounding mode, with the overflow and inexact
// flags it raised.
struct HostSum {
  std::uint64_t bits;
  bool overflow;
  bool inexact;
};

[[gnu::noinline]] inline HostSum HostAddSub(std::uint64_t a, std::uint64_t b, bool subtract,
                                            int hostMode) {
  // Volatile operands and result keep the operation between the mode
  // switch and the flag test.
  std::fesetround(hostMode);
  std::feclearexcept(FE_ALL_EXCEPT);
  volatile double x = AsDouble(a);
  volatile double y = AsDouble(b);
  volatile double r = subtract ? x - y : x + y;
  const int flags = std::fetestexcept(FE_OVERFLOW | FE_INEXACT);
  std::fesetround(FE_TONEAREST);
  return {Bits(r), (flags & FE_OVERFLOW) != 0, (flags & FE_INEXACT) != 0};
}

inline bool Subnormal(std::uint64_t bits) {
  return Field(bits) == 0 && Fraction(bits) != 0;
}
inline bool EffectiveSubtraction(std::uint64_t a, std::uint64_t b, bool subtract) {
  return Negative(a) != (Negative(b) != subtract);
}

// An exact non-zero value v * 2^scale as the N path delivers it: normalised
// to 1.f * 2^k, the exponent field the 11 low bits of k + 1023 (the exponent
// adder wraps, it never clamps), f the 52 bits below the leading one.
inline std::uint64_t Renormalized(double v, int scale) {
  const int k = std::ilogb(v);
  const double m = std::ldexp(std::fabs(v), -k);  // in [1, 2), exact
  const auto f = static_cast<std::uint64_t>(std::ldexp(m - 1.0, 52));
  return Pack(std::signbit(v), k + scale + 1023, f);
}

// The classes of operand pairs, in the order they are told apart. Only
// kIeee must agree with IEEE 754; each other class has its own rule below.
enum class Kind {
  kIeee,               // operands normal or zero, result normal or zero, no overflow
  kExactCancellation,  // effective subtraction of equal magnitudes (zeros included)
  kInfNanOperand,      // an operand with exponent field 2047
  kSubnormalOperand,   // an operand with exponent field 0 and a non-zero fraction
  kOverflow,           // normal operands, IEEE 754 overflows
  kSubnormalResult,    // normal operands, IEEE 754 result subnormal
};
inline constexpr int kKinds = 6;

inline const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kIeee:
      return "agrees with IEEE 754";
    case Kind::kExactCancellation:
      return "exact cancellation";
    case Kind::kInfNanOperand:
      return "infinity or NaN operand";
    case Kind::kSubnormalOperand:
      return "subnormal operand";
    case Kind::kOverflow:
      return "exponent overflow";
    case Kind::kSubnormalResult:
      return "subnormal result";
  }
  return "?";
}

inline Kind Classify(std::uint64_t a, std::uint64_t b, bool subtract, const HostSum& ieee) {
  if (EffectiveSubtraction(a, b, subtract) && Magnitude(a) == Magnitude(b)) {
    return Kind::kExactCancellation;
  }
  if (Field(a) == 2047 || Field(b) == 2047) return Kind::kInfNanOperand;
  if (Subnormal(a) || Subnormal(b)) return Kind::kSubnormalOperand;
  if (ieee.overflow) return Kind::kOverflow;
  if (Subnormal(ieee.bits)) return Kind::kSubnormalResult;
  return Kind::kIeee;
}

// Exact cancellation: sign of A, exponent field E - 55 wrapped, fraction 0.
inline std::uint64_t ExactCancellationRule(std::uint64_t a) {
  return Pack(Negative(a), Field(a) - 55, 0);
}

// A subnormal IEEE result of two normal operands is exact; the adder
// delivers it normalised with a wrapped exponent.
inline std::uint64_t SubnormalResultRule(const HostSum& ieee) {
  return Renormalized(AsDouble(ieee.bits), 0);
}

// Overflow: the sum rounded as if the exponent range had no top, with the
// exponent field 2047. Computed at a quarter of the operands' size, where it
// fits, and moved back up by 2. (Quartering is exact for exponent fields of
// 3 and more; a smaller operand lies far below the rounding position of a
// sum that overflows and stays a non-zero sticky contribution.)
inline std::uint64_t OverflowRule(std::uint64_t a, std::uint64_t b, bool subtract, int hostMode) {
  const HostSum q = HostAddSub(Bits(std::ldexp(AsDouble(a), -2)), Bits(std::ldexp(AsDouble(b), -2)),
                               subtract, hostMode);
  return Pack(Negative(q.bits), Field(q.bits) + 2, Fraction(q.bits));
}

// A subnormal operand is taken as f * 2^-1075 (exponent field 0 read as
// exponent -1023 with hidden bit 0), half its value.
inline std::uint64_t SubnormalOperandRule(std::uint64_t a, std::uint64_t b, bool subtract,
                                          int hostMode, const HostSum& ieee) {
  if (Field(a) == 0 && Field(b) == 0) {
    if (!EffectiveSubtraction(a, b, subtract)) {
      // Both at exponent 0: the R path adds the two fractions and never
      // normalises; a carry into the hidden bit leaves the field at 0.
      return Pack(Negative(a), 0, Fraction(a) + Fraction(b));
    }
    // The N path: the difference (exact on the host) at half its value.
    return Renormalized(AsDouble(ieee.bits), -1);
  }
  const bool aNormal = Field(a) != 0;
  const std::uint64_t normal = aNormal ? a : b;
  if (Field(normal) >= 1100) return ieee.bits;  // the subnormal is only a sticky bit either way
  // Twice the adder's view: the normal operand doubled, the subnormal as
  // it stands; halve the rounded result again.
  const std::uint64_t doubled = Bits(std::ldexp(AsDouble(normal), 1));
  const HostSum r = aNormal ? HostAddSub(doubled, b, subtract, hostMode)
                            : HostAddSub(a, doubled, subtract, hostMode);
  if (Field(r.bits) >= 2) return r.bits - (std::uint64_t{1} << 52);
  return Renormalized(AsDouble(r.bits), -1);  // below the normal range: the N path, exact
}

// Exponent field 2047 is an ordinary exponent: computed at 2^-64 of the
// operands' size and moved back up, the exponent field wrapped to 11 bits.
// An operand with an exponent field of 64 or less beside a field of 2047 is
// only a sticky bit; it is stood in for by the smallest normal of its sign.
inline std::uint64_t InfNanOperandRule(std::uint64_t a, std::uint64_t b, bool subtract,
                                       int hostMode) {
  auto scaled = [](std::uint64_t x) -> std::uint64_t {
    if (Field(x) == 2047) return Pack(Negative(x), 2047 - 64, Fraction(x));
    if (Field(x) > 64) return x - (std::uint64_t{64} << 52);
    if (Magnitude(x) == 0) return x;
    return Bits(std::copysign(DBL_MIN, AsDouble(x)));
  };
  const HostSum r = HostAddSub(scaled(a), scaled(b), subtract, hostMode);
  return Pack(Negative(r.bits), Field(r.bits) + 64, Fraction(r.bits));
}

inline std::uint64_t Expected(Kind kind, std::uint64_t a, std::uint64_t b, bool subtract,
                              int hostMode, const HostSum& ieee) {
  switch (kind) {
    case Kind::kIeee:
      return ieee.bits;
    case Kind::kExactCancellation:
      return ExactCancellationRule(a);
    case Kind::kInfNanOperand:
      return InfNanOperandRule(a, b, subtract, hostMode);
    case Kind::kSubnormalOperand:
      return SubnormalOperandRule(a, b, subtract, hostMode, ieee);
    case Kind::kOverflow:
      return OverflowRule(a, b, subtract, hostMode);
    case Kind::kSubnormalResult:
      return SubnormalResultRule(ieee);
  }
  return ieee.bits;
}

}  // namespace sumaris::test
