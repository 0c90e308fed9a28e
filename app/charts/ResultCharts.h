#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "ChartData.h"
#include "ChartLayer.h"

class QString;
class QWidget;

namespace sorimu {

class RunRecords;
struct BalanceBands;
class FanSeries;
class LinePoints;
struct ResultStats;

// What a run puts into the slump graph and the bar chart, collected from its
// rows on any thread (no chart is touched), to be handed over at once. The
// markers are read from the rows when their series are shown.
struct RunChartPoints {
  struct Bar {
    int32_t k;
    int32_t height;
    uint32_t colour;
  };
  std::shared_ptr<const RunRecords> rows;
  std::vector<Bar> bars;
  std::shared_ptr<const LinePoints> slump;  // the normal games' balance
};

// The six charts of the main window: the slump graph, the bar chart of games
// per bonus and the four pies. The window places the widgets (setGeometry)
// and runs the chart steps from DisplayResults; everything it puts in goes
// through ChartLayer, so tests can read it back without rendering.
class ResultCharts {
 public:
  // `window` parents SlumpChart2 and SlumpChart; each pie goes on its page.
  ResultCharts(QWidget* window, QWidget* ren3Page, QWidget* renPage, QWidget* koyakuPage,
               QWidget* rtCancelPage);
  ~ResultCharts();
  ResultCharts(const ResultCharts&) = delete;
  ResultCharts& operator=(const ResultCharts&) = delete;

  // Widgets, named as their objects: "SlumpChart", "SlumpChart2", "Ren3Chart",
  // "RenChart", "KoyakuChart", "RTCancelChart".
  QWidget* SlumpChart() const;
  QWidget* SlumpChart2() const;
  QWidget* Ren3Chart() const;
  QWidget* RenChart() const;
  QWidget* KoyakuChart() const;
  QWidget* RTCancelChart() const;

  // The chart steps of a display, in this order.
  void ClearSeries();                     // empties every series, keeps activation
  void SetSlumpAxis(int32_t totalGames);  // bottom axis 1 .. totalGames
  // Markers of the active series and bars of every row; the charts hold the
  // rows until the next ClearSeries, to fill a series when it is switched on.
  void AddRunPoints(std::shared_ptr<const RunRecords> records);
  // The line over the normal games, which reads them from the rows it holds.
  void AddSlumpLine(std::shared_ptr<const RunRecords> records);
  // The same two steps from points collected before.
  static RunChartPoints CollectPoints(const std::shared_ptr<const RunRecords>& records);
  void AddRunPoints(RunChartPoints& points);
  void AddSlumpLine(std::shared_ptr<const LinePoints> line);
  void FillRen3Pie(const ResultStats& stats);
  void FillRenPie(const ResultStats& stats);
  void FillKoyakuPie(const ResultStats& stats);
  void FillRTCancelPie(const ResultStats& stats);

  // The expected-balance line over the slump line ("ExpectedSeries"), listed
  // in the legend under `legendText` while it is switched on. ClearSeries
  // empties it with the rest; its switch, like the markers', stays.
  void SetExpectedLine(XYPoints&& points, const QString& legendText);
  void ClearExpectedLine();
  void SetExpectedLineActive(bool active);
  bool ExpectedLineActive() const;

  // What the next games may bring, as a fan from (`fromGames`, `fromBalance`),
  // the run's last point, to the right of it ("ForecastP5" ... "ForecastP95");
  // the bottom axis widens to hold it. ClearSeries takes it away with the run.
  void SetForecastFan(const BalanceBands& fan, int32_t fromGames, int32_t fromBalance);
  void ClearForecastFan();
  const FanSeries& ForecastFan() const;

  // The nine check boxes: marker series index as in ChartData.h (kMarkerBIG ...).
  void SetMarkerActive(int markerSeries, bool active);
  bool MarkerActive(int markerSeries) const;

  ChartLayer& Layer();
  const ChartLayer& Layer() const;

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace sorimu
