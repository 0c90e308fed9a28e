#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace sorimu {

// The exact payout rates (機械割, percent) that a setting's sampled figures
// are held against. NaN where there is none to give.
struct PayoutTheory {
  // Over ever longer runs: the figure of the スペック表.
  double LongRun = std::numeric_limits<double>::quiet_NaN();
  // Expected medals paid out over expected medals bet, for runs of this many
  // normal games started with these stocks on a fresh machine, as the
  // analysis plays them: what the pooled rate estimates. Short runs fall
  // below the long-run rate (each starts with a fresh RT and drops a bonus
  // lined up on its last game). NaN when the start stocks could run out with
  // a chance that might show in the second decimal.
  double ForRuns = std::numeric_limits<double>::quiet_NaN();
};

// Requires a setting level, games >= 1 and stocks of 0..kMaxStock.
PayoutTheory ExactPayout(int32_t setting, int32_t games, int32_t bigStock, int32_t regStock);

// The exact expected balance (差枚) of such runs on the row of each of
// `games` (rising, each 1..the run's length), for the line over a fan chart;
// NaN throughout where the stocks could run out within the run, as for
// PayoutTheory::ForRuns.
std::vector<double> ExpectedBalances(int32_t setting, const std::vector<int32_t>& games,
                                     int32_t bigStock, int32_t regStock);

}  // namespace sorimu
