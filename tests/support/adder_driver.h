// Drives the whole adder the way a user of the operand entry does: the
// operand bits go into the boxes (whose change events keep the hidden bits),
// the operation and the rounding mode into the option buttons, then Run; the
// result is read back from the Results rows as a 64-bit pattern.
#pragma once

#include <array>
#include <bit>
#include <cfenv>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "adder/adder.h"
#include "session/session.h"

namespace sumaris::test {

inline constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
inline constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;

inline int Field(std::uint64_t bits) {
  return static_cast<int>((bits >> 52) & 0x7FF);
}
inline std::uint64_t Fraction(std::uint64_t bits) {
  return bits & kFractionMask;
}
inline bool Negative(std::uint64_t bits) {
  return (bits & kSignBit) != 0;
}
inline std::uint64_t Magnitude(std::uint64_t bits) {
  return bits & ~kSignBit;
}
inline std::uint64_t Pack(bool negative, int field, std::uint64_t fraction) {
  return (negative ? kSignBit : 0) | (static_cast<std::uint64_t>(field & 0x7FF) << 52) |
         (fraction & kFractionMask);
}
inline double AsDouble(std::uint64_t bits) {
  return std::bit_cast<double>(bits);
}
inline std::uint64_t Bits(double value) {
  return std::bit_cast<std::uint64_t>(value);
}

// The four rounding modes: the operand entry's mode, the host's <cfenv>
// mode and the batch file's letter.
struct Mode {
  Rounding rounding;
  int hostMode;
  char letter;
  const char* name;
};
inline constexpr std::array<Mode, 4> kRoundings = {{
    {Rounding::NearestEven, FE_TONEAREST, 'N', "nearest even"},
    {Rounding::Up, FE_UPWARD, 'U', "up"},
    {Rounding::Down, FE_DOWNWARD, 'D', "down"},
    {Rounding::TowardZero, FE_TOWARDZERO, 'Z', "toward zero"},
}};

// One adder with its session, reused for every addition of a test.
// One line of a vector file split at its commas, quotes and carriage
// returns dropped (the sample file's fields hold no comma).
inline std::vector<std::string> SplitVectorLine(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, ',');) {
    std::erase(field, '"');
    std::erase(field, '\r');
    fields.push_back(field);
  }
  return fields;
}

// A bit field of a vector file as bits: "1" and "|" ones, anything else zero.
inline std::uint64_t FieldBits(const std::string& field) {
  std::uint64_t bits = 0;
  for (const char c : field)
    bits = (bits << 1) | (c == '1' || c == '|' ? 1 : 0);
  return bits;
}

class AdderDriver {
 public:
  AdderDriver() : session_(adder_) { session_.FillStepTable(); }

  Adder& adder() { return adder_; }
  Session& session() { return session_; }

  // Sign box, exponent boxes (box i = exponent bit i) and fraction boxes
  // (box i = the bit of weight 2^-i) of one operand, as typed.
  void Load(Operand op, std::uint64_t bits) {
    OperandEntry& in = adder_.input;
    in.SetSign(op, Negative(bits) ? "1" : "0");
    const BoxRow exponent = op == Operand::A ? BoxRow::Ea : BoxRow::EB;
    const BoxRow fraction = op == Operand::A ? BoxRow::Fa : BoxRow::FB;
    for (int i = 0; i <= 10; ++i)
      in.SetBox(exponent, i, ((bits >> (52 + i)) & 1) ? "1" : "0");
    for (int i = 1; i <= 52; ++i)
      in.SetBox(fraction, i, ((bits >> (52 - i)) & 1) ? "1" : "0");
  }

  // A op B (op: subtraction when `subtract`) in a rounding mode, through Run.
  std::uint64_t Run(std::uint64_t a, std::uint64_t b, bool subtract,
                    Rounding rounding = Rounding::NearestEven) {
    Load(Operand::A, a);
    Load(Operand::B, b);
    adder_.input.SelectOperation(subtract ? Operation::Subtract : Operation::Add);
    adder_.input.SelectRounding(rounding);
    session_.Run();
    return Result();
  }

  // The result as the batch runner reads it: the sign cell, exponent cells
  // 0..10 (bit 10 first), fraction cells 1..52; a cell is a one bit when
  // its text is exactly "1". The hidden-bit cell is not part of it.
  std::uint64_t Result() const {
    const Results& r = adder_.results;
    std::uint64_t bits = r.Sa[0].Is('1') ? kSignBit : 0;
    for (int i = 0; i <= 10; ++i) {
      if (r.Ea[i].Is('1')) bits |= std::uint64_t{1} << (62 - i);
    }
    for (int i = 1; i <= 52; ++i) {
      if (r.Fa[i].Is('1')) bits |= std::uint64_t{1} << (52 - i);
    }
    return bits;
  }

 private:
  Adder adder_;
  Session session_;
};

inline std::string Hex(std::uint64_t bits) {
  static const char* const kDigits = "0123456789abcdef";
  std::string s(16, '0');
  for (int i = 15; i >= 0; --i, bits >>= 4)
    s[static_cast<std::size_t>(i)] = kDigits[bits & 15];
  return s;
}

}  // namespace sumaris::test
