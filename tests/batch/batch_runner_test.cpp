// The batch test runner over the vector file: reading the fields, running
// each vector through the operand entry and the stages, the report, the
// break point question and the failure paths.
#include "batch/batch_runner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <optional>
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

// The same file written another way that reads the same: CRLF line ends,
// the ones of every C of 64 digits written as "|", or no line end after the
// last line.
enum class Variant { AsWritten, Crlf, BarsInC, NoFinalLineEnd };
std::string Rewrite(const std::string& file, Variant variant) {
  std::string out;
  std::istringstream lines(file);
  for (std::string line; std::getline(lines, line);) {
    if (variant == Variant::BarsInC) {
      const std::size_t comma = line.rfind(',');
      const std::string last = comma == std::string::npos ? "" : line.substr(comma + 1);
      if (last.size() == 64 && last.find_first_not_of("01") == std::string::npos) {
        for (std::size_t i = comma + 1; i < line.size(); ++i)
          line[i] = line[i] == '1' ? '|' : line[i];
      }
    }
    out += line + (variant == Variant::Crlf ? "\r\n" : "\n");
  }
  if (variant == Variant::NoFinalLineEnd && !out.empty()) out.pop_back();
  return out;
}

// The reader alone: a byte order mark and blank lines skipped, vectors
// numbered with the blank lines before them, the line where an open quote
// began, and fields beyond the length limit.
TEST(VectorReader, NumbersVectorsAndFindsOpenQuotes) {
  const struct {
    std::string text;
    std::string read;  // "<number> <OP>" per vector, then the end or the error
  } cases[] = {
      {"\xEF\xBB\xBF"
       "a,b,c,d,e\n\n \t\nf,g,h,i,j",
       "1 a; 4 f; end"},
      {"\r\r\r a,b,c,d,e\r\n\r\n", "4 a; end"},
      {"a,\"x\r\ny\rz\nw\",c,d,e\r\n\"open",
       "1 a; error: the file ends inside a quoted field on line 5"},
      {"a,b,c,\"d\n\n\ne", "error: the file ends inside a quoted field on line 1"},
      {"a,b,c,d," + std::string(5000, 'e') + "\nf,g,h,i,j\n", "1 a long; 2 f; end"},
      {"\"" + std::string(4096, 'o') + "\",b,c,d,e\n", "1 " + std::string(4096, 'o') + "; end"},
      {"a,b\n", "error: the file ends in the middle of a vector"},
  };
  for (const auto& c : cases) {
    std::istringstream in(c.text);
    VectorReader reader(in);
    TestVector v;
    std::string read;
    try {
      while (!reader.Exhausted()) {
        const long long number = reader.nextNumber();
        reader.ReadVector(v);
        EXPECT_EQ(reader.number(), number);
        read += std::to_string(number) + " " + v.op + (v.tooLong ? " long" : "") + "; ";
      }
      read += "end";
    } catch (const VectorReadError& e) {
      read += std::string("error: ") + e.what();
    }
    EXPECT_EQ(read, c.read) << c.text.substr(0, 40);
  }
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
  int runs = 0;
  for (Variant variant :
       {Variant::AsWritten, Variant::Crlf, Variant::BarsInC, Variant::NoFinalLineEnd}) {
    for (const Case& c : cases) {
      dialogs_.messages.clear();
      viewer_.opened.clear();
      const std::string file = Rewrite(c.file, variant);
      const BatchSummary s = RunFile(file);
      ++runs;
      std::string outcome = std::to_string(s.passed) + " " + std::to_string(s.failed) + " " +
                            std::to_string(s.badInput) + ";";
      for (const std::string& m : dialogs_.messages)
        outcome += (outcome.back() == ';' ? " " : "; ") + m;
      EXPECT_EQ(outcome, c.outcome) << file;
      EXPECT_EQ(s.vectors, s.passed + s.failed + s.badInput);
      EXPECT_EQ(test::ReadText(files_.output), c.report) << file;
      EXPECT_EQ(viewer_.opened, std::vector<fs::path>{files_.output});
    }
  }
  EXPECT_EQ(dialogs_.stoppable, 4 * 4);  // every "Bad Input on line " offers Stop
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_EQ(dialogs_.beeps, runs);
}

// The comparison sees a single wrong bit anywhere: C is the right result
// with one bit flipped (the sign, exponent bits 10 and 0, fraction bits 1
// and 52); each such vector fails and writes one report line, and the
// right one passes.
TEST_F(BatchRunnerTest, EverySingleWrongBitFails) {
  const double a = 1.5, b = 0.3125;
  const std::uint64_t sum = test::Bits(a + b);
  const struct {
    const char* bit;
    int position;  // from the least significant bit of the double
  } flips[] = {{"sign", 63},
               {"exponent bit 10", 62},
               {"exponent bit 0", 52},
               {"fraction bit 1", 51},
               {"fraction bit 52", 0}};
  std::string file = Line("0", "N", Bars(a), Bars(b), Digits(a + b));
  std::string report;
  long long line = 1;
  for (const auto& flip : flips) {
    const std::string c = test::BitString(sum ^ (std::uint64_t{1} << flip.position));
    file += Line("0", "N", Bars(a), Bars(b), c);
    report += "\"0,N," + Digits(a) + "," + Digits(b) + "," + c + "," + Digits(a + b) + "," +
              std::to_string(++line) + "\"\n";
  }
  const BatchSummary s = RunFile(file);
  EXPECT_EQ(s.passed, 1);
  EXPECT_EQ(s.failed, 5);
  EXPECT_EQ(test::ReadText(files_.output), report);
}

// The windows catch up before the 1st, 101st and 201st vector of 250, and
// never after the last. Blank lines do not count as vectors: with two after
// every vector, vector k stands on line 3k - 2.
TEST_F(BatchRunnerTest, ThePauseComesEveryHundredVectors) {
  const double a = 3.0, b = 4.0;
  const struct {
    const char* between;
    std::vector<long long> lastLines;  // the line of the vector before each pause
  } cases[] = {{"", {0, 100, 200}}, {"\n \n", {0, 298, 598}}};
  for (const auto& c : cases) {
    std::string file;
    for (int i = 0; i < 250; ++i)
      file += Line("0", "N", Bars(a), Bars(b), Digits(a + b)) + c.between;
    std::vector<long long> lastLines;
    runner_.pause = [&] {
      lastLines.push_back(runner_.lineNumber());
      return true;
    };
    const BatchSummary s = RunFile(file);
    EXPECT_EQ(s.passed, 250);
    EXPECT_EQ(lastLines, c.lastLines) << c.between;
  }
}

// A pause that answers "stop" before the first vector leaves nothing run:
// the earlier report stays, nothing is opened, nothing beeps.
TEST_F(BatchRunnerTest, AStopBeforeTheFirstVectorRunsNothing) {
  test::WriteText(files_.output, "earlier\n");
  int pauses = 0;
  runner_.pause = [&] {
    ++pauses;
    return false;
  };
  const double a = 3.0, b = 4.0;
  const Rounding mode = driver_.adder().input.rounding();
  const BatchSummary s = RunFile(Line("1", "U", Bars(a), Bars(b), Digits(a + b)));
  EXPECT_TRUE(s.abandoned);
  EXPECT_EQ(pauses, 1);
  EXPECT_EQ(s.passed + s.failed + s.badInput, 0);
  EXPECT_EQ(test::ReadText(files_.output), "earlier\n");
  EXPECT_TRUE(viewer_.opened.empty());
  EXPECT_EQ(dialogs_.beeps, 0);
  EXPECT_EQ(driver_.adder().input.rounding(), mode) << "the vector's mode was selected";
}

// "Stop" in the "Bad Input on line " box ends the run after that vector as
// No at a break point does: the report of what ran is opened.
TEST_F(BatchRunnerTest, StopAtBadInputEndsTheRun) {
  const double a = 6.0, b = 0.75;
  const std::string bad = Line("0", "N", "x", "y", "z");
  const std::string failing = Line("0", "N", Bars(a), Bars(b), Digits(a - b));
  dialogs_.okOrStop = {true, false};
  const BatchSummary s = RunFile(failing + bad + bad + failing + bad);
  EXPECT_TRUE(s.stopped);
  EXPECT_EQ(s.vectors, 3);
  EXPECT_EQ(dialogs_.messages,
            (std::vector<std::string>{"Bad Input on line 2", "Bad Input on line 3"}));
  EXPECT_EQ(test::ReadText(files_.output), "\"0,N," + Digits(a) + "," + Digits(b) + "," +
                                               Digits(a - b) + "," + Digits(a + b) + ",1\"\n");
  EXPECT_EQ(viewer_.opened.size(), 1u);
  EXPECT_EQ(dialogs_.beeps, 1);
}

// A run that cannot start says why under "I/O error!" and leaves the
// earlier report as it was; one that fails later keeps what it ran.
TEST_F(BatchRunnerTest, IoErrorsSayWhyAndLoseNoReport) {
  const double a = 6.0, b = 0.75;
  const std::string failing = Line("0", "N", Bars(a), Bars(b), Digits(a - b));
  const std::string failed =
      "\"0,N," + Digits(a) + "," + Digits(b) + "," + Digits(a - b) + "," + Digits(a + b) + ",1\"\n";
  const std::string input = files_.input.string(), output = files_.output.string();
  const struct {
    const char* what;
    std::optional<std::string> file;  // none: no vector file
    bool inputFolder, outputFolder;
    std::string reason, report;  // report: "" keeps the earlier one
  } cases[] = {
      {"missing", std::nullopt, false, false, "the vector file " + input + " is missing", ""},
      {"a folder", std::nullopt, true, false, "the vector file " + input + " is a folder", ""},
      {"report a folder", failing, false, true, "the report " + output + " is a folder", ""},
      {"ends inside a vector", failing + "0,N", false, false,
       "vector 2: the file ends in the middle of a vector", failed},
      {"number beyond a double", "1e999" + failing.substr(1), false, false,
       "vector 1: the number 1e999 is beyond the range of a double", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(files_.input);
    fs::remove_all(files_.output);
    if (c.file) test::WriteText(files_.input, *c.file);
    if (c.inputFolder) fs::create_directory(files_.input);
    if (c.outputFolder) {
      fs::create_directory(files_.output);
    } else {
      test::WriteText(files_.output, "earlier\n");
    }
    dialogs_.messages.clear();
    const BatchSummary s = runner_.Run(files_, &viewer_);
    EXPECT_TRUE(s.ioError);
    EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"I/O error!\n" + c.reason});
    if (!c.outputFolder) {
      EXPECT_EQ(test::ReadText(files_.output), c.report.empty() ? "earlier\n" : c.report);
    }
    if (c.file) {
      EXPECT_EQ(test::ReadText(files_.input), *c.file);
    }
    EXPECT_TRUE(viewer_.opened.empty());
  }
  EXPECT_EQ(dialogs_.beeps, 0);
}

// When no viewer starts, a message says where the report is and how many
// vectors failed.
TEST_F(BatchRunnerTest, WithoutAViewerAMessageTellsWhereTheReportIs) {
  const double a = 6.0, b = 0.75;
  const std::string failing = Line("0", "N", Bars(a), Bars(b), Digits(a - b));
  viewer_.starts = false;
  RunFile(failing + failing + Line("0", "N", Bars(a), Bars(b), Digits(a + b)));
  EXPECT_EQ(dialogs_.messages,
            std::vector<std::string>{"No text viewer could be started.\nThe report is " +
                                     files_.output.string() + "; 2 vectors failed."});
  EXPECT_EQ(dialogs_.beeps, 1);
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

// The box itself is read at every vector: ticked after the first vector,
// it asks from the second on; unticked again, it stops asking.
TEST_F(BatchRunnerTest, TheBreakPointBoxIsReadAtEveryVector) {
  const double a = 6.0, b = 0.75;
  const std::string ok = Line("0", "N", Bars(a), Bars(b), Digits(a + b));
  runner_.breakPoint = false;  // not consulted when the box is given
  int vector = 0;
  runner_.breakPointBox = [&vector] { return ++vector == 2 || vector == 3; };
  const BatchSummary s = RunFile(ok + ok + ok + ok);
  EXPECT_EQ(s.vectors, 4);
  EXPECT_EQ(vector, 4);
  EXPECT_EQ(dialogs_.questions,
            std::vector<std::string>(2, "Test Succeeded. Do you want to continue?"));
}

// A first quick count of a vector file: five fields a vector, a line end
// ending a field as a comma does, blank lines skipped, a vector the file breaks off
// in counted; nothing where the file cannot be counted.
TEST(CountVectors, CountsAsTheRunnerReadsOrSaysItCannot) {
  const std::string v = Line("0", "N", "a", "b", "c");
  const struct {
    const char* what;
    std::string text;
    long long vectors;
  } files[] = {
      {"empty", "", 0},
      {"three lines", v + v + v, 3},
      {"blank lines and CRLF", "\r\n" + v + "\n  \n" + v + "\r\n", 2},
      {"a quoted field over two lines", "0,N,a,\"b\nstill b\",c\n" + v, 2},
      {"a line end ends a field", "0,N\na,b,c\n" + v, 2},
      {"no line end after the last", v + "0,N,a,b,c", 2},
      {"broken off in a vector", v + "0,N,a", 2},
      {"an open quote", v + "0,N,\"a,b,c\n", 2},
  };
  test::TempFolder folder;
  for (const auto& f : files) {
    const fs::path path = folder / "v.txt";
    test::WriteText(path, f.text);
    EXPECT_EQ(CountVectors(path), std::optional<long long>(f.vectors)) << f.what;
  }
  EXPECT_EQ(CountVectors(folder / "missing.txt"), std::nullopt);
  EXPECT_EQ(CountVectors(folder.path()), std::nullopt);
  EXPECT_EQ(CountVectors("-"), std::nullopt);
  const fs::path fifo = folder / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(CountVectors(fifo), std::nullopt);  // and returns at once, reading nothing
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
