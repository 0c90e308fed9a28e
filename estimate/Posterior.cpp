#include "Posterior.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sorimu {

namespace {

// Log-likelihoods closer than this are the same: the piece said nothing.
constexpr double kSameLikelihood = 1e-12;

}  // namespace

void PosteriorSum::Add(const SettingLikelihood& piece) {
  const auto [low, high] = std::minmax_element(piece.Log.begin(), piece.Log.end());
  if (!std::isfinite(*high)) {
    ++scanned_.SkippedStretches;  // no setting could have played it
    return;
  }
  for (size_t s = 0; s < kSettingCount; ++s) scanned_.LogLikelihood[s] += piece.Log[s];
  if (*high - *low > kSameLikelihood) {
    ++scanned_.UsedStretches;
  } else {
    ++scanned_.SkippedStretches;
  }
}

SettingEstimate Reweigh(const SettingEstimate& scanned, const SettingWeights& given) {
  SettingWeights prior = IsValidPrior(given) ? given : UniformPrior();
  SettingEstimate estimate = scanned;
  double priorTotal = 0;
  for (double w : prior) priorTotal += w;
  if (!std::isfinite(priorTotal)) {
    // Weights near the largest double overflow their sum: the same
    // proportions over the largest weight do not.
    const double largest = *std::max_element(prior.begin(), prior.end());
    priorTotal = 0;
    for (double& w : prior) priorTotal += w /= largest;
  }
  for (size_t s = 0; s < kSettingCount; ++s) estimate.Prior[s] = prior[s] / priorTotal;

  double best = -std::numeric_limits<double>::infinity();
  for (size_t s = 0; s < kSettingCount; ++s) {
    if (prior[s] > 0) best = std::max(best, estimate.LogLikelihood[s]);
  }
  estimate.Probability = estimate.Prior;
  if (!std::isfinite(best)) return estimate;
  double total = 0;
  for (size_t s = 0; s < kSettingCount; ++s) {
    estimate.Probability[s] = estimate.Prior[s] * std::exp(estimate.LogLikelihood[s] - best);
    total += estimate.Probability[s];
  }
  for (double& p : estimate.Probability) p /= total;
  return estimate;
}

}  // namespace sorimu
