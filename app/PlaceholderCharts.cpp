// Charts for builds without the chart layer: the six widgets hold their
// places and names, the chart steps draw nothing, and the markers' switches
// are remembered so the check boxes behave the same.
#include <QWidget>
#include <array>

#include "ChartData.h"
#include "WindowCharts.h"

struct WindowCharts::Impl {
  QWidget* slump;
  QWidget* slump2;
  QWidget* ren3;
  QWidget* ren;
  QWidget* koyaku;
  QWidget* rtCancel;
  std::array<bool, kMarkerSeriesCount> active{};
};

namespace {

QWidget* NamedWidget(QWidget* parent, const char* name) {
  auto* widget = new QWidget(parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

WindowCharts::WindowCharts(QWidget* window, QWidget* ren3Page, QWidget* renPage,
                           QWidget* koyakuPage, QWidget* rtCancelPage)
    : impl_(new Impl{NamedWidget(window, "SlumpChart"), NamedWidget(window, "SlumpChart2"),
                     NamedWidget(ren3Page, "Ren3Chart"), NamedWidget(renPage, "RenChart"),
                     NamedWidget(koyakuPage, "KoyakuChart"),
                     NamedWidget(rtCancelPage, "RTCancelChart")}) {}

WindowCharts::~WindowCharts() = default;

QWidget* WindowCharts::SlumpChart() const { return impl_->slump; }
QWidget* WindowCharts::SlumpChart2() const { return impl_->slump2; }
QWidget* WindowCharts::Ren3Chart() const { return impl_->ren3; }
QWidget* WindowCharts::RenChart() const { return impl_->ren; }
QWidget* WindowCharts::KoyakuChart() const { return impl_->koyaku; }
QWidget* WindowCharts::RTCancelChart() const { return impl_->rtCancel; }

void WindowCharts::ClearSeries() {}
void WindowCharts::SetSlumpAxis(int32_t) {}
void WindowCharts::AddRunPoints(const RunRecords&) {}
void WindowCharts::AddSlumpLine(const RunRecords&) {}
void WindowCharts::FillRenPie(const ResultStats&) {}
void WindowCharts::FillKoyakuPie(const ResultStats&) {}
void WindowCharts::FillRTCancelPie(const ResultStats&) {}

void WindowCharts::SetMarkerActive(int markerSeries, bool active) {
  if (markerSeries >= 0 && markerSeries < kMarkerSeriesCount) impl_->active[markerSeries] = active;
}

bool WindowCharts::MarkerActive(int markerSeries) const {
  return markerSeries >= 0 && markerSeries < kMarkerSeriesCount && impl_->active[markerSeries];
}
