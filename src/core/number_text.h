#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sumaris {

// Reading numbers from texts and writing them back, the two ways the program
// needs: leniently (the leading number of a text, as a cell or a decimal box
// is read) and strictly (the whole text must be a number).

struct LeadingNumber {
  double value = 0;         // 0 when the text has no numeric prefix
  bool found = false;       // a numeric prefix was there
  bool outOfRange = false;  // the prefix names a number beyond the double range
};

// Skips leading blanks and reads the longest prefix of the form
// [sign] digits [. digits] [(E|e|D|d) [sign] digits]. " 12abc" is 12,
// "-.5e3x" is -500, "abc" and "" are 0. A prefix beyond the double range
// ("1e400") is reported as outOfRange with value 0.
LeadingNumber ReadLeadingNumber(std::string_view text);

// The whole text, blanks around it allowed, as a number; nullopt when any
// other character is left over or there is no number at all.
std::optional<double> ReadWholeNumber(std::string_view text);

// Rounds to the nearest integer, ties to even, as an integer conversion does.
// Throws Overflow beyond 32-bit signed.
long long RoundToInteger(double value);

// The decimal text of a double with at most 15 significant digits: fixed
// notation for magnitudes from 1E-05 up to below 1E+15, otherwise the
// exponent form "1.5E+300" / "4.94065645841247E-324". Negative values carry
// a leading "-"; no leading blank is added here.
std::string FormatDouble(double value);

// The shortest decimal text that reads back to exactly the same double
// (0.1 + 0.2 is "0.30000000000000004"), laid out as FormatDouble lays out
// its 15 digits: fixed notation from 1E-05 up to below 1E+15, the exponent
// form "4.9406564584124654E-324" beyond.
std::string ShortestDouble(double value);

// Bits ("0" and "1", most significant first) as hexadecimal digits, grouped
// from the right: the leftmost digit takes what is left over. Upper-case
// digits, no prefix; "10000000000" is "400". Nothing for an empty text or a
// character that is not a bit.
std::optional<std::string> HexOfBits(std::string_view bits);

// A binary64 encoding as "0x" and 16 upper-case hexadecimal digits
// ("0x3FD3333333333334").
std::string EncodingHex(std::uint64_t bits);

}  // namespace sumaris
