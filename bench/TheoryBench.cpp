#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "DryStretch.h"
#include "ExpectedRun.h"
#include "LongRun.h"
#include "ManyRunAnalysis.h"
#include "SimulatedBatches.h"

using namespace sorimu;
using namespace sorimu::theory;

// The six settings' long-run figures from a freshly built machine: the
// tables read, every model built, nothing cached.
static void BM_LongRunAllSettings(benchmark::State& state) {
  for (auto _ : state) {
    const Slot machine(0);
    for (int s = 1; s <= kSettingCount; ++s) {
      const LongRunFigures f = ComputeLongRun(BuildCycleModel(ReadMachineOdds(machine, s)));
      benchmark::DoNotOptimize(f.Payout);
    }
  }
}
BENCHMARK(BM_LongRunAllSettings)->Unit(benchmark::kMillisecond);

// P(dry stretch >= N) up to N = 2000, both kinds, all six settings, models
// built afresh.
static void BM_TailsTo2000AllSettings(benchmark::State& state) {
  for (auto _ : state) {
    const Slot machine(0);
    for (int s = 1; s <= kSettingCount; ++s) {
      const DryStretchTail tail =
          ComputeDryStretchTail(BuildCycleModel(ReadMachineOdds(machine, s)), 2000);
      benchmark::DoNotOptimize(tail.BetweenFirstHits.back());
    }
  }
}
BENCHMARK(BM_TailsTo2000AllSettings)->Unit(benchmark::kMillisecond);

// The expected slump line of one run, model built afresh.
static void BM_ExpectedLine(benchmark::State& state) {
  const int32_t games = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    const CycleModel model = BuildCycleModel(ReadMachineOdds(Slot(0), 1));
    const ExpectedRun run = ComputeExpectedRun(model, RunStart{}, games);
    benchmark::DoNotOptimize(run.BalanceAt(games));
  }
}
BENCHMARK(BM_ExpectedLine)->Arg(100000)->Arg(10000000)->Unit(benchmark::kMillisecond);

// The exact figures of runs of N games, as the many-run analysis asks for
// them: worked out afresh for a built model (a setting's first analysis),
// and again once a process holds the setting's sums.
static void BM_ExpectedRunAtLength(benchmark::State& state) {
  const int32_t games = static_cast<int32_t>(state.range(0));
  const CycleModel& model = DefaultCycleModel(1);
  for (auto _ : state) {
    const ExpectedRun run = ComputeExpectedRun(model, RunStart{}, games);
    benchmark::DoNotOptimize(run.PayoutRate(games));
  }
}
BENCHMARK(BM_ExpectedRunAtLength)->Arg(8000)->Unit(benchmark::kMillisecond);

// A process's first figure at each setting: the model, the stock bound and the
// sums all worked out (run it alone, as nothing may have kept them before).
static void BM_DefaultExpectedRunFirst(benchmark::State& state) {
  const int32_t games = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    for (int setting = 1; setting <= kSettingCount; ++setting) {
      const ExpectedRun run = DefaultExpectedRun(setting, RunStart{}, games);
      benchmark::DoNotOptimize(run.PayoutRate(games));
    }
  }
}
BENCHMARK(BM_DefaultExpectedRunFirst)->Arg(8000)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_DefaultExpectedRunKept(benchmark::State& state) {
  const int32_t games = static_cast<int32_t>(state.range(0));
  DefaultExpectedRun(1, RunStart{}, games);
  for (auto _ : state) {
    const ExpectedRun run = DefaultExpectedRun(1, RunStart{}, games);
    benchmark::DoNotOptimize(run.PayoutRate(games));
  }
}
BENCHMARK(BM_DefaultExpectedRunKept)->Arg(8000)->Unit(benchmark::kMillisecond);

// The very long check: 200 million normal games per setting in 200 batches,
// z-scores of the payout rate and of the BIG and REG rates as counters.
static void BM_SimulationCheckLong(benchmark::State& state) {
  const int setting = static_cast<int>(state.range(0));
  theory_check::BatchPlan plan;
  plan.Setting = setting;
  plan.Seed = 99000 + setting;
  plan.Batches = 200;
  plan.GamesPerBatch = 1000000;
  const LongRunFigures f = ComputeLongRun(DefaultCycleModel(setting));
  for (auto _ : state) {
    const auto b = theory_check::PlayBatches(plan);
    auto games = [](const theory_check::BatchCounts& c) { return c.Games; };
    state.counters["z_payout"] =
        theory_check::CheckRatio(
            b, [](auto& c) { return c.Paid; }, [](auto& c) { return c.Bet; }, double(f.Payout))
            .Z;
    state.counters["z_big"] = theory_check::CheckRatio(
                                  b, [](auto& c) { return c.Big; }, games, double(f.BigPerGame))
                                  .Z;
    state.counters["z_reg"] = theory_check::CheckRatio(
                                  b, [](auto& c) { return c.Reg; }, games, double(f.RegPerGame))
                                  .Z;
    state.counters["z_first"] =
        theory_check::CheckRatio(
            b, [](auto& c) { return c.BigFirst + c.RegFirst; }, games, double(f.FirstPerGame()))
            .Z;
  }
}
BENCHMARK(BM_SimulationCheckLong)
    ->DenseRange(1, kSettingCount)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// How often the pooled rate's 95 % interval over 1,000 runs of 8,000 games
// holds the exact rate for such runs, over many base seeds; the long-run rate
// and the old mean-of-rates interval for comparison.
static void BM_PooledRateCoverage(benchmark::State& state) {
  const int seeds = static_cast<int>(state.range(0));
  int intervals = 0, forRuns = 0, longRun = 0, meanOfRates = 0;
  for (auto _ : state) {
    for (int seed = 1; seed <= seeds; ++seed) {
      AnalysisRequest request;
      request.Games = 8000;
      request.Trials = 1000;
      request.Setting = kAllSettings;
      request.Seed = static_cast<uint32_t>(seed);
      request.Jobs = 2;
      const AnalysisOutcome outcome = RunAnalysis(request);
      for (const SettingFigures& f : outcome.Result.Settings) {
        ++intervals;
        auto inside = [](double v, const MeanWithInterval& m) { return v >= m.Low && v <= m.High; };
        forRuns += inside(f.Theory.ForRuns, f.PooledPayoutRate);
        longRun += inside(f.Theory.LongRun, f.PooledPayoutRate);
        meanOfRates += inside(f.Theory.ForRuns, f.PayoutRate);
      }
    }
  }
  state.counters["intervals"] = intervals;
  state.counters["cover_exact_for_runs"] = static_cast<double>(forRuns) / intervals;
  state.counters["cover_long_run"] = static_cast<double>(longRun) / intervals;
  state.counters["cover_mean_of_rates"] = static_cast<double>(meanOfRates) / intervals;
}
BENCHMARK(BM_PooledRateCoverage)->Arg(300)->Iterations(1)->Unit(benchmark::kSecond);
