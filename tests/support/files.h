// Files and programs in tests: a temporary folder that cleans up after
// itself, whole-file reads and writes, running a command line, and the bit
// characters of a double as the vector files write them.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

namespace sumaris::test {

namespace fs = std::filesystem;

// A fresh folder of its own under the system's temporary folder, removed
// with everything in it when the object goes.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("sumaris-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& path() const { return path_; }
  fs::path operator/(std::string_view name) const { return path_ / name; }

 private:
  fs::path path_;
};

inline std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteText(const fs::path& file, std::string_view text) {
  std::ofstream(file, std::ios::binary) << text;
}

// A path or word in single quotes, for a shell command line.
inline std::string ShellQuote(const std::string& text) {
  return "'" + text + "'";
}

// Runs a shell command line; its exit status, -1 when it did not exit.
inline int RunCommand(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The 64 bits, sign first, with `one` for a one bit and "0" for a zero bit.
inline std::string BitString(std::uint64_t bits, char one = '1') {
  std::string s(64, '0');
  for (int i = 0; i < 64; ++i) {
    if ((bits >> (63 - i)) & 1) s[static_cast<std::size_t>(i)] = one;
  }
  return s;
}

// A wire trace's text without the lines that name its writer and its
// comment, which differ between two writers of the same wires.
inline std::string TraceBody(const std::string& text) {
  std::string kept;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("$version", 0) == 0 || line.rfind("$comment", 0) == 0 ||
        line.rfind("  \"comment\"", 0) == 0)
      continue;
    kept += line + "\n";
  }
  return kept;
}

}  // namespace sumaris::test
