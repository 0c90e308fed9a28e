#pragma once

// The runs the calibration benches play: every setting (or a hall's mix),
// stopped the way players stop, after 1,000 normal games without a bonus or
// at 8,000 games; with the seeds that make their figures repeatable.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <iterator>
#include <thread>
#include <vector>

#include "RunFigures.h"
#include "SettingEstimate.h"
#include "Slot.h"

namespace bench_support {

using namespace sorimu;

inline constexpr int32_t kMostGames = 8000;
inline constexpr int32_t kDryStop = 1000;

struct Case {
  const char* title;
  int32_t stocks;
  bool hallMix;  // settings drawn from kHall, which is also the prior
};

inline constexpr SettingWeights kHall = {40, 25, 15, 10, 5, 5};

inline constexpr Case kCases[] = {
    {"Full stocks (255/255), every setting as often, uniform prior", 255, false},
    {"Empty stocks (0/0), every setting as often, uniform prior", 0, false},
    {"Full stocks, settings drawn from the mix 40:25:15:10:5:5, that mix as the prior", 255, true},
};

inline SettingWeights PriorOf(const Case& c) { return c.hallMix ? kHall : UniformPrior(); }

// The setting of a run of a hall with the mix kHall.
inline int32_t HallSetting(uint32_t seed) {
  const double u = (seed >> 8) * 0x1.0p-24 * 100;
  double sum = 0;
  for (int32_t level = 1; level < kSettingCount; ++level) {
    sum += kHall[SettingIndex(level)];
    if (u < sum) return level;
  }
  return kSettingCount;
}

struct StopRuleRun {
  int32_t truth = 0;
  int32_t games = 0;
  bool dry = false;  // stopped by the dry stretch
};

// Plays run `index` (runsPerSetting at each setting in turn) into `records`.
inline StopRuleRun PlayStopRuleRun(const Case& c, int64_t index, int32_t runsPerSetting,
                                   RunRecords& records) {
  StopRuleRun run;
  const int32_t column = static_cast<int32_t>(index / runsPerSetting) + 1;
  const int64_t trial = index % runsPerSetting;
  const uint32_t seed = DeriveRunSeed(c.hallMix ? 7 : 1, column, trial);
  run.truth = c.hallMix ? HallSetting(DeriveRunSeed(8, column, trial)) : column;
  Slot slot(seed);
  slot.SetFlevel(run.truth);
  slot.SetStock(c.stocks, c.stocks);
  slot.Reset();
  records.ClearRows();
  records.SetStartStocks(c.stocks, c.stocks);
  while (slot.PlayCount < kMostGames) {
    slot.Play();
    records.AppendRow({slot.GamesSinceBonus, slot.Medal, slot.PlayCount, slot.BonusKind,
                       slot.LastOutcome, slot.RTCancel, slot.BonusGames, slot.RenCause, slot.Punk,
                       slot.ZtCount, slot.BigStock, slot.RegStock});
    if (slot.BonusGames == 0 && slot.GamesSinceBonus >= kDryStop) {
      run.dry = true;
      break;
    }
  }
  run.games = slot.PlayCount;
  return run;
}

// work(item, worker) for items 0..count-1 on `threads` workers.
inline void ForEachRun(int64_t count, int threads, const std::function<void(int64_t, int)>& work) {
  std::atomic<int64_t> next{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      for (int64_t i = next++; i < count; i = next++) work(i, t);
    });
  }
  for (std::thread& w : workers) w.join();
}

// The bins of a stated probability.
inline constexpr double kEdges[] = {0,   0.05, 0.1, 0.2, 0.3, 0.4,
                                    0.5, 0.6,  0.7, 0.8, 0.9, 1.0000001};
inline constexpr size_t kBins = std::size(kEdges) - 1;

inline size_t BinOf(double p) {
  size_t bin = 0;
  while (bin + 1 < kBins && p >= kEdges[bin + 1]) ++bin;
  return bin;
}

}  // namespace bench_support
