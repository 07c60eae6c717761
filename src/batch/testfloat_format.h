#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumaris {

class BatchRunner;
class UserDialogs;
struct BatchProgress;
struct BatchSummary;
struct TestVector;
enum class VectorOutcome;

// Berkeley TestFloat's plain text for binary64 addition and subtraction, as
// its case generator writes it: one case a line, hexadecimal fields separated
// by blanks: operand A, operand B, the expected result (16 digits each) and
// the expected exception flags (2 digits: bit 0 inexact, 1 underflow,
// 2 overflow, 3 infinite, 4 invalid).

struct TestFloatCase {
  std::uint64_t a = 0;
  std::uint64_t b = 0;
  std::uint64_t expected = 0;
  unsigned flags = 0;
};

// The case on one line (a trailing "\r" is allowed), or nothing when the line
// is not of that form: four fields, 16/16/16/2 hexadecimal digits, flags
// within the five defined bits.
std::optional<TestFloatCase> ParseTestFloatLine(std::string_view line);

// "A B C FF" in upper-case hexadecimal, the generator's own form.
std::string TestFloatLine(const TestFloatCase& c);

// A double's bits the way TestFloat shows them in its reports: the sign,
// 3 hex digits of biased exponent, ".", 13 hex digits of fraction
// (1.0 is "+3FF.0000000000000").
std::string TestFloatBits(std::uint64_t bits);

// One failure line: "A  B  => result  expected: C".
std::string TestFloatFailure(const TestFloatCase& c, std::uint64_t result);

// The lines of a TestFloat file one after the other. A UTF-8 byte order
// mark at the start and blank lines (nothing but blanks, tabs or a carriage
// return) are skipped; a line longer than kMaxField characters is malformed
// and is not read whole.
class TestFloatReader {
 public:
  explicit TestFloatReader(std::istream& in);
  TestFloatReader(const TestFloatReader&) = delete;
  TestFloatReader& operator=(const TestFloatReader&) = delete;

  // The next line that is not blank: true, with its case or with nothing
  // when the line is malformed; false at the end of the input. Throws
  // VectorReadError when the stream fails.
  bool Next(std::optional<TestFloatCase>& c);
  // The line last read, from 1, blank lines counted.
  long long line() const { return line_; }
  // Bytes read so far.
  std::uint64_t offset() const { return offset_; }

 private:
  std::istream& in_;
  std::vector<char> buf_;
  long long line_ = 0;
  std::uint64_t offset_ = 0;
};

// What a failed write of the failure lines ends the run with.
inline constexpr const char* kFailuresUnwritten = "the failures could not be written";

// One case through the runner's adder, `v` holding the operation and the
// rounding mode letter: Passed, or Failed with its failure line (without
// the line end) in `failure`.
VectorOutcome RunTestFloatCase(BatchRunner& runner, TestVector& v, const TestFloatCase& c,
                               std::string& failure);

// Runs every case of the stream through the adder with the given operation
// and rounding mode letter (N, U, D, Z) and writes a failure line for each
// case whose result differs. A malformed line shows "Bad Input on line "
// with its number and the run goes on (Stop ends it there). The flags are
// read and checked for form, not compared: the adder raises no flags. An
// I/O error ends the run with ioError and errorDetail set ("line N: what");
// it shows no message. With `progress`, the run notes how far it got.
BatchSummary RunTestFloat(std::istream& in, std::ostream& failures, BatchRunner& runner,
                          bool subtract, char mode, UserDialogs& dialogs,
                          BatchProgress* progress = nullptr);

}  // namespace sumaris
