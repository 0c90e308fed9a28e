#pragma once

#include <qcustomplot.h>

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "ChartData.h"

namespace sorimu {

class LinePoints;
class PieChart;
class RowLine;

// Our one layer over the chart libraries: line and bar series on QCustomPlot,
// pies on Qt Charts. Series are made once, then only emptied, filled and
// switched; everything put in can be read back without drawing, which is how
// the tests look at the charts.
using SeriesId = int;

enum class SeriesKind { Markers, FastLine, Bars, Pie };
enum class ChartAxis { Bottom, Left };

struct ChartPoint {
  double x = 0;
  double y = 0;
  QString label;
  QRgb colour = 0;
};

// Points collected for one bulk add, so that a long series is handed over in
// one piece instead of growing point by point inside the library.
class XYPoints {
 public:
  void Reserve(qsizetype count) { data_.reserve(count); }
  void Add(double x, double y) {
    if (data_.isEmpty()) {
      keys_ = QCPRange(x, x);
      values_ = QCPRange(y, y);
    } else {
      if (x < data_.constLast().key) sorted_ = false;
      // Plain comparisons: the library's expand is not inline, and this runs
      // once per game of a run.
      if (x > keys_.upper) keys_.upper = x;
      if (x < keys_.lower) keys_.lower = x;
      if (y > values_.upper) values_.upper = y;
      if (y < values_.lower) values_.lower = y;
    }
    data_.append(QCPGraphData(x, y));
  }
  qsizetype Size() const { return data_.size(); }
  // In the order of x, as the library keeps them; stable, so points of one
  // x keep their order.
  void SortByKey() {
    if (sorted_) return;
    std::stable_sort(data_.begin(), data_.end(),
                     [](const QCPGraphData& a, const QCPGraphData& b) { return a.key < b.key; });
    sorted_ = true;
  }

 private:
  friend class ChartLayer;
  QVector<QCPGraphData> data_;
  bool sorted_ = true;
  QCPRange keys_;    // kept while adding: scanning ten million points later
  QCPRange values_;  // would cost more than drawing them
};

class ChartLayer {
 public:
  ChartLayer();
  ~ChartLayer();
  ChartLayer(const ChartLayer&) = delete;
  ChartLayer& operator=(const ChartLayer&) = delete;

  // Series on charts the caller has laid out. Names must be unique; they
  // also become the object names of the library's series.
  SeriesId AddMarkerSeries(QCustomPlot* plot, const QString& name, const QString& legendText,
                           MarkerShape shape, QRgb colour);
  SeriesId AddFastLineSeries(QCustomPlot* plot, const QString& name, QRgb colour, int width);
  // A fast line that reads its points where they are kept (SetLinePoints)
  // instead of holding a copy: for lines of millions of points.
  SeriesId AddRowLineSeries(QCustomPlot* plot, const QString& name, QRgb colour, int width);
  // A line that the legend lists under `legendText` while it is active.
  SeriesId AddLegendLineSeries(QCustomPlot* plot, const QString& name, const QString& legendText,
                               QRgb colour, int width, Qt::PenStyle style);
  void SetLegendText(SeriesId id, const QString& legendText);
  // Fills the area between two line series of one plot, drawn with `upper`;
  // the legend shows the fill with `upper`'s entry.
  void FillBetween(SeriesId upper, SeriesId lower, QColor fill);
  SeriesId AddBarSeries(QCustomPlot* plot, const QString& name, QRgb outline);
  SeriesId AddPieSeries(PieChart* chart, const QString& name);
  SeriesId Find(const QString& name) const;  // -1 when there is none

  // Axes, legend and mouse of a plot.
  void SetAxisRange(QCustomPlot* plot, ChartAxis axis, double min, double max);
  // Follows the active series; with none, it goes back to the range it had
  // when it was made automatic.
  void SetAxisAutomatic(QCustomPlot* plot, ChartAxis axis);
  // Room an automatic axis leaves beyond its points, in axis units each side
  // (half a bar, so that the outer bars are whole). On a plot with bars it
  // also leaves the pixels their marks need (ColouredBars::MarkRoom).
  void SetAxisPadding(QCustomPlot* plot, ChartAxis axis, double padding);
  // Whole-number ticks whose labels never touch (CountTicker).
  void SetIntegerTicks(QCustomPlot* plot, ChartAxis axis);
  // Lists the active series by title, right of the plot, where it covers
  // neither the points nor the axis labels.
  void SetLegendVisible(QCustomPlot* plot, bool visible);
  // Lists them inside the plot, in a corner the points leave free, where a
  // narrow plot has no room for a column beside it.
  void SetLegendInside(QCustomPlot* plot, Qt::Alignment corner);
  void EnableZoomAndScroll(QCustomPlot* plot, bool animatedZoom);

  // Contents. A point without colour takes the series' own; line and marker
  // series have only that one colour and take no labels.
  void Clear(SeriesId id);
  void AddPoint(SeriesId id, double x, double y, const QString& label = {},
                std::optional<QRgb> colour = std::nullopt);
  void AddPoints(SeriesId id, XYPoints&& points);
  // The points of a row line series, in place of any it had.
  void SetLinePoints(SeriesId id, std::shared_ptr<const LinePoints> points);
  void SetActive(SeriesId id, bool active);

  // Reading back.
  SeriesKind Kind(SeriesId id) const;
  QString Name(SeriesId id) const;
  int PointCount(SeriesId id) const;
  ChartPoint Point(SeriesId id, int index) const;
  bool Active(SeriesId id) const;
  // The range set for an axis (automatic ones brought up to date), before any
  // zoom or scroll of the user; the plot's own axis tells what is shown.
  QCPRange AxisRange(QCustomPlot* plot, ChartAxis axis);
  QStringList LegendTexts(QCustomPlot* plot) const;
  QStringList PieLegendTexts(SeriesId id) const;  // as the pie's legend shows them
  bool PieDrawsSlices(SeriesId id) const;         // false for an empty or all-zero pie
  QCPAbstractPlottable* Plottable(SeriesId id) const;

 private:
  struct Series;
  struct Plot;
  Series& At(SeriesId id);
  const Series& At(SeriesId id) const;
  Plot& PlotOf(QCustomPlot* plot);
  SeriesId Register(Series series);
  Series NewGraphSeries(QCustomPlot* plot, SeriesKind kind, const QString& name, QRgb colour);
  void Changed(QCustomPlot* plot);
  void UpdateAutomaticAxes(Plot& plot);
  void UpdateLegend(Plot& plot);
  void PlaceLegendColumn(Plot& plot, bool shown);
  void FitLegend(Plot& plot);
  void UpdatePie(Series& series);

  std::vector<Series> series_;
  std::vector<std::unique_ptr<Plot>> plots_;
};

}  // namespace sorimu
