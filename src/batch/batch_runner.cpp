#include "batch/batch_runner.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>

#include "adder/adder.h"
#include "adder/ieee754.h"
#include "adder/operand_entry.h"
#include "batch/batch_files.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "session/platform.h"
#include "session/session.h"

namespace sumaris {
namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kBits = 64;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(int c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(int c) {
  return c == '\r' || c == '\n';
}

}  // namespace

// ---- reading --------------------------------------------------------------

VectorReader::VectorReader(std::istream& in) : in_(in) {}

bool VectorReader::Fill() {
  if (eof_) return false;
  buf_.erase(0, pos_);
  consumed_ += pos_;
  pos_ = 0;
  char chunk[kChunk];
  in_.read(chunk, static_cast<std::streamsize>(sizeof chunk));
  const std::streamsize n = in_.gcount();
  if (in_.bad()) throw VectorReadError("the vector file could not be read");
  if (n <= 0) {
    eof_ = true;
    return false;
  }
  buf_.append(chunk, static_cast<std::size_t>(n));
  if (!started_) {
    started_ = true;
    if (buf_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
  }
  return true;
}

int VectorReader::Peek() {
  if (pos_ < buf_.size() || Fill()) return static_cast<unsigned char>(buf_[pos_]);
  return -1;
}

void VectorReader::SkipLineEnd() {
  const int c = Peek();
  if (c == '\r') {
    ++pos_;
    if (Peek() == '\n') ++pos_;
  } else if (c == '\n') {
    ++pos_;
  } else {
    return;
  }
  ++line_;
}

void VectorReader::SkipBlankLines() {
  for (int c = Peek();; c = Peek()) {
    if (IsBlank(c)) {
      ++pos_;
    } else if (IsLineEnd(c)) {
      SkipLineEnd();
      ++blankLines_;
    } else {
      return;
    }
  }
}

bool VectorReader::Exhausted() {
  SkipBlankLines();
  return Peek() < 0;
}

void VectorReader::CountLineEnds(std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    const char c = buf_[i];
    if (c == '\r' || (c == '\n' && !afterCr_)) ++line_;
    afterCr_ = c == '\r';
  }
}

// Takes the text up to (not including) the next byte for which stop(byte)
// holds, or up to the end of the input, and appends its first bytes to
// `out`, up to kMaxField + 1 in all (none when `out` is null). Returns that
// byte or -1.
template <typename Stop>
int VectorReader::TakeUntil(std::string* out, Stop stop, bool countLines) {
  for (;;) {
    const std::size_t from = pos_;
    const std::size_t size = buf_.size();
    std::size_t i = from;
    while (i < size && !stop(static_cast<unsigned char>(buf_[i])))
      ++i;
    if (out != nullptr && out->size() <= kMaxField)
      out->append(buf_, from, std::min(i - from, kMaxField + 1 - out->size()));
    if (countLines) CountLineEnds(from, i);
    pos_ = i;
    if (i < size) return static_cast<unsigned char>(buf_[i]);
    if (!Fill()) return -1;
  }
}

void VectorReader::ReadField(Field& field) {
  field.text.clear();
  field.quoted = false;
  int c = Peek();
  while (IsBlank(c)) {
    ++pos_;
    c = Peek();
  }
  if (c < 0) throw VectorReadError("the file ends in the middle of a vector");
  if (c == '"') {
    // Quoted: everything up to the closing quote is text; whatever stands
    // between the closing quote and the delimiter is dropped.
    field.quoted = true;
    const long long opened = line_;
    ++pos_;
    afterCr_ = false;
    c = TakeUntil(
        &field.text, [](int ch) { return ch == '"'; }, true);
    if (c != '"') {
      throw VectorReadError("the file ends inside a quoted field on line " +
                            std::to_string(opened));
    }
    ++pos_;
    c = TakeUntil(
        nullptr, [](int ch) { return ch == ',' || IsLineEnd(ch); }, false);
    field.tooLong = field.text.size() > kMaxField;
  } else {
    c = TakeUntil(
        &field.text, [](int ch) { return ch == ',' || IsLineEnd(ch); }, false);
    field.tooLong = field.text.size() > kMaxField;
    while (!field.tooLong && !field.text.empty() && IsBlank(field.text.back()))
      field.text.pop_back();
  }
  if (c == ',') {
    ++pos_;
  } else if (IsLineEnd(c)) {
    SkipLineEnd();
  }
}

VectorReader::Field VectorReader::ReadField() {
  Field field;
  ReadField(field);
  return field;
}

void VectorReader::ReadVector(TestVector& v) {
  SkipBlankLines();
  number_ = nextNumber();
  blankLines_ = 0;
  v.tooLong = false;
  // A field beyond the limit is kept as text: its vector is rejected anyway.
  for (std::string* free : {&v.op, &v.mode, &v.a, &v.b}) {
    ReadField(field_);
    if (field_.tooLong) {
      v.tooLong = true;
      *free = field_.text;
    } else {
      FreeValue(field_, *free);
    }
  }
  ReadField(field_);
  v.tooLong = v.tooLong || field_.tooLong;
  v.c.swap(field_.text);
  ReplaceBars(v.a);
  ReplaceBars(v.b);
  ReplaceBars(v.c);
}

TestVector VectorReader::ReadVector() {
  TestVector v;
  ReadVector(v);
  return v;
}

long long CountVectors(std::istream& in) {
  VectorReader reader(in);
  VectorReader::Field field;
  long long vectors = 0;
  try {
    while (!reader.Exhausted()) {
      ++vectors;
      for (int i = 0; i < 5; ++i)
        reader.ReadField(field);
    }
  } catch (const VectorReadError&) {
    // The vector it broke off in is begun all the same.
  }
  return vectors;
}

std::optional<long long> CountVectors(const std::filesystem::path& path) {
  std::error_code error;
  if (path == "-" || !std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const long long vectors = CountVectors(in);
  if (in.bad()) return std::nullopt;
  return vectors;
}

void FreeValue(const VectorReader::Field& field, std::string& out) {
  const std::string& t = field.text;
  if (!field.quoted && !t.empty()) {
    const char first = t.front();
    if (first >= '1' && first <= '9' && t.size() <= 15 &&
        t.find_first_not_of("0123456789") == std::string::npos) {
      out = t;  // a whole number below 10^15 is its own text
      return;
    }
    // Most fields start with a character no number starts with ("|", a letter).
    if (first == '+' || first == '-' || first == '.' || (first >= '0' && first <= '9')) {
      std::optional<double> number;
      try {
        number = ReadWholeNumber(t);
      } catch (const Overflow&) {
        throw VectorReadError("the number " + t + " is beyond the range of a double");
      }
      if (number) {
        out = FormatDouble(*number);
        return;
      }
    }
  }
  out = t;
}

std::string FreeValue(const VectorReader::Field& field) {
  std::string out;
  FreeValue(field, out);
  return out;
}

std::string_view Convert(std::string_view c) {
  return c == "1" ? "1" : "0";
}

void ReplaceBars(std::string& text) {
  for (char& ch : text) {
    if (ch == '|') ch = '1';
  }
}

bool IsSubtraction(std::string_view op) {
  try {
    const std::optional<double> number = ReadWholeNumber(op);
    return number && *number == 1;
  } catch (const Overflow&) {
    return false;
  }
}

std::optional<Rounding> RoundingForLetter(std::string_view mode) {
  if (mode == "N") return Rounding::NearestEven;
  if (mode == "U") return Rounding::Up;
  if (mode == "D") return Rounding::Down;
  if (mode == "Z") return Rounding::TowardZero;
  return std::nullopt;
}

namespace {

// Appends a field to a report line, a line end, comma or quote as a blank.
void AppendReportField(std::string& line, const std::string& field) {
  const std::size_t from = line.size();
  line += field;
  for (std::size_t i = from; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\r' || c == '\n' || c == ',' || c == '"') line[i] = ' ';
  }
}

}  // namespace

std::string ReportLine(const TestVector& v, std::string_view resultBits, long long line) {
  std::string s;
  s.reserve(v.op.size() + v.mode.size() + v.a.size() + v.b.size() + v.c.size() + resultBits.size() +
            32);
  s += '"';
  AppendReportField(s, v.op);
  s += ',';
  AppendReportField(s, v.mode);
  s += ',';
  AppendReportField(s, v.a);
  s += ',';
  AppendReportField(s, v.b);
  s += ',';
  AppendReportField(s, v.c);
  s += ',';
  s += resultBits;
  s += ',';
  s += std::to_string(line);
  s += "\"\n";
  return s;
}

// ---- running --------------------------------------------------------------

BatchRunner::BatchRunner(Adder& adder, Session& session, UserDialogs& dialogs)
    : adder_(adder), session_(session), dialogs_(dialogs) {}

void BatchRunner::LoadOperand(bool operandA, std::string_view bits) {
  OperandEntry& entry = adder_.input;
  const BoxRow e = operandA ? BoxRow::Ea : BoxRow::EB;
  const BoxRow f = operandA ? BoxRow::Fa : BoxRow::FB;
  entry.SetSign(operandA ? Operand::A : Operand::B, Convert(bits.substr(0, 1)));
  for (int i = 10; i >= 0; --i) {
    entry.SetBox(e, i, Convert(bits.substr(static_cast<std::size_t>(11 - i), 1)));
  }
  for (int i = 1; i <= 52; ++i) {
    entry.SetBox(f, i, Convert(bits.substr(static_cast<std::size_t>(11 + i), 1)));
  }
}

bool BatchRunner::ResultMatches(std::string_view c) const {
  const Results& r = adder_.results;
  bool same = r.Sa[0] == Convert(c.substr(0, 1));
  for (int i = 0; i <= 10; ++i) {
    same = (r.Ea[i] == Convert(c.substr(static_cast<std::size_t>(1 + i), 1))) && same;
  }
  for (int i = 1; i <= 52; ++i) {
    same = (r.Fa[i] == Convert(c.substr(static_cast<std::size_t>(11 + i), 1))) && same;
  }
  return same;
}

std::string BatchRunner::ResultBits() const {
  const Results& r = adder_.results;
  std::string bits;
  bits.reserve(kBits);
  bits += r.Sa[0].text();
  for (int i = 0; i <= 10; ++i)
    bits += r.Ea[i].text();
  for (int i = 1; i <= 52; ++i)
    bits += r.Fa[i].text();
  return bits;
}

VectorOutcome BatchRunner::RunVector(const TestVector& v) {
  verdict_ = "Test Succeeded. ";
  stop_ = false;
  OperandEntry& entry = adder_.input;
  entry.SelectOperation(IsSubtraction(v.op) ? Operation::Subtract : Operation::Add);
  if (const auto rounding = RoundingForLetter(v.mode)) entry.SelectRounding(*rounding);

  if (v.tooLong || v.a.size() != kBits || v.b.size() != kBits || v.c.size() != kBits) {
    if (!dialogs_.MessageOrStop("Bad Input on line " + std::to_string(lineNumber_))) stop_ = true;
    return VectorOutcome::BadInput;
  }
  LoadOperand(true, v.a);
  LoadOperand(false, v.b);

  session_.Run();
  session_.ui().ShowPath(PathBlock::Result);

  const bool passed = ResultMatches(v.c);
  if (!passed) verdict_ = "This Test Failed. ";
  if (!passed && classifyFailures) {
    failureClass_ = ClassifyFailure(v.a, v.b, entry.operation(), entry.rounding(), ResultBits());
  }
  const bool ask = breakPointBox ? breakPointBox() : breakPoint;
  if (ask && !dialogs_.AskYesNo(verdict_ + "Do you want to continue?")) stop_ = true;
  return passed ? VectorOutcome::Passed : VectorOutcome::Failed;
}

std::string BitCharacters(std::uint64_t bits) {
  std::string s(64, '0');
  for (int i = 0; i < 64; ++i) {
    if ((bits >> (63 - i)) & 1) s[static_cast<std::size_t>(i)] = '1';
  }
  return s;
}

std::uint64_t ResultBitsValue(std::string_view bitCharacters) {
  std::uint64_t v = 0;
  for (char c : bitCharacters)
    v = (v << 1) | (c == '1' ? 1u : 0u);
  return v;
}

std::string_view ClassifyFailure(std::string_view a, std::string_view b, Operation operation,
                                 Rounding rounding, std::string_view resultBits) {
  const IeeeComparison c = CompareWithIeee(ResultBitsValue(a), ResultBitsValue(b), operation,
                                           rounding, ResultBitsValue(resultBits));
  return c.same ? kExpectedNotIeee : c.difference->name;
}

std::string ErrorDetail(long long vector, const std::string& what) {
  return vector > 0 ? "vector " + std::to_string(vector) + ": " + what : what;
}

VectorOutcome BatchRunner::RunNext(const TestVector& v) {
  adder_.input.SetBox(BoxRow::Ea, 10, "0");
  adder_.input.SetBox(BoxRow::EB, 10, "0");
  return RunVector(v);
}

BatchSummary BatchRunner::RunStreams(std::istream& in, std::ostream& report) {
  BatchSummary summary;
  lineNumber_ = 0;
  stop_ = false;
  VectorReader reader(in);
  TestVector v;
  try {
    while (!stop_ && !reader.Exhausted()) {
      if (summary.vectors % 100 == 0 && pause && !pause()) {
        summary.abandoned = true;
        break;
      }
      ++summary.vectors;
      lineNumber_ = reader.nextNumber();
      reader.ReadVector(v);
      if (progress != nullptr) {
        progress->vectors.store(summary.vectors, std::memory_order_relaxed);
        progress->bytes.store(reader.offset(), std::memory_order_relaxed);
      }
      switch (RunNext(v)) {
        case VectorOutcome::Passed:
          ++summary.passed;
          break;
        case VectorOutcome::BadInput:
          ++summary.badInput;
          break;
        case VectorOutcome::Failed:
          ++summary.failed;
          if (classifyFailures) ++summary.failureClasses[std::string(failureClass_)];
          report << ReportLine(v, ResultBits(), lineNumber_);
          if (!report) throw VectorReadError(WithSystemReason(kReportUnwritten, errno));
          break;
      }
    }
  } catch (const VectorReadError& e) {
    summary.ioError = true;
    summary.errorDetail = ErrorDetail(lineNumber_, e.what());
  } catch (const StageError& e) {
    summary.ioError = true;
    summary.errorDetail =
        ErrorDetail(lineNumber_, std::string("error inside a stage: ") + e.what());
  } catch (const std::exception& e) {
    summary.ioError = true;
    summary.errorDetail = ErrorDetail(lineNumber_, e.what());
  }
  summary.stopped = stop_;
  return summary;
}

BatchSummary RunOnFiles(const FileLocations& files, UserDialogs& dialogs,
                        const std::function<BatchSummary(std::istream&, std::ostream&)>& body,
                        BatchProgress* progress) {
  BatchSummary summary;
  auto fail = [&](std::string detail) {
    summary.ioError = true;
    summary.errorDetail = std::move(detail);
    dialogs.Message("I/O error!\n" + summary.errorDetail);
    return summary;
  };
  std::string reason;
  InputFile input;
  if (!input.Open(files.input, reason)) return fail(reason);
  if (progress != nullptr) progress->total = input.size().value_or(0);
  ReportFile report;
  if (!report.Open(files.output, input.identity(), reason)) return fail(reason);
  summary = body(input.stream(), report.stream());
  // A run that ends early keeps the report of the vectors it ran; one that
  // ran none leaves the earlier report as it was.
  const bool ran = summary.passed + summary.failed + summary.badInput > 0;
  if ((summary.ioError || summary.abandoned) && (!ran || !report.stream())) {
    report.Discard();
  } else if (!report.Commit(reason) && !summary.ioError && !summary.abandoned) {
    return fail(reason);
  }
  if (summary.ioError) dialogs.Message("I/O error!\n" + summary.errorDetail);
  return summary;
}

BatchSummary BatchRunner::Run(const FileLocations& files, TextViewer* viewer) {
  const BatchSummary summary = RunOnFiles(
      files, dialogs_,
      [this](std::istream& in, std::ostream& report) { return RunStreams(in, report); }, progress);
  if (summary.ioError || summary.abandoned) return summary;
  if (viewer != nullptr && !viewer->Open(files.output)) {
    dialogs_.Message("No text viewer could be started.\nThe report is " + files.output.string() +
                     "; " + std::to_string(summary.failed) +
                     (summary.failed == 1 ? " vector failed." : " vectors failed."));
  }
  dialogs_.Beep();
  return summary;
}

}  // namespace sumaris
