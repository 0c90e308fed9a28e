// The estimate from a bonus history against the estimate from the rows of the
// same runs, and how soon a history says something:
// - runs at every setting that stop after 1,000 normal games without a bonus
//   or at 8,000 games (the calibration bench's stop rule), estimated from
//   their rows and from their bonus list alone: how sharp each is, how often
//   each is right, and, by the history's stated probability, how often the
//   setting was true and what the rows said of it (the history knows less,
//   so on average the rows say what it says); from full stocks, from empty
//   ones, and with a hall's mix as the prior;
// - per true setting, the games a history from the start needs before the
//   true setting first reaches 80 %;
// - the forecast (how sure, how soon) held against what the runs went on to
//   show.
// Prints Markdown. An ordinary program:
//
//   history_calibration [runs per setting] [threads]
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "HistoryEstimate.h"
#include "HistoryForecast.h"
#include "StopRuleRuns.h"

using namespace bench_support;

namespace {

// --- Rows against bonus list -------------------------------------------------

struct Pair {
  int32_t truth = 0;
  int32_t games = 0;
  bool ranOut = false;  // a stretch may have met an empty stock
  std::array<double, kSettingCount> rows{}, history{};
  // The same bonus list with no word on the stocks, as a counter shows it.
  std::array<double, kSettingCount> bare{};
};

Pair PlayPair(const Case& c, int64_t index, int32_t runsPerSetting, RunRecords& records) {
  const StopRuleRun run = PlayStopRuleRun(c, index, runsPerSetting, records);
  Pair pair;
  pair.truth = run.truth;
  pair.games = run.games;
  pair.rows = EstimateSetting(records, PriorOf(c)).Probability;
  BonusHistory history = HistoryFromRecords(records);
  pair.history = EstimateFromHistory(history, PriorOf(c)).Probability;
  for (HistoryBonus& bonus : history.Bonuses) {
    pair.ranOut = pair.ranOut || bonus.StockMayHaveRunOut;
    bonus.StockMayHaveRunOut = false;
  }
  if (!history.OpenGames) {
    pair.ranOut = true;
    history.OpenGames = records.LastRow().BonusGames == 0 && !IsBonusRow(records.LastRow())
                            ? records.LastRow().GamesSinceBonus
                            : 0;
  }
  pair.bare = EstimateFromHistory(history, PriorOf(c)).Probability;
  return pair;
}

void ReportPairs(const char* title, const std::vector<Pair>& pairs,
                 std::array<double, kSettingCount> Pair::*estimate) {
  double rowsTruth = 0, historyTruth = 0, games = 0, agree = 0;
  int64_t rowsTop = 0, historyTop = 0;
  std::array<int64_t, kBins> count{}, hits{};
  std::array<double, kBins> stated{}, rowsSaid{};
  for (const Pair& p : pairs) {
    const size_t truth = static_cast<size_t>(p.truth - 1);
    rowsTruth += p.rows[truth];
    const std::array<double, kSettingCount>& history = p.*estimate;
    historyTruth += history[truth];
    games += p.games;
    const auto rowsBest = std::max_element(p.rows.begin(), p.rows.end()) - p.rows.begin();
    const auto historyBest =
        std::max_element(p.history.begin(), p.history.end()) - p.history.begin();
    rowsTop += static_cast<size_t>(rowsBest) == truth ? 1 : 0;
    historyTop += static_cast<size_t>(historyBest) == truth ? 1 : 0;
    agree += rowsBest == historyBest ? 1 : 0;
    for (size_t s = 0; s < kSettingCount; ++s) {
      const size_t bin = BinOf(history[s]);
      ++count[bin];
      stated[bin] += history[s];
      rowsSaid[bin] += p.rows[s];
      hits[bin] += s == truth ? 1 : 0;
    }
  }
  const double n = static_cast<double>(pairs.size());
  std::printf("\n#### %s\n\n", title);
  std::printf(
      "%zu runs, %.0f games on average. Mean probability on the true setting: rows %.3f, bonus "
      "list %.3f. Most probable setting true: rows %.1f %%, bonus list %.1f %%; the two pick "
      "the same setting in %.1f %%.\n\n",
      pairs.size(), games / n, rowsTruth / n, historyTruth / n,
      100.0 * static_cast<double>(rowsTop) / n, 100.0 * static_cast<double>(historyTop) / n,
      100 * agree / n);
  std::printf(
      "| bonus list's probability | settings in the bin | mean stated | rows' mean for them | true "
      "|\n|---|---|---|---|---|\n");
  for (size_t b = 0; b < kBins; ++b) {
    if (count[b] == 0) continue;
    const double k = static_cast<double>(count[b]);
    const double observed = static_cast<double>(hits[b]) / k;
    const double error = std::sqrt(std::max(observed * (1 - observed), 1e-12) / k);
    std::printf("| %.0f–%.0f %% | %lld | %.1f %% | %.1f %% | %.1f ± %.1f %% |\n", 100 * kEdges[b],
                std::min(100.0, 100 * kEdges[b + 1]), static_cast<long long>(count[b]),
                100 * stated[b] / k, 100 * rowsSaid[b] / k, 100 * observed, 100 * error);
  }
}

// --- Games until the true setting reaches 80 % ---------------------------------

constexpr int32_t kSureCap = 1000000;
constexpr double kSure = 0.8;

// The first normal game after which the history from the start gives the
// true setting kSure or more (the open stretch counted at every bonus line-up
// and every 100th game); kSureCap + 1 if not by then.
int32_t GamesUntilSure(int32_t truth, uint32_t seed) {
  Slot slot(seed);
  slot.SetFlevel(truth);
  slot.SetStock(kMaxStock, kMaxStock);
  slot.Reset();
  PosteriorSum closed;
  size_t after = theory::kAfterReset;
  auto sure = [&](int32_t open) {
    PosteriorSum now = closed;
    if (open > 0) now.Add(OpenStretchLikelihood(after, open));
    return now.Finish(UniformPrior()).Probability[static_cast<size_t>(truth - 1)] >= kSure;
  };
  while (slot.PlayCount < kSureCap) {
    slot.Play();
    if (slot.BonusGames != 0) continue;
    if (IsBonusOutcome(slot.LastOutcome)) {
      const size_t kind = slot.LastOutcome == Code(Outcome::BIG) ? theory::kBig : theory::kReg;
      closed.Add(ClosedStretchLikelihood(after, kind, slot.GamesSinceBonus));
      after = kind;
      if (sure(0)) return slot.PlayCount;
    } else if (slot.GamesSinceBonus % 100 == 0 && sure(slot.GamesSinceBonus)) {
      return slot.PlayCount;
    }
  }
  return kSureCap + 1;
}

void ReportSure(int32_t runs, int threads) {
  std::printf(
      "\n#### Games until the true setting first reaches 80 %%\n\nHistories from the start, "
      "255/255, uniform prior, %d runs per setting, up to %d games.\n\n| true setting | 25 %% | "
      "median | 75 %% | 90 %% | reached by %d |\n|---|---|---|---|---|---|\n",
      runs, kSureCap, kSureCap);
  for (int32_t truth = 1; truth <= kSettingCount; ++truth) {
    std::vector<int32_t> games(static_cast<size_t>(runs));
    ForEachRun(runs, threads, [&](int64_t i, int) {
      games[static_cast<size_t>(i)] = GamesUntilSure(truth, DeriveRunSeed(9, truth, i));
    });
    std::sort(games.begin(), games.end());
    auto at = [&](double q) -> std::string {
      const int32_t g = games[static_cast<size_t>(q * (runs - 1))];
      return g > kSureCap ? "—" : std::to_string(g);
    };
    const double reached =
        static_cast<double>(
            std::count_if(games.begin(), games.end(), [](int32_t g) { return g <= kSureCap; })) /
        runs;
    std::printf("| %d | %s | %s | %s | %s | %.1f %% |\n", truth, at(0.25).c_str(), at(0.5).c_str(),
                at(0.75).c_str(), at(0.9).c_str(), 100 * reached);
  }
}

// --- The forecast against what followed ----------------------------------------

constexpr int32_t kForecastFrom = 3000;

struct ForecastCheck {
  std::array<double, 3> predictedChange{}, changed{}, predictedLeader{}, leader{};
};

ForecastCheck CheckForecast(int64_t index, int32_t runsPerSetting) {
  const int32_t truth = static_cast<int32_t>(index / runsPerSetting) + 1;
  Slot slot(DeriveRunSeed(10, truth, index % runsPerSetting));
  slot.SetFlevel(truth);
  slot.SetStock(kMaxStock, kMaxStock);
  slot.Reset();
  BonusHistory history;
  history.FromStart = true;
  ForecastRequest request;
  request.Draws = 2000;
  request.Seed = static_cast<uint32_t>(index);
  ForecastCheck check;
  HistoryForecast forecast;
  size_t point = 0;
  while (point < request.Games.size()) {
    slot.Play();
    if (slot.BonusGames == 0 && IsBonusOutcome(slot.LastOutcome)) {
      const bool big = slot.LastOutcome == Code(Outcome::BIG);
      history.Bonuses.push_back({big ? theory::kBig : theory::kReg, slot.GamesSinceBonus});
    }
    if (slot.BonusGames != 0) continue;
    history.OpenGames = IsBonusOutcome(slot.LastOutcome) ? 0 : slot.GamesSinceBonus;
    if (slot.PlayCount == kForecastFrom) {
      forecast = ForecastHistory(history, UniformPrior(), request);
    } else if (slot.PlayCount == kForecastFrom + request.Games[point]) {
      const SettingEstimate then = EstimateFromHistory(history);
      const auto best = std::max_element(then.Probability.begin(), then.Probability.end());
      check.predictedChange[point] = forecast.Points[point].TopChangeChance;
      check.changed[point] = best - then.Probability.begin() + 1 != forecast.Top ? 1 : 0;
      check.predictedLeader[point] = forecast.Points[point].LeaderProbability;
      check.leader[point] = *best;
      ++point;
    }
  }
  return check;
}

void ReportForecast(int32_t runs, int threads) {
  std::vector<ForecastCheck> checks(static_cast<size_t>(6 * runs));
  ForEachRun(6 * runs, threads,
             [&](int64_t i, int) { checks[static_cast<size_t>(i)] = CheckForecast(i, runs); });
  std::printf(
      "\n#### The forecast against what followed\n\nAt %d games (255/255, every setting as "
      "often, %d runs, 2,000 draws each), and what the history said K games later.\n\n| K | "
      "predicted: top changes | observed | predicted: leader's probability | observed |\n"
      "|---|---|---|---|---|\n",
      kForecastFrom, 6 * runs);
  const ForecastRequest request;
  for (size_t k = 0; k < 3; ++k) {
    double pc = 0, c = 0, pl = 0, l = 0;
    for (const ForecastCheck& f : checks) {
      pc += f.predictedChange[k];
      c += f.changed[k];
      pl += f.predictedLeader[k];
      l += f.leader[k];
    }
    const double n = static_cast<double>(checks.size());
    const double changeError = std::sqrt(c / n * (1 - c / n) / n);
    std::printf("| %d | %.1f %% | %.1f ± %.1f %% | %.3f | %.3f |\n", request.Games[k], 100 * pc / n,
                100 * c / n, 100 * changeError, pl / n, l / n);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int32_t runs = argc > 1 ? std::atoi(argv[1]) : 2000;
  const int threads = argc > 2 ? std::atoi(argv[2]) : 2;
  if (runs < 1 || threads < 1) {
    std::fprintf(stderr, "usage: history_calibration [runs per setting] [threads]\n");
    return 2;
  }
  std::printf("Stop rule: at %d games, or after %d normal games without a bonus.\n", kMostGames,
              kDryStop);
  for (const Case& c : kCases) {
    std::vector<Pair> pairs(static_cast<size_t>(6 * runs));
    std::vector<RunRecords> records(static_cast<size_t>(threads));
    ForEachRun(6 * runs, threads, [&](int64_t i, int worker) {
      pairs[static_cast<size_t>(i)] = PlayPair(c, i, runs, records[static_cast<size_t>(worker)]);
    });
    ReportPairs(c.title, pairs, &Pair::history);
    const double ranOut = static_cast<double>(
        std::count_if(pairs.begin(), pairs.end(), [](const Pair& p) { return p.ranOut; }));
    if (ranOut == 0) continue;
    std::printf(
        "\n%.1f %% of the runs have a stretch that may have met an empty stock; the bonus list "
        "leaves those stretches out. Counted as if every stock had been filled (what a counter's "
        "figures alone allow):\n",
        100 * ranOut / static_cast<double>(pairs.size()));
    ReportPairs("The same runs, the stocks not known", pairs, &Pair::bare);
  }
  ReportSure(std::max(runs / 20, 50), threads);
  ReportForecast(std::max(runs / 20, 50), threads);
  return 0;
}
