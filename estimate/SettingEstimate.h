#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "Job.h"
#include "RunRecords.h"
#include "Setting.h"

namespace sorimu {

// Weights of the settings, level 1 first.
using SettingWeights = std::array<double, kSettingCount>;

// A hall's mix of settings (設定配分) to start from: six finite weights,
// none negative and not all 0. They need not sum to 1, nor to a finite
// number.
bool IsValidPrior(const SettingWeights& prior);
SettingWeights UniformPrior();

// How likely each setting is, given what one run's records show.
struct SettingEstimate {
  std::array<double, kSettingCount> Probability{};  // level 1 first; they sum to 1
  std::array<double, kSettingCount> Prior{};        // the prior it started from, scaled to sum to 1
  // The rows' log-likelihood under each setting, up to a constant shared by
  // all of them (-infinity where a setting could not have played them): what
  // a new prior is weighed against without reading the rows again.
  std::array<double, kSettingCount> LogLikelihood{};
  // RT stretches that told the settings apart, and those that did not: a
  // 1G連 or 3G連 that lined up its bonus, a stretch in which no RT could have
  // run out, rows no machine writes.
  int32_t UsedStretches = 0;
  int32_t SkippedStretches = 0;
};

// The prior times the exact likelihood of every RT stretch: the games on
// which its RTs may have run out or been cut, given the roles, ZTs and
// stocks on the way (see docs/estimation.md). Records that tell nothing give
// the prior back. Reads the rows and start stocks only; never the level
// played. An invalid prior counts as uniform.
SettingEstimate EstimateSetting(const RunRecords& records,
                                const SettingWeights& prior = UniformPrior());
// The same as a job: counts rows as the job's progress and stops, with
// nothing, within a few milliseconds of its cancel. The rows are read once
// per run; a new prior only re-weighs what they said (Reweigh).
std::optional<SettingEstimate> EstimateSetting(const RunRecords& records,
                                               const SettingWeights& prior, Job& job);

// The same rows weighed against another prior: EstimateSetting(records,
// prior) from an estimate of those records under any prior, without a scan.
SettingEstimate Reweigh(const SettingEstimate& estimate, const SettingWeights& prior);

}  // namespace sorimu
