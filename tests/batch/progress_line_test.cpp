// The progress line of sumaris-batch: its text, and that it shows on a
// terminal only. The runs read their vectors from a pipe that the test
// fills in two halves with a pause between, so each lasts over a second on
// any machine.
#include "batch/progress_line.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/files.h"
#include "support/process.h"

namespace sumaris {
namespace {

using namespace test;

TEST(ProgressLine, SaysHowFarAndHowFast) {
  const struct {
    long long vectors;
    double seconds;
    std::uint64_t bytes, total;
    std::size_t width;
    const char* text;
  } cases[] = {
      {0, 0.0, 0, 0, 79, "0 vectors, 0 vectors/s"},
      {140000, 1.0, 700, 0, 79, "140000 vectors, 140000 vectors/s"},  // size unknown
      {140000, 1.0, 500, 1000, 79, "140000 vectors, 140000 vectors/s, 50 %, 0:01 left"},
      {5, 2.5, 1, 4, 79, "5 vectors, 2 vectors/s, 25 %, 0:08 left"},
      {3, 7200.0, 1, 4, 79, "3 vectors, 0 vectors/s, 25 %, 6:00:00 left"},
      {9, 1.0, 10, 4, 79, "9 vectors, 9 vectors/s, 100 %, 0:00 left"},  // the file grew
      {140000, 1.0, 500, 1000, 20, "140000 vectors, 1400"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressLine::Text(c.vectors, c.seconds, c.bytes, c.total, c.width), c.text);
  }
}

// A pseudo-terminal: the program's end and the reading end, both closed
// when the object goes; what the program wrote is read on a thread of its
// own so the program never waits for the test.
class Terminal {
 public:
  Terminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY | O_CLOEXEC);
    reader_ = std::thread([this] {
      char chunk[4096];
      for (;;) {
        const ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n <= 0) break;  // every program end closed
        text_.append(chunk, static_cast<std::size_t>(n));
      }
    });
  }
  ~Terminal() {
    CloseProgramEnd();
    if (reader_.joinable()) reader_.join();
    if (master_ >= 0) ::close(master_);
  }
  int programEnd() const { return slave_; }
  // Everything the program wrote, once it has ended.
  const std::string& Text() {
    CloseProgramEnd();
    if (reader_.joinable()) reader_.join();
    return text_;
  }

 private:
  void CloseProgramEnd() {
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
  }
  int master_ = -1;
  int slave_ = -1;
  std::thread reader_;
  std::string text_;
};

const std::string kTool = SUMARIS_BATCH_TOOL;

// Runs the tool on `vectors` given through a pipe, half at once and half
// after a pause of 1.3 s, with standard error (and with `sameScreen` standard
// output too) on a terminal, in a pipe or in a file.
enum class Stderr { Terminal, Pipe, File };
struct Seen {
  int exitCode;
  std::string screen, err, out;
};
Seen RunSlowly(const std::vector<std::string>& args, const std::string& vectors, Stderr to,
               bool sameScreen = false) {
  TempFolder folder;
  int input[2];
  EXPECT_EQ(::pipe2(input, O_CLOEXEC), 0);
  std::thread feeder([&] {
    const std::size_t half = vectors.find('\n', vectors.size() / 2) + 1;
    static_cast<void>(::write(input[1], vectors.data(), half));
    std::this_thread::sleep_for(std::chrono::milliseconds(1300));
    std::size_t at = half;
    while (at < vectors.size()) {
      const ssize_t n = ::write(input[1], vectors.data() + at, vectors.size() - at);
      if (n <= 0) break;
      at += static_cast<std::size_t>(n);
    }
    ::close(input[1]);
  });
  Terminal terminal;
  int errPipe[2] = {-1, -1};
  std::string piped;
  std::thread drain;
  ProgramIo io;
  io.stdinFd = input[0];
  if (to == Stderr::Terminal) {
    io.stderrFd = terminal.programEnd();
    if (sameScreen) io.stdoutFd = terminal.programEnd();
  } else if (to == Stderr::Pipe) {
    EXPECT_EQ(::pipe2(errPipe, O_CLOEXEC), 0);
    io.stderrFd = errPipe[1];
    drain = std::thread([&] {
      char chunk[4096];
      for (ssize_t n; (n = ::read(errPipe[0], chunk, sizeof chunk)) > 0;)
        piped.append(chunk, static_cast<std::size_t>(n));
    });
  }
  std::vector<std::string> argv{kTool};
  argv.insert(argv.end(), args.begin(), args.end());
  const ProgramRun run = RunProgram(argv, folder, io);
  feeder.join();
  ::close(input[0]);
  Seen seen{run.exitCode, to == Stderr::Terminal ? terminal.Text() : "", run.err, run.out};
  if (to == Stderr::Pipe) {
    ::close(errPipe[1]);
    drain.join();
    ::close(errPipe[0]);
    seen.err = piped;
  }
  return seen;
}

// `count` generated vectors with `bad` after the first `before`.
std::string Vectors(int count, int before, const std::string& bad) {
  TempFolder folder;
  const ProgramRun g = RunProgram(
      {kTool, "--generate", std::to_string(count), "--seed", "11", (folder / "g.txt").string()},
      folder);
  EXPECT_EQ(g.exitCode, 0);
  std::string text = ReadText(folder / "g.txt");
  std::size_t at = 0;
  for (int i = 0; i < before; ++i)
    at = text.find('\n', at) + 1;
  return text.insert(at, bad);
}

TEST(ProgressLine, ShowsOnATerminalOnly) {
  const std::string vectors = Vectors(2000, 1500, "0,N,short,x,y\n");
  const std::string message = "Bad Input on line 1501\n";
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(std::string("--jobs ") + jobs);
    const std::vector<std::string> args{"--jobs", jobs, "-", "-"};
    // A pipe or a file: the very messages, nothing else.
    for (Stderr to : {Stderr::Pipe, Stderr::File}) {
      const Seen s = RunSlowly(args, vectors, to);
      EXPECT_EQ(s.exitCode, 1);
      EXPECT_EQ(s.err, message);
      EXPECT_NE(s.out.find("2001 vectors: "), std::string::npos);
    }
    // A terminal: the line, cleared before the message and at the end.
    const Seen s = RunSlowly(args, vectors, Stderr::Terminal);
    EXPECT_EQ(s.exitCode, 1);
    ASSERT_NE(s.screen.find(" vectors/s\x1b[K"), std::string::npos) << s.screen;
    EXPECT_EQ(s.screen.find(" %"), std::string::npos) << "the size of a pipe is not known";
    EXPECT_EQ(s.screen.find('\r'), 0u) << s.screen;
    EXPECT_NE(s.screen.find("\r\x1b[K" + message.substr(0, message.size() - 1)), std::string::npos)
        << s.screen;
    EXPECT_NE(s.screen.find("\r\x1b[K", s.screen.rfind(" vectors/s")), std::string::npos)
        << "the line is cleared at the end";
    EXPECT_NE(s.out.find("2001 vectors: "), std::string::npos);
  }
}

// Failure lines printed on the same terminal never run into the line.
TEST(ProgressLine, KeepsOutOfLinesOnTheSameScreen) {
  TempFolder folder;
  const ProgramRun g = RunProgram({kTool, "--generate", "3000", "--seed", "12", "--format",
                                   "testfloat", (folder / "c.txt").string()},
                                  folder);
  ASSERT_EQ(g.exitCode, 0);
  const Seen s = RunSlowly({"--testfloat", "f64_add", "--mode", "N", "-"},
                           ReadText(folder / "c.txt"), Stderr::Terminal, true);
  EXPECT_EQ(s.exitCode, 1);
  ASSERT_NE(s.screen.find(" vectors/s\x1b[K"), std::string::npos) << "no progress line";
  int failures = 0;
  for (std::size_t at = s.screen.find("  => "); at != std::string::npos;
       at = s.screen.find("  => ", at + 1), ++failures) {
    // The failure line starts the screen, or after a line end, or after the
    // progress line was cleared.
    const std::size_t start = s.screen.find_last_of("\n\r", at);
    if (start == std::string::npos) continue;
    const bool afterLineEnd = s.screen[start] == '\n';
    const bool afterClear = s.screen.compare(start, 4, "\r\x1b[K") == 0;
    EXPECT_TRUE(afterLineEnd || afterClear) << s.screen.substr(start, 80);
  }
  EXPECT_GT(failures, 0);
  EXPECT_NE(s.screen.find("3000 vectors: "), std::string::npos);
}

}  // namespace
}  // namespace sumaris
