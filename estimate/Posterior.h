#pragma once

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
  void Add(const SettingLikelihood& piece);
  // What the evidence says under every setting, before any prior.
  const SettingEstimate& Scanned() const { return scanned_; }
  const std::array<double, kSettingCount>& LogLikelihood() const { return scanned_.LogLikelihood; }

  // The prior times the likelihood, scaled to sum to 1 (Reweigh).
  SettingEstimate Finish(const SettingWeights& prior) const { return Reweigh(scanned_, prior); }

 private:
  SettingEstimate scanned_;
};

}  // namespace sorimu
