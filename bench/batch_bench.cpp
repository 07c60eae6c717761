// The model alone: one addition through the 25 stages, and the batch runner
// over generated vectors, in memory and through files as sumaris-batch runs.
#include <benchmark/benchmark.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "adder/adder.h"
#include "batch/batch_parallel.h"
#include "batch/batch_runner.h"
#include "batch/headless_adder.h"
#include "batch/vector_generator.h"
#include "session/platform.h"
#include "session/session.h"

namespace sumaris {
namespace {

constexpr long long kVectors = 10000;
constexpr long long kParallelVectors = 100000;

const std::string& GeneratedText() {
  static const std::string text = [] {
    std::ostringstream out;
    WriteVectors(out, kVectors, 20240611);
    return out.str();
  }();
  return text;
}

// Operands straight into the boxes, as the runner writes them.
void Load(OperandEntry& entry, Operand op, std::uint64_t bits) {
  const BoxRow e = op == Operand::A ? BoxRow::Ea : BoxRow::EB;
  const BoxRow f = op == Operand::A ? BoxRow::Fa : BoxRow::FB;
  entry.SetSign(op, (bits >> 63) ? "1" : "0");
  for (int i = 10; i >= 0; --i)
    entry.SetBox(e, i, ((bits >> (52 + i)) & 1) ? "1" : "0");
  for (int i = 1; i <= 52; ++i)
    entry.SetBox(f, i, ((bits >> (52 - i)) & 1) ? "1" : "0");
}

// One Run: pull stage 1, recompute all 25 stages through the cell texts.
// Arg 0: an effective addition on the R path; 1: a near subtraction with
// massive cancellation on the N path; 2: far apart, the small operand sticky.
void BM_OneAddition(benchmark::State& state) {
  struct Pair {
    double a, b;
    bool subtract;
  };
  const Pair pairs[] = {{1.75, 3.0e-3, false}, {1.0000001, 1.0, true}, {1e300, 1e-300, false}};
  const Pair& p = pairs[state.range(0)];
  Adder adder;
  Session session(adder);
  session.FillStepTable();
  adder.input.SelectOperation(p.subtract ? Operation::Subtract : Operation::Add);
  Load(adder.input, Operand::A, std::bit_cast<std::uint64_t>(p.a));
  Load(adder.input, Operand::B, std::bit_cast<std::uint64_t>(p.b));
  for (auto _ : state) {
    session.Run();
    benchmark::DoNotOptimize(adder.results.Fa[52]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneAddition)->Arg(0)->Arg(1)->Arg(2);

// The batch loop over 10,000 generated vectors held in memory.
void BM_BatchModel(benchmark::State& state) {
  HeadlessAdder headless;
  const std::string& text = GeneratedText();
  for (auto _ : state) {
    std::istringstream in(text);
    std::ostringstream report;
    const BatchSummary s = headless.runner.RunStreams(in, report);
    if (s.vectors != kVectors) state.SkipWithError("not every vector ran");
  }
  state.SetItemsProcessed(state.iterations() * kVectors);
}
BENCHMARK(BM_BatchModel)->Unit(benchmark::kMillisecond);

// What sumaris-batch does: the files opened, read, reported and closed.
void BM_BatchTool(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("sumaris-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const FileLocations files = FileLocations::InFolder(folder);
  std::ofstream(files.input, std::ios::binary) << GeneratedText();
  HeadlessAdder headless;
  for (auto _ : state) {
    const BatchSummary s = headless.runner.Run(files, nullptr);
    if (s.vectors != kVectors) state.SkipWithError("not every vector ran");
  }
  state.SetItemsProcessed(state.iterations() * kVectors);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}
BENCHMARK(BM_BatchTool)->Unit(benchmark::kMillisecond);

// sumaris-batch --jobs N: 100,000 vectors on N threads, each with its
// own adder. Wall-clock time: the point is how much sooner it ends.
void BM_BatchParallel(benchmark::State& state) {
  static const std::string text = [] {
    std::ostringstream out;
    WriteVectors(out, kParallelVectors, 20240611);
    return out.str();
  }();
  const int jobs = static_cast<int>(state.range(0));
  QuietDialogs dialogs;
  for (auto _ : state) {
    std::istringstream in(text);
    std::ostringstream report;
    const BatchSummary s = RunParallel(in, report, dialogs, jobs);
    if (s.vectors != kParallelVectors) state.SkipWithError("not every vector ran");
  }
  state.SetItemsProcessed(state.iterations() * kParallelVectors);
}
BENCHMARK(BM_BatchParallel)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sumaris
