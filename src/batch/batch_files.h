#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iosfwd>
#include <optional>
#include <string>

namespace sumaris {

// The files of a batch run. The vector file is read as it stands; the report
// is written to a temporary file beside it and put in place when the run
// ends, so a run that cannot start, or that fails before its first vector,
// leaves an earlier report as it was. "-" names standard input (vector file)
// or standard output (report).

// A file as the system knows it: device and inode, links resolved.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The vector file, open for reading.
class InputFile {
 public:
  // Opens the file, or standard input for "-". False with the reason when
  // the file is missing, a folder or cannot be read.
  bool Open(const std::filesystem::path& path, std::string& reason);
  std::istream& stream() { return *stream_; }
  // The regular file read, to tell it from the report; none for anything else.
  const std::optional<FileIdentity>& identity() const { return identity_; }
  // Its size in bytes, when it is a regular file.
  std::optional<std::uint64_t> size() const { return size_; }

 private:
  std::ifstream file_;
  std::istream* stream_ = nullptr;
  std::optional<FileIdentity> identity_;
  std::optional<std::uint64_t> size_;
};

// The report. A regular file (or a new one) is written under a temporary
// name in the same folder and renamed onto the report by Commit, with the
// old report's permissions; a link to the report is followed, so the link
// stays and its target is replaced. Anything else that is not a folder (a
// device such as /dev/null, a named pipe) is written directly, and so is a
// report whose folder takes no new file. "-" is standard output.
class ReportFile {
 public:
  ReportFile() = default;
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;
  ~ReportFile();  // an uncommitted temporary file is removed

  // Prepares the report at `path`. False with the reason when it is a folder,
  // when it is the very file `input` names, or when it cannot be created.
  bool Open(const std::filesystem::path& path, const std::optional<FileIdentity>& input,
            std::string& reason);
  std::ostream& stream() { return *stream_; }

  // Puts the report in place. False with the reason when it could not be
  // written completely or renamed; the earlier report then stays.
  bool Commit(std::string& reason);
  // Gives the run's report up: the temporary file goes, the earlier report
  // stays (a report written directly keeps what was written).
  void Discard();

 private:
  bool OpenTemporary(std::optional<unsigned> permissions);

  std::string name_;                 // as the user gave it, for messages
  std::filesystem::path target_;     // the report, links resolved
  std::filesystem::path temporary_;  // empty when written directly
  std::ofstream file_;
  std::ostream* stream_ = nullptr;
};

// `what`, followed by the system's reason for error number `error` when
// there is one: "cannot write x: No space left on device".
std::string WithSystemReason(std::string what, int error);

// On SIGINT, SIGTERM and SIGHUP the temporary file of an unfinished report
// is removed before the program ends as the signal asks. For programs that
// run batches without windows.
void RemoveUnfinishedReportsOnSignals();

}  // namespace sumaris
