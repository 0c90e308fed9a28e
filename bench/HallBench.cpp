// The speed of the hall's figures: the estimate of a history of 200 bonuses,
// the whole ハマリ table (G = 0..1490 at six settings and their mix), the
// やめ時 curve, the spread of the balance, and the forecast of 10,000 draws.
#include <benchmark/benchmark.h>

#include "HallTables.h"
#include "HistoryEstimate.h"
#include "HistoryForecast.h"
#include "JobService.h"
#include "Volatility.h"

using namespace sorimu;

namespace {

// 200 bonuses of a machine at setting 4 from 255/255, as its counter shows them.
BonusHistory TwoHundredBonuses() {
  Slot slot(11);
  slot.SetFlevel(4);
  slot.SetStock(kMaxStock, kMaxStock);
  slot.Reset();
  BonusHistory history;
  history.FromStart = true;
  while (history.Bonuses.size() < 200) {
    slot.Play();
    if (slot.BonusGames == 0 && IsBonusOutcome(slot.LastOutcome)) {
      const bool big = slot.LastOutcome == Code(Outcome::BIG);
      history.Bonuses.push_back({big ? theory::kBig : theory::kReg, slot.GamesSinceBonus});
    }
  }
  history.OpenGames = 123;
  return history;
}

void HistoryOf200Bonuses(benchmark::State& state) {
  const BonusHistory history = TwoHundredBonuses();
  EstimateFromHistory(history);  // the laws are built once per process
  for (auto _ : state) {
    const SettingEstimate estimate = EstimateFromHistory(history);
    benchmark::DoNotOptimize(estimate.Probability.data());
  }
}
BENCHMARK(HistoryOf200Bonuses)->Unit(benchmark::kMicrosecond);

void WholeDryTable(benchmark::State& state) {
  theory::SettingMix weights;
  weights.fill(1);
  theory::ComputeDryTable(theory::kBig, weights);
  const size_t after = static_cast<size_t>(state.range(0));
  for (auto _ : state) {
    const theory::DryTable table = theory::ComputeDryTable(after, weights);
    benchmark::DoNotOptimize(table.Mix.back().Reach);
  }
}
BENCHMARK(WholeDryTable)
    ->ArgName("after")
    ->Arg(theory::kBig)
    ->Arg(theory::kAfterEither)
    ->Unit(benchmark::kMillisecond);

void QuitCurve200(benchmark::State& state) {
  theory::SettingMix weights;
  weights.fill(1);
  for (auto _ : state) {
    const theory::QuitCurve curve = theory::ComputeQuitCurve(theory::kBig, 200, weights);
    benchmark::DoNotOptimize(curve.Mix.back());
  }
}
BENCHMARK(QuitCurve200)->Unit(benchmark::kMillisecond);

void SpreadAllSettings(benchmark::State& state) {
  for (auto _ : state) {
    for (int s = 1; s <= theory::kSettingCount; ++s) {
      const theory::Volatility v = theory::ComputeVolatility(theory::DefaultCycleModel(s));
      benchmark::DoNotOptimize(v.SdPerGame);
    }
  }
}
BENCHMARK(SpreadAllSettings)->Unit(benchmark::kMillisecond);

void Forecast(benchmark::State& state) {
  const BonusHistory history = TwoHundredBonuses();
  ForecastRequest request;
  request.Jobs = static_cast<int>(state.range(0));
  JobService service;
  for (auto _ : state) {
    Job job(&service);
    const HistoryForecast forecast = ForecastHistory(history, UniformPrior(), request, job);
    benchmark::DoNotOptimize(forecast.Points.back().TopChangeChance);
  }
}
BENCHMARK(Forecast)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
