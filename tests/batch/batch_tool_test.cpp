// The headless batch tool, run as a program: exit codes and the summary
// line, cases in TestFloat's format, a generated file checked against the
// host's IEEE 754 arithmetic, and the same report on one thread and on four.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/adder_driver.h"
#include "support/files.h"

namespace sumaris {
namespace {

using namespace test;

struct ToolRun {
  int exitCode;
  std::string out, err;
};
ToolRun RunTool(const TempFolder& folder, const std::string& args) {
  const fs::path out = folder / "stdout", err = folder / "stderr";
  const int code = RunCommand(ShellQuote(SUMARIS_BATCH_TOOL) + " " + args + " >" + ShellQuote(out) +
                              " 2>" + ShellQuote(err) + " </dev/null");
  return {code, ReadText(out), ReadText(err)};
}

std::string Line(const std::string& op, double a, double b, double c) {
  return op + ",N," + BitString(Bits(a), '|') + "," + BitString(Bits(b), '|') + "," +
         BitString(Bits(c)) + "\n";
}

TEST(BatchTool, ExitsZeroOneOrTwoWithASummaryLine) {
  struct Case {
    std::string file;  // none: the input file is missing
    int exitCode;
    std::string summary, err, report;
  } cases[] = {
      {Line("0", 1.25, 2.5, 3.75) + Line("1", 1.25, 2.5, -1.25) + "0,N,short,x,y\n", 1,
       "3 vectors: 2 passed, 0 failed, 1 bad input; ", "Bad Input on line 3\n", ""},
      {Line("0", 1.25, 2.5, 3.75), 0, "1 vectors: 1 passed, 0 failed, 0 bad input; ", "", ""},
      {Line("0", 1.0, 2.0, 3.0) + Line("0", 1.0, 2.0, 4.0), 1,
       "2 vectors: 1 passed, 1 failed, 0 bad input; ", "",
       "\"0,N," + BitString(Bits(1.0)) + "," + BitString(Bits(2.0)) + "," + BitString(Bits(4.0)) +
           "," + BitString(Bits(3.0)) + ",2\"\n"},
      {"", 2, "", "I/O error!", ""}};
  for (const Case& c : cases) {
    TempFolder folder;
    if (!c.file.empty()) WriteText(folder / "in.txt", c.file);
    const ToolRun r =
        RunTool(folder, ShellQuote(folder / "in.txt") + " " + ShellQuote(folder / "out.txt"));
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(c.exitCode == 2 ? r.err.substr(0, c.err.size()) : r.err, c.err) << r.err;
    const std::regex summary(c.summary + R"([0-9.]+ s \([0-9]+ vectors/s\)\n)");
    EXPECT_TRUE(c.exitCode == 2 ? r.out.empty() : std::regex_match(r.out, summary)) << r.out;
    EXPECT_EQ(ReadText(folder / "out.txt"), c.report);
  }
}

std::string Case(double a, double b, double expected, const char* flags) {
  return Hex(Bits(a)) + " " + Hex(Bits(b)) + " " + Hex(Bits(expected)) + " " + flags + "\n";
}

TEST(BatchTool, TestFloatCasesPassFailOrAreMalformed) {
  const double tiny = std::ldexp(1.0, -60), above = std::nextafter(1.0, 2.0);
  struct Run {
    const char* args;
    std::string file;
    int exitCode;
    std::string out, err;
  } runs[] = {// 1 + 2^-60 rounds up to the next double under U, not to 1.
              {"--testfloat f64_add --mode U",
               Case(1.0, tiny, above, "01") + Case(1.0, tiny, 1.0, "01") + "nonsense\n" +
                   Case(1.5, -0.25, 1.25, "00") + Hex(Bits(1.0)) + " " + Hex(Bits(2.0)) +
                   " 400800000000000Z 00\n",
               1,
               "+3FF.0000000000000  +3C3.0000000000000  => +3FF.0000000000001  expected: "
               "+3FF.0000000000000\n"
               "5 vectors: 2 passed, 1 failed, 2 bad input; ",
               "Bad Input on line 3\nBad Input on line 5\n"},
              {"--testfloat f64_sub --mode D",
               Case(1.0, tiny, std::nextafter(1.0, 0.0), "01") + Case(-1.0, tiny, -above, "01") +
                   Case(0.5, 0.25, 0.25, "00"),
               0, "3 vectors: 3 passed, 0 failed, 0 bad input; ", ""}};
  for (const Run& run : runs) {
    TempFolder folder;
    WriteText(folder / "cases.txt", run.file);
    const ToolRun r =
        RunTool(folder, std::string(run.args) + " " + ShellQuote(folder / "cases.txt"));
    EXPECT_EQ(r.exitCode, run.exitCode) << run.args;
    EXPECT_EQ(r.out.substr(0, run.out.size()), run.out) << run.args;
    EXPECT_EQ(r.err, run.err) << run.args;
  }
}

// Where this adder and IEEE 754 part ways, told apart with integer
// arithmetic and the host's round-to-nearest sums.
enum class Difference { None, Special, SubnormalOperand, Zero, SubnormalResult, Overflow };

// Whether the exact |a +- b| reaches 2^1024: only an effective addition onto
// an operand with exponent field 2046 whose significand sum reaches 2^53.
bool ReachesTwoTo1024(std::uint64_t a, std::uint64_t b, bool subtract) {
  if (Negative(a) != (Negative(b) != subtract)) return false;
  if (Magnitude(a) < Magnitude(b)) std::swap(a, b);
  const int d = Field(a) - std::max(Field(b), 1);
  const std::uint64_t mb = Fraction(b) | (Field(b) ? std::uint64_t{1} << 52 : 0);
  return Field(a) == 2046 &&
         (Fraction(a) | std::uint64_t{1} << 52) + (d >= 64 ? 0 : mb >> d) >= std::uint64_t{1} << 53;
}

Difference Classify(std::uint64_t a, std::uint64_t b, bool subtract, std::uint64_t c) {
  if (Field(a) == 2047 || Field(b) == 2047) return Difference::Special;
  const auto subnormal = [](std::uint64_t x) { return Field(x) == 0 && Fraction(x) != 0; };
  if (subnormal(a) || subnormal(b)) return Difference::SubnormalOperand;
  // Below 2^-1022 every sum is exact, so round to nearest tells zero and
  // subnormal results apart in every mode; two zeros added give the IEEE zero.
  const double nearest = subtract ? AsDouble(a) - AsDouble(b) : AsDouble(a) + AsDouble(b);
  if (nearest == 0) {
    const bool zeros = Magnitude(a) == 0 && Magnitude(b) == 0;
    return zeros && Negative(a) == (Negative(b) != subtract) ? Difference::None : Difference::Zero;
  }
  if (std::fabs(nearest) < std::ldexp(1.0, -1022)) return Difference::SubnormalResult;
  if (Field(c) == 2047 || ReachesTwoTo1024(a, b, subtract)) return Difference::Overflow;
  return Difference::None;
}

struct Vector {
  bool subtract;
  char mode;
  std::uint64_t a, b, c;
};
std::uint64_t ParseBits(const std::string& field) {
  std::uint64_t u = 0;
  for (char ch : field) {
    if (ch != '"') u = (u << 1) | (ch == '1' || ch == '|' ? 1 : 0);
  }
  return u;
}

TEST(BatchTool, GeneratedVectorsCarryTheHostResultAndPassOutsideTheKnownDifferences) {
  TempFolder folder;
  ASSERT_EQ(
      RunTool(folder, "--generate 10000 --seed 2024 " + ShellQuote(folder / "g.txt")).exitCode, 0);
  std::vector<Vector> vs;
  std::istringstream lines(ReadText(folder / "g.txt"));
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string part; std::getline(fields, part, ',');)
      f.push_back(part);
    ASSERT_EQ(f.size(), 5u) << line;
    const Vector v{f[0] == "1", f[1][0], ParseBits(f[2]), ParseBits(f[3]), ParseBits(f[4])};
    const Mode* mode = nullptr;
    for (const Mode& r : kRoundings)
      mode = r.letter == v.mode ? &r : mode;
    ASSERT_TRUE(mode != nullptr && f[4].size() == 64 && (f[0] == "0" || v.subtract)) << line;
    std::fesetround(mode->hostMode);  // volatile keeps the operation inside the mode
    volatile double x = AsDouble(v.a), y = AsDouble(v.b);
    volatile double host = v.subtract ? x - y : x + y;
    std::fesetround(FE_TONEAREST);
    EXPECT_TRUE(v.c == Bits(host) || (std::isnan(host) && std::isnan(AsDouble(v.c)))) << line;
    vs.push_back(v);
  }
  ASSERT_EQ(vs.size(), 10000u);

  const ToolRun r =
      RunTool(folder, ShellQuote(folder / "g.txt") + " " + ShellQuote(folder / "r.txt"));
  std::vector<bool> failed(vs.size() + 1, false);
  std::istringstream report(ReadText(folder / "r.txt"));
  for (std::string line; std::getline(report, line);) {
    const long long n = std::stoll(line.substr(line.rfind(',') + 1));
    ASSERT_TRUE(n >= 1 && n <= 10000) << line;
    failed[static_cast<std::size_t>(n)] = true;
  }
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("10000 vectors: "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(" failed, 0 bad input"), std::string::npos) << "operands stay text";
  std::map<Difference, int> differing;
  for (std::size_t i = 0; i < vs.size(); ++i) {
    const Difference k = Classify(vs[i].a, vs[i].b, vs[i].subtract, vs[i].c);
    differing[k] += failed[i + 1] ? 1 : 0;
    EXPECT_TRUE(k != Difference::None || !failed[i + 1]) << "line " << i + 1 << " failed";
  }
  for (Difference k : {Difference::Special, Difference::SubnormalOperand, Difference::Zero,
                       Difference::SubnormalResult, Difference::Overflow}) {
    EXPECT_GT(differing[k], 0) << "class " << static_cast<int>(k) << " drawn and differing";
  }
}

// Every seventh mode letter unknown, so the vector runs in the mode of the
// one before it (and its report line shows that mode's result), every 997th
// vector with a short operand.
TEST(BatchTool, OneThreadAndFourWriteTheSameReport) {
  TempFolder folder;
  ASSERT_EQ(
      RunTool(folder, "--generate 100000 --seed 424242 " + ShellQuote(folder / "g.txt")).exitCode,
      0);
  std::istringstream lines(ReadText(folder / "g.txt"));
  std::string mixed;
  const char* unknown[] = {"n", "x", "\"\"", "NN"};
  long long n = 0;
  for (std::string line; std::getline(lines, line); ++n) {
    if (n % 7 == 3) line.replace(2, 1, unknown[(n / 7) % 4]);
    if (n % 997 == 500) line.erase(line.find(',', 4) + 1, 1);
    mixed += line + "\n";
  }
  WriteText(folder / "in.txt", mixed);
  ToolRun runs[2];
  for (int i = 0; i < 2; ++i) {
    const std::string report = ShellQuote(folder / ("r" + std::to_string(i)));
    runs[i] = RunTool(folder, "--jobs " + std::to_string(i == 0 ? 1 : 4) + " " +
                                  ShellQuote(folder / "in.txt") + " " + report);
    runs[i].out = ReadText(folder / ("r" + std::to_string(i)));
    EXPECT_EQ(runs[i].exitCode, 1);
  }
  EXPECT_GT(std::count(runs[0].out.begin(), runs[0].out.end(), '\n'), 10000);
  EXPECT_TRUE(runs[0].out == runs[1].out) << "the reports differ";
  EXPECT_EQ(runs[0].err, runs[1].err);
  EXPECT_EQ(runs[0].err.find("Bad Input on line 501\n"), 0u);
}

// TestFloat cases on one thread and on three: the same failure lines in
// the same order, the same messages and the same summary.
TEST(BatchTool, TestFloatOnOneThreadAndThreeWritesTheSameFailures) {
  TempFolder folder;
  ASSERT_EQ(RunTool(folder,
                    "--generate 3000 --seed 5 --format testfloat --testfloat f64_sub "
                    "--mode D " +
                        ShellQuote(folder / "g.txt"))
                .exitCode,
            0);
  // Every 500th case malformed, a blank line now and then.
  std::istringstream lines(ReadText(folder / "g.txt"));
  std::string cases;
  long long n = 0;
  for (std::string line; std::getline(lines, line); ++n)
    cases += (n % 500 == 7 ? line.substr(1) : line) + (n % 300 == 11 ? "\n\n" : "\n");
  WriteText(folder / "cases.txt", cases);
  ToolRun runs[2];
  for (int i = 0; i < 2; ++i) {
    runs[i] =
        RunTool(folder, "--jobs " + std::to_string(i == 0 ? 1 : 3) +
                            " --testfloat f64_sub --mode D " + ShellQuote(folder / "cases.txt"));
    EXPECT_EQ(runs[i].exitCode, 1);
    runs[i].out = runs[i].out.substr(0, runs[i].out.rfind("; "));  // the timing differs
  }
  std::smatch counts;
  const std::string& out = runs[0].out;
  ASSERT_TRUE(
      std::regex_search(out, counts, std::regex(R"((\d+) passed, (\d+) failed, 6 bad input$)")))
      << out.substr(out.size() - std::min<std::size_t>(out.size(), 200));
  EXPECT_EQ(std::stoll(counts[1]) + std::stoll(counts[2]), 2994);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), std::stoll(counts[2]));  // one line each
  EXPECT_NE(out.find("3000 vectors: "), std::string::npos);
  EXPECT_TRUE(runs[0].out == runs[1].out) << "the failures differ";
  EXPECT_EQ(runs[0].err, runs[1].err);
  EXPECT_EQ(runs[0].err.find("Bad Input on line 8\n"), 0u) << runs[0].err;
}

// A file that ends the run with an error, at the first vector, in the middle
// of the threads' work, right after one thread's share or at the very end:
// the threads report what one thread reports, up to the error, and nothing
// after it.
TEST(BatchTool, OneThreadAndThreeStopAtTheSameError) {
  TempFolder folder;
  ASSERT_EQ(RunTool(folder, "--generate 800 --seed 99 " + ShellQuote(folder / "g.txt")).exitCode,
            0);
  std::vector<std::string> lines;
  std::istringstream generated(ReadText(folder / "g.txt"));
  for (std::string line; std::getline(generated, line);)
    lines.push_back(line + "\n");
  const auto first = [&](std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i)
      text += lines[i];
    return text;
  };
  const std::string unreadable = "0,N,1e999,x,y\n";  // a number beyond a double
  const struct {
    std::string file;
    std::string error;  // what stderr ends with
  } cases[] = {
      {unreadable + first(10), "vector 1: the number 1e999 is beyond the range of a double\n"},
      {first(600) + unreadable + first(100),
       "vector 601: the number 1e999 is beyond the range of a double\n"},
      {first(256) + "0,N,\"abc", "vector 257: the file ends inside a quoted field on line 257\n"},
      {first(511) + "0,N,", "vector 512: the file ends in the middle of a vector\n"},
      {first(800) + "1", "vector 801: the file ends in the middle of a vector\n"},
  };
  for (const auto& c : cases) {
    WriteText(folder / "in.txt", c.file);
    ToolRun runs[2];
    for (int i = 0; i < 2; ++i) {
      const fs::path report = folder / ("r" + std::to_string(i));
      runs[i] = RunTool(folder, "--jobs " + std::to_string(i == 0 ? 1 : 3) + " " +
                                    ShellQuote(folder / "in.txt") + " " + ShellQuote(report));
      runs[i].out = ReadText(report);
      EXPECT_EQ(runs[i].exitCode, 2) << c.error;
      EXPECT_TRUE(runs[i].err.ends_with(c.error)) << runs[i].err;
    }
    EXPECT_TRUE(runs[0].out == runs[1].out) << "the reports differ before " << c.error;
    EXPECT_EQ(runs[0].err, runs[1].err);
  }
}

}  // namespace
}  // namespace sumaris

namespace sumaris {
namespace {

using namespace test;

// The "class NAME: COUNT" lines after the summary line, in their order.
std::vector<std::pair<std::string, long long>> ClassLines(const std::string& out) {
  std::vector<std::pair<std::string, long long>> lines;
  const std::regex line(R"(class (.+): ([0-9]+))");
  std::istringstream in(out);
  for (std::string text; std::getline(in, text);) {
    std::smatch m;
    if (std::regex_match(text, m, line)) lines.emplace_back(m[1], std::stoll(m[2]));
  }
  return lines;
}
long long Failed(const std::string& out) {
  std::smatch m;
  const std::regex summary(R"(([0-9]+) vectors: [0-9]+ passed, ([0-9]+) failed)");
  return std::regex_search(out, m, summary) ? std::stoll(m[2]) : -1;
}

// Hand-picked failures, one a cause: the classes name them.
TEST(BatchToolClassify, NamesTheCauseOfEachFailure) {
  const std::uint64_t max = 0x7FEFFFFFFFFFFFFF;
  const std::string file =
      Line("0", 1.0, 1.0, 3.0)                               // the adder gives IEEE's 2
      + Line("0", 1.0, 1.0, 2.0)                             // passes
      + Line("1", 1.0, 1.0, 0.0) + Line("1", 2.5, 2.5, 0.0)  // exact cancellation, twice
      + Line("0", AsDouble(max), AsDouble(max), INFINITY)    // exponent overflow
      + Line("0", AsDouble(0x0010000000000000), AsDouble(1), AsDouble(0x0010000000000001));
  TempFolder folder;
  WriteText(folder / "in.txt", file);
  const ToolRun r = RunTool(
      folder, "--classify " + ShellQuote(folder / "in.txt") + " " + ShellQuote(folder / "out.txt"));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  const std::vector<std::pair<std::string, long long>> want = {
      {"exact cancellation", 2},
      {"expected value is not IEEE 754", 1},
      {"exponent overflow", 1},
      {"subnormal operand", 1}};
  EXPECT_EQ(ClassLines(r.out), want) << r.out;
  // Without --classify, no class lines.
  const ToolRun plain =
      RunTool(folder, ShellQuote(folder / "in.txt") + " " + ShellQuote(folder / "out.txt"));
  EXPECT_TRUE(ClassLines(plain.out).empty()) << plain.out;
}

// On generated files, in both formats and on one thread and three: the
// counts add up to the failures, most frequent first, the same everywhere.
TEST(BatchToolClassify, CountsAddUpToTheFailuresOnEveryThreadCount) {
  TempFolder folder;
  ASSERT_EQ(RunTool(folder, "--generate 6000 --seed 11 " + ShellQuote(folder / "v.txt")).exitCode,
            0);
  ASSERT_EQ(RunTool(folder,
                    "--generate 3000 --seed 12 --format testfloat --testfloat f64_sub "
                    "--mode U " +
                        ShellQuote(folder / "t.txt"))
                .exitCode,
            0);
  const std::string runs[] = {ShellQuote(folder / "v.txt") + " " + ShellQuote(folder / "r.txt"),
                              "--testfloat f64_sub --mode U " + ShellQuote(folder / "t.txt")};
  for (const std::string& run : runs) {
    std::vector<std::pair<std::string, long long>> first;
    for (const char* jobs : {"1", "3"}) {
      SCOPED_TRACE(run + " on " + jobs);
      const ToolRun r = RunTool(folder, std::string("--classify --jobs ") + jobs + " " + run);
      EXPECT_EQ(r.exitCode, 1) << r.err;
      const auto classes = ClassLines(r.out);
      long long sum = 0;
      for (std::size_t i = 0; i < classes.size(); ++i) {
        sum += classes[i].second;
        if (i > 0) {
          EXPECT_GE(classes[i - 1].second, classes[i].second);
        }
        EXPECT_NE(classes[i].first, "unexplained");
      }
      EXPECT_GE(classes.size(), 5u);
      EXPECT_EQ(sum, Failed(r.out));
      if (first.empty()) first = classes;
      EXPECT_EQ(classes, first);
    }
  }
}

}  // namespace
}  // namespace sumaris
