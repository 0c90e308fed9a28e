#pragma once

#include <cstdint>
#include <memory>

class QWidget;
class RunRecords;
struct ResultStats;

// The window's view of its six charts: the same steps as ResultCharts, which
// draws them. The build picks the implementation: ResultChartsBridge.cpp
// forwards to ResultCharts, PlaceholderCharts.cpp keeps empty named widgets
// in their places for builds without the chart layer.
class WindowCharts {
 public:
  // `window` parents SlumpChart2 and SlumpChart; each pie goes on its page.
  WindowCharts(QWidget* window, QWidget* ren3Page, QWidget* renPage, QWidget* koyakuPage,
               QWidget* rtCancelPage);
  ~WindowCharts();
  WindowCharts(const WindowCharts&) = delete;
  WindowCharts& operator=(const WindowCharts&) = delete;

  QWidget* SlumpChart() const;
  QWidget* SlumpChart2() const;
  QWidget* Ren3Chart() const;
  QWidget* RenChart() const;
  QWidget* KoyakuChart() const;
  QWidget* RTCancelChart() const;

  void ClearSeries();
  void SetSlumpAxis(int32_t totalGames);
  void AddRunPoints(const RunRecords& records);
  void AddSlumpLine(const RunRecords& records);
  void FillRenPie(const ResultStats& stats);
  void FillKoyakuPie(const ResultStats& stats);
  void FillRTCancelPie(const ResultStats& stats);

  void SetMarkerActive(int markerSeries, bool active);
  bool MarkerActive(int markerSeries) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
