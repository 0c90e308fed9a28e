#pragma once

#include <cstdint>
#include <vector>

namespace sorimu {

// How one figure spreads over the runs of a setting.
struct Spread {
  double Mean = 0;
  double Sd = 0;  // sample standard deviation (n - 1); 0 for a single run
  double P5 = 0;
  double P25 = 0;
  double Median = 0;
  double P75 = 0;
  double P95 = 0;
  double Min = 0;
  double Max = 0;

  Spread Scaled(double factor) const;
};

// Sorts `values` in place. Percentiles interpolate linearly between the two
// nearest order statistics (the rule most spreadsheets use), so P50 of an
// even count is the midpoint of the two middle values. Empty input gives zeros.
Spread SummariseValues(std::vector<double>& values);

// Mean with a 95 % confidence interval from the normal approximation; the
// interval collapses to the mean with fewer than two values.
struct MeanWithInterval {
  double Mean = 0;
  double Low = 0;
  double High = 0;
};
MeanWithInterval MeanInterval(const std::vector<double>& values);

// Equal-width bins shared by every setting of one analysis, so the bars of
// different settings can be drawn side by side. Bin i covers
// [Lower + i * Width, Lower + (i + 1) * Width).
struct Histogram {
  int64_t Lower = 0;
  int64_t Width = 1;
  std::vector<std::vector<int64_t>> Counts;  // [setting column][bin]
};

// Bins whose width is 1, 2 or 5 times a power of ten, about `targetBins` of
// them across [minimum, maximum] of all the series. Empty series give an
// empty row of counts.
Histogram BuildHistogram(const std::vector<std::vector<int32_t>>& series, int targetBins = 30);

}  // namespace sorimu
