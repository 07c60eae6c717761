#include "session/batch_parallel.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "session/adder.h"
#include "session/headless_adder.h"
#include "session/session.h"
#include "wires/errors.h"
#include "wires/platform.h"

namespace sumaris {
namespace {

constexpr std::size_t kBlock = 1 << 12;  // vectors read ahead at a time
constexpr std::size_t kRun = 256;        // consecutive vectors one thread takes

using Worker = HeadlessAdder;

struct Outcome {
  VectorOutcome outcome = VectorOutcome::Passed;
  std::string reportLine;            // for a failed vector
  std::optional<std::string> error;  // what went wrong inside the vector
};

// Consecutive vectors with the rounding mode each starts from.
struct Block {
  long long firstLine = 1;  // the number of vectors[0] in the file
  std::vector<TestVector> vectors;
  std::vector<int> modeBefore;
  std::vector<Outcome> outcomes;
  bool readError = false;  // reading stopped with an error after these
};

struct ReadState {
  int mode = 4;        // the rounding mode after the last vector read
  long long read = 0;  // vectors read so far
  std::optional<std::string> readError;
  bool begun = false;  // the error came inside a vector, not before one
};

// Reads up to kBlock vectors, noting the rounding mode each starts from.
void ReadBlock(VectorReader& reader, ReadState& state, Block& block) {
  block.vectors.clear();
  block.modeBefore.clear();
  block.firstLine = state.read + 1;
  block.readError = false;
  if (state.readError) return;
  try {
    TestVector v;
    while (block.vectors.size() < kBlock && !reader.Exhausted()) {
      state.begun = true;
      reader.ReadVector(v);
      state.begun = false;
      block.modeBefore.push_back(state.mode);
      if (const int option = RoundingOptionFor(v.mode); option != 0) state.mode = option;
      block.vectors.push_back(std::move(v));
      ++state.read;
    }
  } catch (const VectorReadError& e) {
    state.readError = e.what();
    block.readError = true;
  }
}

// Runs vectors [first, last) of the block on one worker, starting from the
// rounding mode in force before vector `first`.
void RunRange(Worker& w, Block& block, std::size_t first, std::size_t last) {
  w.adder.input.SelectOption(block.modeBefore[first]);
  for (std::size_t i = first; i < last; ++i) {
    const long long line = block.firstLine + static_cast<long long>(i);
    Outcome& o = block.outcomes[i];
    try {
      w.runner.SetLineNumber(line);
      o.outcome = w.runner.RunNext(block.vectors[i]);
      if (o.outcome == VectorOutcome::Failed) {
        o.reportLine = ReportLine(block.vectors[i], w.runner.ResultBits(), line);
      }
    } catch (const StageError& e) {
      o.error = std::string("error inside a stage: ") + e.what();
      return;
    } catch (const std::exception& e) {
      o.error = e.what();
      return;
    }
  }
}

}  // namespace

int DefaultJobs() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n);
}

BatchSummary RunParallel(std::istream& in, std::ostream& report, UserDialogs& dialogs, int jobs) {
  jobs = std::max(jobs, 1);
  BatchSummary summary;
  std::vector<std::unique_ptr<Worker>> workers;
  for (int j = 0; j < jobs; ++j)
    workers.push_back(std::make_unique<Worker>());

  VectorReader reader(in);
  ReadState state;
  state.mode = OperandEntry().RoundingOption();  // a fresh operand entry's mode
  long long line = 0;                            // vectors reported so far

  auto fail = [&](long long atLine, const std::string& what) {
    summary.ioError = true;
    summary.errorDetail = ErrorDetail(atLine, what);
  };

  // While the threads run one block, this thread reads the next.
  Block current, next;
  ReadBlock(reader, state, current);
  while (!current.vectors.empty()) {
    current.outcomes.assign(current.vectors.size(), Outcome{});
    const std::size_t runs = (current.vectors.size() + kRun - 1) / kRun;
    std::atomic<std::size_t> nextRun{0};
    auto work = [&](Worker& w) {
      for (std::size_t r = nextRun++; r < runs; r = nextRun++) {
        RunRange(w, current, r * kRun, std::min(current.vectors.size(), (r + 1) * kRun));
      }
    };
    std::vector<std::thread> pool;
    const std::size_t threads = std::min<std::size_t>(workers.size(), runs);
    for (std::size_t t = 0; t < threads; ++t)
      pool.emplace_back(work, std::ref(*workers[t]));
    if (!current.readError) ReadBlock(reader, state, next);
    for (std::thread& t : pool)
      t.join();

    // Everything in input order, up to the first error.
    for (std::size_t i = 0; i < current.vectors.size() && !summary.ioError; ++i) {
      ++line;
      const Outcome& o = current.outcomes[i];
      if (o.error) {
        fail(line, *o.error);
        break;
      }
      switch (o.outcome) {
        case VectorOutcome::Passed:
          ++summary.passed;
          break;
        case VectorOutcome::BadInput:
          ++summary.badInput;
          dialogs.Message("Bad Input on line " + std::to_string(line));
          break;
        case VectorOutcome::Failed:
          ++summary.failed;
          report << o.reportLine;
          if (!report) fail(line, "the report could not be written");
          break;
      }
    }
    if (summary.ioError) break;
    if (current.readError) break;
    std::swap(current, next);
    next.vectors.clear();
  }
  // A read error ends the run after the vectors read before it.
  if (!summary.ioError && state.readError) {
    if (state.begun) ++line;
    fail(line, *state.readError);
  }
  summary.vectors = line;
  if (summary.ioError) dialogs.Message("I/O error!");
  return summary;
}

BatchSummary RunParallel(const FileLocations& files, UserDialogs& dialogs, int jobs) {
  BatchSummary summary;
  std::ifstream in(files.input, std::ios::binary);
  if (!in) {
    summary.ioError = true;
    summary.errorDetail = "cannot open the vector file " + files.input.string();
    dialogs.Message("I/O error!");
    return summary;
  }
  std::ofstream report(files.output, std::ios::binary | std::ios::trunc);
  if (!report) {
    summary.ioError = true;
    summary.errorDetail = "cannot create the report " + files.output.string();
    dialogs.Message("I/O error!");
    return summary;
  }
  summary = RunParallel(in, report, dialogs, jobs);
  report.close();
  if (!summary.ioError && report.fail()) {
    summary.ioError = true;
    summary.errorDetail = "the report " + files.output.string() + " could not be written";
    dialogs.Message("I/O error!");
  }
  return summary;
}

}  // namespace sumaris
