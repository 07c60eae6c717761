// The lenient and the strict reading of numbers, the program's number text,
// and the operand entry's decimal-to-bits and bits-to-decimal conversions.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "adder/operand_entry.h"
#include "core/cell.h"
#include "core/errors.h"
#include "core/number_text.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

std::uint64_t BoxBits(const sumaris::OperandEntry& e, sumaris::Operand op) {
  const auto& ex = e.Exponent(op);
  const auto& fr = e.Fraction(op);
  std::uint64_t bits = (op == sumaris::Operand::A ? e.Sa : e.SB).Is('1') ? 1 : 0;
  for (int i = 10; i >= 0; --i)
    bits = (bits << 1) | (ex[static_cast<std::size_t>(i)].Is('1') ? 1 : 0);
  for (int i = 1; i <= 52; ++i)
    bits = (bits << 1) | (fr[static_cast<std::size_t>(i)].Is('1') ? 1 : 0);
  return bits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const sumaris::LeadingNumber lead = sumaris::ReadLeadingNumber(text);
  Check(!lead.outOfRange || lead.value == 0);
  Check(std::isfinite(lead.value));
  try {
    if (const auto whole = sumaris::ReadWholeNumber(text)) Check(std::isfinite(*whole));
  } catch (const sumaris::Overflow&) {
  }

  // The number text of what was read reads back within its 15 digits. Near
  // the top of the range the 15 digits round up past the largest double:
  // "1.79769313486232E+308" no longer reads as a double.
  const std::string shown = sumaris::FormatDouble(lead.value);
  try {
    const auto back = sumaris::ReadWholeNumber(shown);
    Check(back.has_value());
    Check(*back == lead.value || std::fabs(*back - lead.value) <= std::fabs(lead.value) * 1e-14);
  } catch (const sumaris::Overflow&) {
    Check(std::fabs(lead.value) > 1.797693134862315e308);
  }

  // A cell holding the text reads the same leading number.
  const sumaris::Cell cell(text);
  Check(cell.Value() == lead.value || (std::isnan(cell.Value()) && std::isnan(lead.value)));

  // Decimal to bits writes the double's encoding, or nothing beyond range.
  sumaris::OperandEntry entry;
  entry.SetDecimal(sumaris::Operand::A, text);
  entry.OperandChange(sumaris::Operand::A);
  if (!lead.outOfRange) {
    Check(BoxBits(entry, sumaris::Operand::A) == std::bit_cast<std::uint64_t>(lead.value));
  } else {
    Check(BoxBits(entry, sumaris::Operand::A) == 0);
  }
  // And back: bits to decimal gives a text that reads as exactly the same
  // value (an exponent of all ones is cut back by the conversion, so skip
  // those; a negative zero reads back as zero).
  const std::uint64_t bits = BoxBits(entry, sumaris::Operand::A);
  if (((bits >> 52) & 0x7FF) != 0x7FF) {
    entry.AbitChanged();
    const sumaris::LeadingNumber again = sumaris::ReadLeadingNumber(entry.OperandA);
    Check(again.found && !again.outOfRange);
    Check(again.value == std::bit_cast<double>(bits));
  }
  // The exact text of what was read reads back to the very same double.
  const auto exact = sumaris::ReadWholeNumber(sumaris::ShortestDouble(lead.value));
  Check(exact.has_value() && *exact == lead.value);
  return 0;
}
