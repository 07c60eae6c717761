// TestFloat's case format: the line parser, the report style, runs of known
// cases through the adder, the tool's --testfloat and --generate --format
// testfloat.
#include "session/testfloat_format.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "session/adder.h"
#include "session/batch_runner.h"
#include "session/ieee_differences.h"
#include "session/session.h"
#include "wires/platform.h"

namespace sumaris {
namespace {

namespace fs = std::filesystem;

std::uint64_t B(double x) {
  return std::bit_cast<std::uint64_t>(x);
}

std::string Hex(double x) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(B(x)));
  return buf;
}

class RecordingDialogs final : public UserDialogs {
 public:
  void Message(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return true; }
  void Beep() override {}
  std::vector<std::string> messages;
};

TEST(TestFloatFormatTest, ParsesCaseLines) {
  const auto c = ParseTestFloatLine("3FF0000000000000 4000000000000000 4008000000000000 00");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->a, B(1.0));
  EXPECT_EQ(c->b, B(2.0));
  EXPECT_EQ(c->expected, B(3.0));
  EXPECT_EQ(c->flags, 0u);

  const auto lower =
      ParseTestFloatLine("\tbff8000000000000  3fd0000000000000 bff4000000000000 01\r");
  ASSERT_TRUE(lower);
  EXPECT_EQ(lower->a, B(-1.5));
  EXPECT_EQ(lower->expected, B(-1.25));
  EXPECT_EQ(lower->flags, 1u);
  EXPECT_EQ(ParseTestFloatLine("7FF0000000000000 FFF0000000000000 FFF8000000000000 1F")->flags,
            0x1Fu);

  for (const char* bad : {
           "",
           "3FF0000000000000 4000000000000000 4008000000000000",        // three fields
           "3FF0000000000000 4000000000000000 4008000000000000 00 00",  // five fields
           "3FF000000000000 4000000000000000 4008000000000000 00",      // short A
           "3FF00000000000000 4000000000000000 4008000000000000 00",    // long A
           "3FF0000000000000 400000000000000G 4008000000000000 00",     // not hex
           "3FF0000000000000 4000000000000000 4008000000000000 0",      // one flag digit
           "3FF0000000000000 4000000000000000 4008000000000000 20",     // flag bit 5
           "3FF0000000000000,4000000000000000,4008000000000000,00",     // commas
           "0x3FF000000000000 4000000000000000 4008000000000000 00",    // prefix
       }) {
    EXPECT_FALSE(ParseTestFloatLine(bad)) << bad;
  }
}

TEST(TestFloatFormatTest, WritesLinesAndBitsInItsStyle) {
  EXPECT_EQ(TestFloatLine({B(1.0), B(-2.0), B(-1.0), 0x10}),
            "3FF0000000000000 C000000000000000 BFF0000000000000 10");
  EXPECT_EQ(TestFloatBits(B(1.0)), "+3FF.0000000000000");
  EXPECT_EQ(TestFloatBits(B(-2.5)), "-400.4000000000000");  // 1.25 * 2^1
  EXPECT_EQ(TestFloatBits(B(5e-324)), "+000.0000000000001");
  EXPECT_EQ(TestFloatBits(B(-INFINITY)), "-7FF.0000000000000");
  EXPECT_EQ(TestFloatFailure({B(1.0), B(2.0), B(3.0), 0}, B(4.0)),
            "+3FF.0000000000000  +400.0000000000000  => +401.0000000000000  expected: "
            "+400.8000000000000");
}

struct Runner {
  Adder adder;
  Session session{adder};
  RecordingDialogs dialogs;
  BatchRunner runner{adder, session, dialogs};
  Runner() {
    session.FillStepTable();
    adder.input.SetDialogs(&dialogs);
  }
};

TEST(TestFloatRunTest, KnownCasesPassingFailingAndMalformed) {
  // 1 + 2^-60 rounds up to the next double under U; 1.5 - 0.25 is exact.
  const double up = std::nextafter(1.0, 2.0);
  const std::string input = Hex(1.0) + " " + Hex(std::ldexp(1.0, -60)) + " " + Hex(up) + " 01\n" +
                            Hex(1.0) + " " + Hex(std::ldexp(1.0, -60)) + " " + Hex(1.0) + " 01\n" +
                            "3FF000000000000 4000000000000000 4008000000000000 00\n" + Hex(1.5) +
                            " " + Hex(-0.25) + " " + Hex(1.25) + " 00\n" + Hex(1.0) + " " +
                            Hex(2.0) + " 400800000000000Z 00\n";
  Runner r;
  std::istringstream in(input);
  std::ostringstream failures;
  const BatchSummary s = RunTestFloat(in, failures, r.runner, false, 'U', r.dialogs);
  EXPECT_FALSE(s.ioError);
  EXPECT_EQ(s.vectors, 5);
  EXPECT_EQ(s.passed, 2);
  EXPECT_EQ(s.failed, 1);
  EXPECT_EQ(s.badInput, 2);
  EXPECT_EQ(failures.str(),
            "+3FF.0000000000000  +3C3.0000000000000  => +3FF.0000000000001  "
            "expected: +3FF.0000000000000\n");
  EXPECT_EQ(r.dialogs.messages,
            (std::vector<std::string>{"Bad Input on line 3", "Bad Input on line 5"}));
  EXPECT_TRUE(r.adder.input.Option(1));  // round up
  EXPECT_TRUE(r.adder.input.Option(5));  // add
}

TEST(TestFloatRunTest, SubtractionAndEveryMode) {
  Runner r;
  const double a = 1.0, b = std::ldexp(1.0, -60);
  const double below = std::nextafter(1.0, 0.0);
  struct Case {
    char mode;
    double expected;
  };
  for (const Case& c : {Case{'N', 1.0}, Case{'U', 1.0}, Case{'D', below}, Case{'Z', below}}) {
    std::istringstream in(Hex(a) + " " + Hex(b) + " " + Hex(c.expected) + " 01\n");
    std::ostringstream failures;
    const BatchSummary s = RunTestFloat(in, failures, r.runner, true, c.mode, r.dialogs);
    EXPECT_EQ(s.passed, 1) << c.mode << failures.str();
  }
}

// ---- through the tool -----------------------------------------------------------

struct ToolRun {
  int exitCode = -1;
  std::string out, err;
};

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class TestFloatToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    folder_ = fs::temp_directory_path() /
              ("sumaris-tf-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  ToolRun Run(const std::string& args, const std::string& stdinFile = "/dev/null") {
    const fs::path out = folder_ / "out.txt", err = folder_ / "err.txt";
    const std::string cmd = "'" + std::string(SUMARIS_BATCH_TOOL) + "' " + args + " >'" +
                            out.string() + "' 2>'" + err.string() + "' <'" + stdinFile + "'";
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
  }
  fs::path folder_;
};

TEST_F(TestFloatToolTest, ExitCodesReportAndStandardInput) {
  const fs::path good = folder_ / "good.txt";
  std::ofstream(good) << Hex(1.0) << " " << Hex(2.0) << " " << Hex(3.0) << " 00\n"
                      << Hex(0.5) << " " << Hex(0.25) << " " << Hex(0.75) << " 00\n";
  ToolRun r = Run("--testfloat f64_add --mode N '" + good.string() + "'");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("2 vectors: 2 passed, 0 failed, 0 bad input; ", 0), 0u) << r.out;

  r = Run("--testfloat f64_sub --mode N -", good.string());  // 1 - 2 is not 3
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out.rfind("+3FF.0000000000000  +400.0000000000000  => -3FF.0000000000000  "
                        "expected: +400.8000000000000\n"
                        "+3FE.0000000000000  +3FD.0000000000000  => +3FD.0000000000000  "
                        "expected: +3FE.8000000000000\n2 vectors: 0 passed, 2 failed",
                        0),
            0u)
      << r.out;

  const fs::path bad = folder_ / "bad.txt";
  std::ofstream(bad) << "nonsense\n" << Hex(1.0) << " " << Hex(2.0) << " " << Hex(3.0) << " 00\n";
  r = Run("--testfloat f64_add --mode Z '" + bad.string() + "'");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "Bad Input on line 1\n");

  EXPECT_EQ(Run("--testfloat f64_mul --mode N").exitCode, 2);
  EXPECT_EQ(Run("--testfloat f64_add").exitCode, 2);  // no mode
  EXPECT_EQ(Run("--testfloat f64_add --mode Q").exitCode, 2);
  EXPECT_EQ(Run("--testfloat f64_add --mode N '" + (folder_ / "none").string() + "'").exitCode, 2);
}

// Generated TestFloat cases carry the host's result and flags, and the adder
// passes all of them except where it is known to differ from IEEE 754.
TEST_F(TestFloatToolTest, GeneratedCasesAgreeWithTheHost) {
  struct Setting {
    const char* op;
    char mode;
  };
  for (const Setting& set : {Setting{"f64_add", 'N'}, Setting{"f64_sub", 'Z'},
                             Setting{"f64_add", 'U'}, Setting{"f64_sub", 'D'}}) {
    const fs::path file = folder_ / "cases.txt";
    ASSERT_EQ(Run(std::string("--generate 1500 --seed 9 --format testfloat --testfloat ") + set.op +
                  " --mode " + set.mode + " '" + file.string() + "'")
                  .exitCode,
              0);
    const bool subtract = std::string(set.op) == "f64_sub";
    std::istringstream lines(ReadFile(file));
    std::vector<TestFloatCase> cases;
    int inexact = 0;
    for (std::string line; std::getline(lines, line);) {
      const auto c = ParseTestFloatLine(line);
      ASSERT_TRUE(c) << line;
      cases.push_back(*c);
      const double x = std::bit_cast<double>(c->a), y = std::bit_cast<double>(c->b);
      const double nearest = subtract ? x - y : x + y;
      if (set.mode == 'N' && !std::isnan(nearest)) {
        EXPECT_EQ(c->expected, B(nearest)) << line;
        // Inexact exactly when the rounding error (two-sum) is not zero.
        const double yy = subtract ? -y : y;
        const double bb = nearest - x;
        const double err = (x - (nearest - bb)) + (yy - bb);
        if (std::isfinite(nearest)) {
          EXPECT_EQ((c->flags & 1) != 0, err != 0) << line;
        }
      }
      inexact += c->flags & 1;
    }
    ASSERT_EQ(cases.size(), 1500u);
    EXPECT_GT(inexact, 0);

    const ToolRun r = Run(std::string("--testfloat ") + set.op + " --mode " + set.mode + " '" +
                          file.string() + "'");
    // Which cases failed, from the report: operands and expected result.
    std::istringstream report(r.out);
    std::vector<std::string> failureLines;
    for (std::string line; std::getline(report, line);) {
      if (line.find(" => ") != std::string::npos) failureLines.push_back(line);
    }
    std::size_t next = 0;
    for (const TestFloatCase& c : cases) {
      const ieee::Difference k = ieee::Classify(c.a, c.b, subtract, c.expected);
      const std::string prefix = TestFloatBits(c.a) + "  " + TestFloatBits(c.b) + "  => ";
      const bool reported =
          next < failureLines.size() && failureLines[next].rfind(prefix, 0) == 0 &&
          failureLines[next].find("expected: " + TestFloatBits(c.expected)) != std::string::npos;
      if (reported) ++next;
      if (k == ieee::Difference::None) {
        EXPECT_FALSE(reported) << set.op << " " << set.mode << ": " << TestFloatLine(c);
      }
    }
    EXPECT_EQ(next, failureLines.size()) << "every failure line matches a case, in order";
    EXPECT_EQ(r.exitCode, failureLines.empty() ? 0 : 1);
  }
}

}  // namespace
}  // namespace sumaris
