#include "batch/batch_runner.h"

#include <fstream>
#include <istream>
#include <optional>
#include <ostream>

#include "adder/adder.h"
#include "adder/operand_entry.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "session/platform.h"
#include "session/session.h"

namespace sumaris {
namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kBits = 64;

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
  return true;
}

int VectorReader::Peek() {
  if (pos_ < buf_.size() || Fill()) return static_cast<unsigned char>(buf_[pos_]);
  return -1;
}

void VectorReader::SkipLineEnd() {
  if (Peek() == '\r') {
    ++pos_;
    if (Peek() == '\n') ++pos_;
  } else if (Peek() == '\n') {
    ++pos_;
  }
}

bool VectorReader::Exhausted() {
  std::size_t i = pos_;
  for (;;) {
    if (i == buf_.size()) {
      const std::size_t ahead = i - pos_;
      if (!Fill()) return true;
      i = pos_ + ahead;
      continue;
    }
    const int c = static_cast<unsigned char>(buf_[i]);
    if (!IsBlank(c) && !IsLineEnd(c)) return false;
    ++i;
  }
}

// Appends the text up to (not including) the next byte for which stop(byte)
// holds, or up to the end of the input; returns that byte or -1.
template <typename Stop>
int VectorReader::TakeUntil(std::string& out, Stop stop) {
  for (;;) {
    const std::size_t from = pos_;
    const std::size_t size = buf_.size();
    std::size_t i = from;
    while (i < size && !stop(static_cast<unsigned char>(buf_[i])))
      ++i;
    out.append(buf_, from, i - from);
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
    ++pos_;
    c = TakeUntil(field.text, [](int ch) { return ch == '"'; });
    if (c == '"') ++pos_;
    std::string dropped;
    c = TakeUntil(dropped, [](int ch) { return ch == ',' || IsLineEnd(ch); });
  } else {
    c = TakeUntil(field.text, [](int ch) { return ch == ',' || IsLineEnd(ch); });
    while (!field.text.empty() && IsBlank(field.text.back()))
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
  ReadField(field_);
  FreeValue(field_, v.op);
  ReadField(field_);
  FreeValue(field_, v.mode);
  ReadField(field_);
  FreeValue(field_, v.a);
  ReadField(field_);
  FreeValue(field_, v.b);
  ReadField(field_);
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

std::string ReportLine(const TestVector& v, std::string_view resultBits, long long line) {
  std::string s;
  s.reserve(v.op.size() + v.mode.size() + v.a.size() + v.b.size() + v.c.size() + resultBits.size() +
            32);
  s += '"';
  s += v.op;
  s += ',';
  s += v.mode;
  s += ',';
  s += v.a;
  s += ',';
  s += v.b;
  s += ',';
  s += v.c;
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

  if (v.a.size() != kBits || v.b.size() != kBits || v.c.size() != kBits) {
    dialogs_.Message("Bad Input on line " + std::to_string(lineNumber_));
    return VectorOutcome::BadInput;
  }
  LoadOperand(true, v.a);
  LoadOperand(false, v.b);

  session_.Run();
  session_.ui().ShowPath(PathBlock::Result);

  const bool passed = ResultMatches(v.c);
  if (!passed) verdict_ = "This Test Failed. ";
  if (breakPoint && !dialogs_.AskYesNo(verdict_ + "Do you want to continue?")) stop_ = true;
  return passed ? VectorOutcome::Passed : VectorOutcome::Failed;
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
      if (lineNumber_ % 100 == 0 && pause && !pause()) {
        summary.abandoned = true;
        break;
      }
      ++lineNumber_;
      reader.ReadVector(v);
      switch (RunNext(v)) {
        case VectorOutcome::Passed:
          ++summary.passed;
          break;
        case VectorOutcome::BadInput:
          ++summary.badInput;
          break;
        case VectorOutcome::Failed:
          ++summary.failed;
          report << ReportLine(v, ResultBits(), lineNumber_);
          if (!report) throw VectorReadError("the report could not be written");
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
  summary.vectors = lineNumber_;
  summary.stopped = stop_;
  if (summary.ioError) dialogs_.Message("I/O error!");
  return summary;
}

BatchSummary RunOnFiles(const FileLocations& files, UserDialogs& dialogs,
                        const std::function<BatchSummary(std::istream&, std::ostream&)>& body) {
  BatchSummary summary;
  auto fail = [&](std::string detail) {
    summary.ioError = true;
    summary.errorDetail = std::move(detail);
    dialogs.Message("I/O error!");
    return summary;
  };
  std::ifstream in(files.input, std::ios::binary);
  if (!in) return fail("cannot open the vector file " + files.input.string());
  std::ofstream report(files.output, std::ios::binary | std::ios::trunc);
  if (!report) return fail("cannot create the report " + files.output.string());
  summary = body(in, report);
  in.close();
  report.close();
  if (!summary.ioError && !summary.abandoned && report.fail())
    return fail("the report " + files.output.string() + " could not be written");
  return summary;
}

BatchSummary BatchRunner::Run(const FileLocations& files, TextViewer* viewer) {
  const BatchSummary summary =
      RunOnFiles(files, dialogs_,
                 [this](std::istream& in, std::ostream& report) { return RunStreams(in, report); });
  if (summary.ioError || summary.abandoned) return summary;
  if (viewer != nullptr) viewer->Open(files.output);
  dialogs_.Beep();
  return summary;
}

}  // namespace sumaris
