#include "batch/batch_parallel.h"

#include <algorithm>
#include <condition_variable>
#include <istream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "adder/adder.h"
#include "batch/headless_adder.h"
#include "core/errors.h"
#include "session/platform.h"
#include "session/session.h"

namespace sumaris {
namespace {

constexpr std::size_t kRun = 256;  // consecutive vectors one thread takes at a time
constexpr long long kAhead = 64;   // runs the threads may finish ahead of the report

struct Outcome {
  VectorOutcome outcome = VectorOutcome::Passed;
  std::string reportLine;            // for a failed vector
  std::optional<std::string> error;  // what went wrong inside the vector
};

// Consecutive vectors, read and run by one thread.
struct Run {
  long long firstLine = 1;                      // the number of vectors[0] in the file
  Rounding modeBefore = Rounding::NearestEven;  // the mode in force before vectors[0]
  std::vector<TestVector> vectors;
  std::vector<Outcome> outcomes;
  std::optional<std::string> readError;  // reading stopped with this after the vectors
  bool begun = false;                    // ... inside a vector, not before one
};

// The threads share the reader: each in turn takes the next run of vectors
// under the lock, works it out on its own adder, and leaves the outcomes for
// the report, which this thread writes in input order. So every thread both
// reads and computes, and no more threads run than were asked for.
class Pool {
 public:
  Pool(std::istream& in, int jobs) : reader_(in) {
    for (int j = 0; j < jobs; ++j)
      threads_.emplace_back([this] { Work(); });
  }
  Pool(const Pool&) = delete;
  Pool& operator=(const Pool&) = delete;
  ~Pool() {
    Stop();
    for (std::thread& t : threads_)
      t.join();
  }

  // Run k, once it is worked out; null when the input ended before it.
  std::unique_ptr<Run> Take(long long k) {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return finished_.count(k) != 0 || (readAll_ && k >= taken_); });
    auto it = finished_.find(k);
    if (it == finished_.end()) return nullptr;
    std::unique_ptr<Run> run = std::move(it->second);
    finished_.erase(it);
    reported_ = k + 1;
    room_.notify_all();
    return run;
  }

  // No more runs are wanted (the report ended at an error).
  void Stop() {
    std::lock_guard lock(mutex_);
    readAll_ = true;
    room_.notify_all();
    done_.notify_all();
  }

 private:
  void Work() {
    HeadlessAdder worker;
    for (;;) {
      auto run = std::make_unique<Run>();
      long long k = 0;
      {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return readAll_ || taken_ - reported_ < kAhead; });
        if (readAll_) return;
        k = taken_++;
        Read(*run);
      }
      Compute(worker, *run);
      std::lock_guard lock(mutex_);
      finished_.emplace(k, std::move(run));
      done_.notify_all();
    }
  }

  // Reads up to kRun vectors, noting the rounding mode the first starts from
  // and the mode the next run will start from. Under the lock.
  void Read(Run& run) {
    run.firstLine = read_ + 1;
    run.modeBefore = mode_;
    try {
      while (run.vectors.size() < kRun && !reader_.Exhausted()) {
        run.begun = true;
        TestVector& v = run.vectors.emplace_back();
        reader_.ReadVector(v);
        run.begun = false;
        if (const auto rounding = RoundingForLetter(v.mode)) mode_ = *rounding;
        ++read_;
      }
    } catch (const VectorReadError& e) {
      if (run.begun) run.vectors.pop_back();
      run.readError = e.what();
    }
    if (run.readError || run.vectors.size() < kRun) readAll_ = true;
  }

  // Runs the vectors of a run on one adder; an error inside a vector ends it.
  static void Compute(HeadlessAdder& w, Run& run) {
    run.outcomes.assign(run.vectors.size(), Outcome{});
    w.adder.input.SelectRounding(run.modeBefore);
    for (std::size_t i = 0; i < run.vectors.size(); ++i) {
      const long long line = run.firstLine + static_cast<long long>(i);
      Outcome& o = run.outcomes[i];
      try {
        w.runner.SetLineNumber(line);
        o.outcome = w.runner.RunNext(run.vectors[i]);
        if (o.outcome == VectorOutcome::Failed) {
          o.reportLine = ReportLine(run.vectors[i], w.runner.ResultBits(), line);
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

  VectorReader reader_;
  // The rounding mode after the last vector read; before the first, a fresh
  // operand entry's.
  Rounding mode_ = OperandEntry().rounding();
  long long read_ = 0;   // vectors read so far
  long long taken_ = 0;  // runs handed out
  long long reported_ = 0;
  bool readAll_ = false;  // the input is exhausted, unreadable, or no longer wanted
  std::map<long long, std::unique_ptr<Run>> finished_;
  std::mutex mutex_;
  std::condition_variable done_;  // a run was finished
  std::condition_variable room_;  // the report caught up, or the pool stops
  std::vector<std::thread> threads_;
};

}  // namespace

int DefaultJobs() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n);
}

BatchSummary RunParallel(std::istream& in, std::ostream& report, UserDialogs& dialogs, int jobs) {
  BatchSummary summary;
  long long line = 0;  // vectors reported so far
  auto fail = [&](const std::string& what) {
    summary.ioError = true;
    summary.errorDetail = ErrorDetail(line, what);
  };

  Pool pool(in, std::max(jobs, 1));
  // Everything in input order, up to the first error.
  for (long long k = 0; !summary.ioError; ++k) {
    const std::unique_ptr<Run> run = pool.Take(k);
    if (!run) break;
    for (std::size_t i = 0; i < run->outcomes.size() && !summary.ioError; ++i) {
      ++line;
      const Outcome& o = run->outcomes[i];
      if (o.error) {
        fail(*o.error);
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
          if (!report) fail("the report could not be written");
          break;
      }
    }
    // A read error ends the run after the vectors read before it.
    if (!summary.ioError && run->readError) {
      if (run->begun) ++line;
      fail(*run->readError);
    }
  }
  pool.Stop();
  summary.vectors = line;
  if (summary.ioError) dialogs.Message("I/O error!");
  return summary;
}

BatchSummary RunParallel(const FileLocations& files, UserDialogs& dialogs, int jobs) {
  return RunOnFiles(files, dialogs, [&](std::istream& in, std::ostream& report) {
    return RunParallel(in, report, dialogs, jobs);
  });
}

}  // namespace sumaris
