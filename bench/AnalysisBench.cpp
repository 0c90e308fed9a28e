#include <benchmark/benchmark.h>

#include "ManyRunAnalysis.h"

using namespace sorimu;

// 1,000 runs of 8,000 games, at one setting or at all six, on one thread or
// two. Wall-clock time: the work is spread over threads.
static void BM_Analysis(benchmark::State& state) {
  AnalysisRequest request;
  request.Games = 8000;
  request.Trials = 1000;
  request.Setting = static_cast<int32_t>(state.range(0));
  request.Jobs = static_cast<int>(state.range(1));
  request.Seed = 1;
  int64_t runs = 0;
  for (auto _ : state) {
    const AnalysisOutcome outcome = RunAnalysis(request);
    benchmark::DoNotOptimize(outcome.Result.Settings.data());
    runs += static_cast<int64_t>(outcome.Result.Runs.size());
  }
  state.counters["runs/s"] =
      benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Analysis)
    ->ArgNames({"setting", "jobs"})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({kAllSettings, 1})
    ->Args({kAllSettings, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
