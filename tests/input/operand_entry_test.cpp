// The operand entry model: decimal <-> bits conversions checked against the
// host's own IEEE 754 encoding, the lenient reading of decimal texts, the box
// check with its focus moves, the hidden bit, the exponent overflow, the
// rounding injection and the reset.
#include "input/operand_entry.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "input/injection_table.h"
#include "wires/number_text.h"
#include "wires/platform.h"

namespace sumaris {
namespace {

struct RecordingDialogs final : UserDialogs {
  std::vector<std::string> messages;
  void Message(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return true; }
  void Beep() override {}
};

std::uint64_t Bits(double x) {
  return std::bit_cast<std::uint64_t>(x);
}
bool Bit(std::uint64_t u, int k) {
  return ((u >> k) & 1U) != 0;
}
const char* BitText(bool b) {
  return b ? "1" : "0";
}

const char* Name(Operand op) {
  return op == Operand::A ? "A" : "B";
}
BoxRow ERow(Operand op) {
  return op == Operand::A ? BoxRow::Ea : BoxRow::EB;
}
BoxRow FRow(Operand op) {
  return op == Operand::A ? BoxRow::Fa : BoxRow::FB;
}
const Cell& SignOf(const OperandEntry& e, Operand op) {
  return op == Operand::A ? e.Sa : e.SB;
}
const std::string& DecimalOf(const OperandEntry& e, Operand op) {
  return op == Operand::A ? e.OperandA : e.OperandB;
}

// The C library's reading of a decimal text (the tests run in the C locale).
double Parse(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

// Checks every box of the operand against the 64-bit pattern: sign bit 63,
// exponent box i = bit 52 + i, fraction box i = bit 52 - i, hidden bit = a
// non-zero exponent field.
void ExpectBoxesHold(const OperandEntry& e, Operand op, std::uint64_t u, const std::string& what) {
  SCOPED_TRACE(what + " operand " + Name(op));
  EXPECT_EQ(SignOf(e, op), BitText(Bit(u, 63)));
  const auto& ex = e.Exponent(op);
  const auto& fr = e.Fraction(op);
  for (int i = 0; i <= 10; ++i)
    EXPECT_EQ(ex[static_cast<std::size_t>(i)], BitText(Bit(u, 52 + i))) << "exponent box " << i;
  for (int i = 1; i <= 52; ++i)
    EXPECT_EQ(fr[static_cast<std::size_t>(i)], BitText(Bit(u, 52 - i))) << "fraction box " << i;
  const bool normal = ((u >> 52) & 0x7FF) != 0;
  EXPECT_EQ(fr[0], BitText(normal)) << "hidden bit";
}

// Types the pattern into the boxes the way the batch runner loads a vector:
// sign, exponent boxes 10 .. 0, fraction boxes 1 .. 52.
void TypeBits(OperandEntry& e, Operand op, std::uint64_t u) {
  e.SetSign(op, BitText(Bit(u, 63)));
  for (int i = 10; i >= 0; --i)
    e.SetBox(ERow(op), i, BitText(Bit(u, 52 + i)));
  for (int i = 1; i <= 52; ++i)
    e.SetBox(FRow(op), i, BitText(Bit(u, 52 - i)));
}

void DecimalToBits(OperandEntry& e, Operand op, const std::string& text) {
  e.SetDecimal(op, text);
  e.OperandChange(op);
}

std::string BitsToDecimal(OperandEntry& e, Operand op) {
  if (op == Operand::A) {
    e.AbitChanged();
  } else {
    e.BbitChanged();
  }
  return DecimalOf(e, op);
}

const double kSmallestSubnormal = std::numeric_limits<double>::denorm_min();
const double kLargestSubnormal = std::bit_cast<double>(std::uint64_t{0x000FFFFFFFFFFFFF});
const double kSmallestNormal = std::numeric_limits<double>::min();
const double kLargestNormal = std::numeric_limits<double>::max();

// --- decimal to bits --------------------------------------------------------

TEST(OperandChange, WritesTheHostEncodingIntoTheBoxes) {
  // Texts with 17 significant digits name the double exactly.
  const double values[] = {1,
                           -2.5,
                           0,
                           -0.0,
                           kSmallestSubnormal,
                           -kSmallestSubnormal,
                           kLargestSubnormal,
                           kSmallestNormal,
                           kLargestNormal,
                           -kLargestNormal,
                           0.1,
                           1e300,
                           -3e-310,
                           1234.5678,
                           6.02214076e23,
                           -1e-5};
  for (const Operand op : {Operand::A, Operand::B}) {
    OperandEntry e;
    for (const double v : values) {
      char text[64];
      std::snprintf(text, sizeof text, "%.17g", v);
      DecimalToBits(e, op, text);
      ExpectBoxesHold(e, op, Bits(v), text);
      EXPECT_FALSE(e.converting());
    }
  }
}

TEST(OperandChange, HandWorkedOperands) {
  OperandEntry e;
  DecimalToBits(e, Operand::A, "1");
  EXPECT_EQ(e.Sa, "0");
  for (int i = 0; i <= 9; ++i)
    EXPECT_EQ(e.Ea[static_cast<std::size_t>(i)], "1") << i;
  EXPECT_EQ(e.Ea[10], "0");
  EXPECT_EQ(e.Fa[0], "1");
  for (int i = 1; i <= 52; ++i)
    EXPECT_EQ(e.Fa[static_cast<std::size_t>(i)], "0") << i;

  DecimalToBits(e, Operand::A, "-2.5");
  EXPECT_EQ(e.Sa, "1");
  EXPECT_EQ(e.Ea[10], "1");
  for (int i = 0; i <= 9; ++i)
    EXPECT_EQ(e.Ea[static_cast<std::size_t>(i)], "0") << i;
  EXPECT_EQ(e.Fa[0], "1");
  for (int i = 1; i <= 52; ++i)
    EXPECT_EQ(e.Fa[static_cast<std::size_t>(i)], i == 2 ? "1" : "0") << i;

  DecimalToBits(e, Operand::A, "0");
  EXPECT_EQ(e.Sa, "0");
  for (const Cell& c : e.Ea)
    EXPECT_EQ(c, "0");
  for (const Cell& c : e.Fa)
    EXPECT_EQ(c, "0");
}

TEST(OperandChange, ReadsTheLeadingNumberOfTheText) {
  const std::pair<const char*, double> cases[] =
      {
          {" 12abc", 12},       {"-.5e3x", -500}, {"", 0},       {"abc", 0},
          {"+7.25E+1kg", 72.5}, {"\t3", 3},       {"1e", 1},     {"5.", 5},
          {"1d2", 100},         {"- 5", 0},       {"1e-400", 0},  // below the smallest subnormal:
                                                                  // zero
      };
  for (const auto& [text, value] : cases) {
    OperandEntry e;
    DecimalToBits(e, Operand::A, "3");  // something else first
    DecimalToBits(e, Operand::A, text);
    ExpectBoxesHold(e, Operand::A, Bits(value), std::string("text \"") + text + "\"");
    EXPECT_EQ(e.OperandA, text) << "the decimal text stays as typed";
  }
}

TEST(OperandChange, ATextBeyondTheDoubleRangeChangesNothing) {
  for (const char* text : {"1e400", "-1e400", "-9.9e99999", "1.7976931348623159e308"}) {
    OperandEntry e;
    RecordingDialogs dialogs;
    e.SetDialogs(&dialogs);
    DecimalToBits(e, Operand::B, "3");
    std::vector<std::pair<BoxRow, int>> focus;
    e.onFocus = [&](BoxRow row, int index) { focus.emplace_back(row, index); };
    DecimalToBits(e, Operand::B, text);
    ExpectBoxesHold(e, Operand::B, Bits(3.0), text);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(focus.empty());
    EXPECT_FALSE(e.converting());
  }
}

TEST(OperandChange, DoesNotDependOnTheProcessLocale) {
  // A desktop session may run with a locale whose decimal separator is a
  // comma; the operands are written with a point whatever the locale.
  const char* saved = std::setlocale(LC_NUMERIC, nullptr);
  const std::string restore = saved != nullptr ? saved : "C";
  const char* comma = nullptr;
  for (const char* name :
       {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      comma = name;
      break;
    }
  }
  if (comma == nullptr) {
    std::setlocale(LC_NUMERIC, restore.c_str());
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  OperandEntry e;
  DecimalToBits(e, Operand::A, "2.5");
  const std::uint64_t written = [&] {
    std::uint64_t u = 0;
    for (int i = 1; i <= 52; ++i)
      u |= std::uint64_t{e.Fa[static_cast<std::size_t>(i)] == "1"} << (52 - i);
    for (int i = 0; i <= 10; ++i)
      u |= std::uint64_t{e.Ea[static_cast<std::size_t>(i)] == "1"} << (52 + i);
    return u;
  }();
  std::setlocale(LC_NUMERIC, restore.c_str());
  EXPECT_EQ(written, Bits(2.5)) << "locale " << comma;
}

TEST(OperandChange, EveryPressConvertsAndClearsTheDecimalWrittenFlag) {
  OperandEntry e;
  TypeBits(e, Operand::A, Bits(3.0));
  BitsToDecimal(e, Operand::A);
  EXPECT_TRUE(e.decimalWritten());
  DecimalToBits(e, Operand::B, "5");  // the other operand's request converts too
  EXPECT_FALSE(e.decimalWritten());
  ExpectBoxesHold(e, Operand::B, Bits(5.0), "B after A's bits-to-decimal");
  BitsToDecimal(e, Operand::A);
  DecimalToBits(e, Operand::A, "-6");
  ExpectBoxesHold(e, Operand::A, Bits(-6.0), "A right after its bits-to-decimal");
}

// --- bits to decimal --------------------------------------------------------

TEST(BitsToDecimal, WritesFifteenSignificantDigits) {
  // Expected texts worked out by hand: 15 significant digits, trailing zeros
  // dropped, a blank before a value that is not negative, fixed notation
  // from 1E-05 up to below 1E+15, the exponent form outside.
  const std::pair<double, const char*> cases[] = {
      {1, " 1"},
      {-2.5, "-2.5"},
      {0, " 0"},
      {-0.0, " 0"},
      {0.1, " 0.1"},
      {-0.375, "-0.375"},
      {1.0 / 3, " 0.333333333333333"},
      {2.0 / 3, " 0.666666666666667"},
      {kSmallestSubnormal, " 4.94065645841247E-324"},
      {kLargestSubnormal, " 2.2250738585072E-308"},
      {kSmallestNormal, " 2.2250738585072E-308"},
      {kLargestNormal, " 1.79769313486232E+308"},
      {-kLargestNormal, "-1.79769313486232E+308"},
      {1e15, " 1E+15"},
      {999999999999999, " 999999999999999"},
      {123456789012345678.0, " 1.23456789012346E+17"},
      {1e-5, " 0.00001"},
      {1.5e-6, " 1.5E-06"},
      {-1e300, "-1E+300"},
      {4503599627370496, " 4.5035996273705E+15"},
      {1024, " 1024"},
      {0.0009765625, " 0.0009765625"},
  };
  for (const Operand op : {Operand::A, Operand::B}) {
    for (const auto& [value, text] : cases) {
      OperandEntry e;
      TypeBits(e, op, Bits(value));
      EXPECT_EQ(BitsToDecimal(e, op), text) << "value " << value << " operand " << Name(op);
      EXPECT_TRUE(e.decimalWritten());
    }
  }
}

TEST(BitsToDecimal, RandomOperandsReadBackWithinFifteenDigits) {
  std::mt19937_64 random(20240617);
  OperandEntry e;
  for (int n = 0; n < 4000; ++n) {
    std::uint64_t u = random();
    if (((u >> 52) & 0x7FF) == 0x7FF) u ^= std::uint64_t{1} << 62;  // no infinities, no NaNs
    if (n % 4 == 1) u &= ~(std::uint64_t{0x7FF} << 52);             // a quarter subnormal
    const double value = std::bit_cast<double>(u);
    const Operand op = (n % 2 == 0) ? Operand::A : Operand::B;
    TypeBits(e, op, u);
    ExpectBoxesHold(e, op, u, "typed");
    const std::string text = BitsToDecimal(e, op);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0], std::signbit(value) && value != 0 ? '-' : ' ') << text;
    const double back = Parse(text);
    EXPECT_LE(std::fabs(back - value), 1e-14 * std::fabs(value)) << text << " for " << u;

    // And back to bits: the boxes then hold exactly what the text names.
    e.OperandChange(op);
    ExpectBoxesHold(e, op, Bits(back), text);
  }
}

TEST(BitsToDecimal, ExponentOfAllOnesShowsOverflowAndUsesExponent1023) {
  for (const Operand op : {Operand::A, Operand::B}) {
    for (const char* sign : {"0", "1"}) {
      OperandEntry e;
      RecordingDialogs dialogs;
      e.SetDialogs(&dialogs);
      e.SetSign(op, sign);
      for (int i = 10; i >= 0; --i)
        e.SetBox(ERow(op), i, "1");
      e.SetBox(FRow(op), 1, "1");  // significand 1.5
      const std::string text = BitsToDecimal(e, op);
      ASSERT_EQ(dialogs.messages.size(), 1u);
      EXPECT_EQ(dialogs.messages[0], "Exponent Overflow!");
      EXPECT_EQ(e.Exponent(op)[10], "0");
      for (int i = 0; i <= 9; ++i)
        EXPECT_EQ(e.Exponent(op)[static_cast<std::size_t>(i)], "1") << i;
      EXPECT_EQ(e.Fraction(op)[0], "1");
      EXPECT_EQ(text, sign[0] == '1' ? "-1.5" : " 1.5");
      // The field now reads 1023: a second conversion is quiet.
      BitsToDecimal(e, op);
      EXPECT_EQ(dialogs.messages.size(), 1u);
    }
  }
}

TEST(BitsToDecimal, DisabledisplayStopsIt) {
  OperandEntry e;
  RecordingDialogs dialogs;
  e.SetDialogs(&dialogs);
  for (int i = 10; i >= 0; --i)
    e.SetBox(BoxRow::Ea, i, "1");
  e.SetDecimal(Operand::A, "typed");
  e.Disabledisplay = true;
  EXPECT_EQ(BitsToDecimal(e, Operand::A), "typed");
  EXPECT_EQ(e.Ea[10], "1") << "no overflow check either";
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(e.decimalWritten());
  e.Disabledisplay = false;
  EXPECT_NE(BitsToDecimal(e, Operand::A), "typed");
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST(BitsToDecimal, ReadsBoxesByTheirNumericValue) {
  // A sign box is not checked: only the value 1 makes the operand negative.
  const std::pair<const char*, char> signs[] = {
      {"1", '-'}, {"0", ' '}, {"2", ' '}, {"x", ' '}, {"", ' '}};
  for (const auto& [sign, first] : signs) {
    OperandEntry e;
    TypeBits(e, Operand::A, Bits(2.0));
    e.SetSign(Operand::A, sign);
    EXPECT_EQ(BitsToDecimal(e, Operand::A)[0], first) << "sign \"" << sign << "\"";
  }
}

// --- hidden bit and the box check ---------------------------------------------

TEST(SetHidden, IsOneExactlyWhenAnExponentBitIsSet) {
  for (int set = -1; set <= 10; ++set) {
    OperandEntry e;
    for (int i = 0; i <= 10; ++i)
      e.EB[static_cast<std::size_t>(i)] = (i == set) ? "1" : "0";
    e.FB[0] = (set < 0) ? "1" : "0";  // the opposite of the answer
    e.SetHidden(Operand::B);
    EXPECT_EQ(e.FB[0], set >= 0 ? "1" : "0") << "exponent bit " << set;
    EXPECT_EQ(e.Fa[0], "0") << "A untouched";
  }
}

TEST(SetHidden, FollowsEveryExponentBoxThatChanges) {
  OperandEntry e;
  e.SetBox(BoxRow::Ea, 4, "1");
  EXPECT_EQ(e.Fa[0], "1");
  e.SetBox(BoxRow::Ea, 0, "1");
  e.SetBox(BoxRow::Ea, 4, "0");
  EXPECT_EQ(e.Fa[0], "1");
  e.SetBox(BoxRow::Ea, 0, "0");
  EXPECT_EQ(e.Fa[0], "0");
  EXPECT_EQ(e.FB[0], "0");
}

struct FocusLog {
  std::vector<std::pair<BoxRow, int>> moves;
  void Attach(OperandEntry& e) {
    e.onFocus = [this](BoxRow row, int index) { moves.emplace_back(row, index); };
  }
  std::pair<BoxRow, int> Last() const { return moves.back(); }
};

TEST(LabelCollectionChange, TypingRunsThroughTheExponentThenTheFraction) {
  for (const Operand op : {Operand::A, Operand::B}) {
    OperandEntry e;
    FocusLog focus;
    focus.Attach(e);
    for (int i = 10; i >= 0; --i) {
      focus.moves.clear();
      e.SetBox(ERow(op), i, i == 7 ? "0" : "1");
      ASSERT_FALSE(focus.moves.empty()) << i;
      const auto expected = i > 0 ? std::make_pair(ERow(op), i - 1) : std::make_pair(FRow(op), 1);
      EXPECT_EQ(focus.Last(), expected) << "after exponent box " << i;
    }
    for (int i = 1; i <= 52; ++i) {
      focus.moves.clear();
      // Every third box gets the "0" it already holds: the key still moves on.
      e.SetBox(FRow(op), i, (i % 3 == 0) ? "0" : "1");
      if (i < 52) {
        ASSERT_FALSE(focus.moves.empty()) << i;
        EXPECT_EQ(focus.Last(), std::make_pair(FRow(op), i + 1)) << "after fraction box " << i;
      } else {
        EXPECT_TRUE(focus.moves.empty()) << "the last box keeps the focus";
      }
    }
    for (int i = 0; i <= 10; ++i) {
      EXPECT_EQ(e.Exponent(op)[static_cast<std::size_t>(i)], i == 7 ? "0" : "1");
    }
    EXPECT_EQ(e.Fraction(op)[0], "1");
    for (int i = 1; i <= 52; ++i) {
      EXPECT_EQ(e.Fraction(op)[static_cast<std::size_t>(i)], i % 3 == 0 ? "0" : "1");
    }
  }
}

TEST(LabelCollectionChange, RewritingAnExponentBoxSettlesTheHiddenBit) {
  // A "1" typed into the hidden bit of a zero exponent stays until an
  // exponent box is written again, even with the "0" it holds.
  OperandEntry e;
  e.SetBox(BoxRow::FB, 0, "1");
  EXPECT_EQ(e.FB[0], "1");
  e.SetBox(BoxRow::EB, 6, "0");
  EXPECT_EQ(e.FB[0], "0");
  e.SetBox(BoxRow::FB, 0, "1");
  e.Reset();
  EXPECT_EQ(e.FB[0], "0") << "the reset clears the exponent boxes";
}

TEST(LabelCollectionChange, AnyOtherTextBecomesZeroAndTheFocusMovesOn) {
  struct Case {
    BoxRow row;
    int index;
    const char* text;
    std::pair<BoxRow, int> focus;
  } cases[] = {
      {BoxRow::Ea, 5, "7", {BoxRow::Ea, 4}},  {BoxRow::Ea, 0, "x", {BoxRow::Fa, 1}},
      {BoxRow::EB, 10, "", {BoxRow::EB, 9}},  {BoxRow::Fa, 7, "2", {BoxRow::Fa, 8}},
      {BoxRow::FB, 0, "10", {BoxRow::FB, 1}}, {BoxRow::FB, 51, " 1", {BoxRow::FB, 52}},
  };
  for (const Case& c : cases) {
    OperandEntry e;
    FocusLog focus;
    focus.Attach(e);
    if (c.index != 0 || c.row == BoxRow::Ea) e.SetBox(c.row, c.index, "1");
    focus.moves.clear();
    e.SetBox(c.row, c.index, c.text);
    const auto& box = (c.row == BoxRow::Ea || c.row == BoxRow::EB)
                          ? (c.row == BoxRow::Ea ? e.Ea : e.EB)[static_cast<std::size_t>(c.index)]
                          : (c.row == BoxRow::Fa ? e.Fa : e.FB)[static_cast<std::size_t>(c.index)];
    EXPECT_EQ(box, "0") << "text \"" << c.text << "\"";
    ASSERT_FALSE(focus.moves.empty());
    EXPECT_EQ(focus.Last(), c.focus) << "text \"" << c.text << "\"";
  }
  OperandEntry e;
  e.SetBox(BoxRow::FB, 52, "9");
  EXPECT_EQ(e.FB[52], "0");
}

TEST(LabelCollectionChange, SignBoxesAreNotChecked) {
  OperandEntry e;
  FocusLog focus;
  focus.Attach(e);
  e.SetSign(Operand::A, "7");
  EXPECT_EQ(e.Sa, "7");
  EXPECT_TRUE(focus.moves.empty());
}

// --- operation, rounding and injection ------------------------------------------

TEST(Options, OneButtonOfEachFrame) {
  OperandEntry e;
  EXPECT_TRUE(e.Option(5));
  EXPECT_TRUE(e.Option(4));
  e.SelectOption(6);
  e.SelectOption(2);
  for (int n = 1; n <= 6; ++n)
    EXPECT_EQ(e.Option(n), n == 6 || n == 2) << n;
  EXPECT_FALSE(e.IsAdd());
  EXPECT_EQ(e.RoundingOption(), 2);
  e.SelectOption(5);
  for (int n = 1; n <= 6; ++n)
    EXPECT_EQ(e.Option(n), n == 5 || n == 2) << n;
}

TEST(SetINJ, SignOfTheLargerMagnitudeAndTheModesInjection) {
  // Magnitude pairs: A larger by exponent, B larger by exponent, the same
  // exponent with either fraction larger, equal magnitudes.
  const std::pair<double, double> magnitudes[] = {{4.0, 1.5},
                                                  {1.5, 2.5},
                                                  {1.25, 1.5},
                                                  {1.75, 1.5},
                                                  {2.5, 2.5},
                                                  {0, 0},
                                                  {kSmallestSubnormal, 0}};
  for (const auto& [ma, mb] : magnitudes) {
    for (int sa = 0; sa <= 1; ++sa) {
      for (int sb = 0; sb <= 1; ++sb) {
        for (const int operation : {5, 6}) {
          for (int mode = 1; mode <= 4; ++mode) {
            OperandEntry e;
            Cell resultSign("x");
            e.ConnectResultSign(&resultSign);
            const double a = sa ? -ma : ma;
            const double b = sb ? -mb : mb;
            TypeBits(e, Operand::A, Bits(a));
            TypeBits(e, Operand::B, Bits(b));
            e.SelectOption(operation);
            e.SelectOption(mode);
            e.SetINJ();

            // The sign of A when |A| >= |B|, else the sign of B, inverted
            // when B is subtracted.
            const bool subtract = operation == 6;
            const int sign = std::fabs(a) >= std::fabs(b) ? sa : (sb ^ (subtract ? 1 : 0));
            const char* inj0 = "0";
            const char* inj1 = "0";
            if ((mode == 1 && sign == 0) || (mode == 2 && sign == 1)) inj0 = inj1 = "1";
            if (mode == 4) inj0 = "1";
            SCOPED_TRACE(::testing::Message() << "A " << a << " B " << b
                                              << (subtract ? " Sub" : " Add") << " mode " << mode);
            EXPECT_EQ(resultSign, sign ? "1" : "0");
            EXPECT_EQ(e.INJ[0], inj0);
            EXPECT_EQ(e.INJ[1], inj1);
          }
        }
      }
    }
  }
}

TEST(SetINJ, WorksWithoutAResultWindow) {
  OperandEntry e;
  e.SelectOption(1);
  DecimalToBits(e, Operand::A, "-3");
  e.SetINJ();
  EXPECT_EQ(e.INJ[0], "0");
  EXPECT_EQ(e.INJ[1], "0");
  DecimalToBits(e, Operand::A, "3");
  e.SetINJ();
  EXPECT_EQ(e.INJ[0], "1");
  EXPECT_EQ(e.INJ[1], "1");
}

// --- reset ----------------------------------------------------------------------

TEST(Reset, ZeroOperandsAddAndRoundToNearestEven) {
  OperandEntry e;
  DecimalToBits(e, Operand::A, "-123.75");
  DecimalToBits(e, Operand::B, "6.5e-310");
  e.SetBox(BoxRow::FB, 52, "1");
  e.SelectOption(6);
  e.SelectOption(3);
  e.Reset();
  for (const Operand op : {Operand::A, Operand::B}) {
    ExpectBoxesHold(e, op, 0, "after reset");
    EXPECT_EQ(DecimalOf(e, op), "0");
  }
  EXPECT_TRUE(e.Option(5));
  EXPECT_TRUE(e.Option(4));
  EXPECT_FALSE(e.Option(6));
  EXPECT_FALSE(e.Option(3));
}

// --- the injection table ----------------------------------------------------------

TEST(InjectionTable, StartsWithEachModesBitsAndAcceptsOnlyOne) {
  InjectionTable t;
  const char* initial[4][2] = {{"1", "1"}, {"0", "1"}, {"0", "0"}, {"1", "0"}};
  const char* labels[4] = {"UP", "Down", "Zero", "NE"};
  const char* names[4] = {"INJ_UP", "INJ_DOWN", "INJ_ZERO", "INJ_NE"};
  for (int row = 0; row < InjectionTable::kRows; ++row) {
    EXPECT_EQ(InjectionTable::RowLabel(row), labels[row]);
    EXPECT_EQ(InjectionTable::BoxName(row), names[row]);
    for (int i = 0; i < 2; ++i)
      EXPECT_EQ(t.Box(row, i), initial[row][i]) << row << "," << i;
  }
  const std::pair<const char*, const char*> typed[] = {
      {"1", "1"}, {"x", "0"}, {"0", "0"}, {"", "0"}, {"11", "0"}, {" 1", "0"}, {"2", "0"}};
  for (const auto& [text, kept] : typed) {
    t.SetBox(InjectionTable::kZero, 1, text);
    EXPECT_EQ(t.Box(InjectionTable::kZero, 1), kept) << "\"" << text << "\"";
  }
  EXPECT_EQ(t.Box(InjectionTable::kZero, 0), "0") << "its neighbour untouched";
}

}  // namespace
}  // namespace sumaris
