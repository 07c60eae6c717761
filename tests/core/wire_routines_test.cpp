// Cells and the generic wire routines, checked against hand-worked values
// and plain integer arithmetic.
#include "core/wire_routines.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/errors.h"

namespace sumaris {
namespace {

// A free-standing wire whose cells hold the texts between the "|"s.
Wire Row(const std::string& texts) {
  std::vector<std::string> cells;
  std::istringstream in(texts + "|");
  for (std::string t; std::getline(in, t, '|');)
    cells.push_back(t);
  Wire w("W", "W", 0, static_cast<int>(cells.size()) - 1);
  for (std::size_t i = 0; i < cells.size(); ++i)
    w[static_cast<int>(i)] = cells[i];
  return w;
}
Wire Bits(std::string_view bits) {
  Wire w("W", "W", 0, static_cast<int>(bits.size()) - 1);
  w.SetText(bits);
  return w;
}
// The low `width` bits of v, most significant first.
std::string BinaryOf(unsigned long long v, int width) {
  std::string s;
  for (int i = width - 1; i >= 0; --i)
    s += ((v >> i) & 1) ? '1' : '0';
  return s;
}

const std::string kLong = "3e15 is a text far longer than a cell holds inline";

TEST(Cell, KeepsShortAndLongTextsAndReadsTheirNumbersBothWays) {
  const std::string k14 = "1e13 and then ", k15 = "2e14 and then  ";
  struct Case {
    std::string text;   // the longest text kept inline has 14 characters
    double value;       // the leading number
    const char* whole;  // the whole text as an integer, "" for a type mismatch
  } cases[] = {{"0", 0, "0"},    {"1", 1, "1"},     {"2", 2, "2"},     {"", 0, ""},
               {"-1", -1, "-1"}, {" 3 ", 3, "3"},   {"12abc", 12, ""}, {"-.5e3x", -500, ""},
               {"abc", 0, ""},   {"2.5", 2.5, "2"}, {"3.5", 3.5, "4"}, {"1d2", 100, "100"},
               {k14, 1e13, ""},  {k15, 2e14, ""},   {kLong, 3e15, ""}};
  for (const Case& c : cases) {
    Cell cell(c.text), copy = cell, assigned;
    assigned = copy;
    Cell moved = std::move(copy);
    for (const Cell* k : {&cell, &assigned, &moved})
      EXPECT_EQ(k->text(), c.text);
    EXPECT_DOUBLE_EQ(cell.Value(), c.value) << c.text;
    if (*c.whole) {
      EXPECT_EQ(std::to_string(cell.Integer()), c.whole) << c.text;
    } else {
      EXPECT_THROW(cell.Integer(), TypeMismatch) << c.text;
    }
    assigned = "1";  // a long text replaced by a short one
    EXPECT_TRUE(assigned.Is('1'));
  }
  EXPECT_EQ(Cell().text(), "0");
  EXPECT_THROW(Cell("1e12").Integer(), Overflow);
}

TEST(Cell, LeadingIntRoundsTheLeadingNumberTiesToEven) {
  struct Case {
    std::string text;
    long long expected;
  } cases[] = {{"0", 0},
               {"1", 1},
               {"2", 2},
               {"", 0},
               {"abc", 0},
               {" 1 ", 1},
               {"-1", -1},
               {"12abc", 12},
               {"0.5", 0},
               {"1.5", 2},
               {"2.5", 2},
               {"0.7", 1},
               {"-2.5", -2},
               {"1e3x", 1000},
               {"2147483647", 2147483647},
               {"-2147483648", -2147483648LL}};
  for (const Case& c : cases) {
    EXPECT_EQ(Cell(c.text).LeadingInt(), c.expected) << '"' << c.text << '"';
  }
  for (const char* beyond : {"2147483648", "-2147483649", "1e12"})
    EXPECT_THROW(Cell(beyond).LeadingInt(), Overflow) << beyond;
  EXPECT_THROW(Cell(kLong).LeadingInt(), Overflow);  // "3e15 ..." read from the heap
}

TEST(WireToNumber, ReadsTheCellsAsAnUnsignedBinaryNumber) {
  struct Case {
    std::string cells;
    int msb, lsb;
    double expected;
  } cases[] = {{"1|0|0|1|0|1", 0, 5, 37}, {"|||||", 0, 5, 0},    {"1|0|0|1|0|1", 5, 0, 41},
               {"0|1", 1, 1, 1},          {"12abc|0", 0, 1, 24}, {"x|1", 0, 1, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(WireToNumber(Row(c.cells), c.msb, c.lsb, 1, 2), c.expected);
  std::mt19937_64 rng(7);
  for (int n = 0; n < 300; ++n) {
    const int width = 1 + static_cast<int>(rng() % 53);
    const unsigned long long v = rng() >> (64 - width);
    EXPECT_EQ(WireToNumber(Bits(BinaryOf(v, width)), 0, width - 1, 1, 2), static_cast<double>(v));
  }
}

TEST(NumberToWire, WritesTwosComplementWithinSixteenBitsSigned) {
  struct Case {
    int value;
    std::string cells;  // cells 0..5, cell 0 most significant
  } cases[] = {{5, "000101"}, {-1, "111111"}, {70, "000110"}, {-64, "000000"}, {-6, "111010"}};
  for (const Case& c : cases) {
    Wire w("W", "W", 5, 0);
    NumberToWire(c.value, w, 0, 5);
    EXPECT_EQ(w.Text(), c.cells) << c.value;
  }
  for (int v = -32767; v <= 32767; v += 97) {
    Wire w("W", "W", 0, 10);
    NumberToWire(v, w, 10, 0);  // the other way round: cell 10 most significant
    std::string expected = BinaryOf(static_cast<unsigned>(v) & 0x7FF, 11);
    ASSERT_EQ(w.Text(), std::string(expected.rbegin(), expected.rend())) << v;
  }
  Wire w("W", "W", 5, 0);
  EXPECT_NO_THROW(NumberToWire(-32767, w, 0, 5));
  EXPECT_NO_THROW(NumberToWire(32767, w, 0, 5));
  for (int bad : {-32768, 32768, -100000})
    EXPECT_THROW(NumberToWire(bad, w, 0, 5), Overflow);
}

TEST(AddWires, RipplesCarriesLikeIntegerAddition) {
  struct Case {
    std::string a, b;
    Cell carryIn;
    std::string sum, carryOut;
  } cases[] = {{"0111", "0001", "0", "1000", "0"}, {"1111", "0001", "0", "0000", "1"},
               {"1111", "0000", "1", "0000", "1"}, {"0000", "0000", "1", "0001", "0"},
               {"0000", "0000", "", "0000", "0"},  {"1010", "0101", "0", "1111", "0"}};
  for (const Case& c : cases) {
    Wire s = Bits("xxxx"), cout = Bits("x");
    AddWires(Bits(c.a), Bits(c.b), 3, 0, s, c.carryIn, &cout);
    EXPECT_EQ(s.Text() + "," + cout.Text(), c.sum + "," + c.carryOut) << c.a << "+" << c.b;
  }
  std::mt19937_64 rng(11);
  for (int n = 0; n < 1000; ++n) {
    const int width = 1 + static_cast<int>(rng() % 60);
    const unsigned long long mask = (1ULL << width) - 1;
    const unsigned long long x = rng() & mask, y = rng() & mask, cin = rng() & 1;
    Wire s = Bits(BinaryOf(0, width)), cout = Bits("0");
    AddWires(Bits(BinaryOf(x, width)), Bits(BinaryOf(y, width)), width - 1, 0, s,
             static_cast<int>(cin), &cout);
    ASSERT_EQ(s.Text(), BinaryOf((x + y + cin) & mask, width));
    ASSERT_EQ(cout.Text(), BinaryOf((x + y + cin) >> width, 1));
  }
}

TEST(CellwiseRoutines, ComputeTheirExpressionAndRejectTextsThatAreNoNumber) {
  const Wire a = Bits("00111"), b = Bits("01011");  // every pair of bits, then one more
  using Routine = void (*)(const Wire&, const Wire&, int, Wire&);
  const Routine invert = [](const Wire& x, const Wire&, int n, Wire& c) { InvertWire(x, n, c); };
  const Routine xorBit = [](const Wire& x, const Wire&, int n, Wire& c) {
    XorWireBit(x, Bits("1"), n, c);
  };
  struct Case {
    const char* name;
    Routine routine;
    int (*bit)(int, int);
  } cases[] = {{"xor", XorWires, [](int x, int y) { return x ^ y; }},
               {"xnor", XnorWires, [](int x, int y) { return 1 - (x ^ y); }},
               {"or", OrWires, [](int x, int y) { return x | y; }},
               {"and", AndWires, [](int x, int y) { return x & y; }},
               {"invert", invert, [](int x, int) { return 1 - x; }},
               {"xor bit", xorBit, [](int x, int) { return x ^ 1; }}};
  for (const Case& c : cases) {
    Wire out = Bits("xxxxx");
    c.routine(a, b, 4, out);  // cell 4 is beyond n
    std::string expected;
    for (int p = 0; p < 4; ++p)
      expected += static_cast<char>('0' + c.bit(a[p].Is('1'), b[p].Is('1')));
    EXPECT_EQ(out.Text(), expected + "x") << c.name;
    Wire untouched = Bits("xx");
    c.routine(a, b, 0, untouched);
    EXPECT_EQ(untouched.Text(), "xx") << c.name;
    EXPECT_THROW(c.routine(Row("0|x"), Row("1|1"), 2, out), TypeMismatch) << c.name;
    EXPECT_NO_THROW(c.routine(Row("0|x"), Row("1|1"), 1, out)) << c.name;
  }
  Wire out = Bits("00");
  EXPECT_THROW(MuxWires(a, b, 2, Row("sel"), out), TypeMismatch);
}

TEST(OrReduceMuxAndCopy, ReduceSelectAndCopyTexts) {
  struct Case {
    Wire a;
    int n;
    const char* expected;
  } cases[] = {{Bits("000001"), 5, "0"},
               {Bits("001000"), 5, "1"},
               {Bits("1"), 0, "0"},
               {Row("|x|0"), 3, "0"}};
  for (const Case& c : cases) {
    Wire out = Bits("x7");
    OrReduce(c.a, c.n, out);
    EXPECT_EQ(out.Text(), std::string(c.expected) + "7") << c.a.Text() << " n " << c.n;
  }
  const Wire a = Row("1|0|2"), b = Row("0|1|" + kLong);
  Wire c = Bits("xxx");
  MuxWires(a, b, 3, Bits("0"), c);
  EXPECT_EQ(c.Text(), "102");
  MuxWires(a, b, 3, Bits("1"), c);
  EXPECT_EQ(c.Text(), "01" + kLong);
  Wire d = Bits("zzz");
  CopyWire(d, a, 2);
  EXPECT_EQ(d.Text(), "10z");
}

TEST(CopyWire, CopiesLongTextsAsTextsOfTheirOwn) {
  Wire src = Row("1|0|" + kLong + "!|1|0|1");
  Wire dest = Row("x|x|x|x|" + kLong + "|x");
  CopyWire(dest, src, 6);
  src[2] = "0";  // the copy owns its text
  EXPECT_EQ(dest.Text(), "10" + kLong + "!101");
  CopyWire(dest, dest, 6);
  EXPECT_EQ(dest.Text(), "10" + kLong + "!101");
}

// A free-standing wire [first:last] whose cells hold one character each.
Wire Ranged(int first, int last, std::string_view chars) {
  Wire w("W", "W", first, last);
  w.SetText(chars);
  return w;
}

TEST(Wire, NumbersItsCellsFromTheFirstBitOfItsRange) {
  struct Case {
    int first, last;
    int bit, position;
  } cases[] = {{-1, 116, -1, 0}, {-1, 116, 53, 54}, {-1, 116, 116, 117}, {54, 116, 54, 0},
               {6, 0, 6, 0},     {6, 0, 0, 6},      {10, 7, 8, 2},       {52, 54, 53, 1}};
  for (const Case& c : cases) {
    Wire w("W", "W", c.first, c.last);
    EXPECT_EQ(w.Position(c.bit), c.position) << c.first << ":" << c.last << " bit " << c.bit;
    EXPECT_EQ(w.BitAt(c.position), c.bit) << c.first << ":" << c.last;
    w[c.position] = "x";
    EXPECT_EQ(w.Bit(c.bit), "x");
  }
}

TEST(CopyBits, HandsOnTheSameBitsBetweenWiresOfDifferentRanges) {
  struct Case {
    Wire src;
    int destFirst, destLast;
    int from, to;
    std::string expected;  // dest's cells afterwards, '.' where it was left alone
  } cases[] = {{Ranged(-1, 5, "abcdefg"), 2, 4, 2, 4, "def"},
               {Ranged(-1, 5, "abcdefg"), 0, 5, 1, 3, ".cde.."},
               {Ranged(-1, 5, "abcdefg"), 0, 5, 3, 1, ".cde.."},  // either order
               {Ranged(10, 7, "abcd"), 8, 6, 7, 8, "cd."},
               {Ranged(0, 1, "ab"), 1, 0, 0, 1, "ba"}};  // the same two bits, cells reversed
  for (const Case& c : cases) {
    Wire dest("D", "D", c.destFirst, c.destLast, ".");
    CopyBits(dest, c.src, c.from, c.to);
    EXPECT_EQ(dest.Text(), c.expected) << c.src.Text() << " bits " << c.from << ".." << c.to;
  }
}

TEST(ShiftBits, MovesBitsByTheirNumbersAndFillsWhatTheSourceLacks) {
  constexpr int kMax = std::numeric_limits<int>::max();
  struct Case {
    Wire src;
    int destFirst, destLast;
    int shift;
    std::string expected;                                       // 'f' is the fill
  } cases[] = {{Ranged(-1, 3, "abcde"), -1, 6, 2, "ffabcdef"},  // right by two
               {Ranged(-1, 3, "abcde"), -1, 3, -1, "bcdef"},    // left by one
               {Ranged(0, 3, "abcd"), -1, 3, 0, "fabcd"},       // bit for bit
               {Ranged(-1, 4, "abcdef"), 0, 3, 1, "abcd"},      // nothing left to fill
               {Ranged(5, 0, "abcdeg"), 5, 0, 1, "bcdegf"},     // higher numbers: left here
               {Ranged(-1, 3, "abcde"), -1, 3, 9, "fffff"},     // all shifted out
               {Ranged(-1, 3, "abcde"), -1, 3, kMax, "fffff"},  // no overflow on the way
               {Ranged(-1, 3, "abcde"), -1, 3, -kMax, "fffff"}};
  for (const Case& c : cases) {
    Wire dest("D", "D", c.destFirst, c.destLast, ".");
    ShiftBits(dest, c.src, c.shift, "f");
    EXPECT_EQ(dest.Text(), c.expected) << c.src.Text() << " shifted " << c.shift;
  }
  Wire dest("D", "D", 0, 2, ".");
  ShiftBits(dest, Ranged(0, 1, "11"), 1);
  EXPECT_EQ(dest.Text(), "011");  // the fill is "0" unless given
}

TEST(UnsignedValue, ReadsTheWholeWireFirstCellMostSignificant) {
  struct Case {
    Wire wire;
    double expected;
  } cases[] = {{Ranged(5, 0, "111111"), 63},
               {Ranged(5, 0, "100000"), 32},
               {Ranged(10, 0, "10000000001"), 1025},
               {Ranged(0, 0, "1"), 1},
               {Ranged(5, 0, "000002"), 2}};  // an edited cell counts with its number
  for (const Case& c : cases)
    EXPECT_EQ(UnsignedValue(c.wire), c.expected) << c.wire.Text();
}

}  // namespace
}  // namespace sumaris
