// Whether the setting estimate means what it says under a player's own stop
// rule: runs at every setting that stop after 1,000 normal games without a
// bonus or at 8,000 games, estimated from their rows. Prints, as Markdown,
// how often a setting given a probability in each bin was the true one, and
// the mean probability given to the true setting; from full stocks, from
// empty ones, and with the settings drawn from a hall's mix and that mix as
// the prior. An ordinary program, not a Google Benchmark:
//
//   calibration_bench [runs per setting] [threads]
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "RunFigures.h"
#include "SettingEstimate.h"
#include "Slot.h"

using namespace sorimu;

namespace {

constexpr int32_t kMostGames = 8000;
constexpr int32_t kDryStop = 1000;

struct Case {
  const char* title;
  int32_t stocks;
  bool hallMix;  // settings drawn from kHall, which is also the prior
};

constexpr SettingWeights kHall = {40, 25, 15, 10, 5, 5};

struct Outcome {
  int32_t truth = 0;
  int32_t games = 0;
  bool dry = false;
  std::array<double, kSettingCount> probability{};
};

// The setting of run `index` of a hall with the mix kHall.
int32_t HallSetting(uint32_t seed) {
  const double u = (seed >> 8) * 0x1.0p-24 * 100;
  double sum = 0;
  for (int32_t level = 1; level < kSettingCount; ++level) {
    sum += kHall[SettingIndex(level)];
    if (u < sum) return level;
  }
  return kSettingCount;
}

Outcome PlayOne(const Case& c, int64_t index, int32_t runsPerSetting, RunRecords& records) {
  Outcome outcome;
  const int32_t column = static_cast<int32_t>(index / runsPerSetting) + 1;
  const int64_t trial = index % runsPerSetting;
  const uint32_t seed = DeriveRunSeed(c.hallMix ? 7 : 1, column, trial);
  outcome.truth = c.hallMix ? HallSetting(DeriveRunSeed(8, column, trial)) : column;
  Slot slot(seed);
  slot.SetFlevel(outcome.truth);
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
      outcome.dry = true;
      break;
    }
  }
  outcome.games = slot.PlayCount;
  outcome.probability = EstimateSetting(records, c.hallMix ? kHall : UniformPrior()).Probability;
  return outcome;
}

std::vector<Outcome> PlayAll(const Case& c, int32_t runsPerSetting, int threads) {
  const int64_t total = kSettingCount * static_cast<int64_t>(runsPerSetting);
  std::vector<Outcome> outcomes(static_cast<size_t>(total));
  std::atomic<int64_t> next{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      RunRecords records;
      for (int64_t i = next++; i < total; i = next++) {
        outcomes[static_cast<size_t>(i)] = PlayOne(c, i, runsPerSetting, records);
      }
    });
  }
  for (std::thread& w : workers) w.join();
  return outcomes;
}

// The mean probability on the true setting of an estimate that only states
// the hall's mix: the sum of its squared shares.
double PriorAlone() {
  double total = 0, squares = 0;
  for (double w : kHall) total += w;
  for (double w : kHall) squares += (w / total) * (w / total);
  return squares;
}

void Report(const Case& c, const std::vector<Outcome>& outcomes) {
  constexpr double kEdges[] = {0, 0.05, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0000001};
  constexpr size_t kBins = std::size(kEdges) - 1;
  std::array<int64_t, kBins> count{}, hits{};
  std::array<double, kBins> stated{};
  double truthMean = 0, games = 0;
  int64_t top = 0, dry = 0;
  for (const Outcome& o : outcomes) {
    const auto best = std::max_element(o.probability.begin(), o.probability.end());
    top += best - o.probability.begin() + 1 == o.truth ? 1 : 0;
    truthMean += o.probability[static_cast<size_t>(o.truth - 1)];
    games += o.games;
    dry += o.dry ? 1 : 0;
    for (size_t s = 0; s < kSettingCount; ++s) {
      const double p = o.probability[s];
      size_t bin = 0;
      while (bin + 1 < kBins && p >= kEdges[bin + 1]) ++bin;
      ++count[bin];
      stated[bin] += p;
      hits[bin] += static_cast<int32_t>(s) + 1 == o.truth ? 1 : 0;
    }
  }
  const double n = static_cast<double>(outcomes.size());
  std::printf("\n#### %s\n\n", c.title);
  std::printf(
      "%zu runs, %.0f games on average, %.1f %% stopped by a 1,000-game dry stretch; mean "
      "probability on the true setting %.3f (%s %.3f), most probable setting true in %.1f "
      "%%.\n\n",
      outcomes.size(), games / n, 100.0 * static_cast<double>(dry) / n, truthMean / n,
      c.hallMix ? "the prior alone" : "a uniform guess",
      c.hallMix ? PriorAlone() : 1.0 / kSettingCount, 100.0 * static_cast<double>(top) / n);
  std::printf("| stated probability | settings in the bin | mean stated | true |\n");
  std::printf("|---|---|---|---|\n");
  for (size_t b = 0; b < kBins; ++b) {
    if (count[b] == 0) continue;
    const double k = static_cast<double>(count[b]);
    const double observed = static_cast<double>(hits[b]) / k;
    const double error = std::sqrt(std::max(observed * (1 - observed), 1e-12) / k);
    std::printf("| %.0f–%.0f %% | %lld | %.1f %% | %.1f ± %.1f %% |\n", 100 * kEdges[b],
                std::min(100.0, 100 * kEdges[b + 1]), static_cast<long long>(count[b]),
                100 * stated[b] / k, 100 * observed, 100 * error);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int32_t runs = argc > 1 ? std::atoi(argv[1]) : 2000;
  const int threads = argc > 2 ? std::atoi(argv[2]) : 2;
  if (runs < 1 || threads < 1) {
    std::fprintf(stderr, "usage: calibration_bench [runs per setting] [threads]\n");
    return 2;
  }
  const Case cases[] = {
      {"Full stocks (255/255), every setting as often, uniform prior", 255, false},
      {"Empty stocks (0/0), every setting as often, uniform prior", 0, false},
      {"Full stocks, settings drawn from the mix 40:25:15:10:5:5, that mix as the prior", 255,
       true},
  };
  std::printf("Stop rule: at %d games, or after %d normal games without a bonus.\n", kMostGames,
              kDryStop);
  for (const Case& c : cases) Report(c, PlayAll(c, runs, threads));
  return 0;
}
