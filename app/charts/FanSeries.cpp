#include "FanSeries.h"

#include <vector>

#include "BalanceBands.h"

namespace sorimu {

namespace {

// The outer band faint and the inner one stronger, so that where the middle
// half of the runs lies reads at a glance; the median darker than both.
constexpr int kOuterAlpha = 45;
constexpr int kInnerAlpha = 90;

QColor WithAlpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

}  // namespace

FanSeries::FanSeries(ChartLayer& layer, QCustomPlot* plot, const QString& prefix, QColor colour,
                     const FanTexts& texts)
    : layer_(layer) {
  const QRgb edge = colour.lighter(140).rgb();
  P5 = layer.AddFastLineSeries(plot, prefix + QStringLiteral("P5"), edge, 1);
  P95 = layer.AddLegendLineSeries(plot, prefix + QStringLiteral("P95"), texts.outer, edge, 1,
                                  Qt::SolidLine);
  P25 = layer.AddFastLineSeries(plot, prefix + QStringLiteral("P25"), edge, 1);
  P75 = layer.AddLegendLineSeries(plot, prefix + QStringLiteral("P75"), texts.inner, edge, 1,
                                  Qt::SolidLine);
  Median = layer.AddLegendLineSeries(plot, prefix + QStringLiteral("Median"), texts.median,
                                     colour.darker(130).rgb(), 2, Qt::SolidLine);
  layer.FillBetween(P95, P5, WithAlpha(colour, kOuterAlpha));
  layer.FillBetween(P75, P25, WithAlpha(colour, kInnerAlpha));
}

void FanSeries::Fill(const BalanceBands& bands, double fromGames, double fromBalance) {
  const std::pair<SeriesId, const std::vector<double>*> parts[] = {
      {P5, &bands.P5},   {P25, &bands.P25}, {Median, &bands.Median},
      {P75, &bands.P75}, {P95, &bands.P95},
  };
  for (const auto& [id, values] : parts) {
    XYPoints points;
    points.Reserve(static_cast<qsizetype>(bands.Games.size()) + 1);
    points.Add(fromGames, fromBalance);
    for (size_t k = 0; k < bands.Games.size() && k < values->size(); ++k) {
      points.Add(fromGames + bands.Games[k], fromBalance + (*values)[k]);
    }
    layer_.Clear(id);
    layer_.AddPoints(id, std::move(points));
  }
}

void FanSeries::Clear() {
  for (SeriesId id : {P5, P25, Median, P75, P95}) layer_.Clear(id);
}

void FanSeries::SetActive(bool active) {
  for (SeriesId id : {P5, P25, Median, P75, P95}) layer_.SetActive(id, active);
}

bool FanSeries::Empty() const { return layer_.PointCount(Median) == 0; }

}  // namespace sorimu
