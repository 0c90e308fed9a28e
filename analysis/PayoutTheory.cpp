#include "PayoutTheory.h"

#include <limits>

#include "ExpectedRun.h"
#include "LongRun.h"

namespace sorimu {

namespace {

// A run that leaves the model can move the ratio by at most a few hundred
// times the chance of leaving; below this the figure is good to far more
// than the 0.01 % shown.
constexpr theory::Real kLeaveShown = 1e-7L;

}  // namespace

PayoutTheory ExactPayout(int32_t setting, int32_t games, int32_t bigStock, int32_t regStock) {
  PayoutTheory payout;
  payout.LongRun =
      static_cast<double>(100 * theory::ComputeLongRun(theory::DefaultCycleModel(setting)).Payout);
  theory::RunStart start;
  start.BigStock = bigStock;
  start.RegStock = regStock;
  const theory::ExpectedRun run = theory::DefaultExpectedRun(setting, start, games);
  payout.ForRuns = run.LeaveBound < kLeaveShown ? static_cast<double>(100 * run.PayoutRate(games))
                                                : std::numeric_limits<double>::quiet_NaN();
  return payout;
}

std::vector<double> ExpectedBalances(int32_t setting, const std::vector<int32_t>& games,
                                     int32_t bigStock, int32_t regStock) {
  std::vector<double> line(games.size(), std::numeric_limits<double>::quiet_NaN());
  if (games.empty()) return line;
  theory::RunStart start;
  start.BigStock = bigStock;
  start.RegStock = regStock;
  const theory::ExpectedRun run = theory::DefaultExpectedRun(setting, start, games.back());
  if (run.LeaveBound >= kLeaveShown) return line;
  for (size_t k = 0; k < games.size(); ++k) line[k] = static_cast<double>(run.BalanceAt(games[k]));
  return line;
}

}  // namespace sorimu
