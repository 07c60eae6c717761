// Built with -frounding-math: the compiler keeps the addition under the
// rounding mode set around it and does not fold it at compile time.
#include "adder/ieee754.h"

#include <array>
#include <bit>
#include <cfenv>

namespace sumaris {
namespace {

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

int Field(std::uint64_t x) {
  return static_cast<int>((x >> 52) & 0x7FF);
}
bool Subnormal(std::uint64_t x) {
  return Field(x) == 0 && (x & ((std::uint64_t{1} << 52) - 1)) != 0;
}
std::uint64_t Magnitude(std::uint64_t x) {
  return x & ~kSignBit;
}

int HostRounding(Rounding rounding) {
  switch (rounding) {
    case Rounding::Up:
      return FE_UPWARD;
    case Rounding::Down:
      return FE_DOWNWARD;
    case Rounding::TowardZero:
      return FE_TOWARDZERO;
    case Rounding::NearestEven:
      break;
  }
  return FE_TONEAREST;
}

constexpr std::array<DifferenceClass, 8> kClasses = {{
    {Difference::InfinityOrNaN, "infinity or NaN operand",
     "Nothing in the datapath tests for exponent field 2047: an infinity counts as 2^1024, a NaN "
     "as 1.f * 2^1024, and a carry past field 2047 wraps to 0.",
     StageSlot::R1Medium},
    {Difference::SignedZero, "signed zero",
     "An exact cancellation at exponent field 55 gives a true zero, but its sign is the one worked "
     "out for the rounding injection, the sign of A, whatever the rounding mode.",
     StageSlot::Results},
    {Difference::ExactCancellation, "exact cancellation",
     "No zero is detected: the leading-zero prediction counts 54 in an all-zero difference, so "
     "the final exponent is the operands' exponent minus 55 over a zero fraction.",
     StageSlot::PathDecision},
    {Difference::TwoSubnormalOperands, "two subnormal operands",
     "Both operands sit at exponent field 0: a sum's carry into the hidden bit does not raise the "
     "exponent, and a difference is normalised with its exponent wrapping below 0.",
     StageSlot::PathDecision},
    {Difference::SubnormalOperand, "subnormal operand",
     "The exponent difference takes a subnormal's field 0 as exponent 0 where IEEE 754 uses 1, so "
     "the subnormal is aligned one place too far right and counts at half its value.",
     StageSlot::R1Medium},
    {Difference::ExponentOverflow, "exponent overflow",
     "The path decision adds the rounding's carry to the exponent without a limit and writes field "
     "2047 over the rounded fraction instead of an infinity or the largest finite number.",
     StageSlot::PathDecision},
    {Difference::BelowNormalRange, "result below the normal range",
     "The N path always normalises the difference and the exponent wraps to 11 bits below field "
     "1, where IEEE 754 gives a subnormal number.",
     StageSlot::PathDecision},
    {Difference::Unexplained, "unexplained",
     "The difference fits none of the known classes: a fault in the adder or in the classes.",
     StageSlot::Results},
}};

}  // namespace

IeeeResult Ieee754AddSub(std::uint64_t a, std::uint64_t b, Operation operation, Rounding rounding) {
  const int saved = std::fegetround();
  std::feclearexcept(FE_ALL_EXCEPT);
  std::fesetround(HostRounding(rounding));
  // Volatile operands and result keep the operation between the two mode
  // changes, where the compiler cannot move it.
  volatile double x = std::bit_cast<double>(a);
  volatile double y = std::bit_cast<double>(b);
  volatile double result = operation == Operation::Subtract ? x - y : x + y;
  const int raised = std::fetestexcept(FE_ALL_EXCEPT);
  std::fesetround(saved);
  std::feclearexcept(FE_ALL_EXCEPT);
  IeeeResult r;
  r.bits = std::bit_cast<std::uint64_t>(static_cast<double>(result));
  r.flags = ((raised & FE_INEXACT) ? kIeeeInexact : 0u) |
            ((raised & FE_UNDERFLOW) ? kIeeeUnderflow : 0u) |
            ((raised & FE_OVERFLOW) ? kIeeeOverflow : 0u) |
            ((raised & FE_DIVBYZERO) ? kIeeeDivideByZero : 0u) |
            ((raised & FE_INVALID) ? kIeeeInvalid : 0u);
  return r;
}

std::span<const DifferenceClass> DifferenceClasses() {
  return kClasses;
}

const DifferenceClass& ClassOf(Difference id) {
  for (const DifferenceClass& c : kClasses) {
    if (c.id == id) return c;
  }
  return kClasses.back();
}

const DifferenceClass& ClassifyOperands(std::uint64_t a, std::uint64_t b, Operation operation,
                                        const IeeeResult& ieee) {
  const bool negativeB = ((b & kSignBit) != 0) != (operation == Operation::Subtract);
  const bool effectiveSubtraction = ((a & kSignBit) != 0) != negativeB;
  if (Field(a) == 2047 || Field(b) == 2047) return ClassOf(Difference::InfinityOrNaN);
  if (effectiveSubtraction && Magnitude(a) == Magnitude(b)) {
    return ClassOf(Field(a) == 55 ? Difference::SignedZero : Difference::ExactCancellation);
  }
  if (Field(a) == 0 && Field(b) == 0 && (Subnormal(a) || Subnormal(b))) {
    return ClassOf(Difference::TwoSubnormalOperands);
  }
  if (Subnormal(a) || Subnormal(b)) return ClassOf(Difference::SubnormalOperand);
  if ((ieee.flags & kIeeeOverflow) != 0) return ClassOf(Difference::ExponentOverflow);
  if (Subnormal(ieee.bits)) return ClassOf(Difference::BelowNormalRange);
  return ClassOf(Difference::Unexplained);
}

IeeeComparison CompareWithIeee(std::uint64_t a, std::uint64_t b, Operation operation,
                               Rounding rounding, std::uint64_t adderResult) {
  IeeeComparison c;
  c.ieee = Ieee754AddSub(a, b, operation, rounding);
  c.same = adderResult == c.ieee.bits;
  if (!c.same) c.difference = &ClassifyOperands(a, b, operation, c.ieee);
  return c;
}

}  // namespace sumaris
