#include "HistoryEstimate.h"

#include <algorithm>

#include "HallText.h"
#include "PortableFigures.h"

namespace sorimu {

namespace {

// The terms as portable doubles: from there on the estimate is double
// arithmetic, and a history gives the same posterior on every platform.
template <typename Chance>
SettingLikelihood LogOf(Chance chance) {
  SettingLikelihood piece;
  for (int s = 1; s <= theory::kSettingCount; ++s) {
    piece.Log[static_cast<size_t>(s - 1)] =
        theory::LogChance(chance(theory::DefaultStretchLaws(s)));
  }
  return piece;
}

}  // namespace

SettingLikelihood ClosedStretchLikelihood(size_t after, size_t kind, int32_t games) {
  return LogOf([&](const auto& laws) { return laws[after].Chance(kind, games); });
}

SettingLikelihood OpenStretchLikelihood(size_t after, int32_t games) {
  return LogOf([&](const auto& laws) { return laws[after].Tail(games); });
}

std::optional<size_t> CurrentStretchStart(const BonusHistory& history) {
  if (!history.Bonuses.empty()) return history.Bonuses.back().Kind;
  if (history.FromStart) return theory::kAfterReset;
  return std::nullopt;
}

PosteriorSum HistoryEvidence(const BonusHistory& history, bool open) {
  PosteriorSum sum;
  std::optional<size_t> after;
  if (history.FromStart) after = theory::kAfterReset;
  for (const HistoryBonus& bonus : history.Bonuses) {
    if (after && !bonus.StockMayHaveRunOut) {
      sum.Add(ClosedStretchLikelihood(*after, bonus.Kind, bonus.Games));
    }
    after = bonus.Kind;
  }
  if (open && after && history.OpenGames && *history.OpenGames > 0) {
    sum.Add(OpenStretchLikelihood(*after, *history.OpenGames));
  }
  return sum;
}

SettingEstimate EstimateFromHistory(const BonusHistory& history, const SettingWeights& prior) {
  SettingEstimate estimate =
      HistoryEvidence(history).Finish(IsValidPrior(prior) ? prior : UniformPrior());
  // exp() may differ in its last bit between C libraries (glibc picks a
  // variant with fused multiply-adds where the processor has them); the
  // probabilities as printed do not.
  for (double& p : estimate.Probability) p = theory::PortableDouble(p);
  return estimate;
}

HallMix MixForHall(const std::optional<SettingWeights>& prior, const BonusHistory* history) {
  HallMix mix;
  mix.Weights.fill(1);
  std::optional<SettingWeights> weights = prior;
  if (history != nullptr) {
    const SettingWeights from = prior && IsValidPrior(*prior) ? *prior : UniformPrior();
    weights = HistoryEvidence(*history, false).Finish(from).Probability;
    for (double& w : *weights) w = theory::PortableDouble(w);
    mix.Caption = theory::kHistoryMixCaption;
    mix.After = CurrentStretchStart(*history);
  } else if (prior) {
    mix.Caption = theory::kPriorMixCaption;
  }
  if (weights) std::copy(weights->begin(), weights->end(), mix.Weights.begin());
  return mix;
}

}  // namespace sorimu
