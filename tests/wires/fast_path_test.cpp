// The quick ways through cells, wire copies and number texts must give what
// the general ways give: long texts in copied wires, single digits, whole
// numbers written as text.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "wires/cell.h"
#include "wires/number_text.h"
#include "wires/routines.h"
#include "wires/wire.h"

namespace sumaris {
namespace {

const std::string kLong = "a text far longer than a cell holds inline";

TEST(FastPathTest, CopyWireCopiesLongTextsDeeply) {
  Wire src("S", "", 0, 5);
  Wire dest("D", "", 0, 5);
  src.SetText("101101");
  dest[4] = kLong;  // a long text in the destination is replaced
  src[2] = kLong + "!";
  CopyWire(dest, src, 6);
  EXPECT_EQ(dest[2].text(), kLong + "!");
  EXPECT_EQ(dest[4].text(), "0");
  EXPECT_EQ(dest[0].text(), "1");
  // The copy owns its text: changing the source leaves it.
  src[2] = "0";
  EXPECT_EQ(dest[2].text(), kLong + "!");
  // Only n cells are copied.
  Wire part("P", "", 0, 5, "x");
  CopyWire(part, src, 3);
  EXPECT_EQ(part.Text(), "100xxx");
}

TEST(FastPathTest, CopyWireWithoutLongTexts) {
  Wire src("S", "", 0, 7);
  Wire dest("D", "", 7, 0);
  src.SetText("01210201");
  CopyWire(dest, src, 8);
  EXPECT_EQ(dest.Text(), "01210201");
  CopyWire(dest, dest, 8);  // onto itself
  EXPECT_EQ(dest.Text(), "01210201");
}

TEST(FastPathTest, LongTextsInOtherCellsDoNotDisturbPlainCopies) {
  Cell elsewhere(kLong);  // some long text alive while plain wires are copied
  Wire src("S", "", 0, 3);
  Wire dest("D", "", 0, 3);
  src.SetText("1101");
  CopyWire(dest, src, 4);
  EXPECT_EQ(dest.Text(), "1101");
  EXPECT_EQ(elsewhere.text(), kLong);
}

TEST(FastPathTest, CaptionValueOfEveryKindOfText) {
  struct Case {
    const char* text;
    long long value;
  };
  const Case cases[] = {{"0", 0},   {"1", 1},   {"2", 2},   {"9", 9},   {"", 0},  {"12", 12},
                        {" 3x", 3}, {"-1", -1}, {"2.5", 2}, {"3.5", 4}, {"x", 0}, {"1e1", 10}};
  for (const Case& c : cases) {
    EXPECT_EQ(CaptionValue(Cell(c.text)), c.value) << c.text;
  }
}

TEST(FastPathTest, SetNumberAndSingleCharacterAssignment) {
  Cell c(kLong);
  c.SetNumber(7);
  EXPECT_EQ(c.text(), "7");
  c.SetNumber(10);
  EXPECT_EQ(c.text(), "10");
  c.SetNumber(-3);
  EXPECT_EQ(c.text(), "-3");
  c = kLong;
  c = "1";
  EXPECT_TRUE(c.Is('1'));
  EXPECT_EQ(c, "1");
  EXPECT_FALSE(c == "10");
  EXPECT_FALSE(Cell("10") == "1");
  EXPECT_EQ(Cell("") == "", true);
  EXPECT_EQ(Cell(kLong) == kLong, true);
}

TEST(FastPathTest, WholeNumbersAsText) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {1, "1"},
      {-1023, "-1023"},
      {1024, "1024"},
      {100, "100"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E+15"},
      {-1e15, "-1E+15"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346E+15"},
      {2.5, "2.5"},
      {0.5, "0.5"},
      {1e-5, "0.00001"},
      {1e-6, "1E-06"},
      {-0.0, "0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatDouble(c.value), c.text) << c.value;
}

}  // namespace
}  // namespace sumaris
