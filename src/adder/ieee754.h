#pragma once

// IEEE 754 beside the adder: what the standard gives for the addition on
// screen, and, where this hardware gives something else, why.

#include <cstdint>
#include <span>
#include <string_view>

#include "adder/operand_entry.h"
#include "adder/stage_list.h"

namespace sumaris {

// The exception flags of an operation, in TestFloat's order.
enum IeeeFlag : unsigned {
  kIeeeInexact = 1,
  kIeeeUnderflow = 2,
  kIeeeOverflow = 4,
  kIeeeDivideByZero = 8,
  kIeeeInvalid = 16,
};

struct IeeeResult {
  std::uint64_t bits = 0;  // the binary64 encoding
  unsigned flags = 0;      // IeeeFlag bits raised
};

// A + B or A - B in binary64 under the rounding mode, computed by the host's
// floating point with that mode in force.
IeeeResult Ieee754AddSub(std::uint64_t a, std::uint64_t b, Operation operation, Rounding rounding);

// The ways this adder's result can differ from IEEE 754. The hardware has no
// special cases, so each class is one kind of operand or result it does not
// recognise.
enum class Difference {
  InfinityOrNaN,         // an operand with exponent field 2047
  SignedZero,            // exact cancellation at exponent field 55
  ExactCancellation,     // effective subtraction of equal magnitudes
  TwoSubnormalOperands,  // both operands at exponent field 0
  SubnormalOperand,      // one subnormal operand beside a normal one
  ExponentOverflow,      // a result beyond the largest finite number
  BelowNormalRange,      // a result below the normal range
  Unexplained,           // none of these: a fault in the adder or in the classes
};

struct DifferenceClass {
  Difference id;
  std::string_view name;   // as reports and the Results window name it
  std::string_view cause;  // one sentence for the student
  StageSlot stage;         // where in the datapath the difference arises
};

// Every class, in the order of precedence: where several describe a pair of
// operands, the first of them is the class of the difference.
std::span<const DifferenceClass> DifferenceClasses();
const DifferenceClass& ClassOf(Difference id);

// The class that explains why this adder's result for the operands may
// differ from IEEE 754: the first class of the precedence that the operands
// and the IEEE 754 result fall into, Unexplained for none.
const DifferenceClass& ClassifyOperands(std::uint64_t a, std::uint64_t b, Operation operation,
                                        const IeeeResult& ieee);

// The adder's result held against IEEE 754.
struct IeeeComparison {
  IeeeResult ieee;
  bool same = true;
  const DifferenceClass* difference = nullptr;  // null when the same
};
IeeeComparison CompareWithIeee(std::uint64_t a, std::uint64_t b, Operation operation,
                               Rounding rounding, std::uint64_t adderResult);

}  // namespace sumaris
