// Running a program in tests without a shell: its arguments as given, its
// standard input from a file, its standard output to a file or to places
// that cannot take it (a full device, a pipe nobody reads, nothing at all),
// standard error to a file, in a working folder and with a home folder; a
// program still running after two minutes is killed.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/files.h"

namespace sumaris::test {

enum class Stdout {
  Captured,     // to a file; ProgramRun::out holds it
  Full,         // /dev/full: every write fails with "no space"
  ClosedPipe,   // a pipe whose reading end is closed
  Closed,       // no standard output at all
  AppendInput,  // appended to the file `appendTo`
};

struct ProgramIo {
  std::string stdinFile = "/dev/null";
  Stdout out = Stdout::Captured;
  std::string appendTo;  // for Stdout::AppendInput
  std::string home;      // $HOME, when not empty
  std::string folder;    // the working folder, when not empty
  // Open files to take instead (a pipe, a terminal), when not -1; they
  // should be close-on-exec, so the program holds no other copy of them.
  int stdinFd = -1;
  int stdoutFd = -1;
  int stderrFd = -1;
};

inline constexpr int kTimeLimitMs = 120000;

struct ProgramRun {
  int exitCode = -1;  // -1 when it did not exit (a signal ended it)
  std::string out, err;
};

inline ProgramRun RunProgram(const std::vector<std::string>& args, const TempFolder& scratch,
                             const ProgramIo& io = {}) {
  const fs::path out = scratch / "program.stdout", err = scratch / "program.stderr";
  std::vector<char*> argv;
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int pipeEnds[2] = {-1, -1};
  if (io.out == Stdout::ClosedPipe) {
    if (::pipe(pipeEnds) != 0) return {};
    ::close(pipeEnds[0]);
  }
  const std::string outName = io.out == Stdout::Full          ? std::string("/dev/full")
                              : io.out == Stdout::AppendInput ? io.appendTo
                                                              : out.string();
  const std::string errName = err.string();
  const pid_t child = ::fork();
  if (child == 0) {
    // Only calls that are safe between fork and exec.
    if (!io.folder.empty() && ::chdir(io.folder.c_str()) != 0) ::_exit(127);
    if (!io.home.empty()) ::setenv("HOME", io.home.c_str(), 1);
    const int in = io.stdinFd >= 0 ? io.stdinFd : ::open(io.stdinFile.c_str(), O_RDONLY);
    if (in < 0 || ::dup2(in, 0) < 0) ::_exit(127);
    const int e = io.stderrFd >= 0 ? io.stderrFd
                                   : ::open(errName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (e < 0 || ::dup2(e, 2) < 0) ::_exit(127);
    int o = -1;
    switch (io.out) {
      case Stdout::ClosedPipe:
        o = pipeEnds[1];
        break;
      case Stdout::Closed:
        ::close(1);
        break;
      case Stdout::AppendInput:
        o = ::open(outName.c_str(), O_WRONLY | O_APPEND);
        break;
      default:
        o = io.stdoutFd >= 0 ? io.stdoutFd
                             : ::open(outName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    if (io.out != Stdout::Closed && (o < 0 || ::dup2(o, 1) < 0)) ::_exit(127);
    ::signal(SIGPIPE, SIG_DFL);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  if (pipeEnds[1] >= 0) ::close(pipeEnds[1]);
  // A program that runs past its time is ended: the test fails, never hangs.
  ProgramRun run;
  int status = 0;
  pid_t done = 0;
  for (int waited = 0; child > 0 && done == 0; ++waited) {
    done = ::waitpid(child, &status, WNOHANG);
    if (done == 0 && waited == kTimeLimitMs / 10) ::kill(child, SIGKILL);
    if (done == 0) ::usleep(10000);
  }
  if (done == child && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  if (io.out == Stdout::Captured && io.stdoutFd < 0) run.out = ReadText(out);
  if (io.stderrFd < 0) run.err = ReadText(err);
  return run;
}

}  // namespace sumaris::test
