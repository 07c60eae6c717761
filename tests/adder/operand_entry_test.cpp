// The operand entry model: decimal <-> bits conversions checked against the
// host's own IEEE 754 encoding, the lenient reading of decimal texts, the box
// check with its focus moves, the exponent overflow, the rounding injection
// and the reset.
#include "adder/operand_entry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "adder/adder_stage.h"
#include "support/adder_driver.h"
#include "support/files.h"
#include "support/recording_platform.h"

namespace sumaris {
namespace {

using test::Bits;

// The operand's boxes as the 64 bits of its encoding, then "/" and the hidden bit.
std::string Boxes(const OperandEntry& e, Operand op) {
  std::string s = (op == Operand::A ? e.Sa : e.SB).str();
  for (int i = 10; i >= 0; --i)
    s += e.Exponent(op)[static_cast<std::size_t>(i)].str();
  for (int i = 1; i <= 52; ++i)
    s += e.Fraction(op)[static_cast<std::size_t>(i)].str();
  return s + "/" + e.Fraction(op)[0].str();
}
std::string Encoding(std::uint64_t u) {
  return test::BitString(u) + (test::Field(u) != 0 ? "/1" : "/0");
}
// Types the bits into the boxes as a user or the batch runner does.
void TypeBits(OperandEntry& e, Operand op, std::uint64_t u) {
  e.SetSign(op, (u >> 63) ? "1" : "0");
  for (int i = 10; i >= 0; --i)
    e.SetBox(op == Operand::A ? BoxRow::Ea : BoxRow::EB, i, ((u >> (52 + i)) & 1) ? "1" : "0");
  for (int i = 1; i <= 52; ++i)
    e.SetBox(op == Operand::A ? BoxRow::Fa : BoxRow::FB, i, ((u >> (52 - i)) & 1) ? "1" : "0");
}
std::string ToDecimal(OperandEntry& e, Operand op) {
  e.BitsToDecimal(op);
  return op == Operand::A ? e.OperandA : e.OperandB;
}
void ToBits(OperandEntry& e, Operand op, const std::string& text) {
  e.SetDecimal(op, text);
  e.OperandChange(op);
}

TEST(OperandConversion, BothWaysAgreeWithTheHostEncoding) {
  // Decimal texts worked by hand: the fewest significant digits that read
  // back to the same double, a blank before a value that is not negative,
  // the exponent form below 1E-05 and from 1E+15 on.
  const std::pair<double, const char*> cases[] = {
      {1, " 1"},
      {-2.5, "-2.5"},
      {0, " 0"},
      {-0.0, " 0"},
      {std::numeric_limits<double>::denorm_min(), " 5E-324"},
      {std::bit_cast<double>(std::uint64_t{0x000FFFFFFFFFFFFF}), " 2.225073858507201E-308"},
      {std::numeric_limits<double>::min(), " 2.2250738585072014E-308"},
      {-std::numeric_limits<double>::max(), "-1.7976931348623157E+308"},
      {0.1, " 0.1"},
      {0.1 + 0.2, " 0.30000000000000004"},
      {1.0 / 3, " 0.3333333333333333"},
      {999999999999999, " 999999999999999"},
      {1e15, " 1E+15"},
      {1e-5, " 0.00001"},
      {1.5e-6, " 1.5E-06"}};
  for (const Operand op : {Operand::A, Operand::B}) {
    for (const auto& [value, text] : cases) {
      char exact[64];  // 17 significant digits name the double exactly
      std::snprintf(exact, sizeof exact, "%.17g", value);
      OperandEntry e;
      ToBits(e, op, exact);
      EXPECT_EQ(Boxes(e, op), Encoding(Bits(value))) << exact;
      OperandEntry f;
      TypeBits(f, op, Bits(value));
      EXPECT_EQ(ToDecimal(f, op), text) << exact;
    }
  }
}

TEST(OperandConversion, RandomOperandsGoRoundExactly) {
  std::mt19937_64 random(20240617);
  OperandEntry e;
  for (int n = 0; n < 2000; ++n) {
    std::uint64_t u = random();
    if (test::Field(u) == 0x7FF) u ^= std::uint64_t{1} << 62;  // no infinities, no NaNs
    if (n % 4 == 1) u &= ~(std::uint64_t{0x7FF} << 52);        // a quarter subnormal
    const Operand op = n % 2 == 0 ? Operand::A : Operand::B;
    TypeBits(e, op, u);
    const std::string text = ToDecimal(e, op);
    const double value = test::AsDouble(u), back = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(text[0], value < 0 ? '-' : ' ') << text;
    ASSERT_EQ(back, value) << text << " for " << u;
    e.OperandChange(op);
    ASSERT_EQ(Boxes(e, op), Encoding(u)) << text;
  }
}

TEST(OperandConversion, ReadsTheLeadingNumberAndIgnoresOneBeyondTheRange) {
  // A number beyond the range changes no bit and says so, with the text.
  const std::pair<const char*, std::optional<double>> cases[] = {
      {" 12abc", 12}, {"-.5e3x", -500}, {"", 0}, {"abc", 0}, {"1e400", {}}, {" -1e400 ", {}}};
  for (const auto& [text, value] : cases) {
    OperandEntry e;
    test::RecordingDialogs dialogs;
    e.onMessage = [&dialogs](std::string_view message) { dialogs.Message(message); };
    ToBits(e, Operand::B, "3");
    ToBits(e, Operand::B, text);
    EXPECT_EQ(Boxes(e, Operand::B), Encoding(Bits(value.value_or(3.0)))) << '"' << text << '"';
    EXPECT_EQ(e.OperandB, text);
    if (value) {
      EXPECT_TRUE(dialogs.messages.empty()) << '"' << text << '"';
    } else {
      const std::string quoted = std::string(text).substr(text[0] == ' ' ? 1 : 0, 6);
      ASSERT_EQ(dialogs.messages.size(), 1u) << '"' << text << '"';
      EXPECT_EQ(dialogs.messages[0],
                "Operand B: the bits are unchanged.\n" + quoted +
                    " lies beyond the range of a double (largest about 1.8E+308).");
    }
  }
}

// Whether a decimal box still describes its operand's bits: after either
// conversion and a reset it does; typed bits, a batch vector's bits or a
// failed conversion's text leave it beside bits it no longer describes,
// until the next conversion.
TEST(OperandConversion, TheDecimalTextMatchesTheBitsUntilTheBitsChange) {
  const struct {
    const char* what;
    std::function<void(OperandEntry&)> act;
    bool aMatches, bMatches;
  } steps[] = {
      {"at load", [](OperandEntry&) {}, true, true},
      {"a typed bit of A", [](OperandEntry& e) { e.SetBox(BoxRow::Fa, 3, "1"); }, false, true},
      {"the same bit typed back", [](OperandEntry& e) { e.SetBox(BoxRow::Fa, 3, "0"); }, true,
       true},
      {"a batch vector's bits into B", [](OperandEntry& e) { TypeBits(e, Operand::B, Bits(0.75)); },
       true, false},
      {"-> on B", [](OperandEntry& e) { e.BbitChanged(); }, true, true},
      {"A's sign typed", [](OperandEntry& e) { e.SetSign(Operand::A, "1"); }, false, true},
      {"<- on A beyond the range", [](OperandEntry& e) { ToBits(e, Operand::A, "1e999"); }, false,
       true},
      {"<- on A", [](OperandEntry& e) { ToBits(e, Operand::A, "2.5"); }, true, true},
      {"a typed exponent bit of B", [](OperandEntry& e) { e.SetBox(BoxRow::EB, 0, "1"); }, true,
       false},
      {"-> on B while it is disabled",
       [](OperandEntry& e) {
         e.Disabledisplay = true;
         e.BbitChanged();
         e.Disabledisplay = false;
       },
       true, false},
      {"reset", [](OperandEntry& e) { e.Reset(); }, true, true},
  };
  OperandEntry e;
  for (const auto& step : steps) {
    step.act(e);
    EXPECT_EQ(e.DecimalMatchesBits(Operand::A), step.aMatches) << step.what;
    EXPECT_EQ(e.DecimalMatchesBits(Operand::B), step.bMatches) << step.what;
  }
}

TEST(OperandConversion, AnExponentOfAllOnesShowsExponentOverflow) {
  for (const auto& [op, negative] : {std::pair{Operand::A, false}, std::pair{Operand::B, true}}) {
    OperandEntry e;
    test::RecordingDialogs dialogs;
    e.onMessage = [&dialogs](std::string_view message) { dialogs.Message(message); };
    TypeBits(e, op, (negative ? test::kSignBit : 0) | test::Pack(false, 0x7FF, 1ULL << 51));
    e.Disabledisplay = true;
    EXPECT_EQ(ToDecimal(e, op), "0") << "nothing while the display is disabled";
    e.Disabledisplay = false;
    EXPECT_EQ(ToDecimal(e, op), negative ? "-1.5" : " 1.5");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Exponent Overflow!"});
    EXPECT_EQ(Boxes(e, op), Encoding(Bits(negative ? -1.5 : 1.5))) << "exponent field 1023";
    ToDecimal(e, op);
    EXPECT_EQ(dialogs.messages.size(), 1u);
  }
}

TEST(OperandBoxes, TypingChecksTheBitAndMovesTheFocusLeftToRight) {
  const char* rows[] = {"Ea", "EB", "Fa", "FB"};
  struct Case {
    BoxRow row;
    int index;
    const char* typed;
    const char* kept;
    std::string focus;  // where the focus went, "" for nowhere
  } cases[] = {{BoxRow::Ea, 5, "7", "0", "Ea4"},  {BoxRow::Ea, 0, "1", "1", "Fa1"},
               {BoxRow::EB, 10, "", "0", "EB9"},  {BoxRow::Fa, 7, "x", "0", "Fa8"},
               {BoxRow::FB, 0, "10", "0", "FB1"}, {BoxRow::FB, 51, "1", "1", "FB52"},
               {BoxRow::FB, 52, "1", "1", ""}};  // the last box keeps the focus
  for (const Case& c : cases) {
    OperandEntry e;
    std::string focus;
    e.onFocus = [&](BoxRow row, int index) {
      focus = rows[static_cast<int>(row)] + std::to_string(index);
    };
    e.SetBox(c.row, c.index, c.typed);
    const bool exponent = c.row == BoxRow::Ea || c.row == BoxRow::EB;
    const Operand op = c.row == BoxRow::Ea || c.row == BoxRow::Fa ? Operand::A : Operand::B;
    const Cell& box = exponent ? e.Exponent(op)[static_cast<std::size_t>(c.index)]
                               : e.Fraction(op)[static_cast<std::size_t>(c.index)];
    EXPECT_EQ(box, c.kept) << '"' << c.typed << '"';
    EXPECT_EQ(focus, c.focus) << "after " << rows[static_cast<int>(c.row)] << c.index;
    EXPECT_EQ(e.Fraction(op)[0], exponent ? c.kept : "0") << "the hidden bit follows the exponent";
  }
  OperandEntry e;
  e.SetSign(Operand::A, "7");
  EXPECT_EQ(e.Sa, "7") << "sign boxes are not checked";
}

TEST(OperandBoxes, CopyBoxesPutsBoxIIntoBitIOfAWireOfEitherDirection) {
  std::array<Cell, 11> boxes;
  for (std::size_t i = 0; i < boxes.size(); ++i)
    boxes[i] = "b" + std::to_string(i);
  struct Case {
    int first, last;  // the wire's range
    int from, to;     // the boxes copied
    const char* expected;
  } cases[] = {{6, 0, 0, 6, "b6b5b4b3b2b1b0"},  // EA[6:0]: cell 0 holds bit 6
               {10, 7, 7, 10, "b10b9b8b7"},
               {1, 0, 0, 1, "b1b0"},
               {0, 3, 0, 3, "b0b1b2b3"},  // FA[0:52]: cell 0 holds bit 0
               {10, 0, 3, 5, ".....b5b4b3..."}};
  for (const Case& c : cases) {
    Wire w("W", "W", c.first, c.last, ".");
    CopyBoxes(w, boxes, c.from, c.to);
    EXPECT_EQ(w.Text(), c.expected) << c.first << ":" << c.last;
  }
}

TEST(SetINJ, TakesTheSignOfTheLargerMagnitudeAndTheModesInjection) {
  // A larger by exponent, B larger by exponent, equal exponents with either
  // fraction larger, equal magnitudes.
  const std::pair<double, double> magnitudes[] = {{4.0, 1.5},  {1.5, 2.5}, {1.25, 1.5},
                                                  {1.75, 1.5}, {2.5, 2.5}, {0, 0}};
  for (const auto& [ma, mb] : magnitudes) {
    for (int signs = 0; signs < 4; ++signs) {
      for (const bool subtract : {false, true}) {
        for (const test::Mode& mode : test::kRoundings) {
          const int sa = signs & 1, sb = signs >> 1;
          OperandEntry e;
          Cell resultSign("x");
          e.ConnectResultSign(&resultSign);
          TypeBits(e, Operand::A, Bits(sa ? -ma : ma));
          TypeBits(e, Operand::B, Bits(sb ? -mb : mb));
          e.SelectOperation(subtract ? Operation::Subtract : Operation::Add);
          e.SelectRounding(mode.rounding);
          e.SetINJ();
          const int sign = ma >= mb ? sa : sb ^ static_cast<int>(subtract);
          const bool toward =
              (mode.letter == 'U' && sign == 0) || (mode.letter == 'D' && sign == 1);
          const std::string inj = toward ? "11" : mode.letter == 'N' ? "10" : "00";
          EXPECT_EQ(resultSign.str() + "," + e.INJ[0].str() + e.INJ[1].str(),
                    std::to_string(sign) + "," + inj)
              << ma << (sa ? " -" : " +") << (subtract ? " sub " : " add ") << (sb ? "-" : "+")
              << mb << " " << mode.name;
        }
      }
    }
  }
}

TEST(OperandReset, ZeroOperandsAddAndRoundToNearestEven) {
  OperandEntry e;
  ToBits(e, Operand::A, "-123.75");
  ToBits(e, Operand::B, "6.5e-310");
  e.SelectOperation(Operation::Subtract);
  e.SelectRounding(Rounding::TowardZero);
  e.Reset();
  for (const Operand op : {Operand::A, Operand::B})
    EXPECT_EQ(Boxes(e, op), Encoding(0));
  EXPECT_EQ(e.OperandA + e.OperandB, "00");
  EXPECT_EQ(e.operation(), Operation::Add);
  EXPECT_EQ(e.rounding(), Rounding::NearestEven);
}

}  // namespace
}  // namespace sumaris

namespace sumaris {
namespace {

// The boxes read back as the encoding they were given, whichever way they
// were written; the sign box reads as the adder takes it.
TEST(OperandBits, ReadTheEncodingTheBoxesHold) {
  const std::uint64_t encodings[] = {0,
                                     test::kSignBit,
                                     0x3FF0000000000000,
                                     0xC00921FB54442D18,
                                     0x000FFFFFFFFFFFFF,
                                     0x7FF8000000000001,
                                     0xFFEFFFFFFFFFFFFF};
  for (const std::uint64_t bits : encodings) {
    for (const Operand op : {Operand::A, Operand::B}) {
      OperandEntry e;
      std::array<unsigned char, 8> bytes{};
      for (int k = 0; k < 8; ++k)
        bytes[static_cast<std::size_t>(k)] = static_cast<unsigned char>(bits >> (8 * k));
      BytesToBoxes(bytes, e, op);
      EXPECT_EQ(test::Hex(OperandBits(e, op)), test::Hex(bits));
      EXPECT_EQ(OperandBits(e, op == Operand::A ? Operand::B : Operand::A), 0u);
    }
  }
  OperandEntry e;
  e.SetSign(Operand::A, "-1");  // any value but 0 is negative, as SetINJ reads it
  EXPECT_EQ(OperandBits(e, Operand::A), test::kSignBit);
}

}  // namespace
}  // namespace sumaris
