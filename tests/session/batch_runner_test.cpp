// The batch test runner: reading the vector file, running each vector through
// the operand entry and the 25 stages, the report, the break point question,
// and the failure paths.
#include "session/batch_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "session/adder.h"
#include "session/session.h"
#include "wires/errors.h"
#include "wires/platform.h"

namespace sumaris {
namespace {

namespace fs = std::filesystem;

// ---- helpers ---------------------------------------------------------------

// The 64 bits of a double, most significant first, "1"/"0".
std::string Bits(double x) {
  const auto u = std::bit_cast<std::uint64_t>(x);
  std::string s;
  for (int i = 63; i >= 0; --i)
    s += ((u >> i) & 1) ? '1' : '0';
  return s;
}

// The same with every one written as "|".
std::string Bars(double x) {
  std::string s = Bits(x);
  for (char& c : s) {
    if (c == '1') c = '|';
  }
  return s;
}

std::string FlipLastBit(std::string bits) {
  bits.back() = bits.back() == '1' ? '0' : '1';
  return bits;
}

class ScriptedDialogs final : public UserDialogs {
 public:
  void Message(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view text) override {
    questions.emplace_back(text);
    if (answers.empty()) return true;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void Beep() override { ++beeps; }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  int beeps = 0;
};

// Records what it was asked to open, and what the file held at that moment
// (so a report that was not yet flushed and closed shows up short).
class RecordingViewer final : public TextViewer {
 public:
  void Open(const fs::path& file) override {
    opened.push_back(file);
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    contentAtOpen = s.str();
  }
  std::vector<fs::path> opened;
  std::string contentAtOpen;
};

// Counts what the runner asks of the windows.
class CountingUi final : public SessionUi {
 public:
  void ShowPath(PathBlock block) override {
    if (block == PathBlock::Result) ++finalShown;
    if (throwOnShow) throw StageError("Subscript out of range");
  }
  int finalShown = 0;
  bool throwOnShow = false;
};

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

long LineCount(const std::string& text) {
  return std::count(text.begin(), text.end(), '\n');
}

class BatchRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    folder_ = fs::temp_directory_path() / ("sumaris-batch-test-" + std::to_string(::getpid()) +
                                           "-" + std::to_string(++counter));
    fs::create_directories(folder_);
    files_ = FileLocations::InFolder(folder_);
    session_.FillStepTable();
    session_.SetUi(&ui_);
    adder_.input.SetDialogs(&dialogs_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  void WriteInput(const std::string& text) {
    std::ofstream out(files_.input, std::ios::binary);
    out << text;
  }
  BatchSummary RunFile(const std::string& text) {
    WriteInput(text);
    return runner_.Run(files_, &viewer_);
  }
  std::string Report() const { return ReadFile(files_.output); }

  fs::path folder_;
  FileLocations files_;
  Adder adder_;
  Session session_{adder_};
  CountingUi ui_;
  ScriptedDialogs dialogs_;
  RecordingViewer viewer_;
  BatchRunner runner_{adder_, session_, dialogs_};
};

std::string Line(const std::string& op, const std::string& mode, const std::string& a,
                 const std::string& b, const std::string& c) {
  return op + "," + mode + "," + a + "," + b + "," + c + "\n";
}

// ---- reading fields ------------------------------------------------------------

struct FieldCase {
  const char* input;
  std::vector<std::pair<std::string, bool>> fields;  // text, quoted
};

TEST(VectorReaderTest, SplitsFieldsAsACommaSeparatedList) {
  const std::vector<FieldCase> cases = {
      {"a,b,c", {{"a", false}, {"b", false}, {"c", false}}},
      {"  a  ,\tb\t,c", {{"a", false}, {"b", false}, {"c", false}}},
      {"\"a,b\",c", {{"a,b", true}, {"c", false}}},
      {"\" x \",y", {{" x ", true}, {"y", false}}},
      {"\"q\" tail,z", {{"q", true}, {"z", false}}},
      {"\"line\nbreak\",z", {{"line\nbreak", true}, {"z", false}}},
      {"a\nb\r\nc\rd", {{"a", false}, {"b", false}, {"c", false}, {"d", false}}},
      {"a,\nb", {{"a", false}, {"", false}, {"b", false}}},
      {"a\n\nb", {{"a", false}, {"", false}, {"b", false}}},
      {",,x", {{"", false}, {"", false}, {"x", false}}},
      {"\"\",x", {{"", true}, {"x", false}}},
  };
  for (const FieldCase& c : cases) {
    std::istringstream in(c.input);
    VectorReader reader(in);
    for (const auto& [text, quoted] : c.fields) {
      const VectorReader::Field f = reader.ReadField();
      EXPECT_EQ(f.text, text) << "input: " << c.input;
      EXPECT_EQ(f.quoted, quoted) << "input: " << c.input;
    }
    EXPECT_TRUE(reader.Exhausted()) << "input: " << c.input;
    EXPECT_THROW(reader.ReadField(), VectorReadError) << "input: " << c.input;
  }
}

TEST(VectorReaderTest, ExhaustedOnlyWhenNothingButBlanksAndLineEndsRemain) {
  std::istringstream in("x\n \r\n\t\n");
  VectorReader reader(in);
  EXPECT_FALSE(reader.Exhausted());
  EXPECT_EQ(reader.ReadField().text, "x");
  EXPECT_TRUE(reader.Exhausted());

  std::istringstream in2("\n\ny");
  VectorReader reader2(in2);
  EXPECT_FALSE(reader2.Exhausted());
  EXPECT_EQ(reader2.ReadField().text, "");  // a blank line is an empty field
}

TEST(VectorReaderTest, FieldsLongerThanOneReadChunk) {
  const std::string big(200000, '|');
  std::istringstream in(big + ",\"" + big + "\"\n");
  VectorReader reader(in);
  EXPECT_EQ(reader.ReadField().text, big);
  EXPECT_EQ(reader.ReadField().text, big);
  EXPECT_TRUE(reader.Exhausted());
}

TEST(VectorReaderTest, FreeValuesTurnUnquotedNumbersIntoNumberText) {
  struct Case {
    const char* text;
    bool quoted;
    const char* expected;
  };
  const Case cases[] = {
      {"0001", false, "1"},
      {"0001", true, "0001"},
      {"1.50", false, "1.5"},
      {"1e3", false, "1000"},
      {"-0", false, "0"},
      {"+7", false, "7"},
      {"N", false, "N"},
      {"|0|", false, "|0|"},
      {"0|1", false, "0|1"},
      {"", false, ""},
      {"12345678901234567890", false, "1.23456789012346E+19"},
      {"0000000000000000000000000000000000000000000000000000000000000000", false, "0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FreeValue({c.text, c.quoted}), c.expected) << c.text;
  }
  EXPECT_THROW(FreeValue({"1e400", false}), VectorReadError);
  EXPECT_EQ(FreeValue({"1e400", true}), "1e400");
}

TEST(VectorReaderTest, ReadVectorKeepsCAsTextAndReplacesBars) {
  std::istringstream in(
      "1,\"Z\",|0|0,\"|1\",0001|\n"
      "0,U,0011,\"0011\",\"0011\"\n");
  VectorReader reader(in);
  const TestVector v = reader.ReadVector();
  EXPECT_EQ(v.op, "1");
  EXPECT_EQ(v.mode, "Z");
  EXPECT_EQ(v.a, "1010");
  EXPECT_EQ(v.b, "11");
  EXPECT_EQ(v.c, "00011");
  const TestVector w = reader.ReadVector();
  EXPECT_EQ(w.a, "11");  // unquoted digits are a number
  EXPECT_EQ(w.b, "0011");
  EXPECT_EQ(w.c, "0011");
}

TEST(BatchHelpersTest, ConvertOperationAndModes) {
  EXPECT_EQ(Convert("1"), "1");
  for (const char* other : {"0", "|", "2", "", "11", "x"})
    EXPECT_EQ(Convert(other), "0") << other;

  for (const char* sub : {"1", "1.0", " 1", "1e0"})
    EXPECT_TRUE(IsSubtraction(sub)) << sub;
  for (const char* add : {"0", "2", "-1", "", "x", "11", "1x"}) {
    EXPECT_FALSE(IsSubtraction(add)) << add;
  }

  EXPECT_EQ(RoundingOptionFor("N"), 4);
  EXPECT_EQ(RoundingOptionFor("U"), 1);
  EXPECT_EQ(RoundingOptionFor("D"), 2);
  EXPECT_EQ(RoundingOptionFor("Z"), 3);
  for (const char* keep : {"n", "u", "", "NN", " N", "4"}) {
    EXPECT_EQ(RoundingOptionFor(keep), 0) << keep;
  }
}

TEST(BatchHelpersTest, ReportLineFormat) {
  const TestVector v{"1", "Z", "ab", "cd", "ef"};
  EXPECT_EQ(ReportLine(v, "0101", 42), "\"1,Z,ab,cd,ef,0101,42\"\n");
}

// ---- running vectors ---------------------------------------------------------

TEST_F(BatchRunnerTest, PassingVectorsWriteNothingAndTheViewerOpensTheReport) {
  const double a = 1.5, b = -0.375;
  const std::string input =
      Line("0", "N", Bars(a), Bars(b), Bits(a + b)) + Line("1", "N", Bars(a), Bars(b), Bits(a - b));
  const BatchSummary s = RunFile(input);
  EXPECT_FALSE(s.ioError);
  EXPECT_EQ(s.vectors, 2);
  EXPECT_EQ(s.passed, 2);
  EXPECT_EQ(s.failed, 0);
  EXPECT_EQ(Report(), "");
  ASSERT_EQ(viewer_.opened.size(), 1u);
  EXPECT_EQ(viewer_.opened[0], files_.output);
  EXPECT_EQ(dialogs_.beeps, 1);
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(ui_.finalShown, 4);  // Run shows FINAL, then the runner shows it again
}

TEST_F(BatchRunnerTest, FailingVectorWritesTheReportLineInItsFormat) {
  const double a = 3.25, b = 1e-3;
  const std::string wrong = FlipLastBit(Bits(a + b));
  const BatchSummary s = RunFile(Line("0", "N", Bars(a), Bars(b), wrong));
  EXPECT_EQ(s.failed, 1);
  const std::string expected =
      "\"0,N," + Bits(a) + "," + Bits(b) + "," + wrong + "," + Bits(a + b) + ",1\"\n";
  EXPECT_EQ(Report(), expected);
  EXPECT_EQ(viewer_.contentAtOpen, expected);  // flushed and closed before the viewer starts
  EXPECT_EQ(dialogs_.beeps, 1);
}

TEST_F(BatchRunnerTest, BarsAndOnesGiveTheSameOperands) {
  const double a = -7.0625, b = 1024.5;
  const std::string c = Bits(a + b);
  const BatchSummary s = RunFile(Line("0", "N", Bars(a), "\"" + Bits(b) + "\"", c) +
                                 Line("0", "N", "\"" + Bits(a) + "\"", Bars(b), c));
  EXPECT_EQ(s.passed, 2);
  EXPECT_EQ(Report(), "");
}

TEST_F(BatchRunnerTest, OtherCharactersAreZeroBits) {
  // "x" and "0" are both zero bits; C with "x" in place of its zeros passes.
  const double a = 2.0, b = 0.5;
  std::string c = Bits(a + b);
  for (char& ch : c) {
    if (ch == '0') ch = 'x';
  }
  std::string aText = Bars(a);
  for (char& ch : aText) {
    if (ch == '0') ch = '.';
  }
  const BatchSummary s = RunFile(Line("0", "N", aText, Bars(b), c));
  EXPECT_EQ(s.passed, 1);
}

TEST_F(BatchRunnerTest, VectorSpreadOverTwoLines) {
  const double a = 10.0, b = 0.1;
  const std::string input =
      "1,\"N\"," + Bars(a) + "\n" + Bars(b) + ",\n" + "";  // the field after the comma is empty
  // A line end ends a field: the vector is 1, N, A, B, "" -> C is empty: bad input.
  BatchSummary s = RunFile(input);
  EXPECT_EQ(s.badInput, 1);
  EXPECT_EQ(s.vectors, 1);

  dialogs_.messages.clear();
  s = RunFile("1,N," + Bars(a) + "\n" + Bars(b) + "," + Bits(a - b) + "\n");
  EXPECT_EQ(s.vectors, 1);
  EXPECT_EQ(s.passed, 1);
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(BatchRunnerTest, OperationOneSubtractsAnyOtherValueAdds) {
  const double a = 5.5, b = 2.25;
  const BatchSummary s = RunFile(Line("0", "N", Bars(a), Bars(b), Bits(a + b)) +
                                 Line("2", "N", Bars(a), Bars(b), Bits(a + b)) +
                                 Line("\"x\"", "N", Bars(a), Bars(b), Bits(a + b)) +
                                 Line("1", "N", Bars(a), Bars(b), Bits(a - b)) +
                                 Line("\"1\"", "N", Bars(a), Bars(b), Bits(a - b)) +
                                 Line("1.0", "N", Bars(a), Bars(b), Bits(a - b)));
  EXPECT_EQ(s.passed, 6) << Report();
}

TEST_F(BatchRunnerTest, ModeLettersSelectTheRoundingAndOtherTextKeepsIt) {
  // 1 + 2^-60 rounds to 1 except upward, where it is the next double.
  const double one = 1.0, tiny = std::ldexp(1.0, -60);
  const std::string up = Bits(std::nextafter(1.0, 2.0));
  const std::string near = Bits(1.0);
  const BatchSummary s = RunFile(Line("0", "U", Bars(one), Bars(tiny), up) +
                                 Line("0", "n", Bars(one), Bars(tiny), up) +     // keeps U
                                 Line("0", "\"\"", Bars(one), Bars(tiny), up) +  // keeps U
                                 Line("0", "N", Bars(one), Bars(tiny), near) +
                                 Line("0", "u", Bars(one), Bars(tiny), near));  // keeps N
  EXPECT_EQ(s.passed, 5) << Report();
  EXPECT_TRUE(adder_.input.Option(4));

  // Downward and toward zero on a negative sum: -1 - 2^-60.
  const std::string down = Bits(-std::nextafter(1.0, 2.0));
  const BatchSummary t = RunFile(Line("1", "D", Bars(-one), Bars(tiny), down) +
                                 Line("1", "Z", Bars(-one), Bars(tiny), Bits(-1.0)));
  EXPECT_EQ(t.passed, 2) << Report();
  EXPECT_TRUE(adder_.input.Option(3));
  EXPECT_TRUE(adder_.input.Option(6));
}

TEST_F(BatchRunnerTest, WrongLengthIsBadInputReportedByLineNumber) {
  const double a = 3.0, b = 4.0;
  const std::string a63 = Bars(a).substr(1);
  const std::string input = Line("0", "N", Bars(a), Bars(b), Bits(a + b)) +
                            Line("0", "N", a63, Bars(b), Bits(a + b)) +
                            Line("0", "N", Bars(a), Bars(b), FlipLastBit(Bits(a + b))) +
                            Line("0", "N", Bars(a), Bars(b) + "|", Bits(a + b)) +
                            Line("0", "N", Bars(a), Bars(b), Bits(a + b) + "0");
  const BatchSummary s = RunFile(input);
  EXPECT_EQ(s.vectors, 5);
  EXPECT_EQ(s.passed, 1);
  EXPECT_EQ(s.failed, 1);
  EXPECT_EQ(s.badInput, 3);
  EXPECT_EQ(dialogs_.messages,
            (std::vector<std::string>{"Bad Input on line 2", "Bad Input on line 4",
                                      "Bad Input on line 5"}));
  // The failed vector is the third, counted with the rejected one before it.
  const std::string report = Report();
  EXPECT_NE(report.find(",3\"\n"), std::string::npos) << report;
  EXPECT_EQ(LineCount(report), 1);
  EXPECT_EQ(viewer_.opened.size(), 1u);
}

TEST_F(BatchRunnerTest, UnquotedDigitsOperandIsBadInput) {
  const double a = 3.0, b = 4.0;
  const BatchSummary s = RunFile(Line("0", "N", Bits(a), Bars(b), Bits(a + b)) +
                                 Line("0", "N", Bars(a), Bits(b), Bits(a + b)) +
                                 Line("0", "N", Bars(a), Bars(b), Bits(a + b)));
  EXPECT_EQ(s.badInput, 2);
  EXPECT_EQ(s.passed, 1);
  EXPECT_EQ(dialogs_.messages,
            (std::vector<std::string>{"Bad Input on line 1", "Bad Input on line 2"}));
}

TEST_F(BatchRunnerTest, BadInputStillSelectsOperationAndModeAndClearsExponentBit10) {
  const double big = std::ldexp(1.0, 600);  // exponent field 1623: bit 10 set
  RunFile(Line("0", "N", Bars(big), Bars(big), Bits(big + big)) + Line("1", "D", "x", "y", "z"));
  EXPECT_TRUE(adder_.input.Option(6));
  EXPECT_TRUE(adder_.input.Option(2));
  EXPECT_EQ(adder_.input.Ea[10], "0");
  EXPECT_EQ(adder_.input.EB[10], "0");
  // The hidden bit follows the exponent boxes that are left.
  EXPECT_EQ(adder_.input.Fa[0], "1");
}

TEST_F(BatchRunnerTest, EmptyFileGivesAnEmptyReportAndStillOpensIt) {
  std::ofstream(files_.output) << "old content\n";
  const BatchSummary s = RunFile("");
  EXPECT_FALSE(s.ioError);
  EXPECT_EQ(s.vectors, 0);
  EXPECT_TRUE(fs::exists(files_.output));
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(viewer_.opened.size(), 1u);
  EXPECT_EQ(dialogs_.beeps, 1);
}

TEST_F(BatchRunnerTest, TrailingBlankLinesEndTheFile) {
  const double a = 1.0, b = 2.0;
  const BatchSummary s = RunFile(Line("0", "N", Bars(a), Bars(b), Bits(a + b)) + "\n  \r\n\n");
  EXPECT_FALSE(s.ioError);
  EXPECT_EQ(s.passed, 1);
}

TEST_F(BatchRunnerTest, MissingFileIsAnIoErrorWithoutViewer) {
  std::ofstream(files_.output) << "earlier report\n";
  const BatchSummary s = runner_.Run(files_, &viewer_);
  EXPECT_TRUE(s.ioError);
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"I/O error!"});
  EXPECT_TRUE(viewer_.opened.empty());
  EXPECT_EQ(dialogs_.beeps, 0);
  EXPECT_EQ(Report(), "earlier report\n");  // the input is opened first
}

TEST_F(BatchRunnerTest, FileEndingInsideAVectorIsAnIoError) {
  const double a = 1.0, b = 2.0;
  const std::string fail = Line("0", "N", Bars(a), Bars(b), FlipLastBit(Bits(a + b)));
  const BatchSummary s = RunFile(fail + "0,N," + Bars(a) + "\n");
  EXPECT_TRUE(s.ioError);
  EXPECT_EQ(s.failed, 1);
  EXPECT_EQ(s.vectors, 2);
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"I/O error!"});
  EXPECT_TRUE(viewer_.opened.empty());
  EXPECT_EQ(dialogs_.beeps, 0);
  // The report is closed with what was written before the error, so a second
  // run can open both files again.
  EXPECT_EQ(LineCount(Report()), 1);
  const BatchSummary again = RunFile(fail);
  EXPECT_FALSE(again.ioError);
  EXPECT_EQ(again.failed, 1);
}

TEST_F(BatchRunnerTest, NumberBeyondTheDoubleRangeIsAnIoError) {
  const double a = 1.0, b = 2.0;
  const BatchSummary s = RunFile(Line("1e400", "N", Bars(a), Bars(b), Bits(a + b)));
  EXPECT_TRUE(s.ioError);
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"I/O error!"});
}

TEST_F(BatchRunnerTest, ErrorInsideAVectorEndsTheRunWithIoError) {
  const double a = 1.0, b = 2.0;
  ui_.throwOnShow = true;
  const BatchSummary s = RunFile(Line("0", "N", Bars(a), Bars(b), Bits(a + b)) +
                                 Line("0", "N", Bars(a), Bars(b), Bits(a + b)));
  EXPECT_TRUE(s.ioError);
  EXPECT_EQ(s.vectors, 1);  // the run ended at once
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"I/O error!"});
  EXPECT_TRUE(viewer_.opened.empty());
}

TEST_F(BatchRunnerTest, BreakPointAsksAfterEveryVectorAndNoStops) {
  const double a = 6.0, b = 0.75;
  const std::string ok = Line("0", "N", Bars(a), Bars(b), Bits(a + b));
  const std::string bad = Line("0", "N", Bars(a), Bars(b), FlipLastBit(Bits(a + b)));
  const std::string rejected = Line("0", "N", "x", Bars(b), Bits(a + b));
  runner_.breakPoint = true;
  dialogs_.answers = {true, false};
  const BatchSummary s = RunFile(ok + rejected + bad + ok + ok);
  EXPECT_TRUE(s.stopped);
  EXPECT_FALSE(s.ioError);
  EXPECT_EQ(s.vectors, 3);
  EXPECT_EQ(dialogs_.questions,
            (std::vector<std::string>{"Test Succeeded. Do you want to continue?",
                                      "This Test Failed. Do you want to continue?"}));
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"Bad Input on line 2"});
  ASSERT_EQ(viewer_.opened.size(), 1u);
  EXPECT_EQ(LineCount(viewer_.contentAtOpen), 1);
  EXPECT_NE(viewer_.contentAtOpen.find(",3\"\n"), std::string::npos);
  EXPECT_EQ(dialogs_.beeps, 1);

  // Without the box nobody is asked.
  dialogs_.questions.clear();
  runner_.breakPoint = false;
  RunFile(ok + bad);
  EXPECT_TRUE(dialogs_.questions.empty());
}

TEST_F(BatchRunnerTest, PausesBeforeEveryHundredthVector) {
  std::vector<long long> pausedAt;
  runner_.pause = [&] {
    pausedAt.push_back(runner_.lineNumber());
    return true;
  };
  std::string input;
  for (int i = 0; i < 250; ++i)
    input += Line("0", "N", "short", "x", "y");
  const BatchSummary s = RunFile(input);
  EXPECT_EQ(s.badInput, 250);
  EXPECT_EQ(pausedAt, (std::vector<long long>{0, 100, 200}));

  pausedAt.clear();
  RunFile("");
  EXPECT_TRUE(pausedAt.empty());
}

TEST_F(BatchRunnerTest, PauseCanEndTheRunQuietly) {
  const double a = 1.0, b = 2.0;
  const std::string fail = Line("0", "N", Bars(a), Bars(b), FlipLastBit(Bits(a + b)));
  std::string input;
  for (int i = 0; i < 150; ++i)
    input += fail;
  int pauses = 0;
  runner_.pause = [&] { return ++pauses < 2; };  // the program closes at the second pause
  const BatchSummary s = RunFile(input);
  EXPECT_TRUE(s.abandoned);
  EXPECT_FALSE(s.ioError);
  EXPECT_EQ(s.vectors, 100);
  EXPECT_EQ(s.failed, 100);
  EXPECT_EQ(LineCount(Report()), 100);  // closed with every line written
  EXPECT_TRUE(viewer_.opened.empty());
  EXPECT_EQ(dialogs_.beeps, 0);
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(BatchRunnerTest, AutoRunReturnsFalseOnlyForAFailure) {
  const double a = 9.0, b = -3.5;
  EXPECT_TRUE(runner_.AutoRun({"0", "N", Bits(a), Bits(b), Bits(a + b)}));
  EXPECT_EQ(runner_.verdict(), "Test Succeeded. ");
  EXPECT_FALSE(runner_.AutoRun({"0", "N", Bits(a), Bits(b), Bits(a - b)}));
  EXPECT_EQ(runner_.verdict(), "This Test Failed. ");
  EXPECT_TRUE(runner_.AutoRun({"0", "N", "1", Bits(b), Bits(a - b)}));
  // The operand entry holds the last vector that ran.
  EXPECT_EQ(adder_.input.Sa, "0");
  EXPECT_EQ(adder_.input.SB, "1");
}

// A table of ordinary sums in all four modes: each exact result rounded by
// the host (which is the IEEE 754 reference) must come out of the adder.
TEST_F(BatchRunnerTest, RoundsLikeTheHostInAllModesForNormalResults) {
  std::mt19937_64 rng(12345);
  std::string input;
  int expectedVectors = 0;
  const double minNormal = std::ldexp(1.0, -1020);
  for (int i = 0; i < 200; ++i) {
    const double a = std::ldexp(1.0 + static_cast<double>(rng() >> 12) / 4503599627370496.0,
                                static_cast<int>(rng() % 200) - 100) *
                     ((rng() & 1) ? -1 : 1);
    const double b = std::ldexp(1.0 + static_cast<double>(rng() >> 12) / 4503599627370496.0,
                                static_cast<int>(rng() % 200) - 100);
    const double sum = a + b;
    const double difference = a - b;
    if (std::fabs(sum) < minNormal || std::fabs(difference) < minNormal) continue;
    input += Line("0", "N", Bars(a), Bars(b), Bits(sum));
    input += Line("1", "N", Bars(a), Bars(b), Bits(difference));
    expectedVectors += 2;
  }
  const BatchSummary s = RunFile(input);
  EXPECT_EQ(s.vectors, expectedVectors);
  EXPECT_EQ(s.passed, expectedVectors) << Report();
}

// The specified adder's own results: every vector passes, except those whose
// unquoted operand consists of digits only, which read as a number and are
// rejected as bad input.
TEST_F(BatchRunnerTest, SampleFileReplays) {
  const fs::path sample = fs::path(SUMARIS_TEST_DATA) / "sample.txt";
  std::ifstream in(sample);
  ASSERT_TRUE(in) << sample;
  long long lines = 0, digitsOnly = 0;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    ++lines;
    // Fields 3 and 4 (A and B), split at the commas; the sample has no quotes.
    std::vector<std::string> f;
    std::stringstream ss(line);
    for (std::string part; std::getline(ss, part, ',');)
      f.push_back(part);
    ASSERT_EQ(f.size(), 5u) << line;
    auto digits = [](const std::string& t) {
      return t.find_first_not_of("0123456789") == std::string::npos;
    };
    if (digits(f[2]) || digits(f[3])) ++digitsOnly;
  }
  ASSERT_GT(lines, 1000);
  ASSERT_GT(digitsOnly, 0);

  fs::copy_file(sample, files_.input);
  const BatchSummary s = runner_.Run(files_, &viewer_);
  EXPECT_FALSE(s.ioError);
  EXPECT_EQ(s.vectors, lines);
  EXPECT_EQ(s.badInput, digitsOnly);
  EXPECT_EQ(s.passed, lines - digitsOnly);
  EXPECT_EQ(s.failed, 0);
  EXPECT_EQ(Report(), "");
}

}  // namespace
}  // namespace sumaris
