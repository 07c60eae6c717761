#include "batch/testfloat_format.h"

#include <array>
#include <istream>
#include <ostream>

#include "batch/batch_runner.h"
#include "session/platform.h"

namespace sumaris {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::optional<std::uint64_t> Hex(std::string_view field, std::size_t digits) {
  if (field.size() != digits) return std::nullopt;
  std::uint64_t v = 0;
  for (char c : field) {
    const int d = HexValue(c);
    if (d < 0) return std::nullopt;
    v = (v << 4) | static_cast<std::uint64_t>(d);
  }
  return v;
}

void AppendHex(std::string& out, std::uint64_t v, int digits) {
  for (int i = digits - 1; i >= 0; --i)
    out += kHex[(v >> (4 * i)) & 0xF];
}

}  // namespace

std::optional<TestFloatCase> ParseTestFloatLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::array<std::string_view, 4> fields;
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i]))
      ++i;
    if (i == line.size()) break;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i]))
      ++i;
    if (count == fields.size()) return std::nullopt;  // a fifth field
    fields[count++] = line.substr(start, i - start);
  }
  if (count != fields.size()) return std::nullopt;
  const auto a = Hex(fields[0], 16);
  const auto b = Hex(fields[1], 16);
  const auto c = Hex(fields[2], 16);
  const auto flags = Hex(fields[3], 2);
  if (!a || !b || !c || !flags || *flags > 0x1F) return std::nullopt;
  return TestFloatCase{*a, *b, *c, static_cast<unsigned>(*flags)};
}

std::string TestFloatLine(const TestFloatCase& c) {
  std::string s;
  s.reserve(54);
  AppendHex(s, c.a, 16);
  s += ' ';
  AppendHex(s, c.b, 16);
  s += ' ';
  AppendHex(s, c.expected, 16);
  s += ' ';
  AppendHex(s, c.flags, 2);
  return s;
}

std::string TestFloatBits(std::uint64_t bits) {
  std::string s;
  s.reserve(18);
  s += (bits >> 63) ? '-' : '+';
  AppendHex(s, (bits >> 52) & 0x7FF, 3);
  s += '.';
  AppendHex(s, bits & ((std::uint64_t{1} << 52) - 1), 13);
  return s;
}

std::string TestFloatFailure(const TestFloatCase& c, std::uint64_t result) {
  return TestFloatBits(c.a) + "  " + TestFloatBits(c.b) + "  => " + TestFloatBits(result) +
         "  expected: " + TestFloatBits(c.expected);
}

std::string BitCharacters(std::uint64_t bits) {
  std::string s(64, '0');
  for (int i = 0; i < 64; ++i) {
    if ((bits >> (63 - i)) & 1) s[static_cast<std::size_t>(i)] = '1';
  }
  return s;
}

std::uint64_t ResultBitsValue(std::string_view resultBits) {
  std::uint64_t v = 0;
  for (char c : resultBits)
    v = (v << 1) | (c == '1' ? 1u : 0u);
  return v;
}

BatchSummary RunTestFloat(std::istream& in, std::ostream& failures, BatchRunner& runner,
                          bool subtract, char mode, UserDialogs& dialogs) {
  BatchSummary summary;
  TestVector v;
  v.op = subtract ? "1" : "0";
  v.mode = std::string(1, mode);
  std::string line;
  long long lineNumber = 0;
  try {
    while (std::getline(in, line)) {
      ++lineNumber;
      const std::optional<TestFloatCase> c = ParseTestFloatLine(line);
      if (!c) {
        ++summary.badInput;
        dialogs.Message("Bad Input on line " + std::to_string(lineNumber));
        continue;
      }
      v.a = BitCharacters(c->a);
      v.b = BitCharacters(c->b);
      v.c = BitCharacters(c->expected);
      runner.SetLineNumber(lineNumber);
      if (runner.RunNext(v) == VectorOutcome::Passed) {
        ++summary.passed;
      } else {
        ++summary.failed;
        failures << TestFloatFailure(*c, ResultBitsValue(runner.ResultBits())) << '\n';
        if (!failures) throw VectorReadError("the failures could not be written");
      }
    }
    if (in.bad()) throw VectorReadError("the case file could not be read");
  } catch (const std::exception& e) {
    summary.ioError = true;
    summary.errorDetail = "line " + std::to_string(lineNumber) + ": " + e.what();
    dialogs.Message("I/O error!");
  }
  summary.vectors = lineNumber;
  return summary;
}

}  // namespace sumaris
