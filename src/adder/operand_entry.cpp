#include "adder/operand_entry.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "core/number_text.h"
#include "core/wire_routines.h"

namespace sumaris {
namespace {

bool IsExponentRow(BoxRow row) {
  return row == BoxRow::Ea || row == BoxRow::EB;
}
Operand OperandOf(BoxRow row) {
  return (row == BoxRow::Ea || row == BoxRow::Fa) ? Operand::A : Operand::B;
}
BoxRow ExponentRowOf(Operand op) {
  return op == Operand::A ? BoxRow::Ea : BoxRow::EB;
}
BoxRow FractionRowOf(Operand op) {
  return op == Operand::A ? BoxRow::Fa : BoxRow::FB;
}

// A decimal text as a message quotes it: without the blanks around it, and
// cut short when very long.
std::string TrimmedForMessage(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  constexpr std::size_t kLongest = 40;
  if (text.size() > kLongest) return std::string(text.substr(0, kLongest)) + "...";
  return std::string(text);
}

}  // namespace

OperandEntry::OperandEntry() {
  INJ[0] = "0";
  INJ[1] = "0";
  // All bits "0" beside the decimal text "0".
  Agree(Operand::A);
  Agree(Operand::B);
}

void OperandEntry::Agree(Operand op) {
  agreedBits_[op == Operand::A ? 0 : 1] = OperandBits(*this, op);
}

bool OperandEntry::DecimalMatchesBits(Operand op) const {
  return agreedBits_[op == Operand::A ? 0 : 1] == OperandBits(*this, op);
}

void OperandEntry::SelectOperation(Operation operation) {
  operation_ = operation;
  Changed();
}

void OperandEntry::SelectRounding(Rounding rounding) {
  rounding_ = rounding;
  Changed();
}

Cell& OperandEntry::Box(BoxRow row, int index) {
  if (IsExponentRow(row)) return ExponentRow(row)[static_cast<std::size_t>(index)];
  return FractionRow(row)[static_cast<std::size_t>(index)];
}

void OperandEntry::SetBox(BoxRow row, int index, std::string_view text) {
  // Every write fires the change event, also one that leaves the text as it
  // was: a key typed over a selected "0" that is "0" again moves the focus
  // on, and clearing an exponent box that was already "0" still settles
  // the hidden bit.
  Box(row, index) = text;
  ChangeEvent(row, index);
  Changed();
}

void OperandEntry::SetSign(Operand op, std::string_view text) {
  (op == Operand::A ? Sa : SB) = text;  // sign boxes are not checked
  Changed();
}

void OperandEntry::SetDecimal(Operand op, std::string_view text) {
  (op == Operand::A ? OperandA : OperandB) = std::string(text);
  Changed();
}

void OperandEntry::ClearBoxes(BoxRow row, int from, int to) {
  for (int i = from; i <= to; ++i)
    SetBox(row, i, "0");
}

void OperandEntry::ChangeEvent(BoxRow row, int index) {
  if (!converting_) LabelCollectionChange(row, index);
  if (IsExponentRow(row)) {
    const Operand op = OperandOf(row);
    SetHidden(op);
    if (index == 0) {
      Focus(FractionRowOf(op), 1);
    } else {
      Focus(row, index - 1);
    }
  }
}

void OperandEntry::LabelCollectionChange(BoxRow row, int index) {
  Cell& box = Box(row, index);
  if (!box.Is('0') && !box.Is('1')) SetBox(row, index, "0");
  if (converting_) return;
  if (IsExponentRow(row)) {
    if (index >= 1) Focus(row, index - 1);
  } else if (index < kFractionBoxes - 1) {
    Focus(row, index + 1);
  }
}

void OperandEntry::SetHidden(Operand op) {
  const BoxRow fraction = FractionRowOf(op);
  SetBox(fraction, 0, "0");
  for (const Cell& box : Exponent(op)) {
    if (box.Value() == 1) {
      SetBox(fraction, 0, "1");
      break;
    }
  }
}

double OperandEntry::CalcExponent(Operand op) {
  const double e = BoxesToNumber(Exponent(op), 10, 0, 1, 2);
  SetBox(FractionRowOf(op), 0, e != 0 ? "1" : "0");
  if (e == 2047) {
    if (onMessage) onMessage("Exponent Overflow!");
    SetBox(ExponentRowOf(op), 10, "0");
    return 1;
  }
  if (e == 0) return std::ldexp(1.0, -1022);
  return std::ldexp(1.0, static_cast<int>(e) - 1023);
}

double OperandEntry::CalcFraction(Operand op) const {
  const auto& f = Fraction(op);
  double sum = f[0].Value();
  double weight = 0.5;
  for (int i = 1; i < kFractionBoxes; ++i) {
    sum += f[static_cast<std::size_t>(i)].Value() * weight;
    weight /= 2;
  }
  return sum;
}

void OperandEntry::BitsToDecimal(Operand op) {
  if (Disabledisplay || converting_) return;
  const double factor = CalcExponent(op);
  double value = CalcFraction(op) * factor;
  if ((op == Operand::A ? Sa : SB).Value() == 1) value = -value;
  decimalWritten_ = true;
  Agree(op);
  SetDecimal(op, OperandDecimalText(value));
}

void OperandEntry::OperandChange(Operand op) {
  // The decimal-written flag only records that the decimal box was last
  // written from the bits; every "<-" press converts.
  decimalWritten_ = false;
  const std::string& text = op == Operand::A ? OperandA : OperandB;
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.outOfRange) {
    // Beyond the double range: no bit changes, and the user is told.
    if (onMessage) {
      onMessage(std::string(op == Operand::A ? "Operand A" : "Operand B") +
                ": the bits are unchanged.\n" + TrimmedForMessage(text) +
                " lies beyond the range of a double (largest about 1.8E+308).");
    }
    return;
  }
  converting_ = true;
  const std::string copy = text;
  SetSign(op, number.value < 0 ? "1" : "0");
  DecimalToBoxes(copy, *this, op);
  SetHidden(op);
  converting_ = false;
  Agree(op);
  Changed();
}

void OperandEntry::SetINJ() {
  const double ea = BoxesToNumber(Ea, 10, 0, 1, 2);
  const double eb = BoxesToNumber(EB, 10, 0, 1, 2);
  const double fa = BoxesToNumber(Fa, 0, 52, 1, 2);
  const double fb = BoxesToNumber(FB, 0, 52, 1, 2);
  // The result has the sign of the operand of larger magnitude, B's sign
  // turned round by a subtraction.
  int aLarger = 1;
  if (ea == eb && fa < fb) aLarger = 0;
  if (ea < eb) aLarger = 0;
  const int sa = Sa.Value() == 0 ? 0 : 1;
  const int sb = SB.Value() == 0 ? 0 : 1;
  const int op = IsAdd() ? 0 : 1;
  const int sign = (aLarger & sa) | ((1 - aLarger) & (sb ^ op));

  Cell local;
  Cell& resultSign = resultSign_ != nullptr ? *resultSign_ : local;
  resultSign.SetNumber(sign);
  const double s = resultSign.Value();

  const bool up = rounding_ == Rounding::Up, down = rounding_ == Rounding::Down;
  if ((up && s == 0) || (down && s == 1)) {
    INJ[0] = "1";
    INJ[1] = "1";
  } else if ((up && s == 1) || (down && s == 0)) {
    INJ[0] = "0";
    INJ[1] = "0";
  } else if (rounding_ == Rounding::TowardZero) {
    INJ[0] = "0";
    INJ[1] = "0";
  } else if (rounding_ == Rounding::NearestEven) {
    INJ[0] = "1";
    INJ[1] = "0";
  }
}

void OperandEntry::Reset() {
  SetDecimal(Operand::A, "0");
  SetDecimal(Operand::B, "0");
  ClearBoxes(BoxRow::Ea, 0, 10);
  ClearBoxes(BoxRow::EB, 0, 10);
  ClearBoxes(BoxRow::Fa, 1, 52);
  ClearBoxes(BoxRow::FB, 1, 52);
  SetSign(Operand::A, "0");
  SetSign(Operand::B, "0");
  // Zero bits beside "0": the two forms agree again.
  Agree(Operand::A);
  Agree(Operand::B);
  SelectOperation(Operation::Add);
  SelectRounding(Rounding::NearestEven);
}

void OperandEntry::Focus(BoxRow row, int index) {
  if (onFocus) onFocus(row, index);
}

void OperandEntry::Changed() {
  if (onChanged) onChanged();
}

void BytesToBoxes(const std::array<unsigned char, 8>& bytes, OperandEntry& entry, Operand op) {
  const BoxRow exponent = ExponentRowOf(op);
  const BoxRow fraction = FractionRowOf(op);
  for (int b = 1; b <= 8; ++b) {
    for (int j = 0; j <= 7; ++j) {
      const int k = 8 * (b - 1) + j;
      const bool bit = (bytes[static_cast<std::size_t>(b - 1)] >> j) & 1;
      const char* text = bit ? "1" : "0";
      if (k <= 51) {
        entry.SetBox(fraction, 52 - k, text);
      } else if (k <= 62) {
        entry.SetBox(exponent, k - 52, text);
      } else {
        entry.SetSign(op, text);
      }
    }
  }
}

std::uint64_t OperandBits(const OperandEntry& entry, Operand op) {
  std::uint64_t bits = (op == Operand::A ? entry.Sa : entry.SB).Value() != 0 ? 1 : 0;
  for (int i = 10; i >= 0; --i)
    bits = (bits << 1) | (entry.Exponent(op)[static_cast<std::size_t>(i)].Is('1') ? 1 : 0);
  for (int i = 1; i <= 52; ++i)
    bits = (bits << 1) | (entry.Fraction(op)[static_cast<std::size_t>(i)].Is('1') ? 1 : 0);
  return bits;
}

bool DecimalToBoxes(std::string_view text, OperandEntry& entry, Operand op) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.outOfRange) return false;
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(number.value);
  std::array<unsigned char, 8> bytes{};
  for (int i = 0; i < 8; ++i)
    bytes[static_cast<std::size_t>(i)] = (bits >> (8 * i)) & 0xFF;
  BytesToBoxes(bytes, entry, op);
  return true;
}

std::string OperandDecimalText(double value) {
  std::string text = value < 0 ? "" : " ";
  text += ShortestDouble(value);
  return text;
}

}  // namespace sumaris
