// sumaris-batch as a careless or unlucky user meets it: the same file as
// vector file and report, files that are missing, folders or unreadable,
// byte order marks, blank lines, open quotes, endless fields, standard
// output that cannot be written, and numbers on the command line that are
// not numbers. Each row says what the tool must answer (exit code, a part of
// standard error, the report afterwards) and whether the earlier report and
// the vector file are still there.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <functional>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/adder_driver.h"
#include "support/files.h"
#include "support/process.h"

namespace sumaris {
namespace {

using namespace test;
using namespace std::string_literals;

const std::string kOldReport = "an earlier report\n";
// In the report column: the earlier report must be there, byte for byte.
const std::string kKeepsOld = "(the earlier report)";

std::string Digits(double x) {
  return BitString(Bits(x));
}
std::string Bars(double x) {
  return BitString(Bits(x), '|');
}
std::string Vector(double a, double b, double c, const char* eol = "\n") {
  return "0,N," + Bars(a) + "," + Bars(b) + "," + Digits(c) + eol;
}
const std::string kPass = Vector(1.25, 2.5, 3.75);
const std::string kFail = Vector(1.0, 2.0, 4.0);
std::string FailReport(long long line) {
  return "\"0,N," + Digits(1.0) + "," + Digits(2.0) + "," + Digits(4.0) + "," + Digits(3.0) + "," +
         std::to_string(line) + "\"\n";
}
std::string Case(double a, double b, double expected) {
  return Hex(Bits(a)) + " " + Hex(Bits(b)) + " " + Hex(Bits(expected)) + " 00\n";
}
const std::string kByteOrderMark = "\xEF\xBB\xBF";

// A quoted OP holding a line end, a C holding a comma and a line end where
// its bits are zeros: the vector fails, and its report line stays one line.
std::string SplitFieldsFile() {
  std::string c = Digits(4.0);
  c[20] = ',';
  c[40] = '\n';
  return "\"0\n\",N," + Bars(1.0) + "," + Bars(2.0) + ",\"" + c + "\"\n";
}
std::string SplitFieldsReport() {
  std::string c = Digits(4.0);
  c[20] = c[40] = ' ';
  return "\"0 ,N," + Digits(1.0) + "," + Digits(2.0) + "," + c + "," + Digits(3.0) + ",1\"\n";
}

struct Row {
  const char* name;
  std::optional<std::string> file;  // the vector file's bytes; none: there is none
  std::string args;                 // split at blanks; relative to the row's folder
  int exitCode;
  std::string err;          // a part of standard error; empty: nothing there
  std::string report = "";  // the report file afterwards, or kKeepsOld
  std::string out = "";     // what standard output starts with
  bool threads = false;     // runs alike with --jobs 1 and --jobs 3
  Stdout stdoutTo = Stdout::Captured;
  std::string stdinFile = "";    // standard input, in the row's folder
  std::string input = "in.txt";  // the vector file's name
  std::string absent = "";       // a file that must not be there afterwards
  std::function<void(const fs::path&)> prepare = {};
};

const std::string kTool = SUMARIS_BATCH_TOOL;

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;)
    words.push_back(w);
  return words;
}

// The summary line without its timing, for comparing runs.
std::string Untimed(const std::string& out) {
  return std::regex_replace(out, std::regex(R"(; [0-9.]+ s \([0-9]+ vectors/s\))"), "");
}

ProgramRun RunRow(const Row& row, const std::string& jobs, const TempFolder& folder) {
  const fs::path dir = folder.path();
  if (row.file) WriteText(dir / row.input, *row.file);
  WriteText(dir / "out.txt", kOldReport);
  if (row.prepare) row.prepare(dir);
  std::vector<std::string> args{kTool};
  if (!jobs.empty()) args.insert(args.end(), {"--jobs", jobs});
  for (const std::string& w : Words(row.args))
    args.push_back(w);
  ProgramIo io;
  io.folder = io.home = dir.string();
  io.out = row.stdoutTo;
  io.appendTo = (dir / row.input).string();
  if (!row.stdinFile.empty()) io.stdinFile = (dir / row.stdinFile).string();
  return RunProgram(args, folder, io);
}

void Check(const Row& row, const ProgramRun& r, const TempFolder& folder, const std::string& how) {
  SCOPED_TRACE(std::string(row.name) + how);
  const fs::path dir = folder.path();
  EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
  if (row.err.empty()) {
    EXPECT_EQ(r.err, "");
  } else {
    EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
  }
  EXPECT_EQ(r.out.substr(0, row.out.size()), row.out);
  EXPECT_EQ(ReadText(dir / "out.txt"), row.report == kKeepsOld ? kOldReport : row.report);
  if (row.file) {
    EXPECT_EQ(ReadText(dir / row.input), *row.file) << "the vector file changed";
  }
  if (!row.absent.empty()) {
    EXPECT_FALSE(fs::exists(dir / row.absent));
  }
  for (const auto& entry : fs::directory_iterator(dir)) {
    EXPECT_FALSE(entry.path().string().ends_with(".partial")) << entry.path() << " left behind";
  }
}

TEST(HostileInput, NothingIsLostAndNoFailureHides) {
  const std::string tooLong(5000, '|');
  const Row rows[] = {
      // The vector file is the report.
      {"same file", kPass + kFail, "in.txt in.txt", 2, "in.txt is the vector file itself",
       kKeepsOld, "", true},
      {"same file through ./", kPass, "in.txt ./in.txt", 2, "is the vector file itself", kKeepsOld},
      {"same file through a link", kPass, "in.txt link.txt", 2, "is the vector file itself",
       kKeepsOld, "", true, Stdout::Captured, "", "in.txt", "",
       [](const fs::path& d) { fs::create_symlink("in.txt", d / "link.txt"); }},
      {"same file through a hard link", kPass, "in.txt hard.txt", 2, "is the vector file itself",
       kKeepsOld, "", false, Stdout::Captured, "", "in.txt", "",
       [](const fs::path& d) { fs::create_hard_link(d / "in.txt", d / "hard.txt"); }},
      {"re-run on the default report", kFail, "fpoutput.txt", 2, "is the vector file itself",
       kKeepsOld, "", false, Stdout::Captured, "", "fpoutput.txt"},
      {"standard output appended to the vector file", kFail, "in.txt -", 2,
       "(standard output) is the vector file itself", kKeepsOld, "", false, Stdout::AppendInput},
      {"standard input is the report", kPass, "- out.txt", 2, "is the vector file itself",
       kKeepsOld, "", false, Stdout::Captured, "out.txt"},
      // A run that cannot start leaves the earlier report.
      {"vector file missing", std::nullopt, "in.txt out.txt", 2,
       "I/O error!\nthe vector file in.txt is missing", kKeepsOld, "", true},
      {"vector file a folder", std::nullopt, "in.txt out.txt", 2,
       "I/O error!\nthe vector file in.txt is a folder", kKeepsOld, "", true, Stdout::Captured, "",
       "in.txt", "", [](const fs::path& d) { fs::create_directory(d / "in.txt"); }},
      {"vector file unreadable", std::nullopt, "/proc/self/mem out.txt", 2,
       "the vector file could not be read", kKeepsOld, "", true},
      {"report a folder", kFail, "in.txt folder", 2, "the report folder is a folder", kKeepsOld, "",
       true, Stdout::Captured, "", "in.txt", "",
       [](const fs::path& d) { fs::create_directory(d / "folder"); }},
      {"report in a missing folder", kFail, "in.txt nowhere/out.txt", 2,
       "cannot create the report nowhere/out.txt", kKeepsOld},
      // Exit codes: only a run whose every vector passed passes.
      {"empty file", "", "in.txt out.txt", 0, "", "", "0 vectors: 0 passed", true},
      {"all pass", kPass + kPass, "in.txt out.txt", 0, "", "", "2 vectors: 2 passed", true},
      {"a rejected vector fails the run", kPass + "0,N,short,x,y\n", "in.txt out.txt", 1,
       "Bad Input on line 2\n", "", "2 vectors: 1 passed, 0 failed, 1 bad input", true},
      {"a failed vector", kPass + kFail, "in.txt out.txt", 1, "", FailReport(2),
       "2 vectors: 1 passed, 1 failed", true},
      // Open quotes.
      {"ends inside a quoted field after a failure", kFail + "0,N,\"abc", "in.txt out.txt", 2,
       "I/O error!\nvector 2: the file ends inside a quoted field on line 2", FailReport(1), "",
       true},
      {"open quote around a right C", "0,N," + Bars(1.25) + "," + Bars(2.5) + ",\"" + Digits(3.75),
       "in.txt out.txt", 2, "vector 1: the file ends inside a quoted field on line 1", kKeepsOld,
       "", true},
      {"open quote over blank lines", kPass + kPass + "0,N,\"x\n\n\n", "in.txt out.txt", 2,
       "vector 3: the file ends inside a quoted field on line 3", "", "", true},
      // Byte order marks and blank lines.
      {"byte order mark", kByteOrderMark + kFail, "in.txt out.txt", 1, "", FailReport(1), "", true},
      {"blank lines between vectors", kPass + "\n  \n\t\r\n\r" + kFail, "in.txt out.txt", 1, "",
       FailReport(6), "2 vectors: 1 passed, 1 failed, 0 bad input", true},
      {"blank lines before and after", "\r\n\n" + kPass + "\n \n", "in.txt out.txt", 0, "", "",
       "1 vectors: 1 passed", true},
      {"a line end inside a vector ends a field",
       "0,N," + Bars(1.0) + "\n" + Bars(2.0) + "," + Digits(4.0) + "\n", "in.txt out.txt", 1, "",
       "\"0,N," + Digits(1.0) + "," + Digits(2.0) + "," + Digits(4.0) + "," + Digits(3.0) +
           ",1\"\n",
       "", true},
      // Endless fields.
      {"a field beyond 4096 characters", "0,N," + tooLong + ",x,y\n" + kPass, "in.txt out.txt", 1,
       "Bad Input on line 1\n", "", "2 vectors: 1 passed, 0 failed, 1 bad input", true},
      {"an OP beyond 4096 characters", "\"" + std::string(5000, '0') + "\"" + kPass.substr(1),
       "in.txt out.txt", 1, "Bad Input on line 1\n", "", "", true},
      {"a quoted field beyond 4096 characters", "0,N,\"" + tooLong + "\",x,y\n" + kFail,
       "in.txt out.txt", 1, "Bad Input on line 1\n", FailReport(2), "", true},
      {"a field of 8 MB", "0,N," + std::string(8 << 20, '0') + ",x,y\n", "in.txt out.txt", 1,
       "Bad Input on line 1\n", "", "", true},
      // A report line is one line.
      {"line ends and commas in reported fields", SplitFieldsFile(), "in.txt out.txt", 1, "",
       SplitFieldsReport(), "", true},
      // Standard output.
      {"standard output full", kFail, "in.txt out.txt", 2, "cannot write to standard output",
       FailReport(1), "", true, Stdout::Full},
      {"standard output a closed pipe", kFail, "in.txt out.txt", 2,
       "cannot write to standard output", FailReport(1), "", true, Stdout::ClosedPipe},
      {"standard output closed", kFail, "in.txt out.txt", 2, "cannot write to standard output",
       FailReport(1), "", true, Stdout::Closed},
      {"TestFloat failures into a closed pipe", Case(1.0, 2.0, 4.0),
       "--testfloat f64_add --mode N in.txt", 2, "standard output", kKeepsOld, "", true,
       Stdout::ClosedPipe},
      // "-" for standard input and output.
      {"report to standard output", kFail, "in.txt -", 1, "", kKeepsOld, FailReport(1), true},
      {"report to a full standard output", kFail, "in.txt -", 2, "standard output", kKeepsOld, "",
       true, Stdout::Full},
      {"vectors from standard input", kFail, "- out.txt", 1, "", FailReport(1), "", true,
       Stdout::Captured, "in.txt"},
      // Numbers on the command line.
      {"--generate beyond range", std::nullopt, "--generate 99999999999999999999 g.txt", 2,
       "--generate needs a vector count", kKeepsOld, "", false, Stdout::Captured, "", "in.txt",
       "g.txt"},
      {"--generate not a number", std::nullopt, "--generate 12abc g.txt", 2,
       "--generate needs a vector count", kKeepsOld, "", false, Stdout::Captured, "", "in.txt",
       "g.txt"},
      {"--generate negative", std::nullopt, "--generate -1 g.txt", 2, "--generate needs", kKeepsOld,
       "", false, Stdout::Captured, "", "in.txt", "g.txt"},
      {"--generate with a sign", std::nullopt, "--generate +5 g.txt", 2, "--generate needs",
       kKeepsOld, "", false, Stdout::Captured, "", "in.txt", "g.txt"},
      {"--seed a fraction", std::nullopt, "--generate 3 --seed 1.5 g.txt", 2,
       "--seed needs a whole number", kKeepsOld, "", false, Stdout::Captured, "", "in.txt",
       "g.txt"},
      {"--seed 2^64", std::nullopt, "--generate 3 --seed 18446744073709551616 g.txt", 2,
       "--seed needs", kKeepsOld, "", false, Stdout::Captured, "", "in.txt", "g.txt"},
      {"--seed 0x alone", std::nullopt, "--generate 3 --seed 0x g.txt", 2, "--seed needs",
       kKeepsOld, "", false, Stdout::Captured, "", "in.txt", "g.txt"},
      {"--jobs 0", kPass, "--jobs 0 in.txt out.txt", 2, "--jobs needs", kKeepsOld},
      {"--jobs 1025", kPass, "--jobs 1025 in.txt out.txt", 2, "--jobs needs", kKeepsOld},
      {"--trace OP 2", std::nullopt, "--trace t.vcd 2 N 3FF8000000000000 3FD0000000000000", 2,
       "OP is 0 (add) or 1 (subtract), not 2", kKeepsOld, "", false, Stdout::Captured, "", "in.txt",
       "t.vcd"},
      {"--trace mode n", std::nullopt, "--trace t.vcd 0 n 3FF8000000000000 3FD0000000000000", 2,
       "MODE is N, U, D or Z, not n", kKeepsOld, "", false, Stdout::Captured, "", "in.txt",
       "t.vcd"},
      {"--trace mode NU", std::nullopt, "--trace-json t.json 1 NU 3FF8000000000000 0", 2,
       "MODE is N, U, D or Z, not NU", kKeepsOld, "", false, Stdout::Captured, "", "in.txt",
       "t.json"},
      // TestFloat cases: the same rules, on one thread or three.
      {"TestFloat with a byte order mark and blank lines",
       kByteOrderMark + Case(1.25, 2.5, 3.75) + "\n \t\n\r\n" + Case(1.0, 2.0, 4.0),
       "--testfloat f64_add --mode N in.txt", 1, "", kKeepsOld,
       "+3FF.0000000000000  +400.0000000000000  => +400.8000000000000  expected: "
       "+401.0000000000000\n2 vectors: 1 passed, 1 failed, 0 bad input",
       true},
      {"TestFloat line beyond 4096 characters",
       std::string(5000, '0') + "\n" + Case(1.25, 2.5, 3.75), "--testfloat f64_add --mode N in.txt",
       1, "Bad Input on line 1\n", kKeepsOld, "2 vectors: 1 passed, 0 failed, 1 bad input", true},
      {"TestFloat failures appended to the case file", Case(1.0, 2.0, 4.0),
       "--testfloat f64_add --mode N in.txt", 2, "(standard output) is the vector file itself",
       kKeepsOld, "", false, Stdout::AppendInput},
      {"TestFloat file missing", std::nullopt, "--testfloat f64_add --mode N in.txt", 2,
       "I/O error!\nthe vector file in.txt is missing", kKeepsOld, "", true},
      // What already worked stays so.
      {"CRLF line ends", Vector(1.25, 2.5, 3.75, "\r\n") + Vector(1.0, 2.0, 4.0, "\r\n"),
       "in.txt out.txt", 1, "", FailReport(2), "", true},
      {"lone CR line ends", Vector(1.25, 2.5, 3.75, "\r") + Vector(1.0, 2.0, 4.0, "\r"),
       "in.txt out.txt", 1, "", FailReport(2), "", true},
      {"NUL bytes are zero bits",
       "0\0,N,"s + Bars(1.25) + "," + Bars(2.5) + "," +
           std::string(Digits(3.75)).replace(0, 1, "\0"s),
       "in.txt out.txt", 0, "", "", "1 vectors: 1 passed", true},
      {"bytes that are not UTF-8", "\xFF\xFE" + kFail.substr(1), "in.txt out.txt", 1, "",
       "\"\xFF\xFE" + FailReport(1).substr(2), "", true},
  };
  for (const Row& row : rows) {
    if (!row.threads) {
      TempFolder folder;
      Check(row, RunRow(row, "", folder), folder, "");
      continue;
    }
    ProgramRun runs[2];
    for (int i = 0; i < 2; ++i) {
      TempFolder folder;
      const std::string jobs = i == 0 ? "1" : "3";
      runs[i] = RunRow(row, jobs, folder);
      Check(row, runs[i], folder, " on --jobs " + jobs);
    }
    EXPECT_EQ(Untimed(runs[0].out), Untimed(runs[1].out)) << row.name;
    EXPECT_EQ(runs[0].err, runs[1].err) << row.name;
  }
}

// A named pipe as the vector file, written while the tool reads it.
TEST(HostileInput, ANamedPipeIsReadAsAFile) {
  TempFolder folder;
  const fs::path fifo = folder / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  WriteText(folder / "out.txt", kOldReport);
  std::thread writer([&] { WriteText(fifo, kPass + kFail); });
  ProgramIo io;
  io.folder = folder.path().string();
  const ProgramRun r = RunProgram({kTool, "--jobs", "1", "fifo", "out.txt"}, folder, io);
  writer.join();
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(ReadText(folder / "out.txt"), FailReport(2));
}

// The report keeps its permissions and the link that leads to it.
TEST(HostileInput, TheReportIsReplacedWhereItIs) {
  TempFolder folder;
  fs::create_directory(folder / "reports");
  WriteText(folder / "reports" / "r.txt", kOldReport);
  fs::permissions(folder / "reports" / "r.txt", fs::perms(0640));
  fs::create_symlink("reports/r.txt", folder / "link.txt");
  WriteText(folder / "in.txt", kFail);
  ProgramIo io;
  io.folder = folder.path().string();
  const ProgramRun r = RunProgram({kTool, "in.txt", "link.txt"}, folder, io);
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
  EXPECT_EQ(ReadText(folder / "reports" / "r.txt"), FailReport(1));
  EXPECT_EQ(fs::status(folder / "reports" / "r.txt").permissions(), fs::perms(0640));
  // A device is written where it is, never replaced.
  const ProgramRun devNull = RunProgram({kTool, "in.txt", "/dev/null"}, folder, io);
  EXPECT_EQ(devNull.exitCode, 1) << devNull.err;
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace sumaris
