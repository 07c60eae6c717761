#include "session/ieee_readouts.h"

#include <bit>
#include <cmath>

#include "adder/result/results.h"
#include "core/number_text.h"
#include "session/session.h"

namespace sumaris {
namespace {

constexpr std::string_view kEditedVerdict = "differs: wires edited";
constexpr std::string_view kEditedCause =
    "Wires were edited in the Wire Bits Editor since the last Run: the result is no longer the "
    "one this adder gives for the operands.";

}  // namespace

ReadoutText IeeeReadout(const Session& session, std::string_view name) {
  const std::optional<IeeeComparison> comparison = session.CompareResultWithIeee();
  if (!comparison) return {};
  const bool edited = !comparison->same && session.inconsistent();
  if (name == Results::kIeeeResult) {
    const std::uint64_t bits = comparison->ieee.bits;
    const double value = std::bit_cast<double>(bits);
    // A negative zero is told apart: it is what the signed zero class is about.
    const std::string decimal = value == 0 && std::signbit(value) ? "-0" : ShortestDouble(value);
    return {EncodingHex(bits) + "   " + decimal};
  }
  if (name == Results::kIeeeVerdict) {
    if (comparison->same) return {"same as this adder", ReadoutTone::Agrees};
    if (edited) return {std::string(kEditedVerdict), ReadoutTone::Differs};
    return {"differs: " + std::string(comparison->difference->name), ReadoutTone::Differs};
  }
  if (name == Results::kIeeeCause) {
    if (comparison->same) return {};
    if (edited) return {std::string(kEditedCause)};
    return {std::string(comparison->difference->cause)};
  }
  return {};
}

std::optional<int> IeeeDifferenceSlot(const Session& session) {
  const std::optional<IeeeComparison> comparison = session.CompareResultWithIeee();
  if (!comparison || comparison->same || session.inconsistent()) return std::nullopt;
  return static_cast<int>(comparison->difference->stage);
}

}  // namespace sumaris
