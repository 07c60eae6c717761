// Speed side by side: the 5,000 sample vectors through the cell model (a
// headless adder, driven as the batch runner drives it) and through the
// Verilator model of the RTL. Counters: vectors per second of each, and in
// the side-by-side run their ratio.
#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <vector>

#include "rtl_models.h"
#include "vector_sets.h"

namespace sumaris::rtl {
namespace {

const std::vector<AdderVector>& Vectors() {
  static const std::vector<AdderVector> vectors =
      ReadVectorFile(std::string(SUMARIS_TEST_DATA) + "/sample.txt");
  return vectors;
}

// The cell model's input as the batch runner has it after reading a line.
const std::vector<TestVector>& CellVectors() {
  static const std::vector<TestVector> vectors = [] {
    std::vector<TestVector> out;
    for (const AdderVector& v : Vectors())
      out.push_back(CellAdder::ToTestVector(v));
    return out;
  }();
  return vectors;
}

struct RtlInput {
  std::uint64_t a, b;
  bool subtract;
  int mode;
};

const std::vector<RtlInput>& RtlVectors() {
  static const std::vector<RtlInput> vectors = [] {
    std::vector<RtlInput> out;
    for (const AdderVector& v : Vectors())
      out.push_back({v.a, v.b, v.subtract, ModeCode(std::string(1, v.mode))});
    return out;
  }();
  return vectors;
}

// The thread's CPU time in seconds: the machine is shared, so wall time
// would count other programs' turns.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double RunCells(CellAdder& cells) {
  const double start = CpuSeconds();
  for (const TestVector& v : CellVectors())
    benchmark::DoNotOptimize(cells.Add(v));
  return CpuSeconds() - start;
}

double RunRtl(RtlAdder& rtl) {
  const double start = CpuSeconds();
  for (const RtlInput& v : RtlVectors())
    benchmark::DoNotOptimize(rtl.Add(v.a, v.b, v.subtract, v.mode));
  return CpuSeconds() - start;
}

void BM_CellModel(benchmark::State& state) {
  CellAdder cells;
  for (auto _ : state)
    RunCells(cells);
  state.counters["vectors/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * CellVectors().size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CellModel)->Unit(benchmark::kMillisecond);

void BM_Verilator(benchmark::State& state) {
  RtlAdder rtl;
  for (auto _ : state)
    RunRtl(rtl);
  state.counters["vectors/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * RtlVectors().size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Verilator)->Unit(benchmark::kMillisecond);

// Both on the same vectors in every iteration, each timed by its own CPU time.
void BM_SideBySide(benchmark::State& state) {
  CellAdder cells;
  RtlAdder rtl;
  double cellSeconds = 0;
  double rtlSeconds = 0;
  for (auto _ : state) {
    cellSeconds += RunCells(cells);
    rtlSeconds += RunRtl(rtl);
  }
  const double n = static_cast<double>(state.iterations() * Vectors().size());
  state.counters["cell vectors/s"] = n / cellSeconds;
  state.counters["rtl vectors/s"] = n / rtlSeconds;
  state.counters["rtl/cell"] = cellSeconds / rtlSeconds;
}
BENCHMARK(BM_SideBySide)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sumaris::rtl

BENCHMARK_MAIN();
