#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <streambuf>
#include <string>
#include <string_view>
#include <thread>

namespace sumaris {

struct BatchProgress;

// One line of progress on a terminal while a long run goes on: the vectors
// done, the vectors a second, and where the input's size is known the share
// done and the time left. A thread of its own draws it from the run's
// BatchProgress a few times a second, once the run has lasted `delay`; the
// run itself only stores its counts. The line is cleared at the end, and
// before anything else is written to the terminal (Write).
class ProgressLine {
 public:
  ProgressLine(int terminal, const BatchProgress& progress,
               std::chrono::milliseconds delay = std::chrono::milliseconds(1000),
               std::chrono::milliseconds period = std::chrono::milliseconds(250));
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  ~ProgressLine();  // clears the line

  // Writes `text` to `fd` (the terminal, or another file on the same
  // screen) with the line out of its way; it comes back at the next turn.
  // False when the text could not be written.
  bool Write(int fd, std::string_view text);

  // The line's text: "1234 vectors, 140000 vectors/s" and, with a known
  // total, ", 42 %, 0:07 left"; at most `width` characters.
  static std::string Text(long long vectors, double seconds, std::uint64_t bytes,
                          std::uint64_t total, std::size_t width);

 private:
  void Draw();
  void Clear();  // under the lock
  void Loop();

  const int terminal_;
  const BatchProgress& progress_;
  const std::chrono::milliseconds delay_;
  const std::chrono::milliseconds period_;
  const std::chrono::steady_clock::time_point start_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool shown_ = false;
  std::thread thread_;
};

// Everything written through it goes to `fd` by ProgressLine::Write, a
// line at a time, so that lines printed on the screen the progress line is
// on never run into it.
class ProgressAwareOutput final : public std::streambuf {
 public:
  ProgressAwareOutput(ProgressLine& line, int fd) : line_(line), fd_(fd) {}
  ~ProgressAwareOutput() override { sync(); }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize n) override;
  int sync() override;

 private:
  bool FlushLines(bool all);

  ProgressLine& line_;
  const int fd_;
  std::string pending_;
  bool failed_ = false;
};

// Whether `fd` is a terminal.
bool IsTerminal(int fd);

}  // namespace sumaris
