#include "PooledRate.h"

#include <cmath>

namespace sorimu {

MeanWithInterval PooledPayoutRate(const std::vector<RunFigures>& runs) {
  MeanWithInterval m;
  // Sums in run order, so that the figure never depends on the threads.
  double paid = 0;
  double bet = 0;
  for (const RunFigures& r : runs) {
    paid += static_cast<double>(r.Bets + r.FinalMedal);
    bet += static_cast<double>(r.Bets);
  }
  if (bet == 0) return m;
  const double ratio = paid / bet;
  m.Mean = m.Low = m.High = 100 * ratio;
  if (runs.size() < 2) return m;
  double squares = 0;
  for (const RunFigures& r : runs) {
    const double residual =
        static_cast<double>(r.Bets + r.FinalMedal) - ratio * static_cast<double>(r.Bets);
    squares += residual * residual;
  }
  const double n = static_cast<double>(runs.size());
  const double standardError = std::sqrt(squares / (n - 1) / n) / (bet / n);
  const double halfWidth = 100 * 1.959963984540054 * standardError;
  m.Low = m.Mean - halfWidth;
  m.High = m.Mean + halfWidth;
  return m;
}

bool OutsideInterval(double value, const MeanWithInterval& interval) {
  return value < interval.Low || value > interval.High;
}

}  // namespace sorimu
