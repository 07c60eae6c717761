// The batch loop on several threads writes the very report and messages of
// the loop on one thread: in input order, with the rounding mode an unknown
// mode letter keeps from the vector before, and the same end on an error.
#include "session/batch_parallel.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "session/adder.h"
#include "session/batch_runner.h"
#include "session/session.h"
#include "session/vector_generator.h"
#include "wires/platform.h"

namespace sumaris {
namespace {

class RecordingDialogs final : public UserDialogs {
 public:
  void Message(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return true; }
  void Beep() override {}
  std::vector<std::string> messages;
};

struct Result {
  BatchSummary summary;
  std::string report;
  std::vector<std::string> messages;
};

Result Sequential(const std::string& text) {
  Adder adder;
  Session session(adder);
  session.FillStepTable();
  RecordingDialogs dialogs;
  BatchRunner runner(adder, session, dialogs);
  std::istringstream in(text);
  std::ostringstream report;
  Result r;
  r.summary = runner.RunStreams(in, report);
  r.report = report.str();
  r.messages = dialogs.messages;
  return r;
}

Result Parallel(const std::string& text, int jobs) {
  RecordingDialogs dialogs;
  std::istringstream in(text);
  std::ostringstream report;
  Result r;
  r.summary = RunParallel(in, report, dialogs, jobs);
  r.report = report.str();
  r.messages = dialogs.messages;
  return r;
}

void ExpectSame(const Result& a, const Result& b) {
  EXPECT_EQ(a.summary.vectors, b.summary.vectors);
  EXPECT_EQ(a.summary.passed, b.summary.passed);
  EXPECT_EQ(a.summary.failed, b.summary.failed);
  EXPECT_EQ(a.summary.badInput, b.summary.badInput);
  EXPECT_EQ(a.summary.ioError, b.summary.ioError);
  EXPECT_TRUE(a.report == b.report) << "the reports differ";
  EXPECT_EQ(a.messages, b.messages);
}

// Generated vectors, every seventh with its mode letter made unknown (so it
// runs in the mode of the vector before and mostly fails: its result bits in
// the report depend on that mode), every 997th with a short operand.
std::string MixedFile(long long count, std::uint64_t seed) {
  std::ostringstream gen;
  WriteVectors(gen, count, seed);
  std::istringstream lines(gen.str());
  std::string out;
  long long n = 0;
  const char* unknown[] = {"n", "x", "\"\"", "NN"};
  for (std::string line; std::getline(lines, line); ++n) {
    if (n % 7 == 3) line.replace(2, 1, unknown[(n / 7) % 4]);
    if (n % 997 == 500) line.replace(line.find(',', 4) + 1, 1, "");
    out += line + "\n";
  }
  return out;
}

TEST(BatchParallelTest, HundredThousandVectorsGiveTheSameReport) {
  const std::string text = MixedFile(100000, 424242);
  const Result one = Sequential(text);
  ASSERT_EQ(one.summary.vectors, 100000);
  ASSERT_FALSE(one.summary.ioError);
  ASSERT_GT(one.summary.badInput, 50);
  ASSERT_GT(one.summary.failed, 10000);
  ExpectSame(one, Parallel(text, 4));
}

TEST(BatchParallelTest, UnknownModeLettersInheritAcrossRuns) {
  // 1 + 2^-60: only rounding up changes it. Each vector after the first has
  // an unknown letter, so all run in the first vector's mode.
  auto bits = [](double x, char one) {
    const auto u = std::bit_cast<std::uint64_t>(x);
    std::string t;
    for (int i = 63; i >= 0; --i)
      t += ((u >> i) & 1) ? one : '0';
    return t;
  };
  const std::string one = bits(1.0, '|');
  const std::string tiny = bits(std::ldexp(1.0, -60), '|');
  const std::string up = bits(std::nextafter(1.0, 2.0), '1');
  std::string text = "0,U," + one + "," + tiny + "," + up + "\n";
  for (int i = 0; i < 3000; ++i)
    text += "0,?," + one + "," + tiny + "," + up + "\n";
  for (int jobs : {1, 2, 3, 8}) {
    const Result r = Parallel(text, jobs);
    EXPECT_EQ(r.summary.passed, 3001) << jobs;
    EXPECT_EQ(r.report, "") << jobs;
  }
}

TEST(BatchParallelTest, EdgeCases) {
  ExpectSame(Sequential(""), Parallel("", 4));
  const std::string small = MixedFile(10, 5);
  ExpectSame(Sequential(small), Parallel(small, 16));  // more threads than work
  // A file that ends inside a vector: the vectors before it are reported,
  // then "I/O error!".
  const std::string cut = MixedFile(20000, 6) + "0,N,||0";
  const Result a = Sequential(cut), b = Parallel(cut, 3);
  EXPECT_TRUE(a.summary.ioError);
  ExpectSame(a, b);
  EXPECT_EQ(b.messages.back(), "I/O error!");
  EXPECT_EQ(b.summary.vectors, 20001);
}

// A stream that hands out its text, then fails as a disk would.
class FailingBuf final : public std::streambuf {
 public:
  explicit FailingBuf(std::string text) : text_(std::move(text)) {
    setg(text_.data(), text_.data(), text_.data() + text_.size());
  }

 protected:
  int_type underflow() override { throw std::ios_base::failure("the disk went away"); }

 private:
  std::string text_;
};

TEST(BatchParallelTest, StreamFailingMidwayEndsBothLoopsAlike) {
  for (const std::string& text : {std::string(), MixedFile(300, 8), MixedFile(300, 8) + "1,N"}) {
    Result a, b;
    {
      FailingBuf buf(text);
      std::istream in(&buf);
      Adder adder;
      Session session(adder);
      session.FillStepTable();
      RecordingDialogs dialogs;
      BatchRunner runner(adder, session, dialogs);
      std::ostringstream report;
      a.summary = runner.RunStreams(in, report);
      a.report = report.str();
      a.messages = dialogs.messages;
    }
    {
      FailingBuf buf(text);
      std::istream in(&buf);
      RecordingDialogs dialogs;
      std::ostringstream report;
      b.summary = RunParallel(in, report, dialogs, 3);
      b.report = report.str();
      b.messages = dialogs.messages;
    }
    EXPECT_TRUE(a.summary.ioError);
    ExpectSame(a, b);
    EXPECT_EQ(a.summary.errorDetail, b.summary.errorDetail);
  }
}

TEST(BatchParallelTest, ToolJobsOneAndFourWriteTheSameFiles) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("sumaris-jobs-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "in.txt", std::ios::binary) << MixedFile(10000, 99);
  auto run = [&](int jobs) {
    const std::string tag = std::to_string(jobs);
    const std::string cmd = "'" + std::string(SUMARIS_BATCH_TOOL) + "' --jobs " + tag + " '" +
                            (folder / "in.txt").string() + "' '" + (folder / ("r" + tag)).string() +
                            "' >/dev/null 2>'" + (folder / ("e" + tag)).string() + "'";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  auto read = [&](const std::string& name) {
    std::ifstream in(folder / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  };
  EXPECT_EQ(run(1), 1);
  EXPECT_EQ(run(4), 1);
  EXPECT_FALSE(read("r1").empty());
  EXPECT_TRUE(read("r1") == read("r4"));
  EXPECT_EQ(read("e1"), read("e4"));
  EXPECT_NE(read("e1").find("Bad Input on line 501\n"), std::string::npos);
  std::error_code ec;
  fs::remove_all(folder, ec);
}

}  // namespace
}  // namespace sumaris
