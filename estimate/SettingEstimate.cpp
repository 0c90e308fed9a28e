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
  Estimator() { logLikelihood_.fill(0); }

  void Add(const SettingLikelihood& stretch) {
    const auto [low, high] = std::minmax_element(stretch.Log.begin(), stretch.Log.end());
    if (!std::isfinite(*high)) {
      ++estimate_.SkippedStretches;  // no setting could have played it
      return;
    }
    for (size_t s = 0; s < kSettingCount; ++s) logLikelihood_[s] += stretch.Log[s];
    if (*high - *low > kSameLikelihood) {
      ++estimate_.UsedStretches;
    } else {
      ++estimate_.SkippedStretches;
    }
  }

  SettingEstimate Finish(const SettingWeights& prior) {
    double priorTotal = 0;
    for (double w : prior) priorTotal += w;
    for (size_t s = 0; s < kSettingCount; ++s) estimate_.Prior[s] = prior[s] / priorTotal;

    double best = -std::numeric_limits<double>::infinity();
    for (size_t s = 0; s < kSettingCount; ++s) {
      if (prior[s] > 0) best = std::max(best, logLikelihood_[s]);
    }
    estimate_.Probability = estimate_.Prior;
    if (!std::isfinite(best)) return estimate_;
    double total = 0;
    for (size_t s = 0; s < kSettingCount; ++s) {
      estimate_.Probability[s] = estimate_.Prior[s] * std::exp(logLikelihood_[s] - best);
      total += estimate_.Probability[s];
    }
    for (double& p : estimate_.Probability) p /= total;
    return estimate_;
  }

 private:
  std::array<double, kSettingCount> logLikelihood_{};
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
  return estimator.Finish(IsValidPrior(prior) ? prior : UniformPrior());
}

}  // namespace sorimu
