#include <QChartView>
#include <QMouseEvent>
#include <QtCharts/QChart>
#include <QtTest>
#include <array>
#include <map>
#include <set>
#include <vector>

#include "AxisLabels.h"
#include "ChartData.h"
#include "ChartLayer.h"
#include "ColouredBars.h"
#include "Outcome.h"
#include "PieChart.h"
#include "PlotInteraction.h"
#include "ResultCharts.h"
#include "ResultStats.h"
#include "RowLine.h"
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
  // The charts read the rows, which every test keeps until its end.
  const std::shared_ptr<const RunRecords> rows(&records, [](const RunRecords*) {});
  charts.AddRunPoints(rows);
  charts.AddSlumpLine(rows);
  charts.FillRen3Pie(stats);
  charts.FillRenPie(stats);
  charts.FillKoyakuPie(stats);
  charts.FillRTCancelPie(stats);
}

// A run of `games` with a bar for every `every`-th game, all BIGs.
std::unique_ptr<RunRecords> BarsRun(int32_t games, int32_t every) {
  auto records = std::make_unique<RunRecords>();
  for (int32_t g = 1; g <= games; ++g) {
    records->AppendRow(Row(g, g, g, g % every == 0 ? Code(Outcome::BIG) : 0));
  }
  return records;
}

// Thirty million games in a few rows: a BIG every `every` games, the
// balance running from -games/3 to games/3.
std::unique_ptr<RunRecords> SparseRun(int32_t games, int32_t every) {
  auto records = std::make_unique<RunRecords>();
  for (int32_t g = every; g <= games; g += every) {
    records->AppendRow(Row(g, every, g / 3 * 2 - games / 3, Code(Outcome::BIG)));
  }
  return records;
}

// Replots until the layout has settled, as the window's queued replots do.
void Draw(QCustomPlot* plot) {
  plot->replot(QCustomPlot::rpImmediateRefresh);
  plot->replot(QCustomPlot::rpImmediateRefresh);
}

void CheckTicks(QCPAxis* axis) {
  const QString fault = TickLabelFault(axis);
  QVERIFY2(fault.isEmpty(), qPrintable(fault));
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
  std::array<PieChart*, 4> Pies() {
    return {static_cast<PieChart*>(charts_->Ren3Chart()),
            static_cast<PieChart*>(charts_->RenChart()),
            static_cast<PieChart*>(charts_->KoyakuChart()),
            static_cast<PieChart*>(charts_->RTCancelChart())};
  }
  ColouredBars* BarSeries() {
    return static_cast<ColouredBars*>(Layer().Plottable(Id("SlumpBSeries")));
  }

 private slots:
  void initTestCase() {
    // The window's face is the application's before any chart is made.
    QFont face(QStringLiteral("IPAPGothic"));
    face.setPixelSize(12);
    QApplication::setFont(face);
  }
  void init() {
    for (auto& page : pages_) page = new QWidget(&window_);
    charts_ = std::make_unique<ResultCharts>(&window_, pages_[0], pages_[1], pages_[2], pages_[3]);
    // Shown (offscreen), at the window's sizes, so that sizes and mouse
    // positions mean something.
    QFont face(QStringLiteral("IPAPGothic"));
    face.setPixelSize(12);
    window_.setFont(face);
    window_.resize(800, 600);
    charts_->SlumpChart2()->setGeometry(4, 0, 597, 149);
    charts_->SlumpChart()->setGeometry(4, 150, 597, 217);
    for (size_t i = 0; i < pages_.size(); ++i) {
      pages_[i]->resize(239, 180);
      Pies()[i]->setGeometry(0, 0, 239, 180);
    }
    window_.show();
  }
  void cleanup() {
    window_.hide();
    charts_.reset();
    for (auto* page : pages_) delete page;
    qDeleteAll(window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
  }

  // The slump line as drawn: at a glance, each pixel column spans exactly
  // the lowest to the highest balance of its games, bonus games left out;
  // zoomed in, every game is a point of its own, with one either side.
  void slumpLineDrawsEveryColumnsExtremes() {
    auto records = std::make_shared<RunRecords>();
    std::vector<QPointF> games;
    int32_t medal = 0;
    uint32_t state = 12345;
    for (int32_t game = 1; game <= 100'000; ++game) {
      state = state * 1664525u + 1013904223u;
      medal += static_cast<int32_t>(state >> 29) - 4;
      records->AppendRow(Row(game, 1, medal, 0));
      games.push_back(QPointF(game, medal));
      if (game % 777 == 0) records->AppendRow(Row(game, 0, medal + 500, Code(Outcome::JAC), 1, 1));
    }
    const auto line = LinePoints::NormalGames(records);
    QCOMPARE(line->Size(), games.size());
    QCOMPARE(line->At(54'321), games[54'321]);

    constexpr int kColumns = 500;
    const LinePoints::Linear pixels{kColumns / 100'000.0, 0};
    const QVector<QPointF> drawn = line->Polyline(QCPRange(1, 100'000), pixels, {1, 0});
    QVERIFY(drawn.size() <= 4 * (kColumns + 1));
    std::map<int, std::pair<double, double>> wanted, seen;
    const auto widen = [](std::map<int, std::pair<double, double>>& spans, double x, double y) {
      const auto [at, added] = spans.try_emplace(static_cast<int>(std::floor(x)), y, y);
      at->second = {std::min(at->second.first, y), std::max(at->second.second, y)};
    };
    for (const QPointF& game : games) widen(wanted, pixels(game.x()), game.y());
    for (const QPointF& point : drawn) widen(seen, point.x(), point.y());
    QCOMPARE(seen, wanted);

    const LinePoints::Linear zoomed{50, -50'000};
    const QVector<QPointF> close = line->Polyline(QCPRange(1'000, 1'010), zoomed, {1, 0});
    std::vector<QPointF> expected;
    for (size_t i = 998; i <= 1'010; ++i) {
      expected.push_back(QPointF(zoomed(games[i].x()), games[i].y()));
    }
    for (const QPointF& point : expected) QVERIFY(close.contains(point));
  }

  // A file whose games go back is drawn in order of its games, as before.
  void slumpLineOfAFileOutOfOrder() {
    auto records = std::make_shared<RunRecords>();
    for (const RunRow& row : {Row(3, 1, 30, 0), Row(1, 1, 10, 0), Row(2, 1, 20, 0)}) {
      records->AppendRow(row);
    }
    const auto line = LinePoints::NormalGames(records);
    QCOMPARE(line->Size(), size_t{3});
    for (size_t i = 0; i < 3; ++i) QCOMPARE(line->At(i), QPointF(i + 1.0, 10.0 * (i + 1)));
    QCOMPARE(line->Keys(), QCPRange(1, 3));
    QCOMPARE(line->Values(), QCPRange(10, 30));
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
    for (PieChart* pie : Pies()) QVERIFY(pie->NothingText().isEmpty());
  }

  void seededRunFillsEverySeriesFromItsRows() {
    const auto run = PlayRun(7, 8000);
    const RunRecords& records = *run;
    const std::vector<RunRow> rows = RowsOf(records);
    ShowRun(*charts_, records);
    // Switched on after the run is shown: read from its rows then.
    for (int i = 0; i < kMarkerSeriesCount; ++i) charts_->SetMarkerActive(i, true);

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
    charts_->SetMarkerActive(kMarkerPlum, true);
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
    // Switched on before the run is shown: read from its rows as it goes in.
    for (int i = 0; i < kMarkerSeriesCount; ++i) charts_->SetMarkerActive(i, true);
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

    const SeriesId ren3 = Id("Ren3Series");
    QCOMPARE(Layer().PointCount(ren3), 2);
    QCOMPARE(Layer().Point(ren3, 0).y, static_cast<double>(stats.Ren3BigCount));
    QCOMPARE(Layer().Point(ren3, 1).y, static_cast<double>(stats.Ren3RegCount));
    QCOMPARE(Layer().Point(ren3, 1).label, QStringLiteral("REG"));
  }

  void allZeroPieShowsEmptyNotThePreviousRun() {
    auto* chart = static_cast<PieChart*>(charts_->RTCancelChart());
    pages_[3]->resize(360, 220);
    chart->resize(360, 220);
    QChartView* view = chart->View();
    const auto shownRun = PlayRun(3, 8000);
    ShowRun(*charts_, *shownRun);
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

    // A pie of a run where none of its cases came says so where the pie
    // would be, beside its legend: 3G連, 1G連 and RT解除 here.
    for (PieChart* each : {Pies()[0], Pies()[1], Pies()[3]}) {
      QCOMPARE(each->NothingText(), QStringLiteral("該当なし"));
      const auto* label = each->findChild<QLabel*>(QStringLiteral("NothingLabel"));
      QVERIFY(label && label->isVisible());
      QVERIFY(!label->geometry().intersects(each->Legend()->geometry()));
    }
    const auto laterRun = PlayRun(3, 8000);
    ShowRun(*charts_, *laterRun);
    QVERIFY(chart->NothingText().isEmpty());
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

    const auto shownRun = PlayRun(21, 3000);

    ShowRun(*charts_, *shownRun);
    QVERIFY(charts_->MarkerActive(kMarkerPlum));
    const int first = Layer().PointCount(plum);
    QVERIFY(first > 0);

    // Off, a new run, on again: the new run's markers, read from its rows
    // when switched on; a hidden series holds none.
    charts_->SetMarkerActive(kMarkerPlum, false);
    QCOMPARE(Layer().PointCount(plum), 0);
    QVERIFY(Layer().LegendTexts(Slump()).isEmpty());
    const auto second = PlayRun(22, 5000);
    ShowRun(*charts_, *second);
    QVERIFY(!charts_->MarkerActive(kMarkerPlum));
    int plums = 0;
    for (size_t i = 0; i < second->RowCount(); ++i)
      plums += second->Row(i).LastOutcome == Code(Outcome::Plum);
    QCOMPARE(Layer().PointCount(plum), 0);
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
    auto* interaction = plot->findChild<PlotInteraction*>();
    QVERIFY(interaction);
    drag(Qt::LeftButton, from, to);
    QTRY_VERIFY(!interaction->Zooming());  // an animated zoom has arrived
    QVERIFY(plot->xAxis->range().size() < home.size() / 2);
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
    QCOMPARE(interaction->Zooming(), slump);
    ShowRun(*charts_, records);
    QVERIFY(!interaction->Zooming());
    QCoreApplication::processEvents();
    QCOMPARE(plot->xAxis->range().lower, home.lower);
    QCOMPARE(plot->xAxis->range().upper, home.upper);
  }

  void tickLabelsNeverTouch_data() {
    QTest::addColumn<int>("games");
    QTest::addColumn<int>("bonusEvery");  // 0: none; -1: a seeded run
    QTest::addColumn<double>("zoom");     // the share of the run in view; 1: all of it
    QTest::newRow("16 games") << 16 << 0 << 1.0;
    QTest::newRow("empty bar chart") << 40 << 0 << 1.0;
    QTest::newRow("three bars") << 30 << 10 << 1.0;
    QTest::newRow("thirty bars") << 900 << 30 << 1.0;
    QTest::newRow("seeded 8000") << 8000 << -1 << 1.0;
    QTest::newRow("one million") << 1'000'000 << 200 << 1.0;
    QTest::newRow("thirty million") << 30'000'000 << 200 << 1.0;
    QTest::newRow("thirty million, a tenth") << 30'000'000 << 200 << 0.1;
    QTest::newRow("thirty million, 30000 games") << 30'000'000 << 200 << 1e-3;
    QTest::newRow("thirty million, 300 games") << 30'000'000 << 200 << 1e-5;
    QTest::newRow("thirty million, 30 games") << 30'000'000 << 200 << 1e-6;
  }
  void tickLabelsNeverTouch() {
    QFETCH(int, games);
    QFETCH(int, bonusEvery);
    QFETCH(double, zoom);
    const auto run = bonusEvery < 0    ? PlayRun(20240601, games)
                     : bonusEvery == 0 ? BarsRun(games, games + 1)
                                       : SparseRun(games, bonusEvery);
    ShowRun(*charts_, *run);
    for (QCustomPlot* plot : {Slump(), Bars()}) {
      Draw(plot);
      // Zoomed in on the end of the run, where the numbers are longest.
      const QCPRange whole = plot->xAxis->range();
      plot->xAxis->setRange(whole.upper - std::max(whole.size() * zoom, 10.0), whole.upper);
      for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
        Draw(plot);
        CheckTicks(axis);
        if (QTest::currentTestFailed()) {
          qWarning() << plot->objectName() << axis->label() << axis->range();
          return;
        }
      }
    }
    if (games == 30'000'000 && zoom == 1.0) {
      QCOMPARE(Slump()->xAxis->tickVectorLabels().constLast(), QStringLiteral("3,000万"));
    }
  }

  void barAxisPaddedByHalfABarAndResetWhenEmpty() {
    const QCPRange bottomAtStart = Layer().AxisRange(Bars(), ChartAxis::Bottom);
    const QCPRange leftAtStart = Layer().AxisRange(Bars(), ChartAxis::Left);

    const auto shownRun = BarsRun(40, 10);  // bars 0 to 3

    ShowRun(*charts_, *shownRun);
    const QCPRange bottom = Layer().AxisRange(Bars(), ChartAxis::Bottom);
    QCOMPARE(bottom.lower, -0.5);
    QCOMPARE(bottom.upper, 3.5);
    Bars()->replot(QCustomPlot::rpImmediateRefresh);
    QCOMPARE(Bars()->xAxis->range().lower, -0.5);  // the first bar is whole on screen
    QVERIFY(Layer().AxisRange(Bars(), ChartAxis::Left).upper > 10);

    // A run without a bonus: the axes of an empty chart, not the last run's.
    const auto laterRun = BarsRun(40, 41);
    ShowRun(*charts_, *laterRun);
    QCOMPARE(Layer().PointCount(Id("SlumpBSeries")), 0);
    const QCPRange emptyBottom = Layer().AxisRange(Bars(), ChartAxis::Bottom);
    const QCPRange emptyLeft = Layer().AxisRange(Bars(), ChartAxis::Left);
    QCOMPARE(emptyBottom.lower, bottomAtStart.lower);
    QCOMPARE(emptyBottom.upper, bottomAtStart.upper);
    QCOMPARE(emptyLeft.lower, leftAtStart.lower);
    QCOMPARE(emptyLeft.upper, leftAtStart.upper);
    Bars()->replot(QCustomPlot::rpImmediateRefresh);
    QCOMPARE(Bars()->xAxis->range().upper, bottomAtStart.upper);
  }

  void barMarksStandCentredOverTheirOwnBars_data() {
    QTest::addColumn<int>("games");         // -1: the outer bars the tallest
    QTest::addColumn<double>("zoomTo");     // bars in view; 0: the whole run
    QTest::addColumn<int>("minimumShare");  // of the bars in view that carry a mark, in percent
    QTest::newRow("8000 games") << 8000 << 0.0 << 40;
    QTest::newRow("8000 games, zoomed to 8 bars") << 8000 << 8.0 << 100;
    QTest::newRow("one million games") << 1'000'000 << 0.0 << 0;
    QTest::newRow("outer bars the tallest") << -1 << 0.0 << 0;
  }
  void barMarksStandCentredOverTheirOwnBars() {
    QFETCH(int, games);
    QFETCH(double, zoomTo);
    QFETCH(int, minimumShare);
    std::unique_ptr<RunRecords> run;
    if (games > 0) {
      run = PlayRun(20240601, games);
    } else {
      // Wide numbers over the first and the last bar, where the axes end.
      run = std::make_unique<RunRecords>();
      int32_t played = 0;
      for (int32_t height : {1490, 12, 300, 7, 1488}) {
        played += height;
        run->AppendRow(Row(played, height, 0, Code(Outcome::BIG)));
      }
    }
    ShowRun(*charts_, *run);
    QCustomPlot* plot = Bars();
    Draw(plot);
    if (zoomTo > 0) {
      plot->xAxis->setRange(2.5, 2.5 + zoomTo);
      Draw(plot);
    }
    ColouredBars* bars = BarSeries();
    const std::vector<ColouredBars::Mark> marks = bars->PlaceMarks();
    const QRectF area = plot->axisRect()->rect();
    const SeriesId series = Id("SlumpBSeries");
    int inView = 0;
    int tallest = -1;
    std::vector<QRectF> barRects;
    for (int i = 0; i < Layer().PointCount(series); ++i) {
      const ChartPoint bar = Layer().Point(series, i);
      const QRectF rect(
          QPointF(plot->xAxis->coordToPixel(bar.x - 0.4), plot->yAxis->coordToPixel(bar.y)),
          QPointF(plot->xAxis->coordToPixel(bar.x + 0.4), plot->yAxis->coordToPixel(0)));
      barRects.push_back(rect.normalized());
      if (!plot->xAxis->range().contains(bar.x)) continue;
      ++inView;
      if (tallest < 0 || bar.y > Layer().Point(series, tallest).y) tallest = i;
    }
    QVERIFY(inView > 0);
    QVERIFY2(static_cast<int>(marks.size()) * 100 >= minimumShare * inView,
             qPrintable(QStringLiteral("%1 marks over %2 bars").arg(marks.size()).arg(inView)));
    const QFontMetrics metrics(bars->MarkFont());
    QVERIFY(QFontInfo(bars->MarkFont()).pixelSize() >= 9);
    std::set<int> marked;
    for (size_t m = 0; m < marks.size(); ++m) {
      const ColouredBars::Mark& mark = marks[m];
      const QRectF& own = barRects[static_cast<size_t>(mark.index)];
      marked.insert(mark.index);
      QCOMPARE(QString(mark.text).remove(',').toDouble(), Layer().Point(series, mark.index).y);
      QVERIFY2(area.contains(mark.box), qPrintable(mark.text));  // not cut at an edge
      QVERIFY(mark.box.width() >= metrics.horizontalAdvance(mark.text));
      // Centred over its own bar, touching no other bar and no other mark.
      QVERIFY2(std::abs(mark.box.center().x() - own.center().x()) < 0.5, qPrintable(mark.text));
      QVERIFY(mark.box.bottom() <= own.top() || own.top() < area.top());
      for (size_t b = 0; b < barRects.size(); ++b) {
        QVERIFY(b == static_cast<size_t>(mark.index) || !mark.box.intersects(barRects[b]));
      }
      for (size_t n = m + 1; n < marks.size(); ++n) QVERIFY(!mark.box.intersects(marks[n].box));
    }
    // The longest stretch in view always has its number, where bars carry any.
    if (!marks.empty()) QVERIFY2(marked.count(tallest), qPrintable(QString::number(tallest)));
    if (games < 0) QCOMPARE(marked, (std::set<int>{0, 1, 2, 3, 4}));
  }

  void markersAtTheAxesEndsAreWhole() {
    // The run ends on a BIG at its highest balance: its marker stands on the
    // right end of the bottom axis, at the top of the points.
    RunRecords records;
    for (int32_t g = 1; g < 100; ++g) records.AppendRow(Row(g, g, g % 10, 0));
    records.AppendRow(Row(100, 100, 50, Code(Outcome::BIG)));
    ShowRun(*charts_, records);
    charts_->SetMarkerActive(kMarkerBIG, true);
    QCustomPlot* plot = Slump();
    auto blueBeyond = [&] {
      Draw(plot);
      const QImage image = plot->grab().toImage();
      const QRect area = plot->axisRect()->rect();
      const int y = static_cast<int>(plot->yAxis->coordToPixel(50));
      return CountColour(image, QRect(area.right() + 1, y - 5, 4, 11), 0x0000FF);
    };
    QVERIFY(blueBeyond() > 0);
    // A point out of view leaves no marker reaching in over the edge.
    plot->xAxis->setRange(1, 99);
    QCOMPARE(blueBeyond(), 0);
  }

  void slumpLegendListsEveryMarkerBesideThePlot() {
    const auto shownRun = PlayRun(20240601, 8000);
    ShowRun(*charts_, *shownRun);
    QCustomPlot* plot = Slump();
    plot->replot(QCustomPlot::rpImmediateRefresh);
    const int fullWidth = plot->axisRect()->width();
    QVERIFY(!plot->legend->visible());

    for (int i = 0; i < kMarkerSeriesCount; ++i) charts_->SetMarkerActive(i, true);
    plot->replot(QCustomPlot::rpImmediateRefresh);
    QStringList names;
    for (const MarkerSeriesStyle& style : kMarkerSeriesStyles) names << style.legendText;
    QCOMPARE(Layer().LegendTexts(plot), names);

    // Beside the plot: the points and the axis labels keep their room.
    QCPLegend* legend = plot->legend;
    QVERIFY(plot->rect().contains(legend->outerRect()));
    QVERIFY(!legend->outerRect().intersects(plot->axisRect()->outerRect()));
    QVERIFY(plot->axisRect()->width() < fullWidth);
    // Every entry whole, apart from the others.
    const QFontMetrics metrics(legend->font());
    std::vector<QRect> entries;
    for (int i = 0; i < legend->itemCount(); ++i) {
      QCPAbstractLegendItem* item = legend->item(i);
      auto* entry = qobject_cast<QCPPlottableLegendItem*>(item);
      QVERIFY(entry);
      const int needed = legend->iconSize().width() + legend->iconTextPadding() +
                         metrics.horizontalAdvance(entry->plottable()->name());
      QVERIFY2(item->rect().width() >= needed, qPrintable(entry->plottable()->name()));
      QVERIFY(item->rect().height() >= metrics.height());
      QVERIFY(legend->rect().contains(item->outerRect()));
      for (const QRect& other : entries) QVERIFY(!other.intersects(item->outerRect()));
      entries.push_back(item->outerRect());
    }

    // All off again: the plot has the whole width back.
    for (int i = 0; i < kMarkerSeriesCount; ++i) charts_->SetMarkerActive(i, false);
    plot->replot(QCustomPlot::rpImmediateRefresh);
    QCOMPARE(plot->axisRect()->width(), fullWidth);
  }

  void pieLegendsNameEverySliceInFull_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("the window's pages") << QSize(239, 180);
    QTest::newRow("cramped") << QSize(260, 80);
  }
  void pieLegendsNameEverySliceInFull() {
    QFETCH(QSize, size);
    const auto shownRun = PlayRun(3, 8000);
    ShowRun(*charts_, *shownRun);
    const std::array<const char*, 4> series = {"Ren3Series", "RenSeries", "KoyakuSeries",
                                               "RTCancelSeries"};
    for (size_t p = 0; p < series.size(); ++p) {
      PieChart* pie = Pies()[p];
      pie->resize(size);
      const SeriesId id = Id(series[p]);
      QStringList labels;
      for (int i = 0; i < Layer().PointCount(id); ++i) labels << Layer().Point(id, i).label;
      QCOMPARE(Layer().PieLegendTexts(id), labels);
      const PieLegend* legend = pie->Legend();
      if (labels.isEmpty()) {
        QVERIFY(legend->isHidden());  // no empty frame for the blank 3G連 pie
        continue;
      }
      QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
      QVERIFY(!legend->isHidden());
      QVERIFY(pie->contentsRect().contains(legend->geometry()));
      QVERIFY(!legend->geometry().intersects(pie->View()->geometry()));
      QVERIFY(QFontInfo(legend->LabelFont()).pixelSize() >= PieLegend::kSmallestPixels);
      const QFontMetrics metrics(legend->LabelFont());
      std::vector<QRect> taken;
      for (const PieLegend::Entry& entry : legend->Entries()) {
        QVERIFY2(entry.label.width() >= metrics.horizontalAdvance(entry.text),
                 qPrintable(entry.text));
        QVERIFY(legend->rect().contains(entry.label) && legend->rect().contains(entry.swatch));
        for (const QRect& other : taken) {
          QVERIFY(!other.intersects(entry.label) && !other.intersects(entry.swatch));
        }
        taken.push_back(entry.label);
        taken.push_back(entry.swatch);
      }
    }
  }
};

QTEST_MAIN(ResultChartsTest)
#include "ResultChartsTest.moc"
