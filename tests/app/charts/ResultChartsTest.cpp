#include <QChartView>
#include <QMouseEvent>
#include <QtCharts/QChart>
#include <QtTest>
#include <array>
#include <vector>

#include "ChartData.h"
#include "ChartLayer.h"
#include "Outcome.h"
#include "ResultCharts.h"
#include "ResultStats.h"
#include "RunRecords.h"
#include "SingleRun.h"
#include "Slot.h"

using namespace sorimu;

namespace {

const std::array<const char*, kMarkerSeriesCount> kMarkerNames = {
    "BIG", "REG", "Cherry2", "Cherry4A", "Cherry4B", "nCherry", "Plum", "Bell", "Hazure"};

// The marker table read straight off the rows, kept apart from the code
// under test so a slip in either shows.
int ExpectedMarker(const RunRow& row) {
  switch (row.LastOutcome) {
    case Code(Outcome::BIG): return 0;
    case Code(Outcome::REG): return 1;
    case Code(Outcome::Cherry2): return 2;
    case Code(Outcome::Cherry4A): return 3;
    case Code(Outcome::Cherry4B): return 4;
    case Code(Outcome::nCherry): return 5;
    case Code(Outcome::Plum): return 6;
    case Code(Outcome::Bell): return 7;
    case Code(Outcome::Hazure): return row.BonusKind == 0 ? 8 : -1;
    default: return -1;
  }
}

// Records hold their rows in place (no copies), so each test owns one.
std::unique_ptr<RunRecords> PlayRun(uint32_t seed, int32_t games, int32_t flevel = 6,
                                    int32_t stock = 255) {
  Slot slot(seed);
  auto records = std::make_unique<RunRecords>();
  StartInputs inputs;
  inputs.PlayNum = games;
  inputs.Flevel = flevel;
  inputs.BigStock = stock;
  inputs.RegStock = stock;
  if (Simulate(slot, *records, inputs) != RunStatus::Completed) qFatal("run failed");
  return records;
}

std::vector<RunRow> RowsOf(const RunRecords& records) {
  std::vector<RunRow> rows;
  for (size_t i = 0; i < records.RowCount(); ++i) rows.push_back(records.Row(i));
  return rows;
}

RunRow Row(int32_t playCount, int32_t sinceBonus, int32_t medal, int32_t outcome,
           int32_t bonusKind = 0, int32_t bonusGames = 0) {
  RunRow row{};
  row.PlayCount = playCount;
  row.GamesSinceBonus = sinceBonus;
  row.Medal = medal;
  row.LastOutcome = outcome;
  row.BonusKind = bonusKind;
  row.BonusGames = bonusGames;
  return row;
}

// What DisplayResults does with the charts, in its order.
void ShowRun(ResultCharts& charts, const RunRecords& records) {
  charts.ClearSeries();
  charts.SetSlumpAxis(records.LastRow().PlayCount);
  const ResultStats stats = ComputeResultStats(records);
  charts.AddRunPoints(records);
  charts.AddSlumpLine(records);
  charts.FillRenPie(stats);
  charts.FillKoyakuPie(stats);
  charts.FillRTCancelPie(stats);
}

int CountColour(const QImage& image, const QRect& area, QRgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) == colour) ++count;
    }
  }
  return count;
}

}  // namespace

class ResultChartsTest : public QObject {
  Q_OBJECT

 private:
  QWidget window_;
  std::array<QWidget*, 4> pages_{};
  std::unique_ptr<ResultCharts> charts_;

  ChartLayer& Layer() { return charts_->Layer(); }
  SeriesId Id(const char* name) {
    const SeriesId id = Layer().Find(QString::fromUtf8(name));
    if (id < 0) qFatal("no series %s", name);
    return id;
  }
  QCustomPlot* Slump() { return static_cast<QCustomPlot*>(charts_->SlumpChart()); }
  QCustomPlot* Bars() { return static_cast<QCustomPlot*>(charts_->SlumpChart2()); }

 private slots:
  void init() {
    for (auto& page : pages_) page = new QWidget(&window_);
    charts_ = std::make_unique<ResultCharts>(&window_, pages_[0], pages_[1], pages_[2], pages_[3]);
    // Shown (offscreen) so that sizes and mouse positions mean something.
    window_.resize(800, 600);
    window_.show();
  }
  void cleanup() {
    window_.hide();
    charts_.reset();
    for (auto* page : pages_) delete page;
    qDeleteAll(window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
  }

  void startsEmptyWithMarkersHidden() {
    QCOMPARE(charts_->SlumpChart()->objectName(), QStringLiteral("SlumpChart"));
    QCOMPARE(charts_->SlumpChart2()->objectName(), QStringLiteral("SlumpChart2"));
    QCOMPARE(charts_->RTCancelChart()->objectName(), QStringLiteral("RTCancelChart"));
    QVERIFY(charts_->SlumpChart2()->findChild<QLabel*>(QStringLiteral("Label5")));
    for (int i = 0; i < kMarkerSeriesCount; ++i) {
      QVERIFY(!charts_->MarkerActive(i));
      QCOMPARE(Layer().PointCount(Id(kMarkerNames[static_cast<size_t>(i)])), 0);
    }
    const QCPRange bottom = Layer().AxisRange(Slump(), ChartAxis::Bottom);
    QCOMPARE(bottom.lower, 0.0);
    QCOMPARE(bottom.upper, 24.0);
    QVERIFY(Layer().LegendTexts(Slump()).isEmpty());
  }

  void seededRunFillsEverySeriesFromItsRows() {
    const auto run = PlayRun(7, 8000);
    const RunRecords& records = *run;
    const std::vector<RunRow> rows = RowsOf(records);
    ShowRun(*charts_, records);

    std::array<std::vector<QPointF>, kMarkerSeriesCount> markers;
    std::vector<QPointF> line;
    std::vector<RunRow> bonusRows;
    for (const RunRow& row : rows) {
      const int series = ExpectedMarker(row);
      if (series >= 0)
        markers[static_cast<size_t>(series)].push_back(QPointF(row.PlayCount, row.Medal));
      if (IsNormalGameRow(row)) line.push_back(QPointF(row.PlayCount, row.Medal));
      if (IsBonusRow(row)) bonusRows.push_back(row);
    }
    QVERIFY(bonusRows.size() >= 3);
    for (size_t s = 0; s < markers.size(); ++s) {
      const SeriesId id = Id(kMarkerNames[s]);
      QCOMPARE(Layer().PointCount(id), static_cast<int>(markers[s].size()));
      for (size_t i = 0; i < markers[s].size(); ++i) {
        const ChartPoint point = Layer().Point(id, static_cast<int>(i));
        QCOMPARE(QPointF(point.x, point.y), markers[s][i]);
      }
    }
    const SeriesId slump = Id("SlumpSeries");
    QCOMPARE(Layer().PointCount(slump), static_cast<int>(line.size()));
    for (size_t i = 0; i < line.size(); ++i) {
      const ChartPoint point = Layer().Point(slump, static_cast<int>(i));
      QCOMPARE(QPointF(point.x, point.y), line[i]);
    }
    QCOMPARE(Layer().Point(slump, 0).colour, QRgb(0xFF0000));

    const SeriesId bars = Id("SlumpBSeries");
    QCOMPARE(Layer().PointCount(bars), static_cast<int>(bonusRows.size()));
    for (size_t k = 0; k < bonusRows.size(); ++k) {
      const ChartPoint bar = Layer().Point(bars, static_cast<int>(k));
      QCOMPARE(bar.x, static_cast<double>(k));
      QCOMPARE(bar.y, static_cast<double>(bonusRows[k].GamesSinceBonus));
      QCOMPARE(bar.colour,
               bonusRows[k].LastOutcome == Code(Outcome::BIG) ? QRgb(0xFF0000) : QRgb(0x000000));
    }

    const QCPRange bottom = Layer().AxisRange(Slump(), ChartAxis::Bottom);
    QCOMPARE(bottom.lower, 1.0);
    QCOMPARE(bottom.upper, 8000.0);
  }

  void plumsOfOneBigStandOnItsLineUpGame() {
    // Pure misses inside a BIG are rare (they start a 1G連); this run has some.
    const auto run = PlayRun(11, 60000);
    const RunRecords& records = *run;
    const std::vector<RunRow> rows = RowsOf(records);
    ShowRun(*charts_, records);

    // The first BIG whose games won plums, and the first pure miss in a BIG.
    std::vector<double> plumMedals;
    int32_t plumLineUp = -1;
    int32_t missLineUp = -1;
    int32_t lineUp = -1;
    for (const RunRow& row : rows) {
      if (IsBonusRow(row)) lineUp = row.LastOutcome == Code(Outcome::BIG) ? row.PlayCount : -1;
      if (!IsBonusGameRow(row) || lineUp < 0) continue;
      if (row.LastOutcome == Code(Outcome::Hazure) && missLineUp < 0) missLineUp = lineUp;
      if (row.LastOutcome == Code(Outcome::Plum) && (plumLineUp < 0 || plumLineUp == lineUp)) {
        plumLineUp = lineUp;
        plumMedals.push_back(row.Medal);
      }
    }
    QVERIFY(plumMedals.size() >= 2);
    QVERIFY(missLineUp > 0);

    auto valuesAt = [&](const char* series, int32_t x) {
      std::vector<double> values;
      const SeriesId id = Id(series);
      for (int i = 0; i < Layer().PointCount(id); ++i) {
        if (Layer().Point(id, i).x == x) values.push_back(Layer().Point(id, i).y);
      }
      return values;
    };
    QCOMPARE(valuesAt("Plum", plumLineUp), plumMedals);
    // The line-up game is a BIG, so any Hazure marker on its x came from inside.
    QVERIFY(valuesAt("Hazure", missLineUp).empty());
  }

  void handBuiltRunGivesExactMarkersAndBars() {
    RunRecords records;
    for (const RunRow& row : {
             Row(1, 1, -3, Code(Outcome::Hazure)),
             Row(2, 2, -6, Code(Outcome::BIG)),
             Row(2, 0, -3, Code(Outcome::Plum), 1, 1),
             Row(2, 0, 5, Code(Outcome::Hazure), 1, 2),  // a pure miss inside the BIG: no marker
             Row(2, 0, 13, Code(Outcome::Plum), 1, 3),
             Row(3, 1, 10, Code(Outcome::REG)),  // a 1G連
             Row(3, 0, 20, Code(Outcome::JAC), 2, 1),
             Row(4, 1, 17, Code(Outcome::Hazure)),
             Row(5, 2, 14, Code(Outcome::BIG)),
         }) {
      records.AppendRow(row);
    }
    ShowRun(*charts_, records);

    auto points = [&](const char* name) {
      std::vector<QPointF> out;
      const SeriesId id = Id(name);
      for (int i = 0; i < Layer().PointCount(id); ++i) {
        out.push_back(QPointF(Layer().Point(id, i).x, Layer().Point(id, i).y));
      }
      return out;
    };
    QCOMPARE(points("Plum"), (std::vector<QPointF>{{2, -3}, {2, 13}}));
    QCOMPARE(points("Hazure"), (std::vector<QPointF>{{1, -3}, {4, 17}}));
    QCOMPARE(points("BIG"), (std::vector<QPointF>{{2, -6}, {5, 14}}));
    QCOMPARE(points("REG"), (std::vector<QPointF>{{3, 10}}));
    QCOMPARE(points("SlumpSeries"),
             (std::vector<QPointF>{{1, -3}, {2, -6}, {3, 10}, {4, 17}, {5, 14}}));
    QCOMPARE(points("SlumpBSeries"), (std::vector<QPointF>{{0, 2}, {1, 1}, {2, 2}}));
    const SeriesId bars = Id("SlumpBSeries");
    QCOMPARE(Layer().Point(bars, 0).colour, QRgb(0xFF0000));
    QCOMPARE(Layer().Point(bars, 1).colour, QRgb(0x000000));

    // The bar chart follows its bars; the left axis leaves no bar cut off.
    const QCPRange barsLeft = Layer().AxisRange(Bars(), ChartAxis::Left);
    QVERIFY(barsLeft.lower <= 0 && barsLeft.upper >= 2);
    const QCPRange barsBottom = Layer().AxisRange(Bars(), ChartAxis::Bottom);
    QVERIFY(barsBottom.lower <= 0 && barsBottom.upper >= 2);
  }

  void piesShowTheTableCounts() {
    const auto run = PlayRun(3, 8000);
    const RunRecords& records = *run;
    ShowRun(*charts_, records);
    const ResultStats stats = ComputeResultStats(records);

    const SeriesId koyaku = Id("KoyakuSeries");
    QCOMPARE(Layer().PointCount(koyaku), 8);
    for (int i = 0; i < 8; ++i) {
      QCOMPARE(Layer().Point(koyaku, i).y,
               static_cast<double>(stats.KoyakuCount[static_cast<size_t>(i)]));
    }
    QCOMPARE(Layer().Point(koyaku, 3).label, QStringLiteral("非出現チェリー"));
    QCOMPARE(Layer().Point(koyaku, 3).colour, QRgb(0x008000));

    const SeriesId ren = Id("RenSeries");
    QCOMPARE(Layer().PointCount(ren), 3);
    QCOMPARE(Layer().Point(ren, 0).y, static_cast<double>(stats.RenHazureCount));
    QCOMPARE(Layer().Point(ren, 1).y, static_cast<double>(stats.RenJacHazureCount));
    QCOMPARE(Layer().Point(ren, 2).y, static_cast<double>(stats.RenPunkCount));
    QCOMPARE(Layer().Point(ren, 1).label, QStringLiteral("JACハズレ"));

    const SeriesId rt = Id("RTCancelSeries");
    QCOMPARE(Layer().PointCount(rt), 7);
    for (int i = 0; i < 7; ++i) {
      QCOMPARE(Layer().Point(rt, i).y,
               static_cast<double>(stats.RTCancelCount[static_cast<size_t>(i)]));
    }
    QCOMPARE(Layer().Point(rt, 0).label, QStringLiteral("規定RT消化"));
    QCOMPARE(Layer().Point(rt, 6).colour, QRgb(0x0000FF));
    QVERIFY(Layer().PieDrawsSlices(rt));

    QCOMPARE(Layer().PointCount(Id("Ren3Series")), 0);  // emptied, never filled
  }

  void allZeroPieShowsEmptyNotThePreviousRun() {
    auto* view = static_cast<QChartView*>(charts_->RTCancelChart());
    pages_[3]->resize(360, 220);
    view->resize(360, 220);
    ShowRun(*charts_, *PlayRun(3, 8000));
    QCoreApplication::processEvents();
    const QRect pie = view->chart()->plotArea().toAlignedRect();
    QVERIFY(CountColour(view->grab().toImage(), pie, 0x00FF00) > 100);  // 規定RT消化

    const auto oneGame = PlayRun(3, 1, 1, 0);
    QCOMPARE(ComputeResultStats(*oneGame).RTCancelTotal, 0);
    ShowRun(*charts_, *oneGame);
    QCoreApplication::processEvents();
    const SeriesId rt = Id("RTCancelSeries");
    QCOMPARE(Layer().PointCount(rt), 7);  // every label stays in the legend
    QVERIFY(!Layer().PieDrawsSlices(rt));
    const QImage image = view->grab().toImage();
    for (QRgb colour : {0x00FF00u, 0x0000FFu, 0x00FFFFu, 0xFF0000u}) {
      QCOMPARE(CountColour(image, pie, colour), 0);
    }
  }

  void runOfOneGame() {
    const auto run = PlayRun(5, 1, 1, 0);
    const RunRecords& records = *run;
    ShowRun(*charts_, records);
    const QCPRange bottom = Layer().AxisRange(Slump(), ChartAxis::Bottom);
    QCOMPARE(bottom.lower, 1.0);
    QCOMPARE(bottom.upper, 1.0);
    QCOMPARE(Layer().PointCount(Id("SlumpSeries")), 1);
    QCOMPARE(Layer().PointCount(Id("SlumpBSeries")), 0);
    QCOMPARE(Layer().PointCount(Id("BIG")), 0);
    const QCPRange left = Layer().AxisRange(Slump(), ChartAxis::Left);
    QVERIFY(left.contains(records.Row(0).Medal));
  }

  void checkBoxStateSurvivesDisplays() {
    const SeriesId plum = Id("Plum");
    charts_->SetMarkerActive(kMarkerPlum, true);  // before any display: an empty series
    QVERIFY(Layer().Active(plum));
    QCOMPARE(Layer().LegendTexts(Slump()), QStringList{QStringLiteral("Plum")});

    ShowRun(*charts_, *PlayRun(21, 3000));
    QVERIFY(charts_->MarkerActive(kMarkerPlum));
    const int first = Layer().PointCount(plum);
    QVERIFY(first > 0);

    // Off, a new run, on again: the new run's markers, kept while hidden.
    charts_->SetMarkerActive(kMarkerPlum, false);
    QVERIFY(Layer().LegendTexts(Slump()).isEmpty());
    const auto second = PlayRun(22, 5000);
    ShowRun(*charts_, *second);
    QVERIFY(!charts_->MarkerActive(kMarkerPlum));
    int plums = 0;
    for (size_t i = 0; i < second->RowCount(); ++i)
      plums += second->Row(i).LastOutcome == Code(Outcome::Plum);
    QCOMPARE(Layer().PointCount(plum), plums);
    charts_->SetMarkerActive(kMarkerPlum, true);
    QCOMPARE(Layer().PointCount(plum), plums);

    // The legend keeps the table's order whatever order the boxes are clicked.
    charts_->SetMarkerActive(kMarkerHazure, true);
    charts_->SetMarkerActive(kMarkerNCherry, true);
    charts_->SetMarkerActive(kMarkerBIG, true);
    QCOMPARE(Layer().LegendTexts(Slump()), (QStringList{"BIG", "non Cherry", "Plum", "Hazure"}));
    for (int i = 0; i < kMarkerSeriesCount; ++i) {
      const bool on =
          i == kMarkerBIG || i == kMarkerNCherry || i == kMarkerPlum || i == kMarkerHazure;
      QCOMPARE(charts_->MarkerActive(i), on);
    }
  }

  void leftAxisFollowsOnlyActiveSeries() {
    RunRecords records;
    for (const RunRow& row : {Row(1, 1, -3, 0), Row(2, 2, 0, Code(Outcome::BIG)),
                              Row(2, 0, 500, Code(Outcome::Plum), 1, 1), Row(3, 1, 300, 0)}) {
      records.AppendRow(row);
    }
    ShowRun(*charts_, records);
    QVERIFY(Layer().AxisRange(Slump(), ChartAxis::Left).upper < 500);  // the plum is hidden
    charts_->SetMarkerActive(kMarkerPlum, true);
    QVERIFY(Layer().AxisRange(Slump(), ChartAxis::Left).upper >= 500);
  }

  void dragZoomsScrollsAndGoesBack_data() {
    QTest::addColumn<bool>("slump");
    QTest::newRow("bar chart") << false;
    QTest::newRow("slump graph, animated") << true;
  }
  void dragZoomsScrollsAndGoesBack() {
    QFETCH(bool, slump);
    RunRecords records;
    for (int32_t g = 1; g <= 40; ++g)
      records.AppendRow(Row(g, g, g, g % 10 == 0 ? Code(Outcome::BIG) : 0));
    ShowRun(*charts_, records);
    QCustomPlot* plot = slump ? Slump() : Bars();
    plot->resize(600, 300);
    QCoreApplication::processEvents();
    plot->replot();
    const QCPRange home = plot->xAxis->range();

    auto drag = [&](Qt::MouseButton button, QPoint from, QPoint to) {
      auto send = [&](QEvent::Type type, Qt::MouseButton changed, QPoint pos,
                      Qt::MouseButtons held) {
        QMouseEvent event(type, pos, plot->mapToGlobal(pos), changed, held, Qt::NoModifier);
        QApplication::sendEvent(plot, &event);
      };
      send(QEvent::MouseButtonPress, button, from, button);
      send(QEvent::MouseMove, Qt::NoButton, to, button);
      send(QEvent::MouseButtonRelease, button, to, Qt::NoButton);
    };
    const QRect area = plot->axisRect()->rect();
    const QPoint from = area.topLeft() + QPoint(20, 20);
    const QPoint to = area.center();
    drag(Qt::LeftButton, from, to);
    QTRY_VERIFY(plot->xAxis->range().size() < home.size() / 2);
    QTest::qWait(300);  // until an animated zoom has arrived
    const QCPRange zoomed = plot->xAxis->range();

    plot->replot();
    drag(Qt::RightButton, to, to - QPoint(50, 0));
    QVERIFY(plot->xAxis->range().lower > zoomed.lower);
    QCOMPARE(plot->xAxis->range().size(), zoomed.size());

    drag(Qt::LeftButton, to, from);  // towards the upper left: the whole run again
    QCOMPARE(plot->xAxis->range().lower, home.lower);
    QCOMPARE(plot->xAxis->range().upper, home.upper);

    // A display while a zoom is still moving keeps the display's ranges.
    drag(Qt::LeftButton, from, to);
    ShowRun(*charts_, records);
    QTest::qWait(400);
    QCOMPARE(plot->xAxis->range().lower, home.lower);
    QCOMPARE(plot->xAxis->range().upper, home.upper);
  }
};

QTEST_MAIN(ResultChartsTest)
#include "ResultChartsTest.moc"
