#include "batch/batch_parallel.h"

#include <algorithm>
#include <cerrno>
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
#include "batch/batch_files.h"
#include "batch/headless_adder.h"
#include "batch/testfloat_format.h"
#include "core/errors.h"
#include "session/platform.h"
#include "session/session.h"

namespace sumaris {
namespace {

constexpr std::size_t kRun = 256;  // consecutive vectors one thread takes at a time
constexpr long long kAhead = 64;   // runs the threads may finish ahead of the report

struct Outcome {
  VectorOutcome outcome = VectorOutcome::Passed;
  std::string reportLine;            // for a failed vector, line end included
  std::string_view failureClass;     // why it failed, when failures are classified
  std::optional<std::string> error;  // what went wrong inside the vector
};

// Consecutive vectors (or cases), read and run by one thread.
template <typename Item>
struct Run {
  std::vector<Item> items;
  std::vector<long long> numbers;  // each item's number, for messages and the report
  std::vector<Outcome> outcomes;
  Rounding modeBefore = Rounding::NearestEven;  // the mode in force before items[0]
  std::optional<std::string> readError;         // reading stopped with this after the items
  long long errorNumber = 0;                    // the number the read error names
  bool begun = false;                           // ... inside a vector, which then counts as read
  std::uint64_t bytesAfter = 0;                 // of the input read once the run was read
};

// Runs the items of a run on one adder; an error inside an item ends it.
template <typename Item, typename Body>
void ComputeEach(Run<Item>& run, Body body) {
  run.outcomes.assign(run.items.size(), Outcome{});
  for (std::size_t i = 0; i < run.items.size(); ++i) {
    Outcome& o = run.outcomes[i];
    try {
      body(run.items[i], run.numbers[i], o);
    } catch (const StageError& e) {
      o.error = std::string("error inside a stage: ") + e.what();
      return;
    } catch (const std::exception& e) {
      o.error = e.what();
      return;
    }
  }
}

// The vector file. The one thing a vector inherits from the one before it,
// the rounding mode that an unknown mode letter keeps, is worked out while
// reading and set before each run.
class NativeFormat {
 public:
  bool classifyFailures = false;
  using Item = TestVector;
  static constexpr const char* kUnwritten = kReportUnwritten;

  explicit NativeFormat(std::istream& in) : reader_(in) {}

  // Reads up to kRun vectors. False when the input has none after them.
  // Under the pool's lock.
  bool Read(Run<Item>& run) {
    run.modeBefore = mode_;
    try {
      while (run.items.size() < kRun && !reader_.Exhausted()) {
        run.begun = true;
        run.numbers.push_back(reader_.nextNumber());
        TestVector& v = run.items.emplace_back();
        reader_.ReadVector(v);
        run.begun = false;
        if (const auto rounding = RoundingForLetter(v.mode)) mode_ = *rounding;
      }
    } catch (const VectorReadError& e) {
      run.readError = e.what();
      run.errorNumber = run.begun ? run.numbers.back() : reader_.number();
      if (run.begun) {
        run.items.pop_back();
        run.numbers.pop_back();
      }
    }
    run.bytesAfter = reader_.offset();
    return !run.readError && run.items.size() == kRun;
  }

  // On the worker's own thread.
  void Compute(HeadlessAdder& w, Run<Item>& run) const {
    w.adder.input.SelectRounding(run.modeBefore);
    ComputeEach(run, [&](const TestVector& v, long long number, Outcome& o) {
      w.runner.SetLineNumber(number);
      o.outcome = w.runner.RunNext(v);
      if (o.outcome == VectorOutcome::Failed) {
        o.reportLine = ReportLine(v, w.runner.ResultBits(), number);
        o.failureClass = w.runner.failureClass();
      }
    });
  }

  static std::string Detail(long long number, const std::string& what) {
    return ErrorDetail(number, what);
  }

 private:
  VectorReader reader_;
  // The rounding mode after the last vector read; before the first, a fresh
  // operand entry's.
  Rounding mode_ = OperandEntry().rounding();
};

// TestFloat cases: one operation and one rounding mode for all.
class TestFloatFormat {
 public:
  bool classifyFailures = false;
  using Item = std::optional<TestFloatCase>;  // nothing for a malformed line
  static constexpr const char* kUnwritten = kFailuresUnwritten;

  TestFloatFormat(std::istream& in, bool subtract, char mode)
      : reader_(in), op_(subtract ? "1" : "0"), mode_(1, mode) {}

  bool Read(Run<Item>& run) {
    try {
      Item c;
      while (run.items.size() < kRun && reader_.Next(c)) {
        run.items.push_back(c);
        run.numbers.push_back(reader_.line());
      }
    } catch (const VectorReadError& e) {
      run.readError = e.what();
      run.errorNumber = reader_.line();
    }
    run.bytesAfter = reader_.offset();
    return !run.readError && run.items.size() == kRun;
  }

  void Compute(HeadlessAdder& w, Run<Item>& run) const {
    TestVector v;
    v.op = op_;
    v.mode = mode_;
    std::string failure;
    ComputeEach(run, [&](const Item& c, long long number, Outcome& o) {
      if (!c) {
        o.outcome = VectorOutcome::BadInput;
        return;
      }
      w.runner.SetLineNumber(number);
      o.outcome = RunTestFloatCase(w.runner, v, *c, failure);
      if (o.outcome == VectorOutcome::Failed) {
        o.reportLine = failure + '\n';
        o.failureClass = w.runner.failureClass();
      }
    });
  }

  static std::string Detail(long long number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
  }

 private:
  TestFloatReader reader_;
  std::string op_;
  std::string mode_;
};

// The threads share the reader: each in turn takes the next run of vectors
// under the lock, works it out on its own adder, and leaves the outcomes for
// the report, which this thread writes in input order. So every thread both
// reads and computes, and no more threads run than were asked for.
template <typename Format>
class Pool {
 public:
  using RunOf = Run<typename Format::Item>;

  Pool(Format& format, int jobs) : format_(format) {
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
  std::unique_ptr<RunOf> Take(long long k) {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return finished_.count(k) != 0 || (readAll_ && k >= taken_); });
    auto it = finished_.find(k);
    if (it == finished_.end()) return nullptr;
    std::unique_ptr<RunOf> run = std::move(it->second);
    finished_.erase(it);
    reported_ = k + 1;
    room_.notify_all();
    return run;
  }

  // No more runs are wanted (the report ended at an error or a stop).
  void Stop() {
    std::lock_guard lock(mutex_);
    readAll_ = true;
    room_.notify_all();
    done_.notify_all();
  }

 private:
  void Work() {
    HeadlessAdder worker;
    worker.runner.classifyFailures = format_.classifyFailures;
    for (;;) {
      auto run = std::make_unique<RunOf>();
      long long k = 0;
      {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return readAll_ || taken_ - reported_ < kAhead; });
        if (readAll_) return;
        k = taken_++;
        if (!format_.Read(*run)) readAll_ = true;
      }
      format_.Compute(worker, *run);
      std::lock_guard lock(mutex_);
      finished_.emplace(k, std::move(run));
      done_.notify_all();
    }
  }

  Format& format_;
  long long taken_ = 0;  // runs handed out
  long long reported_ = 0;
  bool readAll_ = false;  // the input is exhausted, unreadable, or no longer wanted
  std::map<long long, std::unique_ptr<RunOf>> finished_;
  std::mutex mutex_;
  std::condition_variable done_;  // a run was finished
  std::condition_variable room_;  // the report caught up, or the pool stops
  std::vector<std::thread> threads_;
};

// Everything in input order, up to the first error or stop: the report
// lines and the "Bad Input on line " messages, as one thread writes them.
template <typename Format>
BatchSummary RunPool(Format& format, std::ostream& report, UserDialogs& dialogs, int jobs,
                     BatchProgress* progress) {
  BatchSummary summary;
  auto fail = [&](long long number, const std::string& what) {
    summary.ioError = true;
    summary.errorDetail = Format::Detail(number, what);
  };
  Pool<Format> pool(format, std::max(jobs, 1));
  for (long long k = 0; !summary.ioError && !summary.stopped; ++k) {
    const auto run = pool.Take(k);
    if (!run) break;
    for (std::size_t i = 0; i < run->outcomes.size(); ++i) {
      ++summary.vectors;
      const long long number = run->numbers[i];
      const Outcome& o = run->outcomes[i];
      if (o.error) {
        fail(number, *o.error);
        break;
      }
      switch (o.outcome) {
        case VectorOutcome::Passed:
          ++summary.passed;
          break;
        case VectorOutcome::BadInput:
          ++summary.badInput;
          if (!dialogs.MessageOrStop("Bad Input on line " + std::to_string(number)))
            summary.stopped = true;
          break;
        case VectorOutcome::Failed:
          ++summary.failed;
          if (!o.failureClass.empty()) ++summary.failureClasses[std::string(o.failureClass)];
          report << o.reportLine;
          if (!report) fail(number, WithSystemReason(Format::kUnwritten, errno));
          break;
      }
      if (summary.ioError || summary.stopped) break;
    }
    if (progress != nullptr) {
      progress->vectors.store(summary.vectors, std::memory_order_relaxed);
      progress->bytes.store(run->bytesAfter, std::memory_order_relaxed);
    }
    // A read error ends the run after the vectors read before it.
    if (!summary.ioError && !summary.stopped && run->readError) {
      if (run->begun) ++summary.vectors;
      fail(run->errorNumber, *run->readError);
    }
  }
  pool.Stop();
  return summary;
}

}  // namespace

int DefaultJobs() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n);
}

BatchSummary RunParallel(std::istream& in, std::ostream& report, UserDialogs& dialogs, int jobs,
                         BatchProgress* progress, bool classifyFailures) {
  NativeFormat format(in);
  format.classifyFailures = classifyFailures;
  return RunPool(format, report, dialogs, jobs, progress);
}

BatchSummary RunParallel(const FileLocations& files, UserDialogs& dialogs, int jobs,
                         BatchProgress* progress, bool classifyFailures) {
  return RunOnFiles(
      files, dialogs,
      [&](std::istream& in, std::ostream& report) {
        return RunParallel(in, report, dialogs, jobs, progress, classifyFailures);
      },
      progress);
}

BatchSummary RunTestFloatParallel(std::istream& in, std::ostream& failures, bool subtract,
                                  char mode, UserDialogs& dialogs, int jobs,
                                  BatchProgress* progress, bool classifyFailures) {
  TestFloatFormat format(in, subtract, mode);
  format.classifyFailures = classifyFailures;
  return RunPool(format, failures, dialogs, jobs, progress);
}

}  // namespace sumaris
