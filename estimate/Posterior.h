#pragma once

#include <array>
#include <cstdint>

#include "SettingEstimate.h"
#include "StretchFilter.h"

namespace sorimu {

// Sums the log-likelihoods of independent pieces of evidence (RT stretches
// of the rows, or stretches of a bonus history) and turns them, with a
// prior, into the posterior. A piece that tells the settings apart is
// counted as used; one that gives all six the same, or that no setting could
// have produced, as skipped (the latter changes nothing).
class PosteriorSum {
 public:
  PosteriorSum() { logLikelihood_.fill(0); }

  void Add(const SettingLikelihood& piece);
  const std::array<double, 6>& LogLikelihood() const { return logLikelihood_; }

  // The prior times the likelihood, scaled to sum to 1; the prior itself
  // when no setting with weight could have produced the evidence. Requires
  // a valid prior.
  SettingEstimate Finish(SettingWeights prior) const;

 private:
  std::array<double, 6> logLikelihood_{};
  int32_t used_ = 0;
  int32_t skipped_ = 0;
};

}  // namespace sorimu
