// Offscreen timing of the charts: how long the chart steps of a display take
// for a long run, how long one redraw of the slump graph takes after a zoom
// or a scroll, and how much resident memory the charts add per row.
//   charts_bench [games ...] [--shots DIR]   (no arguments: 1M and 10M games)
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ChartData.h"
#include "ChartLayer.h"
#include "ResultCharts.h"
#include "ResultStats.h"
#include "RunRecords.h"
#include "SingleRun.h"
#include "Slot.h"

using namespace sorimu;

namespace {

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

double Milliseconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

double TimedReplot(QCustomPlot* plot) {
  QElapsedTimer timer;
  timer.start();
  plot->replot(QCustomPlot::rpImmediateRefresh);
  return Milliseconds(timer);
}

struct Window {
  QWidget window;
  QWidget* pages[4];
  std::unique_ptr<ResultCharts> charts;

  Window() {
    window.resize(1000, 900);
    for (auto& page : pages) {
      page = new QWidget(&window);
      page->setGeometry(0, 0, 700, 220);
    }
    charts = std::make_unique<ResultCharts>(&window, pages[0], pages[1], pages[2], pages[3]);
    charts->SlumpChart2()->setGeometry(0, 230, 1000, 250);
    charts->SlumpChart()->setGeometry(0, 480, 1000, 420);
    for (QWidget* pie : {charts->Ren3Chart(), charts->RenChart(), charts->KoyakuChart(),
                         charts->RTCancelChart()}) {
      pie->setGeometry(300, 0, 400, 220);
    }
    window.show();
    QApplication::processEvents();
  }

  QCustomPlot* Slump() const { return static_cast<QCustomPlot*>(charts->SlumpChart()); }
  QCustomPlot* Bars() const { return static_cast<QCustomPlot*>(charts->SlumpChart2()); }

  // Times of the chart steps: clearing and the axis, the markers and bars,
  // the slump line, the pies (the statistics they need are not counted).
  std::array<double, 4> Display(const RunRecords& records) {
    const ResultStats stats = ComputeResultStats(records);
    std::array<double, 4> ms{};
    QElapsedTimer timer;
    timer.start();
    charts->ClearSeries();
    charts->SetSlumpAxis(records.LastRow().PlayCount);
    ms[0] = Milliseconds(timer);
    timer.restart();
    const std::shared_ptr<const RunRecords> rows(&records, [](const RunRecords*) {});
    charts->AddRunPoints(rows);
    ms[1] = Milliseconds(timer);
    timer.restart();
    charts->AddSlumpLine(rows);
    ms[2] = Milliseconds(timer);
    timer.restart();
    charts->FillRen3Pie(stats);
    charts->FillRenPie(stats);
    charts->FillKoyakuPie(stats);
    charts->FillRTCancelPie(stats);
    ms[3] = Milliseconds(timer);
    return ms;
  }
};

void Measure(int32_t games) {
  Slot slot(20240601);
  RunRecords records;
  StartInputs inputs;
  inputs.PlayNum = games;
  inputs.Flevel = 6;
  if (Simulate(slot, records, inputs) != RunStatus::Completed) {
    std::printf("%d games: out of memory\n", games);
    return;
  }
  Window window;
  const long before = ResidentKiB();
  const std::array<double, 4> fill = window.Display(records);
  const long after = ResidentKiB();
  const double firstSlump = TimedReplot(window.Slump());
  const double firstBars = TimedReplot(window.Bars());
  const auto rows = static_cast<double>(records.RowCount());
  std::printf("%d games, %zu rows, %d bars, %d plums\n", games, records.RowCount(),
              window.charts->Layer().PointCount(window.charts->Layer().Find("SlumpBSeries")),
              window.charts->Layer().PointCount(window.charts->Layer().Find("Plum")));
  std::printf(
      "  chart steps          %8.1f ms (clear %.1f, markers and bars %.1f, line %.1f, pies %.1f)\n",
      fill[0] + fill[1] + fill[2] + fill[3], fill[0], fill[1], fill[2], fill[3]);
  std::printf("  chart memory         %8.1f bytes/row (%ld MiB)\n",
              (after - before) * 1024.0 / rows, (after - before) / 1024);
  std::printf("  first replot         %8.1f ms slump, %.1f ms bars\n", firstSlump, firstBars);

  QCustomPlot* plot = window.Slump();
  const QCPRange all = plot->xAxis->range();
  plot->xAxis->setRange(all.lower + all.size() * 0.40, all.lower + all.size() * 0.45);
  std::printf("  zoomed to 5%%         %8.1f ms\n", TimedReplot(plot));
  plot->xAxis->setRange(plot->xAxis->range().lower + all.size() * 0.01,
                        plot->xAxis->range().upper + all.size() * 0.01);
  std::printf("  scrolled             %8.1f ms\n", TimedReplot(plot));
  plot->xAxis->setRange(all);
  std::printf("  whole run, no marks  %8.1f ms\n", TimedReplot(plot));
  for (int series : {kMarkerPlum, kMarkerBIG, kMarkerREG, kMarkerBell}) {
    window.charts->SetMarkerActive(series, true);
    plot->xAxis->setRange(all);
    std::printf("  whole run, + %-7s %8.1f ms (%d marks)\n", kMarkerSeriesStyles[series].name,
                TimedReplot(plot),
                window.charts->Layer().PointCount(
                    window.charts->Layer().Find(kMarkerSeriesStyles[series].name)));
  }
  plot->xAxis->setRange(all);
  std::printf("  whole run, 4 marks   %8.1f ms\n", TimedReplot(plot));
  plot->xAxis->setRange(all.lower + all.size() * 0.40, all.lower + all.size() * 0.45);
  std::printf("  zoomed, 4 marks      %8.1f ms\n", TimedReplot(plot));

  QCustomPlot* bars = window.Bars();
  const QCPRange barsAll = bars->xAxis->range();
  bars->xAxis->setRange(barsAll.lower, barsAll.lower + 30);
  std::printf("  bars zoomed to 30    %8.1f ms\n", TimedReplot(bars));
  std::printf("  resident total       %8.1f bytes/row\n", ResidentKiB() * 1024.0 / rows);
}

void Shot(const QString& folder, int32_t games) {
  Slot slot(8000);
  RunRecords records;
  StartInputs inputs;
  inputs.PlayNum = games;
  inputs.Flevel = 6;
  Simulate(slot, records, inputs);
  Window window;
  window.Display(records);
  window.charts->SetMarkerActive(kMarkerPlum, true);
  window.charts->SetMarkerActive(kMarkerBIG, true);
  QApplication::processEvents();
  window.window.grab().save(folder + QStringLiteral("/charts-%1.png").arg(games));
  window.Bars()->xAxis->setRange(-0.5, 12.5);
  window.Bars()->replot();
  window.Bars()->grab().save(folder + QStringLiteral("/bars-zoomed-%1.png").arg(games));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::vector<int32_t> sizes;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--shots" && i + 1 < argc) {
      const QString folder = QString::fromLocal8Bit(argv[++i]);
      Shot(folder, 8000);
      Shot(folder, 1'000'000);
    } else {
      sizes.push_back(std::stoi(arg));
    }
  }
  if (sizes.empty() && argc == 1) sizes = {1'000'000, 10'000'000};
  for (int32_t games : sizes) Measure(games);
  return 0;
}
