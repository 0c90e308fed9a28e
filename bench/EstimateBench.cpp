// The speed of the decision figures on files of the size players keep: the
// setting estimate of a ten-million-game run (full stocks, and empty ones,
// whose first stretches need the filter), of a crafted file that keeps the
// filter at its busiest on every row, and the next 1,000 games of a run with
// 10,000 draws on one thread and two.
#include <benchmark/benchmark.h>

#include "NextGames.h"
#include "Outcome.h"
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

// No machine writes these files: both stocks empty on every row, so every
// RT that runs out silently draws the next one. In the first a 4-cherry B on
// nine rows in ten rules games out of every RT the filter follows; in the
// second a 2-cherry cuts the RT on every other row, so that the filter sums
// what it holds each time.
enum class Crafted { KeptBy4CherryB = 0, CutEveryOtherRow = 1 };

void CraftedRows(int32_t rows, Crafted pattern, RunRecords& records) {
  records.SetStartStocks(0, 0);
  for (int32_t g = 1; g <= rows; ++g) {
    RunRow row{};
    row.PlayCount = g;
    row.GamesSinceBonus = g;
    if (pattern == Crafted::KeptBy4CherryB) {
      row.LastOutcome = Code(g % 10 == 0 ? Outcome::Miss : Outcome::Cherry4B);
    } else if (g % 2 == 0) {
      row.LastOutcome = Code(Outcome::Cherry2);
      row.RTCancel = Code(RtCancelCause::Cherry2);
    }
    records.AppendRow(row);
  }
}

void EstimateCraftedRows(benchmark::State& state) {
  const int32_t rows = 300'000;
  RunRecords records;
  CraftedRows(rows, static_cast<Crafted>(state.range(0)), records);
  for (auto _ : state) {
    const SettingEstimate estimate = EstimateSetting(records);
    benchmark::DoNotOptimize(estimate.Probability.data());
  }
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(EstimateCraftedRows)
    ->ArgName("cut")
    ->Arg(static_cast<int>(Crafted::KeptBy4CherryB))
    ->Arg(static_cast<int>(Crafted::CutEveryOtherRow))
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
