// The headless batch tool, run as a program: exit codes, summary line, the
// report, the vector generator, and a generated file checked against the
// host's IEEE 754 arithmetic.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "session/ieee_differences.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The 64 bits of a double, most significant first, as "0"/"1".
std::string Digits(double x) {
  const auto u = std::bit_cast<std::uint64_t>(x);
  std::string s;
  for (int i = 63; i >= 0; --i)
    s += ((u >> i) & 1) ? '1' : '0';
  return s;
}

// Ones as "|", zeros as "0": text, not a number.
std::string Bars(double x) {
  std::string s = Digits(x);
  for (char& c : s) {
    if (c == '1') c = '|';
  }
  return s;
}

std::string Quote(const std::string& s) {
  return "'" + s + "'";
}

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class BatchToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    folder_ = fs::temp_directory_path() /
              ("sumaris-tool-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  ToolRun Run(const std::string& args, const std::string& env = "") {
    const fs::path out = folder_ / "stdout.txt";
    const fs::path err = folder_ / "stderr.txt";
    const std::string cmd = env + " " + Quote(SUMARIS_BATCH_TOOL) + " " + args + " >" +
                            Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
    const int status = std::system(cmd.c_str());
    ToolRun r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadFile(out);
    r.err = ReadFile(err);
    return r;
  }
  fs::path Write(const std::string& name, const std::string& text) {
    const fs::path p = folder_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }

  fs::path folder_;
};

std::string Line(const std::string& op, const std::string& mode, double a, double b, double c) {
  return op + "," + mode + "," + Bars(a) + "," + Bars(b) + "," + Digits(c) + "\n";
}

struct Summary {
  long long vectors = -1, passed = -1, failed = -1, bad = -1;
};

Summary ParseSummary(const std::string& out) {
  static const std::regex re(
      R"(^(\d+) vectors: (\d+) passed, (\d+) failed, (\d+) bad input; [0-9.]+ s \([0-9]+ vectors/s\)\n$)");
  std::smatch m;
  Summary s;
  if (std::regex_match(out, m, re)) {
    s.vectors = std::stoll(m[1]);
    s.passed = std::stoll(m[2]);
    s.failed = std::stoll(m[3]);
    s.bad = std::stoll(m[4]);
  }
  return s;
}

TEST_F(BatchToolTest, HelpDescribesEveryUse) {
  const ToolRun r = Run("--help");
  EXPECT_EQ(r.exitCode, 0);
  for (const char* part :
       {"sumaris-batch [--jobs N] [INPUT [OUTPUT]]", "--generate N [--seed S]",
        "--format native|testfloat", "--testfloat f64_add|f64_sub --mode N|U|D|Z [FILE|-]",
        "not compared: the adder raises no flags", "--trace FILE.vcd", "--trace-json FILE.json",
        "Exit status: 0"}) {
    EXPECT_NE(r.out.find(part), std::string::npos) << part;
  }
}

TEST_F(BatchToolTest, AllPassingExitsZeroWithASummaryLine) {
  const fs::path in = Write("in.txt", Line("0", "N", 1.25, 2.5, 3.75) +
                                          Line("1", "N", 1.25, 2.5, -1.25) + "0,N,short,x,y\n");
  const ToolRun r = Run(Quote(in.string()) + " " + Quote((folder_ / "out.txt").string()));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const Summary s = ParseSummary(r.out);
  EXPECT_EQ(s.vectors, 3) << r.out;
  EXPECT_EQ(s.passed, 2);
  EXPECT_EQ(s.failed, 0);
  EXPECT_EQ(s.bad, 1);
  EXPECT_EQ(r.err, "Bad Input on line 3\n");
  EXPECT_EQ(ReadFile(folder_ / "out.txt"), "");
}

TEST_F(BatchToolTest, FailureExitsOneAndIsReported) {
  const fs::path in =
      Write("in.txt", Line("0", "N", 1.0, 2.0, 3.0) + Line("0", "N", 1.0, 2.0, 4.0));
  const fs::path out = folder_ / "report.txt";
  const ToolRun r = Run(Quote(in.string()) + " " + Quote(out.string()));
  EXPECT_EQ(r.exitCode, 1);
  const Summary s = ParseSummary(r.out);
  EXPECT_EQ(s.failed, 1) << r.out;
  EXPECT_EQ(s.passed, 1);
  EXPECT_EQ(ReadFile(out), "\"0,N," + Digits(1.0) + "," + Digits(2.0) + "," + Digits(4.0) + "," +
                               Digits(3.0) + ",2\"\n");
}

TEST_F(BatchToolTest, IoErrorExitsTwoWithAMessage) {
  const ToolRun missing =
      Run(Quote((folder_ / "nothing.txt").string()) + " " + Quote((folder_ / "out.txt").string()));
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("I/O error!"), std::string::npos) << missing.err;
  EXPECT_NE(missing.err.find("nothing.txt"), std::string::npos) << missing.err;

  const fs::path cut = Write("cut.txt", "0,N,");
  const ToolRun truncated = Run(Quote(cut.string()) + " " + Quote((folder_ / "out.txt").string()));
  EXPECT_EQ(truncated.exitCode, 2);
  EXPECT_NE(truncated.err.find("I/O error!"), std::string::npos) << truncated.err;

  // A folder is no vector file, on one thread or several.
  for (const char* jobs : {"--jobs 1 ", "--jobs 3 "}) {
    const ToolRun folder =
        Run(jobs + Quote(folder_.string()) + " " + Quote((folder_ / "o").string()));
    EXPECT_EQ(folder.exitCode, 2) << jobs;
    EXPECT_NE(folder.err.find("I/O error!"), std::string::npos) << jobs << folder.err;
  }

  EXPECT_EQ(Run("--no-such-option").exitCode, 2);
  EXPECT_EQ(Run("a b c").exitCode, 2);
}

TEST_F(BatchToolTest, DefaultsToTheFixedFilesInTheHomeFolder) {
  Write("fpinput.txt", Line("0", "N", 1.0, 2.0, 5.0));
  const ToolRun r = Run("", "HOME=" + Quote(folder_.string()));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(ReadFile(folder_ / "fpoutput.txt").find(",1\"\n"), std::string::npos);
}

// ---- generated vectors ------------------------------------------------------

struct Vector {
  bool subtract;
  char mode;
  std::uint64_t a, b, c;
};

std::uint64_t ParseBits(const std::string& field) {
  std::string t = field;
  if (t.size() == 66 && t.front() == '"' && t.back() == '"') t = t.substr(1, 64);
  EXPECT_EQ(t.size(), 64u) << field;
  std::uint64_t u = 0;
  for (char ch : t)
    u = (u << 1) | ((ch == '1' || ch == '|') ? 1u : 0u);
  return u;
}

std::vector<Vector> ParseGenerated(const std::string& text) {
  std::vector<Vector> out;
  std::stringstream ss(text);
  for (std::string line; std::getline(ss, line);) {
    std::vector<std::string> f;
    std::stringstream ls(line);
    for (std::string part; std::getline(ls, part, ',');)
      f.push_back(part);
    EXPECT_EQ(f.size(), 5u) << line;
    if (f.size() != 5) continue;
    EXPECT_TRUE(f[0] == "0" || f[0] == "1") << line;
    EXPECT_EQ(f[1].size(), 1u) << line;
    // An operand is text: it holds a "|" or is quoted.
    for (int k : {2, 3}) {
      EXPECT_TRUE(f[k].find('|') != std::string::npos || f[k].front() == '"') << line;
    }
    out.push_back({f[0] == "1", f[1][0], ParseBits(f[2]), ParseBits(f[3]), ParseBits(f[4])});
  }
  return out;
}

using namespace sumaris::ieee;

Difference Classify(const Vector& v) {
  return sumaris::ieee::Classify(v.a, v.b, v.subtract, v.c);
}

TEST(OverflowRuleTest, ReachesTwoTo1024) {
  const double max = std::numeric_limits<double>::max();
  const double ulp = std::ldexp(1.0, 971);
  auto bits = [](double d) { return std::bit_cast<std::uint64_t>(d); };
  EXPECT_TRUE(ReachesTwoTo1024(bits(max), bits(ulp), false));
  EXPECT_FALSE(ReachesTwoTo1024(bits(max), bits(ulp / 2), false));
  EXPECT_FALSE(ReachesTwoTo1024(bits(max), bits(ulp), true));
  EXPECT_TRUE(ReachesTwoTo1024(bits(max), bits(-ulp), true));
  EXPECT_TRUE(ReachesTwoTo1024(bits(std::ldexp(1.0, 1023)), bits(std::ldexp(1.0, 1023)), false));
  EXPECT_FALSE(ReachesTwoTo1024(bits(std::ldexp(1.0, 1022)), bits(std::ldexp(1.5, 1022)), false));
  EXPECT_FALSE(ReachesTwoTo1024(bits(max), bits(-ulp), false));
}

TEST_F(BatchToolTest, GenerateIsReproducibleAndCoversTheClasses) {
  const fs::path f1 = folder_ / "g1.txt";
  const fs::path f2 = folder_ / "g2.txt";
  const fs::path f3 = folder_ / "g3.txt";
  ASSERT_EQ(Run("--generate 3000 --seed 5 " + Quote(f1.string())).exitCode, 0);
  ASSERT_EQ(Run("--generate 3000 --seed 5 " + Quote(f2.string())).exitCode, 0);
  ASSERT_EQ(Run("--seed 6 --generate 3000 " + Quote(f3.string())).exitCode, 0);
  const std::string text = ReadFile(f1);
  EXPECT_EQ(text, ReadFile(f2));
  EXPECT_NE(text, ReadFile(f3));
  const ToolRun toStdout = Run("--generate 3000 --seed 5 -");
  EXPECT_EQ(toStdout.out, text);

  const std::vector<Vector> vs = ParseGenerated(text);
  ASSERT_EQ(vs.size(), 3000u);
  std::map<std::string, int> seen;
  for (const Vector& v : vs) {
    seen[std::string("mode ") + v.mode]++;
    seen[v.subtract ? "sub" : "add"]++;
    const int ea = ExponentField(v.a), eb = ExponentField(v.b);
    if (ea == 2047 || eb == 2047) {
      seen["special"]++;
      continue;
    }
    if (IsSubnormal(v.a) || IsSubnormal(v.b)) seen["subnormal operand"]++;
    if (IsZero(v.a) || IsZero(v.b)) seen["zero operand"]++;
    if (ea != 0 && eb != 0) {
      const int d = std::abs(ea - eb);
      if (d == 0) seen["difference 0"]++;
      if (d == 1) seen["difference 1"]++;
      for (int edge : {53, 54, 63, 64, 65}) {
        if (d == edge) seen["difference " + std::to_string(edge)]++;
      }
      if (d > 66) seen["far apart"]++;
      if (std::max(ea, eb) >= 2040) seen["huge"]++;
    }
    const Difference k = Classify(v);
    if (k == Difference::ZeroResult) seen["zero result"]++;
    if (k == Difference::SubnormalResult) seen["subnormal result"]++;
    if (k == Difference::Overflow) seen["overflow"]++;
    const double x = std::bit_cast<double>(v.a), y = std::bit_cast<double>(v.b);
    const double exact = v.subtract ? x - y : x + y;
    // Massive cancellation: the result is far below the larger operand.
    if (exact != 0 && std::fabs(exact) < std::ldexp(std::max(std::fabs(x), std::fabs(y)), -20)) {
      seen["cancellation"]++;
    }
    // A tie under round to nearest: the exact value lies midway between
    // the result and its neighbour on the side of the exact value.
    if (v.mode == 'N' && k == Difference::None) {
      // The rounding error of the sum, exactly (two-sum).
      const double b = v.subtract ? -y : y;
      const double r = x + b;
      const double bb = r - x;
      const double err = (x - (r - bb)) + (b - bb);
      if (err != 0 && !std::isinf(r)) {
        const double other = std::nextafter(r, err > 0 ? INFINITY : -INFINITY);
        if (std::fabs(err) * 2 == std::fabs(other - r)) seen["tie"]++;
      }
    }
  }
  for (const char* key : {"mode N",
                          "mode U",
                          "mode D",
                          "mode Z",
                          "add",
                          "sub",
                          "special",
                          "subnormal operand",
                          "zero operand",
                          "difference 0",
                          "difference 1",
                          "difference 53",
                          "difference 54",
                          "difference 63",
                          "difference 64",
                          "difference 65",
                          "far apart",
                          "huge",
                          "zero result",
                          "subnormal result",
                          "overflow",
                          "cancellation",
                          "tie"}) {
    EXPECT_GT(seen[key], 0) << key;
  }
}

// C of every generated vector is the host's result: checked here for round to
// nearest with the test's own arithmetic, and for the directed modes through
// their order: down <= nearest <= up, toward zero the one nearer to zero.
TEST_F(BatchToolTest, GeneratedResultsAreTheHostResults) {
  const fs::path f = folder_ / "g.txt";
  ASSERT_EQ(Run("--generate 4000 --seed 11 " + Quote(f.string())).exitCode, 0);
  for (const Vector& v : ParseGenerated(ReadFile(f))) {
    const double x = std::bit_cast<double>(v.a), y = std::bit_cast<double>(v.b);
    const double nearest = v.subtract ? x - y : x + y;
    const double c = std::bit_cast<double>(v.c);
    if (std::isnan(nearest)) {
      EXPECT_TRUE(std::isnan(c));
      continue;
    }
    switch (v.mode) {
      case 'N':
        EXPECT_EQ(v.c, std::bit_cast<std::uint64_t>(nearest));
        break;
      case 'U':
        EXPECT_TRUE(c == nearest || c == std::nextafter(nearest, INFINITY)) << x << " " << y;
        EXPECT_FALSE(std::isinf(c) && c < 0 && !std::isinf(x) && !std::isinf(y));
        break;
      case 'D':
        EXPECT_TRUE(c == nearest || c == std::nextafter(nearest, -INFINITY)) << x << " " << y;
        EXPECT_FALSE(std::isinf(c) && c > 0 && !std::isinf(x) && !std::isinf(y));
        break;
      case 'Z':
        EXPECT_LE(std::fabs(c), std::fabs(nearest));
        EXPECT_FALSE(std::isinf(c) && !std::isinf(x) && !std::isinf(y));
        break;
      default:
        ADD_FAILURE() << "mode " << v.mode;
    }
  }
}

// 10,000 generated vectors through the tool: every vector outside the known
// differences passes; the ones inside are counted.
TEST_F(BatchToolTest, GeneratedVectorsPassExceptWhereTheAdderDiffers) {
  const fs::path in = folder_ / "g.txt";
  const fs::path out = folder_ / "r.txt";
  ASSERT_EQ(Run("--generate 10000 --seed 2024 " + Quote(in.string())).exitCode, 0);
  const std::vector<Vector> vs = ParseGenerated(ReadFile(in));
  ASSERT_EQ(vs.size(), 10000u);

  const ToolRun r = Run(Quote(in.string()) + " " + Quote(out.string()));
  const Summary s = ParseSummary(r.out);
  ASSERT_EQ(s.vectors, 10000) << r.out << r.err;
  EXPECT_EQ(s.bad, 0);

  // Failed line numbers from the report.
  std::vector<bool> failed(vs.size() + 1, false);
  std::stringstream report(ReadFile(out));
  long long failures = 0;
  for (std::string line; std::getline(report, line);) {
    const std::size_t comma = line.rfind(',');
    ASSERT_NE(comma, std::string::npos);
    const long long n = std::stoll(line.substr(comma + 1));
    ASSERT_GE(n, 1);
    ASSERT_LE(n, 10000);
    failed[static_cast<std::size_t>(n)] = true;
    ++failures;
  }
  EXPECT_EQ(failures, s.failed);
  EXPECT_EQ(r.exitCode, failures == 0 ? 0 : 1);

  std::map<Difference, std::pair<int, int>> perClass;  // failed, total
  for (std::size_t i = 0; i < vs.size(); ++i) {
    const Difference k = Classify(vs[i]);
    const bool f = failed[i + 1];
    perClass[k].second++;
    if (f) perClass[k].first++;
    if (k == Difference::None) {
      EXPECT_FALSE(f) << "line " << i + 1 << " failed outside the known differences";
    }
  }
  for (const auto& [k, counts] : perClass) {
    std::cout << "  " << Name(k) << ": " << counts.first << " of " << counts.second << " differ\n";
  }
  // The filter is not empty-handed: each known class was drawn and differs at least once.
  for (Difference k : {Difference::SpecialOperand, Difference::SubnormalOperand,
                       Difference::ZeroResult, Difference::SubnormalResult, Difference::Overflow}) {
    EXPECT_GT(perClass[k].first, 0) << Name(k);
  }
  EXPECT_GT(perClass[Difference::None].second, 7000);
}

}  // namespace
