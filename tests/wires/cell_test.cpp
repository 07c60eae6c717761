// Cell texts and the two ways of reading numbers from them.
#include "wires/cell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "wires/errors.h"
#include "wires/number_text.h"

namespace sumaris {
namespace {

TEST(Cell, KeepsAnyTextShortOrLong) {
  const std::string texts[] = {"",   "0",           "1", "2", "-1", "12345678901234",
                               "123456789012345", std::string(200, 'x')};
  for (const std::string& t : texts) {
    Cell c(t);
    EXPECT_EQ(c.text(), t);
    Cell copy = c;
    EXPECT_EQ(copy.text(), t);
    Cell assigned;
    assigned = c;
    EXPECT_EQ(assigned.text(), t);
    Cell moved = std::move(copy);
    EXPECT_EQ(moved.text(), t);
    assigned = "1";  // a long text replaced by a short one
    EXPECT_TRUE(assigned.Is('1'));
  }
  Cell fresh;
  EXPECT_EQ(fresh.text(), "0");  // every cell starts as "0"
}

TEST(Cell, WritesComputedNumbersAsTheirDecimalText) {
  for (long long v : {0LL, 1LL, 2LL, 9LL, 10LL, -1LL, 123456LL}) {
    Cell c;
    c.SetNumber(v);
    EXPECT_EQ(c.text(), std::to_string(v));
  }
}

TEST(Cell, ValueReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"1", 1},     {"0", 0},       {"", 0},      {"2", 2},       {"12abc", 12},
               {" 7", 7},    {"-.5e3x", -500}, {"abc", 0}, {"1.5", 1.5},  {"+3", 3},
               {"1e", 1},    {"1d2", 100},   {".", 0},     {"-", 0}};
  for (const Case& c : cases) EXPECT_EQ(Cell(c.text).Value(), c.value) << c.text;
}

TEST(Cell, IntegerConvertsTheWholeTextOrFails) {
  EXPECT_EQ(Cell("1").Integer(), 1);
  EXPECT_EQ(Cell(" 3 ").Integer(), 3);
  EXPECT_EQ(Cell("-2").Integer(), -2);
  EXPECT_EQ(Cell("2.5").Integer(), 2);  // ties to even
  EXPECT_EQ(Cell("3.5").Integer(), 4);
  for (const char* bad : {"", "x", "1x", "--1", " "}) {
    EXPECT_THROW(Cell(bad).Integer(), TypeMismatch) << bad;
  }
  EXPECT_THROW(Cell("1e12").Integer(), Overflow);
}

TEST(NumberText, LeadingNumberReportsWhatItFound) {
  EXPECT_FALSE(ReadLeadingNumber("abc").found);
  EXPECT_TRUE(ReadLeadingNumber(" 12abc").found);
  EXPECT_EQ(ReadLeadingNumber(" 12abc").value, 12);
  const LeadingNumber huge = ReadLeadingNumber("1e400");
  EXPECT_TRUE(huge.found);
  EXPECT_TRUE(huge.outOfRange);
  EXPECT_FALSE(ReadLeadingNumber("1e-400").outOfRange);  // underflow is just 0
}

TEST(NumberText, FormatsWithFifteenSignificantDigits) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {1, "1"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {3.75, "3.75"},
      {1.0 / 3, "0.333333333333333"},
      {123456789012345, "123456789012345"},
      {1e15, "1E+15"},
      {1.5e300, "1.5E+300"},
      {0.0001, "0.0001"},
      {0.00001, "0.00001"},
      {0.000001, "1E-06"},
      {std::ldexp(1.0, -1074), "4.94065645841247E-324"},
      {1.7976931348623157e308, "1.79769313486232E+308"},
      {-1e-7, "-1E-07"},
      {999999999999999.9, "1E+15"},  // rounding to 15 digits carries into the exponent
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDouble(c.value), c.text) << c.value;
}

TEST(NumberText, FormattedTextReadsBackWithinFifteenDigits) {
  for (double v : {1.0 / 7, -123.456e-20, 6.02214076e23, 2.2250738585072014e-308}) {
    const double back = ReadLeadingNumber(FormatDouble(v)).value;
    EXPECT_NEAR(back / v, 1.0, 1e-14) << v;
  }
}

}  // namespace
}  // namespace sumaris
