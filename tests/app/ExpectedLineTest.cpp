// The 期待差枚 box and the expected-balance line of the slump graph: which
// runs get a line, that it is the exact figure of the run shown, that a
// hidden level stays hidden until its setting check, and that the box is
// checked only where a line is drawn.
#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "ChartLayer.h"
#include "ExpectedLine.h"
#include "ResultCharts.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

struct LineSeries {
  const ChartLayer& layer;
  SeriesId id;
  explicit LineSeries(const TMainForm& form)
      : layer(form.Charts().Layer()), id(layer.Find(QStringLiteral("ExpectedSeries"))) {}
  int Points() const { return layer.PointCount(id); }
  bool Active() const { return layer.Active(id); }
};

QCustomPlot* Slump(const TMainForm& form) {
  return static_cast<QCustomPlot*>(form.Charts().SlumpChart());
}

}  // namespace

class ExpectedLineTest : public QObject {
  Q_OBJECT

 private slots:
  void boxWaitsForARun();
  void lineIsTheExactExpectationOfTheRunShown();
  void hiddenLevelGetsItsLineOnlyFromItsOwnSettingCheck();
  void noLineWhereAStockCouldRunOut_data();
  void noLineWhereAStockCouldRunOut();
  void switchStaysOnThroughLaterRuns();
};

void ExpectedLineTest::boxWaitsForARun() {
  WindowFixture w;
  QCheckBox* box = Find<QCheckBox>(w.form, "ExpectedCheckBox");
  QCOMPARE(box->parentWidget(), static_cast<QWidget*>(Find<QGroupBox>(w.form, "GroupBox1")));
  QVERIFY(!box->isChecked());
  QVERIFY(!box->isEnabled());
  QCOMPARE(box->toolTip(), QStringLiteral("結果を表示すると使えます。"));
  QCOMPARE(LineSeries(w.form).Points(), 0);
}

void ExpectedLineTest::lineIsTheExactExpectationOfTheRunShown() {
  WindowFixture w;
  w.SetInputs("20000", "4", "1", "240", "250");
  w.Start();
  QCheckBox* box = Find<QCheckBox>(w.form, "ExpectedCheckBox");
  QVERIFY(box->isEnabled());
  QVERIFY(box->toolTip().startsWith(QStringLiteral("設定4で")));
  const LineSeries line(w.form);
  QCOMPARE(line.Points(), 0);  // worked out only once asked for
  QVERIFY(!line.Active());

  box->click();
  QVERIFY(line.Active());
  theory::RunStart start;  // a new machine's first run bets on its first game
  start.BigStock = 240;
  start.RegStock = 250;
  const theory::ExpectedRun exact =
      theory::ComputeExpectedRun(theory::DefaultCycleModel(4), start, 20000);
  QVERIFY(exact.ExactGames < 20000);
  QCOMPARE(line.Points(), exact.ExactGames + 1);
  for (int n : {1, 7, 100, 5000, exact.ExactGames}) {
    const ChartPoint point = line.layer.Point(line.id, n - 1);
    QCOMPARE(point.x, double(n));
    QCOMPARE(point.y, double(exact.BalanceAt(n)));
  }
  const ChartPoint last = line.layer.Point(line.id, line.Points() - 1);
  QCOMPARE(last.x, 20000.0);
  QCOMPARE(last.y, double(exact.BalanceAt(20000)));
  QVERIFY(line.layer.LegendTexts(Slump(w.form)).contains(QStringLiteral("期待差枚(設定4)")));

  box->click();
  QVERIFY(!line.Active());
  QVERIFY(!line.layer.LegendTexts(Slump(w.form)).contains(QStringLiteral("期待差枚(設定4)")));
  QCOMPARE(line.Points(), exact.ExactGames + 1);  // kept for the next switch
}

void ExpectedLineTest::hiddenLevelGetsItsLineOnlyFromItsOwnSettingCheck() {
  WindowFixture w;
  w.SetInputs("3000", "2");
  w.Start();
  Find<QCheckBox>(w.form, "ExpectedCheckBox")->click();
  const LineSeries line(w.form);
  QVERIFY(line.Active());

  w.SetInputs("3000", "?");
  w.Start();
  QCheckBox* box = Find<QCheckBox>(w.form, "ExpectedCheckBox");
  // Greyed, the box is not checked: no line stands behind it. The wish stays.
  QVERIFY(!box->isEnabled());
  QVERIFY(!box->isChecked());
  QVERIFY(w.form.Presenter().ExpectedLineWanted());
  QCOMPARE(box->toolTip(),
           QStringLiteral("設定「?」で遊技した結果には、設定確認の後に表示できます。"));
  QCOMPARE(line.Points(), 0);
  QVERIFY(!line.Active());

  // A batch's setting check tells the level of its last run, not of this one.
  QTemporaryDir dir;
  w.dialogs.saveAnswers.push_back(dir.filePath("batch.sim"));
  w.SetInputs("100", "?", "2");
  w.Start();
  QTest::mouseClick(Find<QPushButton>(w.form, "FlevelButton"), Qt::LeftButton);
  QVERIFY(!box->isEnabled());
  QVERIFY(!box->isChecked());
  QCOMPARE(line.Points(), 0);

  // Its own check shows the line of the level drawn for it.
  w.SetInputs("3000", "?", "1");
  w.Start();
  QVERIFY(!box->isEnabled());
  QTest::mouseClick(Find<QPushButton>(w.form, "FlevelButton"), Qt::LeftButton);
  const int level = w.form.Presenter().CurrentSession().Machine().GetFlevel();
  QCOMPARE(Find<QComboBox>(w.form, "FlevelComboBox")->currentText(), QString::number(level));
  QVERIFY(box->isEnabled());
  QVERIFY(box->isChecked());  // the wish, shown again with its line
  QVERIFY(line.Active());
  QVERIFY(line.Points() > 0);
  QVERIFY(line.layer.LegendTexts(Slump(w.form))
              .contains(QStringLiteral("期待差枚(設定%1)").arg(level)));
  const LineOffer offer = OfferExpectedLine(w.form.Presenter().CurrentSession().Shown());
  const ExpectedLine expected = ComputeExpectedLine(offer);
  QCOMPARE(line.layer.Point(line.id, 99).y, expected.Points[99].Balance);
}

void ExpectedLineTest::noLineWhereAStockCouldRunOut_data() {
  QTest::addColumn<QString>("flevel");
  QTest::addColumn<QString>("big");
  QTest::addColumn<QString>("reg");
  QTest::addColumn<bool>("offered");
  QTest::newRow("filled") << "6"
                          << "255"
                          << "255" << true;
  QTest::newRow("empty BIG stock") << "1"
                                   << "0"
                                   << "255" << false;
  QTest::newRow("empty REG stock") << "3"
                                   << "255"
                                   << "0" << false;
  QTest::newRow("100 each at setting 6") << "6"
                                         << "100"
                                         << "100" << false;
  QTest::newRow("100 each at setting 1") << "1"
                                         << "100"
                                         << "100" << true;
}

void ExpectedLineTest::noLineWhereAStockCouldRunOut() {
  QFETCH(QString, flevel);
  QFETCH(QString, big);
  QFETCH(QString, reg);
  QFETCH(bool, offered);
  WindowFixture w;
  QCheckBox* box = Find<QCheckBox>(w.form, "ExpectedCheckBox");
  box->setChecked(true);  // set while greyed: wanted for the first run that gets a line
  QVERIFY(!box->isChecked());
  w.SetInputs("8000", flevel, "1", big, reg);
  w.Start();
  const LineSeries line(w.form);
  QCOMPARE(box->isEnabled(), offered);
  QCOMPARE(box->isChecked(), offered);
  QCOMPARE(line.Active(), offered);
  QCOMPARE(line.Points() > 0, offered);
  if (!offered) {
    QVERIFY(box->toolTip().startsWith(
        QStringLiteral("開始時のストックが途中で尽きる可能性があるため")));
  }
}

void ExpectedLineTest::switchStaysOnThroughLaterRuns() {
  WindowFixture w;
  w.SetInputs("500", "5");
  w.Start();
  Find<QCheckBox>(w.form, "ExpectedCheckBox")->click();
  const LineSeries line(w.form);
  QCOMPARE(line.layer.Point(line.id, line.Points() - 1).x, 500.0);

  w.SetInputs("800", "1");
  w.Start();
  QVERIFY(line.Active());
  QCOMPARE(line.layer.Point(line.id, line.Points() - 1).x, 800.0);
  QVERIFY(line.layer.LegendTexts(Slump(w.form)).contains(QStringLiteral("期待差枚(設定1)")));
}

SORIMU_WINDOW_TEST_MAIN(ExpectedLineTest)
#include "ExpectedLineTest.moc"
