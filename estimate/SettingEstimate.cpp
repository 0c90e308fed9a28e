#include "SettingEstimate.h"

#include <cmath>

#include "Posterior.h"
#include "RunStretches.h"

namespace sorimu {

bool IsValidPrior(const SettingWeights& prior) {
  double total = 0;
  for (double w : prior) {
    if (!std::isfinite(w) || w < 0) return false;
    total += w;
  }
  return total > 0;  // an overflowing sum is scaled where it is used
}

SettingWeights UniformPrior() {
  SettingWeights prior;
  prior.fill(1.0);
  return prior;
}

std::optional<SettingEstimate> EstimateSetting(const RunRecords& records,
                                               const SettingWeights& prior, Job& job) {
  PosteriorSum sum;
  const bool whole = ScanStretches(
      records, [&](const SettingLikelihood& stretch) { sum.Add(stretch); }, nullptr,
      StretchRoute::Fastest, &job);
  if (!whole) return std::nullopt;
  return sum.Finish(prior);
}

SettingEstimate EstimateSetting(const RunRecords& records, const SettingWeights& prior) {
  Job job;
  return *EstimateSetting(records, prior, job);
}

}  // namespace sorimu
