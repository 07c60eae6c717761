#include "batch/progress_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "batch/batch_runner.h"

namespace sumaris {
namespace {

constexpr std::string_view kClear = "\r\x1b[K";  // to the line's start, erase to its end

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::size_t TerminalWidth(int fd) {
  struct winsize size {};
  if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

std::string Duration(double seconds) {
  const long long s = static_cast<long long>(seconds + 0.5);
  char text[32];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
  }
  return text;
}

}  // namespace

bool IsTerminal(int fd) {
  return ::isatty(fd) == 1;
}

ProgressLine::ProgressLine(int terminal, const BatchProgress& progress,
                           std::chrono::milliseconds delay, std::chrono::milliseconds period)
    : terminal_(terminal),
      progress_(progress),
      delay_(delay),
      period_(period),
      start_(std::chrono::steady_clock::now()),
      thread_([this] { Loop(); }) {}

ProgressLine::~ProgressLine() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

std::string ProgressLine::Text(long long vectors, double seconds, std::uint64_t bytes,
                               std::uint64_t total, std::size_t width) {
  char text[160];
  int n = std::snprintf(text, sizeof text, "%lld vectors, %.0f vectors/s", vectors,
                        seconds > 0 ? static_cast<double>(vectors) / seconds : 0.0);
  if (total > 0 && bytes > 0) {
    const std::uint64_t done = std::min(bytes, total);
    const double left = seconds * static_cast<double>(total - done) / static_cast<double>(done);
    n += std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), ", %llu %%, %s left",
                       static_cast<unsigned long long>(done * 100 / total), Duration(left).c_str());
  }
  std::string line(text, static_cast<std::size_t>(std::max(n, 0)));
  if (line.size() > width) line.resize(width);
  return line;
}

void ProgressLine::Draw() {
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const std::string text =
      Text(progress_.vectors.load(std::memory_order_relaxed), seconds,
           progress_.bytes.load(std::memory_order_relaxed),
           progress_.total.load(std::memory_order_relaxed), TerminalWidth(terminal_) - 1);
  shown_ = WriteAll(terminal_, "\r" + text + "\x1b[K");
}

void ProgressLine::Clear() {
  if (shown_) WriteAll(terminal_, kClear);
  shown_ = false;
}

void ProgressLine::Loop() {
  std::unique_lock lock(mutex_);
  while (!stop_) {
    if (wake_.wait_for(lock, period_, [this] { return stop_; })) break;
    if (std::chrono::steady_clock::now() - start_ >= delay_) Draw();
  }
  Clear();
}

bool ProgressLine::Write(int fd, std::string_view text) {
  std::lock_guard lock(mutex_);
  Clear();
  return WriteAll(fd, text);
}

// ---- lines on the same screen ---------------------------------------------

bool ProgressAwareOutput::FlushLines(bool all) {
  const std::size_t end = all ? pending_.size() : pending_.rfind('\n') + 1;
  if (end == 0 || failed_) return !failed_;
  failed_ = !line_.Write(fd_, std::string_view(pending_).substr(0, end));
  pending_.erase(0, end);
  return !failed_;
}

ProgressAwareOutput::int_type ProgressAwareOutput::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_ += traits_type::to_char_type(c);
  if (c == '\n' && !FlushLines(false)) return traits_type::eof();
  return c;
}

std::streamsize ProgressAwareOutput::xsputn(const char* text, std::streamsize n) {
  pending_.append(text, static_cast<std::size_t>(n));
  return FlushLines(false) ? n : 0;
}

int ProgressAwareOutput::sync() {
  return FlushLines(true) ? 0 : -1;
}

}  // namespace sumaris
