// The Results window's IEEE 754 lines as the session words them, without
// windows: before any addition, for an agreeing and a differing addition in
// several rounding modes, and after an edit.

#include "session/ieee_readouts.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "adder/adder.h"
#include "adder/ieee754.h"
#include "adder/result/results.h"
#include "session/session.h"
#include "support/adder_driver.h"

namespace sumaris {
namespace {

std::uint64_t B(double x) {
  return std::bit_cast<std::uint64_t>(x);
}

TEST(IeeeReadouts, NothingBeforeTheFirstAddition) {
  test::AdderDriver d;
  d.session().TrackChanges(true);
  for (std::string_view name : {Results::kIeeeResult, Results::kIeeeVerdict, Results::kIeeeCause})
    EXPECT_EQ(IeeeReadout(d.session(), name).text, "") << name;
  EXPECT_FALSE(IeeeDifferenceSlot(d.session()).has_value());
}

TEST(IeeeReadouts, WordTheComparisonOfTheAdditionOnScreen) {
  const struct {
    double a, b;
    bool subtract;
    Rounding rounding;
    const char* result;
    const char* verdict;
    ReadoutTone tone;
    std::optional<int> slot;
  } cases[] = {
      {1.5, 2.25, false, Rounding::NearestEven, "0x400E000000000000   3.75", "same as this adder",
       ReadoutTone::Agrees, std::nullopt},
      {0.1, 0.2, false, Rounding::NearestEven, "0x3FD3333333333334   0.30000000000000004",
       "same as this adder", ReadoutTone::Agrees, std::nullopt},
      // Rounding toward zero takes the lower neighbour of 0.1 + 0.2.
      {0.1, 0.2, false, Rounding::TowardZero, "0x3FD3333333333333   0.3", "same as this adder",
       ReadoutTone::Agrees, std::nullopt},
      {1.0, 1.0, true, Rounding::NearestEven, "0x0000000000000000   0",
       "differs: exact cancellation", ReadoutTone::Differs, 24},
      {1.0, 1.0, true, Rounding::Down, "0x8000000000000000   -0", "differs: exact cancellation",
       ReadoutTone::Differs, 24},
      {std::ldexp(1.0, -1022), std::ldexp(1.0, -1074), false, Rounding::NearestEven,
       "0x0010000000000001   2.225073858507202E-308", "differs: subnormal operand",
       ReadoutTone::Differs, 1},
  };
  for (const auto& c : cases) {
    test::AdderDriver d;
    d.session().TrackChanges(true);
    d.Run(B(c.a), B(c.b), c.subtract, c.rounding);
    SCOPED_TRACE(c.result);
    EXPECT_EQ(IeeeReadout(d.session(), Results::kIeeeResult).text, c.result);
    const ReadoutText verdict = IeeeReadout(d.session(), Results::kIeeeVerdict);
    EXPECT_EQ(verdict.text, c.verdict);
    EXPECT_EQ(verdict.tone, c.tone);
    EXPECT_EQ(IeeeDifferenceSlot(d.session()), c.slot);
    const std::string cause = IeeeReadout(d.session(), Results::kIeeeCause).text;
    EXPECT_EQ(cause.empty(), !c.slot.has_value());
    EXPECT_EQ(IeeeReadout(d.session(), "Label1").text, "") << "not an IEEE 754 line";
  }
}

// With wires edited the stages no longer show this adder's result for the
// operands: a difference is the edit's, and Where? has no stage to show.
TEST(IeeeReadouts, AnEditedResultIsTheEditsDifference) {
  test::AdderDriver d;
  d.session().TrackChanges(true);
  d.Run(B(1.5), B(2.25), false);
  Results& r = d.adder().results;
  r.Fa[52] = r.Fa[52].Is('1') ? "0" : "1";
  d.session().SetInconsistent(true);
  EXPECT_EQ(IeeeReadout(d.session(), Results::kIeeeVerdict).text, "differs: wires edited");
  EXPECT_NE(IeeeReadout(d.session(), Results::kIeeeCause).text.find("edited"), std::string::npos);
  EXPECT_FALSE(IeeeDifferenceSlot(d.session()).has_value());
  // Edited back, the result agrees again although the flag stays up.
  r.Fa[52] = r.Fa[52].Is('1') ? "0" : "1";
  EXPECT_EQ(IeeeReadout(d.session(), Results::kIeeeVerdict).text, "same as this adder");
}

}  // namespace
}  // namespace sumaris
