#include "batch/testfloat_format.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <istream>
#include <limits>
#include <ostream>

#include "batch/batch_files.h"
#include "batch/batch_runner.h"
#include "core/errors.h"
#include "session/platform.h"

namespace sumaris {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

TestFloatReader::TestFloatReader(std::istream& in) : in_(in), buf_(kMaxField + 2) {}

bool TestFloatReader::Next(std::optional<TestFloatCase>& c) {
  for (;;) {
    // At most kMaxField + 1 characters are kept: more make the line too long.
    in_.getline(buf_.data(), static_cast<std::streamsize>(buf_.size()));
    const std::size_t n = static_cast<std::size_t>(in_.gcount());
    offset_ += n;
    if (in_.bad()) throw VectorReadError("the case file could not be read");
    if (in_.fail() && in_.eof()) return false;  // nothing was left
    std::size_t length = n;
    if (in_.fail()) {
      // The buffer filled before the line ended: skip the rest of it.
      in_.clear();
      in_.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
      offset_ += static_cast<std::uint64_t>(in_.gcount());
      if (in_.bad()) throw VectorReadError("the case file could not be read");
    } else if (!in_.eof()) {
      --length;  // the line end taken
    }
    ++line_;
    std::string_view text(buf_.data(), std::min(length, buf_.size()));
    if (line_ == 1 && text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    if (text.size() > kMaxField) {
      c.reset();
      return true;
    }
    if (text.find_first_not_of(" \t\r") == std::string_view::npos) continue;
    c = ParseTestFloatLine(text);
    return true;
  }
}

VectorOutcome RunTestFloatCase(BatchRunner& runner, TestVector& v, const TestFloatCase& c,
                               std::string& failure) {
  v.a = BitCharacters(c.a);
  v.b = BitCharacters(c.b);
  v.c = BitCharacters(c.expected);
  if (runner.RunNext(v) == VectorOutcome::Passed) return VectorOutcome::Passed;
  failure = TestFloatFailure(c, ResultBitsValue(runner.ResultBits()));
  return VectorOutcome::Failed;
}

BatchSummary RunTestFloat(std::istream& in, std::ostream& failures, BatchRunner& runner,
                          bool subtract, char mode, UserDialogs& dialogs, BatchProgress* progress) {
  BatchSummary summary;
  TestVector v;
  v.op = subtract ? "1" : "0";
  v.mode = std::string(1, mode);
  TestFloatReader reader(in);
  std::optional<TestFloatCase> c;
  std::string failure;
  try {
    while (reader.Next(c)) {
      ++summary.vectors;
      if (progress != nullptr) {
        progress->vectors.store(summary.vectors, std::memory_order_relaxed);
        progress->bytes.store(reader.offset(), std::memory_order_relaxed);
      }
      const std::string line = std::to_string(reader.line());
      if (!c) {
        ++summary.badInput;
        if (!dialogs.MessageOrStop("Bad Input on line " + line)) {
          summary.stopped = true;
          break;
        }
        continue;
      }
      runner.SetLineNumber(reader.line());
      try {
        if (RunTestFloatCase(runner, v, *c, failure) == VectorOutcome::Passed) {
          ++summary.passed;
          continue;
        }
      } catch (const StageError& e) {
        throw VectorReadError(std::string("error inside a stage: ") + e.what());
      }
      ++summary.failed;
      if (runner.classifyFailures) ++summary.failureClasses[std::string(runner.failureClass())];
      failures << failure << '\n';
      if (!failures) throw VectorReadError(WithSystemReason(kFailuresUnwritten, errno));
    }
  } catch (const std::exception& e) {
    summary.ioError = true;
    summary.errorDetail = "line " + std::to_string(reader.line()) + ": " + e.what();
  }
  return summary;
}

}  // namespace sumaris
