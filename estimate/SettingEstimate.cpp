#include "SettingEstimate.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "RunStretches.h"

namespace sorimu {

namespace {

// Log-likelihoods closer than this are the same: the stretch said nothing.
constexpr double kSameLikelihood = 1e-12;

class Estimator {
 public:
  void Add(const SettingLikelihood& stretch) {
    const auto [low, high] = std::minmax_element(stretch.Log.begin(), stretch.Log.end());
    if (!std::isfinite(*high)) {
      ++estimate_.SkippedStretches;  // no setting could have played it
      return;
    }
    for (size_t s = 0; s < kSettingCount; ++s) estimate_.LogLikelihood[s] += stretch.Log[s];
    if (*high - *low > kSameLikelihood) {
      ++estimate_.UsedStretches;
    } else {
      ++estimate_.SkippedStretches;
    }
  }

  const SettingEstimate& Scanned() const { return estimate_; }

 private:
  SettingEstimate estimate_;
};

}  // namespace

bool IsValidPrior(const SettingWeights& prior) {
  double total = 0;
  for (double w : prior) {
    if (!std::isfinite(w) || w < 0) return false;
    total += w;
  }
  return total > 0 && std::isfinite(total);
}

SettingWeights UniformPrior() {
  SettingWeights prior;
  prior.fill(1.0);
  return prior;
}

SettingEstimate EstimateSetting(const RunRecords& records, const SettingWeights& prior) {
  Estimator estimator;
  ScanStretches(records, [&](const SettingLikelihood& stretch) { estimator.Add(stretch); });
  return Reweigh(estimator.Scanned(), prior);
}

SettingEstimate Reweigh(const SettingEstimate& scanned, const SettingWeights& given) {
  const SettingWeights prior = IsValidPrior(given) ? given : UniformPrior();
  SettingEstimate estimate = scanned;
  double priorTotal = 0;
  for (double w : prior) priorTotal += w;
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
