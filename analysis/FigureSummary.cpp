#include "FigureSummary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sorimu {

namespace {

double Percentile(const std::vector<double>& sorted, double p) {
  const double position = p * static_cast<double>(sorted.size() - 1);
  const size_t below = static_cast<size_t>(position);
  if (below + 1 >= sorted.size()) return sorted.back();
  const double fraction = position - static_cast<double>(below);
  return sorted[below] + fraction * (sorted[below + 1] - sorted[below]);
}

// Sums in a fixed order so that a result never depends on how runs were
// spread over threads.
double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double v : values) sum += v;
  return sum / static_cast<double>(values.size());
}

double SampleSd(const std::vector<double>& values, double mean) {
  if (values.size() < 2) return 0;
  double squares = 0;
  for (double v : values) squares += (v - mean) * (v - mean);
  return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

int64_t NiceWidth(double span, int targetBins) {
  const double raw = std::max(1.0, span / std::max(1, targetBins));
  double scale = std::pow(10.0, std::floor(std::log10(raw)));
  for (double step : {1.0, 2.0, 5.0, 10.0}) {
    if (step * scale >= raw) return static_cast<int64_t>(step * scale);
  }
  return static_cast<int64_t>(10 * scale);
}

int64_t FloorToMultiple(int64_t value, int64_t width) {
  int64_t quotient = value / width;
  if (value % width != 0 && value < 0) --quotient;
  return quotient * width;
}

}  // namespace

Spread Spread::Scaled(double factor) const {
  Spread s = *this;
  for (double* v : {&s.Mean, &s.P5, &s.P25, &s.Median, &s.P75, &s.P95, &s.Min, &s.Max}) {
    *v *= factor;
  }
  s.Sd *= std::fabs(factor);
  if (factor < 0) std::swap(s.Min, s.Max);
  return s;
}

Spread SummariseValues(std::vector<double>& values) {
  Spread s;
  if (values.empty()) return s;
  s.Mean = Mean(values);
  s.Sd = SampleSd(values, s.Mean);
  std::sort(values.begin(), values.end());
  s.P5 = Percentile(values, 0.05);
  s.P25 = Percentile(values, 0.25);
  s.Median = Percentile(values, 0.5);
  s.P75 = Percentile(values, 0.75);
  s.P95 = Percentile(values, 0.95);
  s.Min = values.front();
  s.Max = values.back();
  return s;
}

MeanWithInterval MeanInterval(const std::vector<double>& values) {
  MeanWithInterval m;
  if (values.empty()) return m;
  m.Mean = Mean(values);
  const double halfWidth =
      1.959963984540054 * SampleSd(values, m.Mean) / std::sqrt(static_cast<double>(values.size()));
  m.Low = m.Mean - halfWidth;
  m.High = m.Mean + halfWidth;
  return m;
}

Histogram BuildHistogram(const std::vector<std::vector<int32_t>>& series, int targetBins) {
  Histogram h;
  int64_t lo = std::numeric_limits<int64_t>::max();
  int64_t hi = std::numeric_limits<int64_t>::min();
  for (const auto& values : series) {
    for (int32_t v : values) {
      lo = std::min<int64_t>(lo, v);
      hi = std::max<int64_t>(hi, v);
    }
  }
  h.Counts.resize(series.size());
  if (lo > hi) return h;

  h.Width = NiceWidth(static_cast<double>(hi - lo), targetBins);
  h.Lower = FloorToMultiple(lo, h.Width);
  const size_t bins = static_cast<size_t>((hi - h.Lower) / h.Width) + 1;
  for (size_t s = 0; s < series.size(); ++s) {
    h.Counts[s].assign(bins, 0);
    for (int32_t v : series[s]) ++h.Counts[s][static_cast<size_t>((v - h.Lower) / h.Width)];
  }
  return h;
}

}  // namespace sorimu
