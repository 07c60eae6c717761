#include "batch/batch_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <system_error>

namespace sumaris {
namespace fs = std::filesystem;
namespace {

bool IsStandardStream(const fs::path& path) {
  return path == "-";
}

std::optional<FileIdentity> RegularFile(const struct stat& st) {
  if (!S_ISREG(st.st_mode)) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino};
}

// The path a chain of symbolic links ends at; the path itself when it is no
// link. A link to nothing ends at the name it points to.
fs::path ResolveLinks(fs::path path) {
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) break;
    const fs::path next = fs::read_symlink(path, error);
    if (error) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

// The temporary report being written, for the signal handler: one at a time.
char unfinished[4096];
volatile std::sig_atomic_t hasUnfinished = 0;

void NoteUnfinished(const fs::path& path) {
  const std::string& text = path.native();
  hasUnfinished = 0;
  if (text.size() >= sizeof unfinished) return;
  std::memcpy(unfinished, text.c_str(), text.size() + 1);
  hasUnfinished = 1;
}

void ForgetUnfinished(const fs::path& path) {
  if (hasUnfinished && path.native() == unfinished) hasUnfinished = 0;
}

void RemoveUnfinished(int signal) {
  if (hasUnfinished) ::unlink(unfinished);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

std::string WithSystemReason(std::string what, int error) {
  if (error != 0) what += ": " + std::error_code(error, std::generic_category()).message();
  return what;
}

// ---- the vector file ------------------------------------------------------

bool InputFile::Open(const fs::path& path, std::string& reason) {
  struct stat st {};
  if (IsStandardStream(path)) {
    if (::fstat(STDIN_FILENO, &st) != 0) {
      reason = "standard input is not open";
      return false;
    }
    identity_ = RegularFile(st);
    if (identity_) size_ = static_cast<std::uint64_t>(st.st_size);
    stream_ = &std::cin;
    return true;
  }
  const std::string name = path.string();
  if (::stat(path.c_str(), &st) != 0) {
    reason = errno == ENOENT ? "the vector file " + name + " is missing"
                             : WithSystemReason("cannot read the vector file " + name, errno);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    reason = "the vector file " + name + " is a folder";
    return false;
  }
  errno = 0;
  file_.open(path, std::ios::binary);
  if (!file_) {
    reason = WithSystemReason("cannot read the vector file " + name, errno);
    return false;
  }
  identity_ = RegularFile(st);
  if (identity_) size_ = static_cast<std::uint64_t>(st.st_size);
  stream_ = &file_;
  return true;
}

// ---- the report -------------------------------------------------------------

ReportFile::~ReportFile() {
  Discard();
}

bool ReportFile::Open(const fs::path& path, const std::optional<FileIdentity>& input,
                      std::string& reason) {
  struct stat st {};
  if (IsStandardStream(path)) {
    name_ = "standard output";
    if (::fstat(STDOUT_FILENO, &st) != 0) {
      reason = "standard output is not open";
      return false;
    }
    if (input && RegularFile(st) == input) {
      reason = "the report (standard output) is the vector file itself";
      return false;
    }
    stream_ = &std::cout;
    return true;
  }
  name_ = path.string();
  target_ = ResolveLinks(path);
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) {
    reason = WithSystemReason("cannot create the report " + name_, errno);
    return false;
  }
  if (exists && S_ISDIR(st.st_mode)) {
    reason = "the report " + name_ + " is a folder";
    return false;
  }
  if (exists && input && RegularFile(st) == input) {
    reason = "the report " + name_ + " is the vector file itself";
    return false;
  }
  if (!exists || S_ISREG(st.st_mode)) {
    if (OpenTemporary(exists ? std::optional<unsigned>(st.st_mode & 0777) : std::nullopt))
      return true;
  }
  errno = 0;
  file_.open(target_, std::ios::binary | std::ios::trunc);
  if (!file_) {
    reason = WithSystemReason("cannot create the report " + name_, errno);
    return false;
  }
  stream_ = &file_;
  return true;
}

bool ReportFile::OpenTemporary(std::optional<unsigned> permissions) {
  static std::atomic<unsigned> counter{0};
  const std::string base = "." + target_.filename().string() + "." + std::to_string(::getpid());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path temporary =
        target_.parent_path() / (base + "-" + std::to_string(++counter) + ".partial");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    if (permissions) static_cast<void>(::fchmod(fd, static_cast<mode_t>(*permissions)));
    ::close(fd);
    NoteUnfinished(temporary);
    file_.open(temporary, std::ios::binary | std::ios::trunc);
    if (!file_) {
      ::unlink(temporary.c_str());
      ForgetUnfinished(temporary);
      return false;
    }
    temporary_ = temporary;
    stream_ = &file_;
    return true;
  }
  return false;
}

bool ReportFile::Commit(std::string& reason) {
  if (stream_ == &std::cout) {
    errno = 0;
    if (!std::cout.flush()) {
      reason = WithSystemReason("cannot write the report to standard output", errno);
      return false;
    }
    return true;
  }
  errno = 0;
  if (file_.is_open()) file_.close();
  if (!file_) {
    const int error = errno;
    Discard();
    reason = WithSystemReason("cannot write the report " + name_, error);
    return false;
  }
  if (!temporary_.empty()) {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
      const int error = errno;
      Discard();
      reason = WithSystemReason("cannot put the report in place as " + name_, error);
      return false;
    }
    ForgetUnfinished(temporary_);
    temporary_.clear();
  }
  return true;
}

void ReportFile::Discard() {
  if (file_.is_open()) file_.close();
  if (temporary_.empty()) return;
  ::unlink(temporary_.c_str());
  ForgetUnfinished(temporary_);
  temporary_.clear();
}

void RemoveUnfinishedReportsOnSignals() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction now {};
    if (::sigaction(signal, nullptr, &now) != 0 || now.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveUnfinished;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace sumaris
