#include "wires/number_text.h"

#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "wires/errors.h"

namespace sumaris {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the longest numeric prefix of text starting at `from`, or 0.
// Also tells whether the mantissa held a digit at all.
std::size_t NumericPrefix(std::string_view text, std::size_t from) {
  std::size_t i = from;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i - from;
}

// Converts a numeric prefix found by NumericPrefix.
double ConvertPrefix(std::string_view prefix, bool& outOfRange) {
  std::string s(prefix);
  for (char& c : s) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  outOfRange = (errno == ERANGE && std::isinf(v));
  return outOfRange ? 0.0 : v;
}

}  // namespace

LeadingNumber ReadLeadingNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  std::size_t len = NumericPrefix(text, start);
  LeadingNumber result;
  if (len == 0) return result;
  result.found = true;
  result.value = ConvertPrefix(text.substr(start, len), result.outOfRange);
  return result;
}

std::optional<double> ReadWholeNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  std::size_t len = NumericPrefix(text, start);
  if (len == 0) return std::nullopt;
  std::size_t end = start + len;
  while (end < text.size() && IsBlank(text[end])) ++end;
  if (end != text.size()) return std::nullopt;
  bool outOfRange = false;
  double v = ConvertPrefix(text.substr(start, len), outOfRange);
  if (outOfRange) throw Overflow();
  return v;
}

long long RoundToInteger(double value) {
  double r = std::nearbyint(value);  // the default rounding mode: ties to even
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw Overflow();
  return static_cast<long long>(r);
}

std::string FormatDouble(double value) {
  if (value == 0) return "0";
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  // Round to 15 significant digits first; the exponent of the rounded value
  // decides between the fixed and the exponent form.
  char buf[64];
  const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  std::string s(buf, written.ptr);
  for (char& c : s) {
    if (c == 'e') c = 'E';
  }
  std::size_t epos = s.find('E');
  int exponent = std::atoi(s.c_str() + epos + 1);
  std::string mantissa = s.substr(0, epos);
  bool negative = mantissa[0] == '-';
  if (negative) mantissa.erase(0, 1);
  std::string digits;
  for (char c : mantissa) {
    if (IsDigit(c)) digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (exponent >= 15 || exponent < -5) {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    char ebuf[16];
    std::snprintf(ebuf, sizeof ebuf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    out += ebuf;
  } else if (exponent < 0) {
    out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
      out = digits + std::string(intDigits - digits.size(), '0');
    } else {
      out = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
  }
  return negative ? "-" + out : out;
}

}  // namespace sumaris
