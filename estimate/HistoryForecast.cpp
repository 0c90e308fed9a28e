#include "HistoryForecast.h"

#include <algorithm>
#include <cassert>
#include <optional>

#include "HistoryEstimate.h"
#include "LongRun.h"
#include "RunFigures.h"

namespace sorimu {

namespace {

using theory::kKindCount;
using theory::Real;
using theory::StretchLaw;

constexpr size_t kSettings = kSettingCount;

// Uniform draws in [0, 1) of one draw's own stream.
class Stream {
 public:
  explicit Stream(uint64_t key) : state_(key) {}
  double Next() {
    state_ = SplitMix64(state_);
    return static_cast<double>(state_ >> 11) * 0x1.0p-53;
  }

 private:
  uint64_t state_;
};

size_t Pick(const std::array<double, kSettings>& probability, double u) {
  double sum = 0;
  for (size_t s = 0; s + 1 < kSettings; ++s) {
    sum += probability[s];
    if (u < sum) return s;
  }
  return kSettings - 1;
}

// A stretch that has run `since` games, to its line-up game: its length and
// the kind it brings, drawn from the law given that it got this far (the
// smallest n with P(L > n) below the tail left, by bisection).
std::pair<int32_t, size_t> DrawStretch(const StretchLaw& law, int32_t since, Stream& stream) {
  const Real left = law.Tail(since) * (1 - static_cast<Real>(stream.Next()));
  int32_t low = since, high = law.Longest;  // P(L > low) >= left > P(L > high)
  while (high - low > 1) {
    const int32_t middle = low + (high - low) / 2;
    (law.Tail(middle) < left ? high : low) = middle;
  }
  const Real big = law.Chance(theory::kBig, high);
  const Real all = big + law.Chance(theory::kReg, high);
  return {high, static_cast<Real>(stream.Next()) * all < big ? theory::kBig : theory::kReg};
}

struct DrawResult {
  std::vector<double> topProbability;
  std::vector<double> leaderProbability;
  std::vector<bool> topChanged;
};

struct Forecaster {
  const ForecastRequest* request;
  SettingWeights prior;
  std::array<double, kSettings> now{};  // the posterior now
  size_t top = 0;
  std::array<double, kSettings> evidence{};  // log-likelihood of the closed stretches
  std::optional<size_t> start;               // what the stretch under way follows
  int32_t since = 0;

  // The estimate of one snapshot: the top setting's probability, and
  // whether it is still on top.
  void Snapshot(const std::array<double, kSettings>& log, DrawResult& out) const {
    PosteriorSum sum;
    sum.Add({log});
    const SettingEstimate then = sum.Finish(prior);
    const auto best = std::max_element(then.Probability.begin(), then.Probability.end());
    out.topProbability.push_back(then.Probability[top]);
    out.leaderProbability.push_back(*best);
    out.topChanged.push_back(static_cast<size_t>(best - then.Probability.begin()) != top);
  }

  void Play(int64_t draw, DrawResult& out) const {
    Stream stream(SplitMix64(SplitMix64(request->Seed) ^ static_cast<uint64_t>(draw)));
    const size_t setting = Pick(now, stream.Next());
    const auto& laws = theory::DefaultStretchLaws(static_cast<int>(setting) + 1);
    std::optional<size_t> after = start;
    bool counted = start.has_value();  // a history from mid-way leaves its first stretch out
    if (!after) {
      // Which bonus came before is unknown: the kinds as they share the
      // bonuses, weighed by how likely each left the machine this far.
      const auto share =
          theory::KindShares(theory::DefaultCycleModel(static_cast<int>(setting) + 1));
      const Real big = share[theory::kBig] * laws[theory::kBig].Tail(since);
      const Real reg = share[theory::kReg] * laws[theory::kReg].Tail(since);
      after = static_cast<Real>(stream.Next()) * (big + reg) < big ? theory::kBig : theory::kReg;
    }
    int32_t open = since;
    // A stretch no law reaches has left the model (a stock ran out): it is
    // taken as ending now.
    if (!(laws[*after].Tail(open) > 0)) open = 0;
    std::array<double, kSettings> log = evidence;
    int64_t played = 0;
    for (const int32_t checkpoint : request->Games) {
      for (;;) {
        const auto [games, kind] = DrawStretch(laws[*after], open, stream);
        if (played + (games - open) > checkpoint) {
          // Still open at the checkpoint.
          const int32_t reached = open + static_cast<int32_t>(checkpoint - played);
          std::array<double, kSettings> then = log;
          if (counted) {
            const SettingLikelihood tail = OpenStretchLikelihood(*after, reached);
            for (size_t s = 0; s < kSettings; ++s) then[s] += tail.Log[s];
          }
          Snapshot(then, out);
          // The rest of this stretch is drawn again from where it stands,
          // which is the same law.
          open = reached;
          played = checkpoint;
          break;
        }
        if (counted) {
          const SettingLikelihood closed = ClosedStretchLikelihood(*after, kind, games);
          for (size_t s = 0; s < kSettings; ++s) log[s] += closed.Log[s];
        }
        played += games - open;
        after = kind;
        counted = true;
        open = 0;
      }
    }
  }
};

}  // namespace

HistoryForecast ForecastHistory(const BonusHistory& history, const SettingWeights& prior,
                                const ForecastRequest& request, Job& job) {
  assert(request.Draws >= 1 && IsValidPrior(prior));
  Forecaster f;
  f.request = &request;
  f.prior = prior;
  const SettingEstimate current = EstimateFromHistory(history, prior);
  f.now = current.Probability;
  f.top = static_cast<size_t>(std::max_element(f.now.begin(), f.now.end()) - f.now.begin());
  f.evidence = HistoryEvidence(history, false).LogLikelihood();
  f.start = CurrentStretchStart(history);
  f.since = std::max(history.OpenGames.value_or(0), 0);

  const size_t draws = static_cast<size_t>(request.Draws);
  std::vector<DrawResult> results(draws);
  job.SetDone(0);
  job.SetTotal(request.Draws);
  job.ParallelFor(request.Draws, request.Jobs, [&](int64_t i) {
    f.Play(i, results[static_cast<size_t>(i)]);
    job.Advance(1);
  });

  HistoryForecast forecast;
  forecast.Top = static_cast<int32_t>(f.top) + 1;
  forecast.TopProbability = f.now[f.top];
  for (size_t k = 0; k < request.Games.size(); ++k) {
    ForecastPoint point;
    point.Games = request.Games[k];
    size_t counted = 0;
    for (const DrawResult& r : results) {
      if (r.topProbability.size() <= k) continue;  // cancelled before it
      point.TopProbability += r.topProbability[k];
      point.LeaderProbability += r.leaderProbability[k];
      point.TopChangeChance += r.topChanged[k] ? 1 : 0;
      ++counted;
    }
    if (counted > 0) {
      point.TopProbability /= static_cast<double>(counted);
      point.LeaderProbability /= static_cast<double>(counted);
      point.TopChangeChance /= static_cast<double>(counted);
    }
    forecast.Points.push_back(point);
  }
  return forecast;
}

HistoryForecast ForecastHistory(const BonusHistory& history, const SettingWeights& prior,
                                const ForecastRequest& request) {
  Job job;
  return ForecastHistory(history, prior, request, job);
}

}  // namespace sorimu
