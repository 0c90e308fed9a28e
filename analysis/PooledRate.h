#pragma once

#include <vector>

#include "FigureSummary.h"
#include "RunFigures.h"

namespace sorimu {

// The payout rate (機械割, percent) of all the runs taken together: every
// medal paid out over every medal bet. Unlike the mean of the runs' own
// rates, whose runs weigh alike however much they bet, it estimates the
// expected payout over the expected bet without bias as the runs grow in
// number. The 95 % interval comes from the ratio estimator's standard error
// (the delta method over the runs); it collapses to the rate with fewer than
// two runs. No runs, or none that bet, give zeros.
MeanWithInterval PooledPayoutRate(const std::vector<RunFigures>& runs);

// Whether `value` lies outside [Low, High].
bool OutsideInterval(double value, const MeanWithInterval& interval);

}  // namespace sorimu
