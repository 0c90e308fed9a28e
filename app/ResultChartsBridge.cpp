// The window's charts drawn by the chart layer.
#include "ResultCharts.h"
#include "WindowCharts.h"

struct WindowCharts::Impl {
  ResultCharts charts;
};

WindowCharts::WindowCharts(QWidget* window, QWidget* ren3Page, QWidget* renPage,
                           QWidget* koyakuPage, QWidget* rtCancelPage)
    : impl_(new Impl{{window, ren3Page, renPage, koyakuPage, rtCancelPage}}) {}

WindowCharts::~WindowCharts() = default;

QWidget* WindowCharts::SlumpChart() const { return impl_->charts.SlumpChart(); }
QWidget* WindowCharts::SlumpChart2() const { return impl_->charts.SlumpChart2(); }
QWidget* WindowCharts::Ren3Chart() const { return impl_->charts.Ren3Chart(); }
QWidget* WindowCharts::RenChart() const { return impl_->charts.RenChart(); }
QWidget* WindowCharts::KoyakuChart() const { return impl_->charts.KoyakuChart(); }
QWidget* WindowCharts::RTCancelChart() const { return impl_->charts.RTCancelChart(); }

void WindowCharts::ClearSeries() { impl_->charts.ClearSeries(); }
void WindowCharts::SetSlumpAxis(int32_t totalGames) { impl_->charts.SetSlumpAxis(totalGames); }
void WindowCharts::AddRunPoints(const RunRecords& records) { impl_->charts.AddRunPoints(records); }
void WindowCharts::AddSlumpLine(const RunRecords& records) { impl_->charts.AddSlumpLine(records); }
void WindowCharts::FillRenPie(const ResultStats& stats) { impl_->charts.FillRenPie(stats); }
void WindowCharts::FillKoyakuPie(const ResultStats& stats) { impl_->charts.FillKoyakuPie(stats); }
void WindowCharts::FillRTCancelPie(const ResultStats& stats) { impl_->charts.FillRTCancelPie(stats); }

void WindowCharts::SetMarkerActive(int markerSeries, bool active) {
  impl_->charts.SetMarkerActive(markerSeries, active);
}

bool WindowCharts::MarkerActive(int markerSeries) const {
  return impl_->charts.MarkerActive(markerSeries);
}
