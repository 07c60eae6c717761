#include "adder/result/results.h"

#include <cmath>
#include <fstream>

#include "adder/adder.h"
#include "core/number_text.h"
#include "core/wire_routines.h"

namespace sumaris {

void Results::Pull() {
  const bool rPath = adder().pathDecision.IS_R[0].Value() == 1;
  const Wire& source = rPath ? adder().r2Select1.FFAR : adder().nPost.F_NEAR;
  if (rPath) {
    Fa.Bit(52) = adder().r2Select2.FFAR52[0];
    chosenPath = "R path";
  } else {
    Fa.Bit(52) = adder().nPost.F_NEAR.Bit(52);
    chosenPath = "N path";
  }
  CopyBits(Fa, source, 0, 51);
  CopyWire(Ea, adder().pathDecision.E_final, 11);
  SetValue();
  TempLablels();
}

std::string Results::Readout(std::string_view name) const {
  if (name == kDecimalValue) return decimalValue;
  if (name == kHexValue) return HexValue();
  if (name == kUnbiasedExponent) return unbiasedExponent;
  if (name == kChosenPath) return chosenPath;
  return {};
}

double Results::CalcExponent() const {
  double e = 0;
  for (int bit = 10; bit >= 0; --bit)
    e += Ea.Bit(bit).Value() * std::ldexp(1.0, bit);
  if (e == 0) return std::ldexp(1.0, -1022);
  const double power = std::pow(2.0, e - 1023);
  return std::isinf(power) ? -1 : power;
}

double Results::CalcFraction() const {
  double sum = Fa.Bit(0).Value();
  double weight = 0.5;
  for (int bit = 1; bit <= 52; ++bit) {
    sum += Fa.Bit(bit).Value() * weight;
    weight /= 2;
  }
  return sum;
}

void Results::SetValue() {
  const double x = CalcExponent();
  if (x == -1) {
    decimalValue = "Cannot display result - too big";
    return;
  }
  const double sign = Sa[0].Value() == 1 ? -1 : 1;
  decimalValue = ShortestDouble(sign * (x * CalcFraction()));
}

void Results::TempLablels() {
  double e = 0;
  for (int bit = 10; bit >= 0; --bit)
    e += Ea.Bit(bit).Value() * std::ldexp(1.0, bit);
  unbiasedExponent = FormatDouble(e - 1023);
}

std::uint64_t Results::Encoding() const {
  std::uint64_t bits = Sa[0].Is('1') ? 1 : 0;
  for (int i = 0; i <= 10; ++i)
    bits = (bits << 1) | (Ea[i].Is('1') ? 1 : 0);
  for (int i = 1; i <= 52; ++i)
    bits = (bits << 1) | (Fa[i].Is('1') ? 1 : 0);
  return bits;
}

std::string Results::HexValue() const {
  return EncodingHex(Encoding());
}

std::string Results::PadLine() const {
  std::string line = Sa[0].Value() == 1 ? "1" : "@";
  for (int bit = 10; bit >= 0; --bit)
    line += Ea.Bit(bit) == "1" ? '1' : '@';
  for (int bit = 1; bit <= 52; ++bit)
    line += Fa.Bit(bit) == "1" ? '1' : '@';
  return line;
}

bool Results::AppendToPad(const std::filesystem::path& file) const {
  std::ofstream out(file, std::ios::app);
  if (!out) return false;
  out << PadLine() << '\n';
  out.close();
  return static_cast<bool>(out);
}

}  // namespace sumaris
