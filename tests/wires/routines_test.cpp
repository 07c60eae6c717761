// The generic wire routines, table-driven over hand-worked values and
// checked against plain integer arithmetic.
#include "wires/routines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "wires/errors.h"

namespace sumaris {
namespace {

// A free-standing wire whose cells hold the given texts, left to right.
Wire Row(const std::vector<std::string>& texts) {
  Wire w("W", "W", 0, static_cast<int>(texts.size()) - 1);
  for (std::size_t i = 0; i < texts.size(); ++i) w[static_cast<int>(i)] = texts[i];
  return w;
}

Wire Bits(std::string_view bits) {
  Wire w("W", "W", 0, static_cast<int>(bits.size()) - 1);
  w.SetText(bits);
  return w;
}

TEST(WireToNumber, ReadsUnsignedBinaryWithTheMsbCellFirst) {
  struct Case {
    std::vector<std::string> cells;
    int msb, lsb;
    double expected;
  } cases[] = {
      {{"1", "0", "0", "1", "0", "1"}, 0, 5, 37},
      {{"", "", "", "", "", ""}, 0, 5, 0},
      {{"1", "0", "0", "1", "0", "1"}, 5, 0, 41},  // read the other way round
      {{"1", "1"}, 1, 1, 1},                       // one cell
      {{"0", "1"}, 0, 0, 0},
      {{"12abc", "0"}, 0, 1, 24},  // a leading number counts with its value
      {{"x", "1"}, 0, 1, 1},       // no number at all reads 0
  };
  for (const Case& c : cases) {
    Wire w = Row(c.cells);
    EXPECT_EQ(WireToNumber(w, c.msb, c.lsb, 1, 2), c.expected) << c.msb << "," << c.lsb;
  }
}

TEST(WireToNumber, AgreesWithIntegersOverRandomRows) {
  std::mt19937_64 rng(7);
  for (int n = 0; n < 500; ++n) {
    const int width = 1 + static_cast<int>(rng() % 53);
    std::string bits;
    unsigned long long value = 0;
    for (int i = 0; i < width; ++i) {
      const bool one = rng() & 1;
      bits += one ? '1' : '0';
      value = value * 2 + (one ? 1 : 0);
    }
    Wire w = Bits(bits);
    EXPECT_EQ(WireToNumber(w, 0, width - 1, 1, 2), static_cast<double>(value));
  }
}

TEST(NumberToWire, WritesTwosComplementDroppingWhatDoesNotFit) {
  struct Case {
    int value;
    std::string expected;  // cells 0..5, msbCell 0
  } cases[] = {
      {5, "000101"},   {-1, "111111"}, {70, "000110"},  // bit 6 of 70 dropped
      {0, "000000"},   {63, "111111"}, {-64, "000000"},
      {-6, "111010"},  {32767, "111111"}, {-32767, "000001"},
  };
  for (const Case& c : cases) {
    Wire w("W", "W", 5, 0);
    NumberToWire(c.value, w, 0, 5);
    EXPECT_EQ(w.Text(), c.expected) << c.value;
  }
  Wire four("W", "W", 3, 0);
  NumberToWire(-6, four, 0, 3);
  EXPECT_EQ(four.Text(), "1010");
}

TEST(NumberToWire, MatchesTheLowBitsOfTheValueEverywhereInRange) {
  for (int v = -32767; v <= 32767; v += 97) {
    Wire w("W", "W", 10, 0);
    NumberToWire(v, w, 0, 10);
    const unsigned low = static_cast<unsigned>(v) & 0x7FF;
    std::string expected;
    for (int bit = 10; bit >= 0; --bit) expected += ((low >> bit) & 1) ? '1' : '0';
    ASSERT_EQ(w.Text(), expected) << v;
  }
}

TEST(NumberToWire, RejectsValuesOutsideSixteenBitsSigned) {
  Wire w("W", "W", 5, 0);
  EXPECT_THROW(NumberToWire(-32768, w, 0, 5), Overflow);
  EXPECT_THROW(NumberToWire(32768, w, 0, 5), Overflow);
  EXPECT_THROW(NumberToWire(-100000, w, 0, 5), Overflow);
}

TEST(AddWires, RipplesFromTheRightmostCell) {
  struct Case {
    std::string a, b;
    int carryIn;
    std::string sum;
    std::string carryOut;
  } cases[] = {
      {"0111", "0001", 0, "1000", "0"},
      {"1111", "0001", 0, "0000", "1"},
      {"1111", "0000", 1, "0000", "1"},
      {"0000", "0000", 1, "0001", "0"},
      {"1010", "0101", 0, "1111", "0"},
  };
  for (const Case& c : cases) {
    Wire a = Bits(c.a), b = Bits(c.b), s = Bits("0000"), cout = Bits("0");
    AddWires(a, b, 3, 0, s, c.carryIn, &cout);
    EXPECT_EQ(s.Text(), c.sum) << c.a << "+" << c.b;
    EXPECT_EQ(cout.Text(), c.carryOut) << c.a << "+" << c.b;
  }
}

TEST(AddWires, TakesItsCarryInAsACellText) {
  Wire a = Bits("0000"), b = Bits("0000"), s = Bits("0000");
  AddWires(a, b, 3, 0, s, Cell("1"));
  EXPECT_EQ(s.Text(), "0001");
  AddWires(a, b, 3, 0, s, Cell(""));
  EXPECT_EQ(s.Text(), "0000");
}

TEST(AddWires, AgreesWithIntegerAdditionAndDropsTheCarryWithoutAWire) {
  std::mt19937_64 rng(11);
  for (int n = 0; n < 2000; ++n) {
    const int width = 1 + static_cast<int>(rng() % 60);
    const unsigned long long mask = (width == 64) ? ~0ULL : ((1ULL << width) - 1);
    const unsigned long long x = rng() & mask, y = rng() & mask, cin = rng() & 1;
    auto bitsOf = [width](unsigned long long v) {
      std::string s;
      for (int i = width - 1; i >= 0; --i) s += ((v >> i) & 1) ? '1' : '0';
      return s;
    };
    Wire a = Bits(bitsOf(x)), b = Bits(bitsOf(y)), s = Bits(bitsOf(0)), cout = Bits("0");
    AddWires(a, b, width - 1, 0, s, static_cast<int>(cin), &cout);
    const unsigned long long full = x + y + cin;
    ASSERT_EQ(s.Text(), bitsOf(full & mask));
    ASSERT_EQ(cout.Text(), ((full >> width) & 1) ? "1" : "0");
  }
}

TEST(CellwiseRoutines, ComputeTheirExpressionsCellByCell) {
  const Wire a = Bits("0011"), b = Bits("0101");
  struct Case {
    const char* name;
    void (*routine)(const Wire&, const Wire&, int, Wire&);
    std::string expected;
  } cases[] = {
      {"xor", XorWires, "0110"},
      {"xnor", XnorWires, "1001"},
      {"or", OrWires, "0111"},
      {"and", AndWires, "0001"},
  };
  for (const Case& c : cases) {
    Wire out = Bits("xxxx");
    c.routine(a, b, 4, out);
    EXPECT_EQ(out.Text(), c.expected) << c.name;
    Wire untouched = Bits("xxxx");
    c.routine(a, b, 0, untouched);  // n = 0 does nothing
    EXPECT_EQ(untouched.Text(), "xxxx") << c.name;
  }
  Wire inverted = Bits("0000");
  InvertWire(a, 3, inverted);
  EXPECT_EQ(inverted.Text(), "1100");  // cell 3 is beyond n
  Wire flipped = Bits("0000");
  XorWireBit(a, Bits("1"), 4, flipped);
  EXPECT_EQ(flipped.Text(), "1100");
}

TEST(CellwiseRoutines, FailOnATextThatIsNotANumber) {
  const Wire good = Bits("01");
  const Wire bad = Row({"0", "x"});
  const Wire empty = Row({"0", ""});
  Wire out = Bits("00");
  EXPECT_THROW(XorWires(good, bad, 2, out), TypeMismatch);
  EXPECT_THROW(XnorWires(bad, good, 2, out), TypeMismatch);
  EXPECT_THROW(OrWires(good, empty, 2, out), TypeMismatch);
  EXPECT_THROW(AndWires(good, bad, 2, out), TypeMismatch);
  EXPECT_THROW(InvertWire(bad, 2, out), TypeMismatch);
  EXPECT_THROW(XorWireBit(good, Row({"?"}), 2, out), TypeMismatch);
  EXPECT_THROW(MuxWires(good, good, 2, Row({"sel"}), out), TypeMismatch);
  // Within the first n cells only: a bad cell beyond n is never converted.
  EXPECT_NO_THROW(XorWires(good, bad, 1, out));
}

TEST(OrReduce, OrsTheFirstNCellsIntoCellZero) {
  Wire c = Bits("0111");
  OrReduce(Bits("000001"), 5, c);  // cell 5 is ignored
  EXPECT_EQ(c.Text(), "0111");
  OrReduce(Bits("001000"), 5, c);
  EXPECT_EQ(c.Text(), "1111");
  OrReduce(Bits("1"), 0, c);
  EXPECT_EQ(c[0].text(), "0");
  OrReduce(Row({"", "x", "0"}), 3, c);  // leading-number reads: all 0
  EXPECT_EQ(c[0].text(), "0");
}

TEST(MuxWiresAndCopyWire, SelectAndCopyTextsUnchanged) {
  const Wire a = Row({"1", "0", "2"}), b = Row({"0", "1", "hello"});
  Wire c = Bits("000");
  MuxWires(a, b, 3, Bits("0"), c);
  EXPECT_EQ(c.Text(), "102");
  MuxWires(a, b, 3, Bits("1"), c);
  EXPECT_EQ(c.Text(), "01hello");
  Wire d = Bits("zzz");
  CopyWire(d, a, 2);
  EXPECT_EQ(d.Text(), "10z");
}

}  // namespace
}  // namespace sumaris
