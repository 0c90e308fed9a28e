// The speed of the decision figures on files of the size players keep: the
// setting estimate of a ten-million-game run (full stocks, and empty ones,
// whose first stretches need the filter), and the next 1,000 games of a run
// with 10,000 draws on one thread and two.
#include <benchmark/benchmark.h>

#include "NextGames.h"
#include "SettingEstimate.h"
#include "SingleRun.h"

using namespace sorimu;

namespace {

constexpr int32_t kLongRun = 10'000'000;

// One run per stock setting, played once for all the benchmarks.
const RunRecords& LongRun(int32_t stocks) {
  static RunRecords full, empty;
  RunRecords& records = stocks == 0 ? empty : full;
  if (records.RowCount() == 0) {
    Slot slot(5);
    StartInputs inputs;
    inputs.PlayNum = kLongRun;
    inputs.Flevel = 4;
    inputs.BigStock = stocks;
    inputs.RegStock = stocks;
    Simulate(slot, records, inputs);
  }
  return records;
}

void EstimateTenMillionGames(benchmark::State& state) {
  const RunRecords& records = LongRun(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    const SettingEstimate estimate = EstimateSetting(records);
    benchmark::DoNotOptimize(estimate.Probability.data());
  }
  state.SetItemsProcessed(state.iterations() * kLongRun);
}
BENCHMARK(EstimateTenMillionGames)
    ->ArgName("stocks")
    ->Arg(255)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

void NextThousandGames(benchmark::State& state) {
  Slot slot(9);
  RunRecords records;
  StartInputs inputs;
  inputs.PlayNum = 8000;
  inputs.Flevel = 3;
  Simulate(slot, records, inputs);
  NextGamesRequest request;
  request.Games = 1000;
  request.Draws = 10000;
  request.Seed = 1;
  request.Jobs = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const NextGamesOutcome outcome = PredictNextGames(records, request);
    benchmark::DoNotOptimize(outcome.Prediction.Balance.Mean);
  }
}
BENCHMARK(NextThousandGames)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
