// The batch test runner over the vector file: reading the fields, running
// each vector through the operand entry and the stages, the report, the
// break point question and the failure paths.
#include "batch/batch_runner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "session/platform.h"
#include "support/adder_driver.h"
#include "support/files.h"
#include "support/recording_platform.h"

namespace sumaris {
namespace {

namespace fs = std::filesystem;

std::string Digits(double x) {
  return test::BitString(test::Bits(x));
}
std::string Bars(double x) {
  return test::BitString(test::Bits(x), '|');
}
std::string Line(const std::string& op, const std::string& mode, const std::string& a,
                 const std::string& b, const std::string& c) {
  return op + "," + mode + "," + a + "," + b + "," + c + "\n";
}

class BatchRunnerTest : public ::testing::Test {
 protected:
  BatchSummary RunFile(const std::string& text) {
    test::WriteText(files_.input, text);
    return runner_.Run(files_, &viewer_);
  }

  test::TempFolder folder_;
  FileLocations files_ = FileLocations::InFolder(folder_.path());
  test::AdderDriver driver_;
  test::RecordingDialogs dialogs_;
  test::RecordingViewer viewer_;
  BatchRunner runner_{driver_.adder(), driver_.session(), dialogs_};
};

TEST_F(BatchRunnerTest, ReadsTheFieldsRunsTheVectorsAndReportsTheFailures) {
  const double a = 5.5, b = -2.25, one = 1.0, tiny = std::ldexp(1.0, -60);
  const std::string up = Digits(std::nextafter(1.0, 2.0)), wrong = Digits(a - b);
  std::string dotted = Bars(a), crossed = Digits(a + b);
  for (char& ch : dotted)
    ch = ch == '0' ? '.' : ch;
  for (char& ch : crossed)
    ch = ch == '0' ? 'x' : ch;
  struct Case {
    std::string file;
    const char* outcome;  // passed, failed, bad input; the messages
    std::string report = "";
  } cases[] = {
      // Quoted and unquoted fields; a vector over two lines.
      {Line("\"0\"", "\"N\"", "\"" + Digits(a) + "\"", Bars(b), "\"" + Digits(a + b) + "\""),
       "1 0 0;"},
      {"1,N," + Bars(a) + "\n" + Bars(b) + "," + Digits(a - b) + "\n", "1 0 0;"},
      // Ones as "|" or "1", zeros as any other character.
      {Line("0", "N", dotted, Bars(b), crossed), "1 0 0;"},
      // OP 1 subtracts, any other value adds.
      {Line("0", "N", Bars(a), Bars(b), Digits(a + b)) +
           Line("2", "N", Bars(a), Bars(b), Digits(a + b)) +
           Line("\"x\"", "N", Bars(a), Bars(b), Digits(a + b)) +
           Line("1.0", "N", Bars(a), Bars(b), Digits(a - b)),
       "4 0 0;"},
      // A lower-case "n" or an empty mode keeps rounding up.
      {Line("0", "U", Bars(one), Bars(tiny), up) + Line("0", "n", Bars(one), Bars(tiny), up) +
           Line("0", "\"\"", Bars(one), Bars(tiny), up),
       "3 0 0;"},
      // A 63-character A is bad input, and the next vector runs.
      {Line("0", "N", Bars(a).substr(1), Bars(b), Digits(a + b)) +
           Line("0", "N", Bars(a), Bars(b), Digits(a + b)),
       "1 0 1; Bad Input on line 1"},
      // A 65-character C; an unquoted all-digit A reads as a number.
      {Line("0", "N", Bars(a), Bars(b), Digits(a + b) + "0") +
           Line("0", "N", Digits(a), Bars(b), Digits(a + b)),
       "0 0 2; Bad Input on line 1; Bad Input on line 2"},
      // A failure is reported with its line number, rejected lines counted.
      {Line("0", "N", "x", Bars(b), Digits(a + b)) + Line("0", "N", Bars(a), Bars(b), wrong),
       "0 1 1; Bad Input on line 1",
       "\"0,N," + Digits(a) + "," + Digits(b) + "," + wrong + "," + Digits(a + b) + ",2\"\n"},
      {"", "0 0 0;"}};  // an empty file
  for (const Case& c : cases) {
    dialogs_.messages.clear();
    viewer_.opened.clear();
    const BatchSummary s = RunFile(c.file);
    std::string outcome = std::to_string(s.passed) + " " + std::to_string(s.failed) + " " +
                          std::to_string(s.badInput) + ";";
    for (const std::string& m : dialogs_.messages)
      outcome += (outcome.back() == ';' ? " " : "; ") + m;
    EXPECT_EQ(outcome, c.outcome) << c.file;
    EXPECT_EQ(s.vectors, s.passed + s.failed + s.badInput);
    EXPECT_EQ(test::ReadText(files_.output), c.report);
    EXPECT_EQ(viewer_.opened, std::vector<fs::path>{files_.output});
  }
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_EQ(dialogs_.beeps, 9);
}

TEST_F(BatchRunnerTest, AMissingFileIsAnIoErrorWithoutViewer) {
  const BatchSummary s = runner_.Run(files_, &viewer_);
  EXPECT_TRUE(s.ioError);
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"I/O error!"});
  EXPECT_TRUE(viewer_.opened.empty());
  EXPECT_EQ(dialogs_.beeps, 0);
}

TEST_F(BatchRunnerTest, BreakPointAsksAfterEveryVectorAndNoStops) {
  const double a = 6.0, b = 0.75;
  const std::string ok = Line("0", "N", Bars(a), Bars(b), Digits(a + b));
  const std::string bad = Line("0", "N", Bars(a), Bars(b), Digits(a - b));
  runner_.breakPoint = true;
  dialogs_.answers = {true, false};
  const BatchSummary s = RunFile(ok + Line("0", "N", "x", "y", "z") + bad + ok);
  EXPECT_TRUE(s.stopped);
  EXPECT_EQ(s.vectors, 3);
  EXPECT_EQ(dialogs_.questions,
            (std::vector<std::string>{"Test Succeeded. Do you want to continue?",
                                      "This Test Failed. Do you want to continue?"}));
  EXPECT_EQ(viewer_.opened.size(), 1u);
  EXPECT_EQ(test::ReadText(files_.output), "\"0,N," + Digits(a) + "," + Digits(b) + "," +
                                               Digits(a - b) + "," + Digits(a + b) + ",3\"\n");
}

// The specified adder's own results: every vector passes, except those with
// an unquoted operand of digits only, which read as a number: bad input.
TEST_F(BatchRunnerTest, TheSampleFileReplays) {
  const fs::path sample = fs::path(SUMARIS_TEST_DATA) / "sample.txt";
  std::istringstream lines(test::ReadText(sample));
  long long vectors = 0, digitsOnly = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty()) continue;
    ++vectors;
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string part; std::getline(fields, part, ',');)
      f.push_back(part);
    ASSERT_EQ(f.size(), 5u) << line;  // no quotes in the sample
    const auto digits = [](const std::string& t) {
      return t.find_first_not_of("0123456789") == t.npos;
    };
    digitsOnly += digits(f[2]) || digits(f[3]) ? 1 : 0;
  }
  ASSERT_GT(vectors, 1000);
  fs::copy_file(sample, files_.input);
  const BatchSummary s = runner_.Run(files_, &viewer_);
  EXPECT_FALSE(s.ioError);
  EXPECT_EQ(s.vectors, vectors);
  EXPECT_EQ(s.badInput, digitsOnly);
  EXPECT_EQ(s.passed, vectors - digitsOnly);
  EXPECT_EQ(test::ReadText(files_.output), "");
}

}  // namespace
}  // namespace sumaris
