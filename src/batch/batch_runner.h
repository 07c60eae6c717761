#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "adder/operand_entry.h"

namespace sumaris {

class Adder;
class Session;
class TextViewer;
class UserDialogs;
struct FileLocations;

// ---------------------------------------------------------------------------
// The vector file fpinput.txt
//
// Fields are read one after the other as from a comma-separated list: a
// field ends at a comma or at a line end (so a vector may run over several
// lines), a field may be enclosed in double quotes (then commas and line
// ends inside it are text), blanks around an unquoted field are dropped.
// Five fields make one vector. OP, Mode, A and B are free values: an
// unquoted field that reads as a number is taken as that number and written
// back as text the way the program writes doubles, so an unquoted 64-digit
// operand becomes something like "1.00100101E+63" and fails the length check.
// C is always taken as text.
//
// A UTF-8 byte order mark at the start of the file is skipped. Blank lines
// (nothing but blanks, tabs or a carriage return) before a vector are
// skipped; a vector's number counts the vectors and the blank lines before
// it, so with one vector a line it is the vector's line in the file. A field
// longer than kMaxField characters makes its vector bad input; the rest of
// it is skipped unread.

// The input ended in the middle of a vector or inside a quoted field, or a
// field could not be read.
class VectorReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One test vector as read: operation, rounding mode letter, operands A and B
// and the expected result C, each "|" already replaced by "1" in A, B and C.
struct TestVector {
  std::string op;
  std::string mode;
  std::string a;
  std::string b;
  std::string c;
  bool tooLong = false;  // a field passed kMaxField characters: bad input
};

constexpr std::size_t kMaxField = 4096;

class VectorReader {
 public:
  explicit VectorReader(std::istream& in);
  VectorReader(const VectorReader&) = delete;
  VectorReader& operator=(const VectorReader&) = delete;

  // Skips blank lines, and then true when nothing is left but blanks and
  // line ends. A file that ends with an empty line is thus exhausted after
  // its last vector.
  bool Exhausted();

  // The next field's text and whether it was quoted. Throws VectorReadError
  // when the input has no field left, when it ends inside a quoted field, or
  // when the stream fails. Of a field longer than kMaxField characters the
  // first kMaxField + 1 are kept.
  struct Field {
    std::string text;
    bool quoted = false;
    bool tooLong = false;
  };
  Field ReadField();
  void ReadField(Field& field);  // the same into a field whose memory is reused

  // Skips blank lines and takes the next five fields as a vector (free
  // values converted, "|" replaced). Throws VectorReadError as ReadField
  // does, and for an unquoted number beyond the range of a double.
  TestVector ReadVector();
  void ReadVector(TestVector& v);  // the same into a vector whose memory is reused

  // The number of the vector last begun, and the one the next vector takes
  // (right after Exhausted, with the blank lines before it counted).
  long long number() const { return number_; }
  long long nextNumber() const { return number_ + 1 + blankLines_; }

  // Bytes consumed so far, and the line the reader stands on (from 1;
  // "\r\n", "\n" and a lone "\r" each end a line), for error messages.
  std::uint64_t offset() const { return consumed_ + pos_; }
  long long line() const { return line_; }

 private:
  bool Fill();  // appends the next chunk to the buffer; false at the end
  int Peek();   // the next byte, or -1 at the end
  void SkipLineEnd();
  void SkipBlankLines();
  template <typename Stop>
  int TakeUntil(std::string* out, Stop stop, bool countLines);
  void CountLineEnds(std::size_t from, std::size_t to);

  std::istream& in_;
  std::string buf_;
  std::size_t pos_ = 0;
  std::uint64_t consumed_ = 0;
  bool eof_ = false;
  bool started_ = false;      // the byte order mark was looked for
  bool afterCr_ = false;      // the last byte counted was a carriage return
  long long line_ = 1;        // the line the reader stands on
  long long number_ = 0;      // the number of the vector last begun
  long long blankLines_ = 0;  // blank lines skipped after it
  Field field_;
};

// A quick count of the vectors a run of the file will begin: five fields a
// vector, read as the runner reads them, blank lines skipped, nothing
// converted. A file that ends inside a vector counts that vector too (the
// run begins it and stops there with "I/O error!"). None where counting is
// not possible: standard input ("-"), a file that is missing, not a regular
// file (a named pipe would be used up by the count) or cannot be read.
std::optional<long long> CountVectors(const std::filesystem::path& path);
long long CountVectors(std::istream& in);

// A free value: the text of a quoted field as it stands, the text of an
// unquoted field that reads as a number converted to that number and back
// (FormatDouble). Throws VectorReadError for a number beyond the double range.
std::string FreeValue(const VectorReader::Field& field);
void FreeValue(const VectorReader::Field& field, std::string& out);

// "1" when the bit character is exactly "1", otherwise "0".
std::string_view Convert(std::string_view c);

// Every "|" of the text replaced by "1".
void ReplaceBars(std::string& text);

// The 64 bit characters of a double's bits ("0"/"1", sign first), as the
// vector file writes an operand.
std::string BitCharacters(std::uint64_t bits);

// The value of bit characters as the runner reads them: "1" a one bit,
// anything else a zero (operands as loaded, the Results stage's 64 bits).
std::uint64_t ResultBitsValue(std::string_view bitCharacters);

// True when OP names a subtraction: it reads as the number 1.
bool IsSubtraction(std::string_view op);

// The rounding mode of a mode letter: "N", "U", "D" or "Z"; none for any
// other text (the mode stays as it is).
std::optional<Rounding> RoundingForLetter(std::string_view mode);

// The report line of a failed vector, line end included:
// "OP,Mode,A,B,C,<64 result bits>,<line>" in double quotes. A line end, a
// comma or a double quote inside a field is written as a blank, so the
// report holds one line per failure and its fields stay apart.
std::string ReportLine(const TestVector& v, std::string_view resultBits, long long line);

// ---------------------------------------------------------------------------
// The runner

// What went wrong, for a headless caller: "vector N: what", or just what
// when no vector was begun.
std::string ErrorDetail(long long vector, const std::string& what);

enum class VectorOutcome { Passed, Failed, BadInput };

// What a failed write of the report ends the run with.
inline constexpr const char* kReportUnwritten = "the report could not be written";

struct BatchSummary {
  long long vectors = 0;  // vectors read (with the one an I/O error ended in)
  long long passed = 0;
  long long failed = 0;
  long long badInput = 0;
  bool ioError = false;     // the run ended with "I/O error!"
  bool stopped = false;     // the user answered No at a break point
  bool abandoned = false;   // the pause asked to end the run
  std::string errorDetail;  // what went wrong, for a headless caller
  // With classifying on: the failures counted by why they failed.
  std::map<std::string, long long, std::less<>> failureClasses;
};

// Why a failed vector failed: the class of the adder's difference from IEEE
// 754 (ieee754.h), or kExpectedNotIeee where the adder gives the IEEE 754
// result and the expected value is something else. A and B are 64 bit
// characters ("1" a one), as the runner loads them.
inline constexpr std::string_view kExpectedNotIeee = "expected value is not IEEE 754";
std::string_view ClassifyFailure(std::string_view a, std::string_view b, Operation operation,
                                 Rounding rounding, std::string_view resultBits);

// What a run has done so far, for a progress display on another thread:
// the runners store into it now and then (relaxed), never wait for it.
struct BatchProgress {
  std::atomic<long long> vectors{0};    // vectors (or cases) done
  std::atomic<std::uint64_t> bytes{0};  // of the input read for them
  std::atomic<std::uint64_t> total{0};  // the input's size; 0 when unknown
};

// Opens the vector file and the report (batch_files.h: "-" for standard
// input and output), runs `body` on the two and puts the report in place.
// A run that cannot start (the vector file missing, unreadable or a folder,
// the report a folder or the vector file itself) leaves the files as they
// were, and so does one that ends early before its first vector; one that
// ends early later keeps the report of the vectors it ran. A report that
// cannot be written leaves the earlier one. Every failure, and the I/O
// error `body` ends with, shows "I/O error!" with the reason on a second
// line through `dialogs` (errorDetail holds the reason). For every batch loop.
// With `progress`, the vector file's size goes into its total.
BatchSummary RunOnFiles(const FileLocations& files, UserDialogs& dialogs,
                        const std::function<BatchSummary(std::istream&, std::ostream&)>& body,
                        BatchProgress* progress = nullptr);

// Runs test vectors through the adder the way a user would: it selects the
// operation and the rounding mode on the operand entry, writes the operand
// bits into its boxes, presses Run and compares the Results stage's bits
// with the expected ones.
class BatchRunner {
 public:
  BatchRunner(Adder& adder, Session& session, UserDialogs& dialogs);

  // The control panel's BreakPoint box: ask after every vector.
  bool breakPoint = false;
  // When given, the BreakPoint box itself, read afresh at every vector (the
  // user may tick it during a run); breakPoint is then not used.
  std::function<bool()> breakPointBox;
  // Work out why each failed vector failed (failureClass()).
  bool classifyFailures = false;
  // Where the loop notes how far it got, when given.
  BatchProgress* progress = nullptr;
  // Called before the 1st, 101st, 201st ... vector so the windows can catch
  // up. Returning false ends the run at once, quietly (the program is
  // closing): both files are closed, the report is not opened, nothing beeps.
  std::function<bool()> pause;

  // One vector: true when it passed or was rejected as bad input.
  bool AutoRun(const TestVector& v) { return RunVector(v) != VectorOutcome::Failed; }
  VectorOutcome RunVector(const TestVector& v);
  // A vector as the batch loop runs it: "0" into exponent box 10 of both
  // operands first, then RunVector.
  VectorOutcome RunNext(const TestVector& v);

  // The whole "FromFile" run over files.input, reporting to files.output
  // (RunOnFiles). At the end both files are closed, the report is opened in
  // the viewer (when one is given; when it cannot be started, a message says
  // where the report is and how many vectors failed) and the dialogs beep. A
  // missing input file, an unreadable field or an error while a vector runs
  // shows "I/O error!" and its reason and ends the run at once: both files
  // are closed, the report is not opened. "Bad Input on line " offers Stop,
  // which ends the run after that vector as a No at a break point does.
  BatchSummary Run(const FileLocations& files, TextViewer* viewer);

  // The loop itself over open streams, for callers that manage the files.
  // An I/O error ends it with ioError and errorDetail set; no message.
  BatchSummary RunStreams(std::istream& in, std::ostream& report);

  // The 64 result bits as the Results stage shows them: sign cell,
  // exponent cells 0..10, fraction cells 1..52 (texts joined).
  std::string ResultBits() const;

  long long lineNumber() const { return lineNumber_; }
  bool stopRequested() const { return stop_; }
  const std::string& verdict() const { return verdict_; }
  // With classifyFailures, why the last vector failed (ClassifyFailure).
  std::string_view failureClass() const { return failureClass_; }
  // Sets the line number the next vector counts from (parallel runs).
  void SetLineNumber(long long line) { lineNumber_ = line; }

 private:
  void LoadOperand(bool operandA, std::string_view bits);
  bool ResultMatches(std::string_view c) const;

  Adder& adder_;
  Session& session_;
  UserDialogs& dialogs_;
  long long lineNumber_ = 0;
  bool stop_ = false;
  std::string verdict_;
  std::string_view failureClass_;
};

}  // namespace sumaris
