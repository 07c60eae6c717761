// sumaris-batch: the batch test of the adder without windows.
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adder/adder.h"
#include "batch/batch_files.h"
#include "batch/batch_parallel.h"
#include "batch/batch_runner.h"
#include "batch/headless_adder.h"
#include "batch/progress_line.h"
#include "batch/testfloat_format.h"
#include "batch/vector_generator.h"
#include "batch/wire_trace.h"
#include "core/version.h"
#include "session/platform.h"
#include "session/session.h"

namespace {

using sumaris::BatchSummary;
using sumaris::FileLocations;

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kError = 2;

constexpr long long kMaxGenerate = 1000000000000;  // 10^12 vectors

const char kUsage[] =
    "Usage:\n"
    "  sumaris-batch [--jobs N] [--classify] [INPUT [OUTPUT]]\n"
    "      Runs every vector of INPUT (default ~/fpinput.txt, \"-\" for standard\n"
    "      input) through the simulated adder and writes the failed ones to OUTPUT\n"
    "      (default ~/fpoutput.txt, \"-\" for standard output), one quoted line\n"
    "      each: OP,Mode,A,B,C,<result bits>,<line>. The report is put in place\n"
    "      when the run ends; INPUT and OUTPUT must be different files.\n"
    "      --jobs N runs on N threads, 1 to 1024 (default: every core); the report\n"
    "      is the same as on one thread, line for line.\n"
    "      --classify ends the run, after the summary line, with one line per\n"
    "      cause of the failures, most frequent first: \"class NAME: COUNT\", NAME\n"
    "      a way this adder differs from IEEE 754 or \"expected value is not IEEE\n"
    "      754\" where the adder gives the IEEE 754 result.\n"
    "  sumaris-batch [--jobs N] [--classify] --testfloat f64_add|f64_sub\n"
    "                --mode N|U|D|Z [FILE|-]\n"
    "      Runs Berkeley TestFloat cases (\"A B C FF\" in hexadecimal, one a line)\n"
    "      from FILE or standard input and prints each failure in TestFloat's\n"
    "      style: A  B  => result  expected: C. The exception flags are read and\n"
    "      checked for form, not compared: the adder raises no flags.\n"
    "  sumaris-batch --generate N [--seed S] [--format native|testfloat]\n"
    "                [--testfloat f64_add|f64_sub] [--mode N|U|D|Z] FILE|-\n"
    "      Writes N test vectors (0 to 10^12; S a whole number below 2^64, in\n"
    "      decimal or as 0x and hex digits), spread over the cases that matter\n"
    "      for the adder, each with the host's IEEE 754 result under its rounding\n"
    "      mode. The native format mixes both operations and all four modes; the\n"
    "      TestFloat format is for one operation and one mode (default f64_add, N)\n"
    "      and carries the host's exception flags.\n"
    "  sumaris-batch --trace FILE.vcd [--trace-json FILE.json] OP MODE A B\n"
    "  sumaris-batch --trace-json FILE.json OP MODE A B\n"
    "      Runs one addition (OP 0 adds, 1 subtracts; MODE N, U, D or Z; A and B\n"
    "      as 64 bit characters or 16 hex digits) and writes every wire of every\n"
    "      stage: a Value Change Dump with one scope per stage and time k = step k,\n"
    "      or JSON.\n"
    "  sumaris-batch --help\n"
    "  sumaris-batch --version\n"
    "      Prints this text, or the program's name and version.\n"
    "\n"
    "Exit status: 0 when every vector read passed (an empty file included), 1 when\n"
    "some failed or were rejected as bad input, 2 on an I/O error, a refused\n"
    "command line or standard output that could not be written (the reason on\n"
    "standard error). \"Bad Input on line N\" messages go to standard error.\n";

// Messages go to standard error; nobody is asked anything.
// With a progress line on the terminal, a message clears it first.
class ConsoleDialogs final : public sumaris::UserDialogs {
 public:
  void Message(std::string_view text) override {
    if (progress != nullptr) {
      progress->Write(STDERR_FILENO, std::string(text) + "\n");
      return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
  }
  bool AskYesNo(std::string_view) override { return true; }
  void Beep() override {}

  sumaris::ProgressLine* progress = nullptr;
};

// The progress line of one run, shown only when standard error is a
// terminal; then lines the run prints on standard output, when that is a
// terminal too, go around it. Without a terminal nothing changes: the run
// is not even given counters to fill.
class RunDisplay {
 public:
  explicit RunDisplay(ConsoleDialogs& dialogs) : dialogs_(dialogs) {
    if (!sumaris::IsTerminal(STDERR_FILENO)) return;
    line_ = std::make_unique<sumaris::ProgressLine>(STDERR_FILENO, counts_);
    dialogs_.progress = line_.get();
    if (sumaris::IsTerminal(STDOUT_FILENO)) {
      std::cout.flush();
      screen_ = std::make_unique<sumaris::ProgressAwareOutput>(*line_, STDOUT_FILENO);
      saved_ = std::cout.rdbuf(screen_.get());
    }
  }
  RunDisplay(const RunDisplay&) = delete;
  RunDisplay& operator=(const RunDisplay&) = delete;
  ~RunDisplay() { End(); }

  sumaris::BatchProgress* progress() { return line_ ? &counts_ : nullptr; }
  void SetTotal(std::optional<std::uint64_t> bytes) { counts_.total = bytes.value_or(0); }

  // Clears the line, before the summary. A write error on standard output
  // stays noted on std::cout.
  void End() {
    if (saved_ != nullptr) {
      std::cout.flush();
      const std::ios::iostate state = std::cout.rdstate();
      std::cout.rdbuf(saved_);
      std::cout.setstate(state);
      saved_ = nullptr;
    }
    screen_.reset();
    dialogs_.progress = nullptr;
    line_.reset();
  }

 private:
  ConsoleDialogs& dialogs_;
  sumaris::BatchProgress counts_;
  std::unique_ptr<sumaris::ProgressLine> line_;
  std::unique_ptr<sumaris::ProgressAwareOutput> screen_;
  std::streambuf* saved_ = nullptr;
};

int Fail(const std::string& message) {
  std::cerr << "sumaris-batch: " << message << "\n";
  return kError;
}

// A whole number written in decimal digits only (or, with `hex`, as "0x"
// and hexadecimal digits), at most `max`: no sign, no blanks, nothing after.
bool ParseNumber(std::string_view text, unsigned long long max, unsigned long long& out,
                 bool hex = false) {
  int base = 10;
  if (hex && (text.starts_with("0x") || text.starts_with("0X"))) {
    text.remove_prefix(2);
    base = 16;
  }
  if (text.empty()) return false;
  unsigned long long v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v, base);
  if (error != std::errc() || end != text.data() + text.size() || v > max) return false;
  out = v;
  return true;
}

// The command line: options with their values, and the plain arguments.
struct CommandLine {
  std::optional<long long> generate;
  unsigned long long seed = 1;
  std::string format = "native";
  std::optional<std::string> testfloat;  // f64_add or f64_sub
  std::optional<char> mode;
  std::optional<int> jobs;
  bool classify = false;
  std::optional<std::string> trace;
  std::optional<std::string> traceJson;
  std::vector<std::string> plain;
};

std::optional<CommandLine> Parse(const std::vector<std::string_view>& args, std::string& error) {
  CommandLine cl;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    auto value = [&]() -> std::optional<std::string_view> {
      if (i + 1 >= args.size()) {
        error = std::string(a) + " needs a value";
        return std::nullopt;
      }
      return args[++i];
    };
    if (a == "--generate") {
      const auto v = value();
      unsigned long long n = 0;
      if (!v || !ParseNumber(*v, kMaxGenerate, n)) {
        if (v) error = "--generate needs a vector count from 0 to 10^12, not " + std::string(*v);
        return std::nullopt;
      }
      cl.generate = static_cast<long long>(n);
    } else if (a == "--seed") {
      const auto v = value();
      if (!v || !ParseNumber(*v, ~0ULL, cl.seed, true)) {
        if (v) {
          error = "--seed needs a whole number below 2^64 (decimal, or 0x and hex digits), not " +
                  std::string(*v);
        }
        return std::nullopt;
      }
    } else if (a == "--format") {
      const auto v = value();
      if (!v || (*v != "native" && *v != "testfloat")) {
        if (v) error = "--format is native or testfloat, not " + std::string(*v);
        return std::nullopt;
      }
      cl.format = *v;
    } else if (a == "--testfloat") {
      const auto v = value();
      if (!v || (*v != "f64_add" && *v != "f64_sub")) {
        if (v) error = "--testfloat takes f64_add or f64_sub, not " + std::string(*v);
        return std::nullopt;
      }
      cl.testfloat = *v;
    } else if (a == "--mode") {
      const auto v = value();
      if (!v || v->size() != 1 || std::string_view("NUDZ").find((*v)[0]) == std::string::npos) {
        if (v) error = "--mode is N, U, D or Z, not " + std::string(*v);
        return std::nullopt;
      }
      cl.mode = (*v)[0];
    } else if (a == "--jobs") {
      const auto v = value();
      unsigned long long n = 0;
      if (!v || !ParseNumber(*v, 1024, n) || n < 1) {
        if (v) error = "--jobs needs a number from 1 to 1024, not " + std::string(*v);
        return std::nullopt;
      }
      cl.jobs = static_cast<int>(n);
    } else if (a == "--classify") {
      cl.classify = true;
    } else if (a == "--trace" || a == "--trace-json") {
      const auto v = value();
      if (!v) return std::nullopt;
      (a == "--trace" ? cl.trace : cl.traceJson) = std::string(*v);
    } else if (a.size() > 1 && a.front() == '-' && a != "-") {
      error = "unknown option " + std::string(a) + " (see --help)";
      return std::nullopt;
    } else {
      cl.plain.emplace_back(a);
    }
  }
  return cl;
}

bool WriteTo(const std::string& file, const std::function<void(std::ostream&)>& write,
             std::string& error) {
  if (file == "-") {
    write(std::cout);
    std::cout.flush();
    if (!std::cout) error = "cannot write to standard output";
    return static_cast<bool>(std::cout);
  }
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = "cannot create " + file;
    return false;
  }
  write(out);
  out.close();
  if (!out) error = "cannot write " + file;
  return static_cast<bool>(out);
}

int Generate(const CommandLine& cl) {
  if (cl.plain.size() != 1)
    return Fail("--generate needs one output file (\"-\" for standard output)");
  const long long count = *cl.generate;
  std::string error;
  bool ok = false;
  if (cl.format == "testfloat") {
    const bool subtract = cl.testfloat.value_or("f64_add") == "f64_sub";
    const char mode = cl.mode.value_or('N');
    ok = WriteTo(
        cl.plain[0],
        [&](std::ostream& out) {
          sumaris::WriteTestFloatVectors(out, count, cl.seed, subtract, mode);
        },
        error);
  } else {
    if (cl.testfloat || cl.mode) return Fail("--testfloat and --mode go with --format testfloat");
    ok = WriteTo(
        cl.plain[0], [&](std::ostream& out) { sumaris::WriteVectors(out, count, cl.seed); }, error);
  }
  return ok ? kPassed : Fail(error);
}

void PrintSummary(const BatchSummary& s, double seconds) {
  char line[256];
  std::snprintf(line, sizeof line,
                "%lld vectors: %lld passed, %lld failed, %lld bad input; %.3f s (%.0f vectors/s)",
                s.vectors, s.passed, s.failed, s.badInput, seconds,
                seconds > 0 ? static_cast<double>(s.vectors) / seconds : 0.0);
  std::cout << line << std::endl;
  // The causes of the failures, most frequent first (ties by name).
  std::vector<std::pair<std::string, long long>> classes(s.failureClasses.begin(),
                                                         s.failureClasses.end());
  std::stable_sort(classes.begin(), classes.end(),
                   [](const auto& x, const auto& y) { return x.second > y.second; });
  for (const auto& [name, count] : classes)
    std::cout << "class " << name << ": " << count << '\n';
  std::cout.flush();
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A run that tested nothing it was given does not pass: every vector read
// must have passed (an empty file passes).
int Verdict(const BatchSummary& s) {
  if (s.ioError) return kError;
  return s.failed == 0 && s.badInput == 0 ? kPassed : kFailed;
}

int IoError(sumaris::UserDialogs& dialogs, const std::string& reason) {
  dialogs.Message("I/O error!\n" + reason);
  return kError;
}

int RunTestFloat(const CommandLine& cl) {
  if (!cl.mode) return Fail("--testfloat needs --mode N, U, D or Z");
  if (cl.plain.size() > 1)
    return Fail("--testfloat reads one file (\"-\" or none for standard input)");
  const bool subtract = *cl.testfloat == "f64_sub";
  ConsoleDialogs dialogs;
  sumaris::InputFile input;
  std::string reason;
  if (!input.Open(cl.plain.empty() ? "-" : cl.plain[0], reason)) return IoError(dialogs, reason);
  // The failures go to standard output, which must not be the case file.
  sumaris::ReportFile failures;
  if (!failures.Open("-", input.identity(), reason)) return IoError(dialogs, reason);
  const int jobs = cl.jobs.value_or(sumaris::DefaultJobs());
  const auto start = std::chrono::steady_clock::now();
  RunDisplay display(dialogs);
  display.SetTotal(input.size());
  BatchSummary s;
  if (jobs == 1) {
    sumaris::HeadlessAdder headless(&dialogs);
    headless.runner.classifyFailures = cl.classify;
    s = sumaris::RunTestFloat(input.stream(), std::cout, headless.runner, subtract, *cl.mode,
                              dialogs, display.progress());
  } else {
    s = sumaris::RunTestFloatParallel(input.stream(), std::cout, subtract, *cl.mode, dialogs, jobs,
                                      display.progress(), cl.classify);
  }
  display.End();
  if (s.ioError) return IoError(dialogs, s.errorDetail);
  PrintSummary(s, Since(start));
  return Verdict(s);
}

int Trace(const CommandLine& cl) {
  if (cl.plain.size() != 4) return Fail("a trace needs OP MODE A B (see --help)");
  if (cl.plain[0] != "0" && cl.plain[0] != "1")
    return Fail("a trace's OP is 0 (add) or 1 (subtract), not " + cl.plain[0]);
  if (cl.plain[1].size() != 1 || std::string_view("NUDZ").find(cl.plain[1][0]) == std::string::npos)
    return Fail("a trace's MODE is N, U, D or Z, not " + cl.plain[1]);
  const auto a = sumaris::OperandBits(cl.plain[2]);
  const auto b = sumaris::OperandBits(cl.plain[3]);
  if (!a) return Fail("A is neither 64 bit characters nor 16 hex digits: " + cl.plain[2]);
  if (!b) return Fail("B is neither 64 bit characters nor 16 hex digits: " + cl.plain[3]);
  const sumaris::WireTrace trace = sumaris::TraceAddition(cl.plain[0], cl.plain[1], *a, *b);
  std::string error;
  if (cl.trace &&
      !WriteTo(
          *cl.trace, [&](std::ostream& out) { sumaris::WriteVcd(out, trace); }, error)) {
    return Fail(error);
  }
  if (cl.traceJson &&
      !WriteTo(
          *cl.traceJson, [&](std::ostream& out) { sumaris::WriteTraceJson(out, trace); }, error)) {
    return Fail(error);
  }
  return kPassed;
}

int RunBatch(const CommandLine& cl) {
  if (cl.plain.size() > 2) return Fail("too many arguments (see --help)");
  FileLocations files = FileLocations::InHome();
  if (!cl.plain.empty()) files.input = cl.plain[0];
  if (cl.plain.size() >= 2) files.output = cl.plain[1];
  ConsoleDialogs dialogs;
  const int jobs = cl.jobs.value_or(sumaris::DefaultJobs());

  const auto start = std::chrono::steady_clock::now();
  RunDisplay display(dialogs);
  BatchSummary s;
  if (jobs == 1) {
    sumaris::HeadlessAdder headless(&dialogs);
    headless.runner.progress = display.progress();
    headless.runner.classifyFailures = cl.classify;
    s = headless.runner.Run(files, nullptr);
  } else {
    s = sumaris::RunParallel(files, dialogs, jobs, display.progress(), cl.classify);
  }
  display.End();
  if (s.ioError) return kError;  // "I/O error!" and the reason are out
  PrintSummary(s, Since(start));
  return Verdict(s);
}

int Main(const std::vector<std::string_view>& args) {
  for (std::string_view a : args) {
    if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return kPassed;
    }
    if (a == "--version") {
      std::cout << "sumaris-batch " << sumaris::kVersion << "\n";
      return kPassed;
    }
  }
  std::string error;
  const std::optional<CommandLine> cl = Parse(args, error);
  if (!cl) return Fail(error);
  if (cl->generate) {
    if (cl->trace || cl->traceJson || cl->jobs || cl->classify)
      return Fail("--generate goes alone (see --help)");
    return Generate(*cl);
  }
  if (cl->trace || cl->traceJson) {
    if (cl->testfloat || cl->mode || cl->jobs || cl->classify)
      return Fail("a trace goes alone (see --help)");
    return Trace(*cl);
  }
  if (cl->testfloat) return RunTestFloat(*cl);
  if (cl->mode || cl->format != "native")
    return Fail("--mode and --format go with --testfloat or --generate");
  return RunBatch(*cl);
}

// What standard output was to show must have reached it: failure lines or a
// summary lost on a full disk or a closed pipe turn any exit into 2.
int CheckStandardOutput(int exitCode) {
  errno = 0;
  std::cout.flush();
  const int error = std::fflush(stdout) == 0 ? 0 : errno;
  if (std::cout && !std::ferror(stdout)) return exitCode;
  std::cerr << "sumaris-batch: "
            << sumaris::WithSystemReason("cannot write to standard output", error)
            << "; what it was to show is lost\n";
  return kError;
}

}  // namespace

int main(int argc, char** argv) {
  // A closed pipe is a write error to report, not a signal that ends the
  // program without a word.
  std::signal(SIGPIPE, SIG_IGN);
  sumaris::RemoveUnfinishedReportsOnSignals();
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return CheckStandardOutput(Main(args));
}
