#pragma once

#include <QColor>
#include <QString>

#include "ChartLayer.h"

namespace sorimu {

struct BalanceBands;

// The legend's names of a fan's parts.
struct FanTexts {
  QString outer;  // 5–95 %
  QString inner;  // 25–75 %
  QString median;
};

// How the balance of many runs spreads along the games, drawn as two nested
// bands and the median line on a plot of a ChartLayer. Its five series are
// named `prefix` + "P5", "P95", "P25", "P75", "Median", so that tests find
// them.
class FanSeries {
 public:
  FanSeries(ChartLayer& layer, QCustomPlot* plot, const QString& prefix, QColor colour,
            const FanTexts& texts);

  // The bands moved to start at (`fromGames`, `fromBalance`): a point there
  // first, where every run starts, then one per checkpoint.
  void Fill(const BalanceBands& bands, double fromGames, double fromBalance);
  void Clear();
  void SetActive(bool active);
  bool Empty() const;

  SeriesId P5 = -1;
  SeriesId P25 = -1;
  SeriesId Median = -1;
  SeriesId P75 = -1;
  SeriesId P95 = -1;

 private:
  ChartLayer& layer_;
};

}  // namespace sorimu
