// The IEEE 754 reference beside the adder, and the classes of the ways the
// adder differs from it.
#include "adder/ieee754.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/adder_driver.h"

namespace sumaris::test {
namespace {

// Results worked out by hand: ties, near ties, the sticky bit, overflow and
// results below the normal range, in all four modes (N, U, D, Z).
TEST(Ieee754AddSub, KnownResultsInAllFourModes) {
  struct Case {
    const char* what;
    std::uint64_t a, b;
    bool subtract;
    std::uint64_t want[4];  // N, U, D, Z
    unsigned flags;         // raised in every mode
  } cases[] = {
      {"1 + 2^-53, a tie to even below",
       0x3FF0000000000000,
       0x3CA0000000000000,
       false,
       {0x3FF0000000000000, 0x3FF0000000000001, 0x3FF0000000000000, 0x3FF0000000000000},
       kIeeeInexact},
      {"-1 - 2^-53, the same tie below zero",
       0xBFF0000000000000,
       0x3CA0000000000000,
       true,
       {0xBFF0000000000000, 0xBFF0000000000000, 0xBFF0000000000001, 0xBFF0000000000000},
       kIeeeInexact},
      {"(1 + 2^-52) + 2^-53, a tie to even above",
       0x3FF0000000000001,
       0x3CA0000000000000,
       false,
       {0x3FF0000000000002, 0x3FF0000000000002, 0x3FF0000000000001, 0x3FF0000000000001},
       kIeeeInexact},
      {"1 + 2^-53 (1 + 2^-52), just past the tie",
       0x3FF0000000000000,
       0x3CA0000000000001,
       false,
       {0x3FF0000000000001, 0x3FF0000000000001, 0x3FF0000000000000, 0x3FF0000000000000},
       kIeeeInexact},
      {"1 + 2^-1074, the sticky bit alone",
       0x3FF0000000000000,
       0x0000000000000001,
       false,
       {0x3FF0000000000000, 0x3FF0000000000001, 0x3FF0000000000000, 0x3FF0000000000000},
       kIeeeInexact},
      {"1 - 2^-1074",
       0x3FF0000000000000,
       0x0000000000000001,
       true,
       {0x3FF0000000000000, 0x3FF0000000000000, 0x3FEFFFFFFFFFFFFF, 0x3FEFFFFFFFFFFFFF},
       kIeeeInexact},
      {"max + max",
       0x7FEFFFFFFFFFFFFF,
       0x7FEFFFFFFFFFFFFF,
       false,
       {0x7FF0000000000000, 0x7FF0000000000000, 0x7FEFFFFFFFFFFFFF, 0x7FEFFFFFFFFFFFFF},
       kIeeeOverflow | kIeeeInexact},
      {"1.5 * 2^-1022 - 2^-1022 = 2^-1023, exact",
       0x0018000000000000,
       0x0010000000000000,
       true,
       {0x0008000000000000, 0x0008000000000000, 0x0008000000000000, 0x0008000000000000},
       0},
      {"2^-1074 + 2^-1074", 1, 1, false, {2, 2, 2, 2}, 0},
      {"1 - 1", 0x3FF0000000000000, 0x3FF0000000000000, true, {0, 0, 0x8000000000000000, 0}, 0},
  };
  for (const Case& c : cases) {
    for (int m = 0; m < 4; ++m) {
      const Mode& mode = kRoundings[static_cast<std::size_t>(m)];
      SCOPED_TRACE(std::string(c.what) + ", rounding " + mode.name);
      const IeeeResult r =
          Ieee754AddSub(c.a, c.b, c.subtract ? Operation::Subtract : Operation::Add, mode.rounding);
      EXPECT_EQ(Hex(r.bits), Hex(c.want[m]));
      EXPECT_EQ(r.flags, c.flags);
    }
  }
}

// One example or more per class, with the adder's own result: the class the
// comparison names, and that the adder really differs (or agrees).
TEST(CompareWithIeee, NamesTheClassOfEachDocumentedDifference) {
  struct Example {
    std::uint64_t a, b;
    bool subtract;
    Rounding rounding;
    const char* wantClass;  // null: the adder agrees with IEEE 754
  } examples[] = {
      {0x3FF0000000000000, 0x3FF0000000000000, false, Rounding::NearestEven, nullptr},  // 1 + 1
      {0x3FB999999999999A, 0x3FC999999999999A, false, Rounding::NearestEven, nullptr},  // .1 + .2
      {0, 0, false, Rounding::Down, nullptr},                                           // 0 + 0
      {0x0000000000000003, 0x0000000000000001, false, Rounding::NearestEven, nullptr},  // no carry
      {0x3FF0000000000000, 0x3FF0000000000000, true, Rounding::NearestEven, "exact cancellation"},
      {0, 0, true, Rounding::Up, "exact cancellation"},
      {0x8370000000000000, 0x8370000000000000, true, Rounding::NearestEven, "signed zero"},
      {0x0018000000000000, 0x0010000000000000, true, Rounding::NearestEven,
       "result below the normal range"},
      {0x0014000000000000, 0x0010000000000000, true, Rounding::TowardZero,
       "result below the normal range"},
      {0x7FEFFFFFFFFFFFFF, 0x7FEFFFFFFFFFFFFF, false, Rounding::Down, "exponent overflow"},
      {0x0010000000000000, 0x0000000000000001, false, Rounding::NearestEven, "subnormal operand"},
      {0x000FFFFFFFFFFFFF, 0x0000000000000001, false, Rounding::NearestEven,
       "two subnormal operands"},
      {0x0000000000000003, 0x0000000000000001, true, Rounding::NearestEven,
       "two subnormal operands"},
      {0x7FF0000000000000, 0x7FF0000000000000, false, Rounding::NearestEven,
       "infinity or NaN operand"},
      {0x7FF0000000000000, 0x3FF0000000000000, false, Rounding::Up, "infinity or NaN operand"},
      {0x7FF8000000000000, 0x7FF8000000000000, false, Rounding::Down, "infinity or NaN operand"},
  };
  AdderDriver driver;
  for (const Example& e : examples) {
    SCOPED_TRACE(Hex(e.a) + (e.subtract ? " - " : " + ") + Hex(e.b));
    const Operation op = e.subtract ? Operation::Subtract : Operation::Add;
    const std::uint64_t adder = driver.Run(e.a, e.b, e.subtract, e.rounding);
    const IeeeComparison c = CompareWithIeee(e.a, e.b, op, e.rounding, adder);
    EXPECT_EQ(c.same, e.wantClass == nullptr);
    EXPECT_EQ(c.same, adder == c.ieee.bits);
    if (e.wantClass == nullptr) {
      EXPECT_EQ(c.difference, nullptr);
    } else {
      ASSERT_NE(c.difference, nullptr);
      EXPECT_EQ(c.difference->name, e.wantClass);
      EXPECT_FALSE(c.difference->cause.empty());
    }
  }
}

// Every class names a stage, has its own name and its own sentence.
TEST(DifferenceClasses, EachHasItsNameCauseAndStage) {
  std::map<std::string_view, int> names, causes;
  for (const DifferenceClass& c : DifferenceClasses()) {
    ++names[c.name];
    ++causes[c.cause];
    EXPECT_EQ(&ClassOf(c.id), &c);
    EXPECT_EQ(c.cause.back(), '.') << c.name;
    const StageDescriptor& stage = StageDescriptorFor(c.stage);
    EXPECT_FALSE(stage.name.empty()) << c.name;
  }
  for (const auto& [name, n] : names)
    EXPECT_EQ(n, 1) << name;
  for (const auto& [cause, n] : causes)
    EXPECT_EQ(n, 1) << cause;
}

// The 5,000 reference results of this hardware: wherever they differ from
// IEEE 754, the difference has a class, and every class occurs but the fault
// and the signed zero (a cancellation at exactly one exponent field).
TEST(CompareWithIeee, EverySampleDifferenceHasAClass) {
  std::ifstream in(std::string(SUMARIS_TEST_DATA) + "/sample.txt");
  std::map<std::string_view, int> seen;
  int lines = 0, differences = 0;
  for (std::string text; std::getline(in, text);) {
    const std::vector<std::string> f = SplitVectorLine(text);
    ASSERT_EQ(f.size(), 5u) << text;
    std::uint64_t bits[3] = {};
    for (int k = 0; k < 3; ++k)
      bits[k] = FieldBits(f[static_cast<std::size_t>(2 + k)]);
    const Mode* mode = nullptr;
    for (const Mode& m : kRoundings)
      mode = m.letter == f[1][0] ? &m : mode;
    ASSERT_NE(mode, nullptr) << text;
    ++lines;
    const Operation op = f[0] == "1" ? Operation::Subtract : Operation::Add;
    const IeeeComparison c = CompareWithIeee(bits[0], bits[1], op, mode->rounding, bits[2]);
    if (c.same) continue;
    ++differences;
    ++seen[c.difference->name];
    EXPECT_NE(c.difference->id, Difference::Unexplained)
        << "line " << lines << ": " << text << " (IEEE 754 " << Hex(c.ieee.bits) << ")";
  }
  EXPECT_EQ(lines, 5000);
  EXPECT_GT(differences, 100);
  for (const DifferenceClass& c : DifferenceClasses()) {
    if (c.id == Difference::Unexplained || c.id == Difference::SignedZero) continue;
    EXPECT_GT(seen[c.name], 0) << c.name;
  }
}

}  // namespace
}  // namespace sumaris::test
