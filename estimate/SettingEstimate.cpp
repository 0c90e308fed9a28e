#include "SettingEstimate.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "RunStretches.h"

namespace sorimu {

namespace {

constexpr size_t kSettings = 6;

// Log-likelihoods closer than this are the same: the stretch said nothing.
constexpr double kSameLikelihood = 1e-12;

void Add(SettingEvidence& evidence, const SettingLikelihood& stretch) {
  const auto [low, high] = std::minmax_element(stretch.Log.begin(), stretch.Log.end());
  if (!std::isfinite(*high)) {
    ++evidence.SkippedStretches;  // no setting could have played it
    return;
  }
  for (size_t s = 0; s < kSettings; ++s) evidence.LogLikelihood[s] += stretch.Log[s];
  if (*high - *low > kSameLikelihood) {
    ++evidence.UsedStretches;
  } else {
    ++evidence.SkippedStretches;
  }
}

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

std::optional<SettingEvidence> WeighRows(const RunRecords& records, Job& job) {
  SettingEvidence evidence;
  const bool whole = ScanStretches(
      records, [&](const SettingLikelihood& stretch) { Add(evidence, stretch); }, nullptr,
      StretchRoute::Fastest, &job);
  if (!whole) return std::nullopt;
  return evidence;
}

SettingEvidence WeighRows(const RunRecords& records) {
  Job job;
  return *WeighRows(records, job);
}

SettingEstimate EstimateFromEvidence(const SettingEvidence& evidence, const SettingWeights& given) {
  const SettingWeights prior = IsValidPrior(given) ? given : UniformPrior();
  SettingEstimate estimate;
  estimate.UsedStretches = evidence.UsedStretches;
  estimate.SkippedStretches = evidence.SkippedStretches;
  double priorTotal = 0;
  for (double w : prior) priorTotal += w;
  for (size_t s = 0; s < kSettings; ++s) estimate.Prior[s] = prior[s] / priorTotal;

  double best = -std::numeric_limits<double>::infinity();
  for (size_t s = 0; s < kSettings; ++s) {
    if (prior[s] > 0) best = std::max(best, evidence.LogLikelihood[s]);
  }
  estimate.Probability = estimate.Prior;
  if (!std::isfinite(best)) return estimate;
  double total = 0;
  for (size_t s = 0; s < kSettings; ++s) {
    estimate.Probability[s] = estimate.Prior[s] * std::exp(evidence.LogLikelihood[s] - best);
    total += estimate.Probability[s];
  }
  for (double& p : estimate.Probability) p /= total;
  return estimate;
}

SettingEstimate EstimateSetting(const RunRecords& records, const SettingWeights& prior) {
  return EstimateFromEvidence(WeighRows(records), prior);
}

}  // namespace sorimu
