#include "BalanceBands.h"

#include <algorithm>

#include "FigureSummary.h"

namespace sorimu {

std::vector<int32_t> FanCheckpoints(int32_t games, int64_t runs) {
  int64_t count = std::min<int64_t>(kFanCheckpoints, games);
  count = std::max<int64_t>(1, std::min(count, kFanValueBudget / std::max<int64_t>(runs, 1)));
  std::vector<int32_t> points;
  for (int64_t k = 1; k <= count; ++k) {
    points.push_back(static_cast<int32_t>((k * games + count - 1) / count));
  }
  return points;
}

BalanceBands BandsOf(const std::vector<int32_t>& games, std::span<const int32_t> values) {
  BalanceBands bands;
  bands.Games = games;
  const size_t points = games.size();
  const size_t runs = points == 0 ? 0 : values.size() / points;
  std::vector<double> column(runs);
  for (size_t k = 0; k < points; ++k) {
    for (size_t r = 0; r < runs; ++r) column[r] = values[r * points + k];
    const Spread spread = SummariseValues(column);
    bands.Mean.push_back(spread.Mean);
    bands.P5.push_back(spread.P5);
    bands.P25.push_back(spread.P25);
    bands.Median.push_back(spread.Median);
    bands.P75.push_back(spread.P75);
    bands.P95.push_back(spread.P95);
  }
  return bands;
}

}  // namespace sorimu
