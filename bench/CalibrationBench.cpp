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
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "StopRuleRuns.h"

using namespace bench_support;

namespace {

struct Outcome {
  int32_t truth = 0;
  int32_t games = 0;
  bool dry = false;
  std::array<double, kSettingCount> probability{};
};

std::vector<Outcome> PlayAll(const Case& c, int32_t runsPerSetting, int threads) {
  const int64_t total = kSettingCount * static_cast<int64_t>(runsPerSetting);
  std::vector<Outcome> outcomes(static_cast<size_t>(total));
  std::vector<RunRecords> records(static_cast<size_t>(threads));
  ForEachRun(total, threads, [&](int64_t i, int worker) {
    RunRecords& rows = records[static_cast<size_t>(worker)];
    const StopRuleRun run = PlayStopRuleRun(c, i, runsPerSetting, rows);
    outcomes[static_cast<size_t>(i)] = {run.truth, run.games, run.dry,
                                        EstimateSetting(rows, PriorOf(c)).Probability};
  });
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
      const size_t bin = BinOf(p);
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
  std::printf("Stop rule: at %d games, or after %d normal games without a bonus.\n", kMostGames,
              kDryStop);
  for (const Case& c : kCases) Report(c, PlayAll(c, runs, threads));
  return 0;
}
