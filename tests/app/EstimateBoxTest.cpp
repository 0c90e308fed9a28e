// The 設定推測 box as a user drives it: the hall prior beside the estimate it
// leads to, the next games (期待収支) worked out off the window's thread
// against the core's figures, and their fan on the slump graph.
#include <qcustomplot.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <memory>

#include "ChartLayer.h"
#include "EstimateBox.h"
#include "EstimateTable.h"
#include "FanSeries.h"
#include "InputText.h"
#include "Messages.h"
#include "NextGamesPanel.h"
#include "ResultCharts.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

TEstimateBox& OpenBox(WindowFixture& w) {
  Find<QAction>(w.form, "ToolEstimateMenu")->trigger();
  TEstimateBox* box = w.form.findChild<TEstimateBox*>();
  Q_ASSERT(box != nullptr);
  // The rows are read as a job.
  if (!QTest::qWaitFor([box] { return !box->Reading(); }, 60000)) qFatal("still reading");
  return *box;
}

QVector<double> BarValues(QCustomPlot* chart, int series) {
  QVector<double> values;
  const auto* bars = qobject_cast<const QCPBars*>(chart->plottable(series));
  for (int i = 0; i < bars->data()->size(); ++i) values << bars->data()->at(i)->value;
  return values;
}

QVector<double> Percents(const std::array<double, 6>& shares) {
  QVector<double> values;
  for (double share : shares) values << share * 100.0;
  return values;
}

void SetNextInputs(NextGamesPanel& next, const QString& games, const QString& draws,
                   const QString& seed) {
  next.GamesEdit->setText(games);
  next.DrawsEdit->setText(draws);
  next.SeedEdit->setText(seed);
}

const QString kHall = QStringLiteral("40,25,15,10,5,5");

}  // namespace

class EstimateBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void priorAndEstimateSideBySide_data();
  void priorAndEstimateSideBySide();
  void badPriorKeepsTheLastGoodOne_data();
  void badPriorKeepsTheLastGoodOne();
  void nextGamesAreTheCoreFiguresAndDrawAsAFan();
  void predictionWorksOffTheWindowAndStops();
  void badNextGamesInputIsReported_data();
  void badNextGamesInputIsReported();
};

void EstimateBoxTest::priorAndEstimateSideBySide_data() {
  QTest::addColumn<QString>("prior");
  QTest::newRow("uniform") << "1,1,1,1,1,1";
  QTest::newRow("a hall's mix") << kHall;
  QTest::newRow("only 1 and 6, in fractions") << " 0.5, 0, 0, 0, 0 ,0.5";
}

void EstimateBoxTest::priorAndEstimateSideBySide() {
  QFETCH(QString, prior);
  WindowFixture w;
  w.SetInputs("8000", "?");
  w.Start();
  TEstimateBox& box = OpenBox(w);
  QCOMPARE(w.dialogs.modal, std::vector<QDialog*>{&box});
  QCOMPARE(box.PriorEdit->text(), QStringLiteral("1,1,1,1,1,1"));
  box.PriorEdit->setText(prior);

  const SettingEstimate expected =
      EstimateSetting(Records(w.form), *ParsePrior(prior.toStdString()));
  QVERIFY(expected.UsedStretches > 0);
  QVERIFY(box.PriorMessageLabel->isHidden());
  QCOMPARE(ShownTable(box.EstimateTable), TableTexts(EstimateTableRows(expected)));
  QCOMPARE(box.NoteLabel->text(), QString::fromStdString(EstimateNote(expected)));
  QCOMPARE(BarValues(box.EstimateChart, 0), Percents(expected.Prior));
  QCOMPARE(BarValues(box.EstimateChart, 1), Percents(expected.Probability));
  // Enter in the prior's box keeps the box open.
  box.show();
  QTest::keyClick(box.PriorEdit, Qt::Key_Return);
  QVERIFY(box.isVisible());

  // 均等に戻す brings back the uniform prior and its estimate.
  box.UniformButton->click();
  QCOMPARE(box.Prior(), UniformPrior());
  QCOMPARE(BarValues(box.EstimateChart, 1), Percents(EstimateSetting(Records(w.form)).Probability));

  // The drawn level stays hidden until the setting check.
  QCOMPARE(Find<QComboBox>(w.form, "FlevelComboBox")->currentText(), QStringLiteral("?"));
}

void EstimateBoxTest::badPriorKeepsTheLastGoodOne_data() {
  QTest::addColumn<QString>("typed");
  QTest::newRow("five weights") << "1,1,1,1,1";
  QTest::newRow("seven weights") << "1,1,1,1,1,1,1";
  QTest::newRow("a negative one") << "1,-1,1,1,1,1";
  QTest::newRow("all zero") << "0,0,0,0,0,0";
  QTest::newRow("words") << "a,b,c,d,e,f";
  QTest::newRow("nothing") << "";
}

void EstimateBoxTest::badPriorKeepsTheLastGoodOne() {
  QFETCH(QString, typed);
  WindowFixture w;
  w.SetInputs("3000", "5");
  w.Start();
  TEstimateBox& box = OpenBox(w);
  box.PriorEdit->setText(kHall);
  const QStringList table = ShownTable(box.EstimateTable);

  box.PriorEdit->setText(typed);
  QVERIFY(!box.PriorMessageLabel->isHidden());
  QCOMPARE(box.PriorMessageLabel->text(), QString::fromUtf8(kPriorMessage));
  QCOMPARE(box.Prior(), *ParsePrior(kHall.toStdString()));
  QCOMPARE(box.PriorText(), kHall);
  QCOMPARE(ShownTable(box.EstimateTable), table);
  QVERIFY(w.dialogs.shown.empty());  // said in the box, not in another one

  // Closed, the box shows the prior it used when it opens again.
  box.reject();
  QCOMPARE(box.PriorEdit->text(), kHall);
  QVERIFY(box.PriorMessageLabel->isHidden());
}

void EstimateBoxTest::nextGamesAreTheCoreFiguresAndDrawAsAFan() {
  WindowFixture w;
  w.SetInputs("3000", "4");
  w.Start();
  TEstimateBox& box = OpenBox(w);
  box.PriorEdit->setText(kHall);
  NextGamesPanel& next = *box.NextGames;
  QCOMPARE(next.GamesEdit->text(), QStringLiteral("1000"));
  SetNextInputs(next, "700", "3000", "99");
  QSignalSpy ended(&next, &NextGamesPanel::Ended);
  // Enter on the page computes, as 計算 does.
  box.show();
  box.Pages->setCurrentWidget(&next);
  QTest::keyClick(next.GamesEdit, Qt::Key_Return);
  QVERIFY(box.isVisible());
  QVERIFY(next.Running());
  QVERIFY(!next.StartButton->isEnabled() && !box.PriorEdit->isEnabled());
  QVERIFY(ended.wait(60000));
  QVERIFY(!next.Running());
  QVERIFY(next.StartButton->isEnabled() && box.PriorEdit->isEnabled());

  NextGamesRequest request;
  request.Games = 700;
  request.Draws = 3000;
  request.Seed = 99;
  request.Jobs = 1;  // the figures must not depend on the threads used
  request.Prior = *ParsePrior(kHall.toStdString());
  const NextGamesOutcome core = PredictNextGames(Records(w.form), request);
  QVERIFY(core.status.Ok());
  QCOMPARE(ShownTable(next.FigureTable), TableTexts(NextGamesTableRows(core.Prediction)));
  QCOMPARE(next.StatusLabel->text(), QStringLiteral("次の700ゲーム（予測回数 3000、seed 99）"));
  QVERIFY(w.dialogs.shown.empty());

  // Asked for, the fan starts at the run's last row and widens the graph.
  const ChartLayer& layer = w.form.Charts().Layer();
  const FanSeries& fan = w.form.Charts().ForecastFan();
  auto* slump = static_cast<QCustomPlot*>(w.form.Charts().SlumpChart());
  const RunRow last = Records(w.form).LastRow();
  QVERIFY(fan.Empty());
  next.FanCheckBox->setChecked(true);
  QCOMPARE(FanMismatch(layer, fan, core.Prediction.Fan, last.PlayCount, last.Medal), QString());
  QVERIFY(layer.Active(fan.Median));
  QVERIFY(layer.LegendTexts(slump).contains(QStringLiteral("予測 中央値")));
  QCOMPARE(w.form.Charts().Layer().AxisRange(slump, ChartAxis::Bottom).upper,
           last.PlayCount + 700.0);
  next.FanCheckBox->setChecked(false);
  QVERIFY(fan.Empty());
  QVERIFY(!layer.LegendTexts(slump).contains(QStringLiteral("予測 中央値")));
  QCOMPARE(w.form.Charts().Layer().AxisRange(slump, ChartAxis::Bottom).upper,
           double(last.PlayCount));

  // Another prior makes it another prediction: the old one goes, fan and all.
  next.FanCheckBox->setChecked(true);
  box.PriorEdit->setText(QStringLiteral("1,1,1,1,1,1"));
  QVERIFY(!next.Shown());
  QVERIFY(fan.Empty());

  // A new display takes the fan away with the run it belonged to.
  QTest::mouseClick(next.StartButton, Qt::LeftButton);
  QVERIFY(ended.wait(60000));
  QVERIFY(!fan.Empty());
  w.SetInputs("500", "2");
  w.Start();
  QVERIFY(fan.Empty());
  QVERIFY(!layer.Active(fan.Median));
  QVERIFY(!next.Shown());
}

void EstimateBoxTest::predictionWorksOffTheWindowAndStops() {
  auto fixture = std::make_unique<WindowFixture>();
  WindowFixture& w = *fixture;
  w.SetInputs("2000", "3");
  w.Start();
  TEstimateBox& box = OpenBox(w);
  NextGamesPanel& next = *box.NextGames;
  // Minutes of work: far more than the test waits for.
  SetNextInputs(next, "100000", "100000", "1");
  QSignalSpy ended(&next, &NextGamesPanel::Ended);
  QTest::mouseClick(next.StartButton, Qt::LeftButton);
  // Back in the window while the draws go on, whose progress reaches it
  // through its own messages.
  QVERIFY(next.Running());
  QTRY_VERIFY_WITH_TIMEOUT(next.ProgressBar->value() > 0, 60000);
  QVERIFY(next.Running());
  QTest::mouseClick(next.CancelButton, Qt::LeftButton);
  QVERIFY(ended.wait(20000));
  QVERIFY(!next.Running());
  QVERIFY(!next.Shown());
  QCOMPARE(next.StatusLabel->text(), QStringLiteral("計算をキャンセルしました"));
  QVERIFY(next.StartButton->isEnabled() && box.PriorEdit->isEnabled());

  // Closing the box stops it; so does anything that replaces the records.
  QTest::mouseClick(next.StartButton, Qt::LeftButton);
  QVERIFY(next.Running());
  box.reject();
  QVERIFY(!next.Running());
  QTest::mouseClick(next.StartButton, Qt::LeftButton);
  QVERIFY(next.Running());
  w.Start();
  QVERIFY(!next.Running());
  QVERIFY(next.StartButton->isEnabled());
  QVERIFY(w.dialogs.shown.empty());

  // The window goes while the draws play: they stop with it, and their
  // reports find nobody.
  OpenBox(w);
  QTest::mouseClick(next.StartButton, Qt::LeftButton);
  QVERIFY(next.Running());
  fixture.reset();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

void EstimateBoxTest::badNextGamesInputIsReported_data() {
  QTest::addColumn<QStringList>("inputs");  // ゲーム数, 予測回数, seed
  QTest::addColumn<QString>("message");
  QTest::newRow("games 0") << QStringList{"0", "100", "1"} << kNextGamesRangeMessage;
  QTest::newRow("games text") << QStringList{"abc", "100", "1"} << "'abc' は整数ではありません";
  QTest::newRow("draws past the most")
      << QStringList{"100", "1000001", "1"} << kNextDrawsRangeMessage;
  QTest::newRow("seed negative") << QStringList{"100", "100", "-1"} << kSeedRangeMessage;
}

void EstimateBoxTest::badNextGamesInputIsReported() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, message);
  WindowFixture w;
  w.SetInputs("300", "1");
  w.Start();
  NextGamesPanel& next = *OpenBox(w).NextGames;
  SetNextInputs(next, inputs[0], inputs[1], inputs[2]);
  QTest::mouseClick(next.StartButton, Qt::LeftButton);
  QVERIFY(!next.Running());
  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(w.dialogs.shown[0].message, message);
}

SORIMU_WINDOW_TEST_MAIN(EstimateBoxTest)
#include "EstimateBoxTest.moc"
