#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <system_error>

#include "core/errors.h"

namespace sumaris {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Length of the longest numeric prefix of text starting at `from`, or 0.
// Also tells whether the mantissa held a digit at all.
std::size_t NumericPrefix(std::string_view text, std::size_t from) {
  std::size_t i = from;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i]))
    ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i]))
      ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j]))
        ++j;
      i = j;
    }
  }
  return i - from;
}

// Whether a numeric prefix that does not fit a double is too large (true)
// or too small (false): the decimal exponent of its leading non-zero digit
// decides. Such a prefix always holds a non-zero digit.
bool BeyondLargest(std::string_view prefix) {
  std::size_t i = 0;
  if (i < prefix.size() && (prefix[i] == '+' || prefix[i] == '-')) ++i;
  long long lead = 0;  // decimal exponent of the leading non-zero digit
  bool seen = false;
  long long intDigits = 0;
  for (; i < prefix.size() && IsDigit(prefix[i]); ++i) {
    if (seen || prefix[i] != '0') {
      seen = true;
      ++intDigits;
    }
  }
  if (seen) lead = intDigits - 1;
  if (i < prefix.size() && prefix[i] == '.') {
    long long zeros = 0;
    for (++i; i < prefix.size() && IsDigit(prefix[i]); ++i) {
      if (seen) continue;
      if (prefix[i] == '0') {
        ++zeros;
      } else {
        seen = true;
        lead = -(zeros + 1);
      }
    }
  }
  long long exponent = 0;
  if (i < prefix.size()) {  // the exponent part: a letter, a sign, digits
    ++i;
    bool negative = false;
    if (i < prefix.size() && (prefix[i] == '+' || prefix[i] == '-')) negative = prefix[i++] == '-';
    for (; i < prefix.size() && IsDigit(prefix[i]); ++i) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (prefix[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return lead + exponent >= 0;
}

// Converts a numeric prefix found by NumericPrefix. The conversion does not
// depend on the process locale (a desktop session may set one whose decimal
// separator is a comma).
double ConvertPrefix(std::string_view prefix, bool& outOfRange) {
  outOfRange = false;
  std::string s(prefix);
  for (char& c : s) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  const bool negative = !s.empty() && s[0] == '-';
  const std::size_t start = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  double v = 0;
  const auto [ptr, ec] = std::from_chars(s.data() + start, s.data() + s.size(), v);
  if (ec == std::errc::result_out_of_range) {
    if (BeyondLargest(prefix)) {
      outOfRange = true;
      return 0.0;
    }
    v = 0.0;  // below the smallest subnormal: the nearest double is zero
  } else if (ec != std::errc()) {
    v = 0.0;
  }
  return negative ? -v : v;
}

}  // namespace

LeadingNumber ReadLeadingNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start]))
    ++start;
  std::size_t len = NumericPrefix(text, start);
  LeadingNumber result;
  if (len == 0) return result;
  result.found = true;
  result.value = ConvertPrefix(text.substr(start, len), result.outOfRange);
  return result;
}

std::optional<double> ReadWholeNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start]))
    ++start;
  std::size_t len = NumericPrefix(text, start);
  if (len == 0) return std::nullopt;
  std::size_t end = start + len;
  while (end < text.size() && IsBlank(text[end]))
    ++end;
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

namespace {

// Writes significant digits d[0] d[1] ... d[count-1] with d[0] at the
// decimal exponent `exponent` in the program's number layout.
std::string LayOutDigits(bool negative, const char* digits, int count, int exponent) {
  std::string out;
  if (negative) out += '-';
  while (count > 1 && digits[count - 1] == '0')
    --count;
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (count > 1) {
      out += '.';
      out.append(digits + 1, static_cast<std::size_t>(count - 1));
    }
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    const int e = exponent < 0 ? -exponent : exponent;
    if (e < 10) out += '0';
    out += std::to_string(e);
  } else if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out.append(digits, static_cast<std::size_t>(count));
  } else {
    const int intDigits = exponent + 1;
    for (int i = 0; i < intDigits; ++i)
      out += i < count ? digits[i] : '0';
    if (count > intDigits) {
      out += '.';
      out.append(digits + intDigits, static_cast<std::size_t>(count - intDigits));
    }
  }
  return out;
}

// The digits and decimal exponent of a scientific text "d.ddde[+-]xx".
int SplitScientific(const char* begin, const char* end, char* digits, int capacity, int& count) {
  count = 0;
  const char* p = begin;
  for (; p < end && *p != 'e'; ++p) {
    if (IsDigit(*p) && count < capacity) digits[count++] = *p;
  }
  int exponent = 0;
  if (p < end) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
  return exponent;
}

std::string SpecialText(double value) {
  if (value == 0) return "0";
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

}  // namespace

std::string FormatDouble(double value) {
  if (value == 0 || !std::isfinite(value)) return SpecialText(value);
  const double magnitude = std::fabs(value);
  // Whole numbers below 10^15 have at most 15 digits: they print as they are.
  if (magnitude < 1e15 && magnitude == std::trunc(magnitude)) {
    char out[24];
    char* o = out;
    if (value < 0) *o++ = '-';
    o = std::to_chars(o, out + sizeof out, static_cast<long long>(magnitude)).ptr;
    return std::string(out, o);
  }
  // Round to 15 significant digits first; the exponent of the rounded value
  // decides between the fixed and the exponent form.
  char buf[40];
  const char* end =
      std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14).ptr;
  char digits[16];
  int count = 0;
  const int exponent = SplitScientific(buf, end, digits, 16, count);
  return LayOutDigits(value < 0, digits, count, exponent);
}

std::string ShortestDouble(double value) {
  if (value == 0 || !std::isfinite(value)) return SpecialText(value);
  // Without a precision, to_chars writes the fewest digits that read back
  // to the same double (at most 17).
  char buf[40];
  const char* end =
      std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific).ptr;
  char digits[24];
  int count = 0;
  const int exponent = SplitScientific(buf, end, digits, 24, count);
  return LayOutDigits(value < 0, digits, count, exponent);
}

std::optional<std::string> HexOfBits(std::string_view bits) {
  if (bits.empty() || bits.find_first_not_of("01") != std::string_view::npos) return std::nullopt;
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  const std::size_t lead = bits.size() % 4;
  std::size_t i = 0;
  int value = 0;
  // The leftmost group holds what is left over when the rest go by fours.
  for (std::size_t n = lead == 0 ? 4 : lead; i < bits.size(); n = 4) {
    value = 0;
    for (std::size_t k = 0; k < n; ++k, ++i)
      value = value * 2 + (bits[i] - '0');
    hex += kDigits[value];
  }
  return hex;
}

std::string EncodingHex(std::uint64_t bits) {
  char text[19];
  std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(bits));
  return text;
}

}  // namespace sumaris
