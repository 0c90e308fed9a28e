// The many-run analysis dialog as a user drives it: the figures it shows
// against the core's, cancelling, input errors, and the main window going on
// while it works.
#include <qcustomplot.h>

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <memory>

#include "AnalysisDialog.h"
#include "AnalysisFanView.h"
#include "AnalysisTable.h"
#include "CountTicker.h"
#include "FanSeries.h"
#include "ManyRunAnalysis.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

AnalysisDialog& OpenDialog(WindowFixture& w) {
  Find<QAction>(w.form, "ToolAnalysisMenu")->trigger();
  AnalysisDialog* dialog = w.form.findChild<AnalysisDialog*>();
  Q_ASSERT(dialog != nullptr);
  return *dialog;
}

void SetInputs(AnalysisDialog& d, const QString& games, const QString& trials, int settingIndex,
               const QString& seed, const QString& big = "255", const QString& reg = "255") {
  d.GamesEdit->setText(games);
  d.TrialsEdit->setText(trials);
  d.SettingComboBox->setCurrentIndex(settingIndex);
  d.SeedEdit->setText(seed);
  d.BigStockEdit->setText(big);
  d.RegStockEdit->setText(reg);
}

constexpr int kAllSettingsIndex = 6;

}  // namespace

class AnalysisDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheCoreFiguresForAFixedSeed_data();
  void showsTheCoreFiguresForAFixedSeed();
  void theoryOutsideItsIntervalIsMarked();
  void fanShowsTheCoreBands_data();
  void fanShowsTheCoreBands();
  void cancelStopsPromptly();
  void badInputIsReported_data();
  void badInputIsReported();
  void mainWindowRunsWhileItWorks();
  void closingTheProgramStopsTheAnalysis();
};

void AnalysisDialogTest::showsTheCoreFiguresForAFixedSeed_data() {
  QTest::addColumn<int>("settingIndex");
  QTest::addColumn<int>("columns");
  QTest::newRow("all settings") << kAllSettingsIndex << 6;
  QTest::newRow("setting 4") << 3 << 1;
}

void AnalysisDialogTest::showsTheCoreFiguresForAFixedSeed() {
  QFETCH(int, settingIndex);
  QFETCH(int, columns);
  WindowFixture w;
  AnalysisDialog& d = OpenDialog(w);
  QVERIFY(d.isVisible());
  QVERIFY(!d.isModal());
  QVERIFY(!d.SeedEdit->text().isEmpty());  // a clock seed, shown before any start

  SetInputs(d, "600", "30", settingIndex, "4242", "200", "100");
  QSignalSpy ended(&d, &AnalysisDialog::Ended);
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  QVERIFY(d.Running());
  QVERIFY(!d.StartButton->isEnabled());
  QVERIFY(d.CancelButton->isEnabled());
  QVERIFY(ended.wait(20000));
  QVERIFY(!d.Running());
  QVERIFY(d.StartButton->isEnabled());
  QCOMPARE(d.ProgressBar->value(), d.ProgressBar->maximum());
  QVERIFY(w.dialogs.shown.empty());

  AnalysisRequest request;
  request.Games = 600;
  request.Trials = 30;
  request.Setting = settingIndex == kAllSettingsIndex ? kAllSettings : settingIndex + 1;
  request.BigStock = 200;
  request.RegStock = 100;
  request.Seed = 4242;
  request.Jobs = 1;  // the figures must not depend on the threads used
  const AnalysisOutcome core = RunAnalysis(request);
  QCOMPARE(ShownTable(d.FigureTable), TableTexts(AnalysisTableRows(core.Result)));

  // One series per setting, holding every run of it.
  QCOMPARE(d.HistogramPlot->plottableCount(), columns);
  for (int p = 0; p < columns; ++p) {
    double runs = 0;
    QCPAbstractPlottable* series = d.HistogramPlot->plottable(p);
    for (int i = 0; i < series->interface1D()->dataCount(); ++i) {
      runs += series->interface1D()->dataMainValue(i);
    }
    QCOMPARE(runs, 30.0);
    QCOMPARE(series->name(), QStringLiteral("設定%1").arg(core.Result.Settings[p].Setting));
  }
  // Ticked and labelled as the main window's charts are.
  for (QCustomPlot* plot : {d.HistogramPlot, d.FanView->FanPlot}) {
    for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
      QVERIFY(dynamic_cast<CountTicker*>(axis->ticker().data()));
    }
  }
  QCOMPARE(Records(w.form).RowCount(), size_t{0});  // the dialog plays machines of its own
}

// 20 runs of 400 games with this seed leave settings 1 and 3 with a pooled
// interval that misses the exact rate; the note, the colour and the tool tip
// mark exactly the settings the core names.
void AnalysisDialogTest::theoryOutsideItsIntervalIsMarked() {
  WindowFixture w;
  AnalysisDialog& d = OpenDialog(w);
  SetInputs(d, "400", "20", kAllSettingsIndex, "11");
  QSignalSpy ended(&d, &AnalysisDialog::Ended);
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  QVERIFY(ended.wait(20000));

  AnalysisRequest request;
  request.Games = 400;
  request.Trials = 20;
  request.Seed = 11;
  request.Jobs = 1;
  const AnalysisOutcome core = RunAnalysis(request);
  const QString theoryCaption = QStringLiteral("機械割(%) 理論値 400G");
  int theoryRow = -1;
  for (int r = 0; r < d.FigureTable->rowCount(); ++r) {
    if (d.FigureTable->item(r, 0)->text() == theoryCaption) theoryRow = r;
  }
  QVERIFY(theoryRow >= 0);
  int marked = 0;
  for (int c = 1; c <= 6; ++c) {
    const SettingFigures& f = core.Result.Settings[size_t(c - 1)];
    const bool outside = TheoryOutsidePooledInterval(f);
    marked += outside;
    for (int r = 0; r < d.FigureTable->rowCount(); ++r) {
      const QTableWidgetItem* item = d.FigureTable->item(r, c);
      const bool expected = outside && r == theoryRow;
      QCOMPARE(item->text().endsWith(QStringLiteral("※区間外")), expected);
      QCOMPARE(item->background().style() != Qt::NoBrush, expected);
      QCOMPARE(item->font().bold(), expected);
      QCOMPARE(item->toolTip().isEmpty(), !expected);
    }
    if (outside) {
      QCOMPARE(d.FigureTable->item(theoryRow, c)->toolTip(),
               QStringLiteral("理論値 %1 % が、全体の機械割の95%信頼区間 %2～%3 % の外にあります。")
                   .arg(QString::fromStdString(FormatFixed(f.Theory.ForRuns, 2)),
                        QString::fromStdString(FormatFixed(f.PooledPayoutRate.Low, 2)),
                        QString::fromStdString(FormatFixed(f.PooledPayoutRate.High, 2))));
    }
  }
  QCOMPARE(marked, 2);
}

void AnalysisDialogTest::fanShowsTheCoreBands_data() {
  QTest::addColumn<int>("settingIndex");
  QTest::addColumn<QString>("stocks");  // BIG and REG at the start
  QTest::addColumn<bool>("expectedLine");
  QTest::newRow("all settings, full stocks") << kAllSettingsIndex << "255" << true;
  QTest::newRow("setting 2, stocks that may run out") << 1 << "0" << false;
}

void AnalysisDialogTest::fanShowsTheCoreBands() {
  QFETCH(int, settingIndex);
  QFETCH(QString, stocks);
  QFETCH(bool, expectedLine);
  WindowFixture w;
  AnalysisDialog& d = OpenDialog(w);
  SetInputs(d, "600", "30", settingIndex, "4242", stocks, stocks);
  QSignalSpy ended(&d, &AnalysisDialog::Ended);
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  QVERIFY(ended.wait(20000));

  AnalysisRequest request;
  request.Games = 600;
  request.Trials = 30;
  request.Setting = settingIndex == kAllSettingsIndex ? kAllSettings : settingIndex + 1;
  request.BigStock = request.RegStock = stocks.toInt();
  request.Seed = 4242;
  request.Jobs = 1;
  const AnalysisOutcome core = RunAnalysis(request);
  AnalysisFanView& view = *d.FanView;
  ChartLayer& layer = view.Layer();
  QCOMPARE(view.SettingComboBox->count(), int(core.Result.Settings.size()));
  for (int i = 0; i < view.SettingComboBox->count(); ++i) {
    const SettingFigures& f = core.Result.Settings[size_t(i)];
    view.SettingComboBox->setCurrentIndex(i);
    // Every run starts from nothing at game 0.
    QCOMPARE(FanMismatch(layer, view.Fan(f.Setting), f.Fan, 0, 0), QString());
    const SeriesId line = view.ExpectedLine(f.Setting);
    QCOMPARE(layer.Active(line), expectedLine);
    QCOMPARE(view.NoteLabel->text().isEmpty(), expectedLine);
    if (expectedLine) {
      QCOMPARE(layer.PointCount(line), int(f.Fan.Games.size()) + 1);
      for (size_t k = 0; k < f.Fan.Games.size(); ++k) {
        QCOMPARE(layer.Point(line, int(k) + 1).x, double(f.Fan.Games[k]));
        QCOMPARE(layer.Point(line, int(k) + 1).y, f.ExpectedBalance[k]);
      }
    }
    // One setting at a time.
    for (int s = 1; s <= 6; ++s) QCOMPARE(layer.Active(view.Fan(s).Median), s == f.Setting);
  }

  // A new analysis starts from an empty chart.
  d.SeedEdit->setText("1");
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  QCOMPARE(view.SettingComboBox->count(), 0);
  for (int s = 1; s <= 6; ++s) QVERIFY(view.Fan(s).Empty());
  QVERIFY(ended.wait(20000));
}

void AnalysisDialogTest::cancelStopsPromptly() {
  WindowFixture w;
  AnalysisDialog& d = OpenDialog(w);
  QSignalSpy ended(&d, &AnalysisDialog::Ended);
  SetInputs(d, "100", "10", kAllSettingsIndex, "1");
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  QVERIFY(ended.wait(20000));
  const int shownRows = d.FigureTable->rowCount();
  QVERIFY(d.Shown() && shownRows > 0);
  // About a minute and a half of work: far more than the test waits for.
  SetInputs(d, "20000", "100000", kAllSettingsIndex, "1");
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(d.ProgressBar->value() > 0, 10000);  // the bar moves while it works
  QVERIFY(d.ProgressBar->value() < d.ProgressBar->maximum());

  QElapsedTimer clock;
  clock.start();
  QTest::mouseClick(d.CancelButton, Qt::LeftButton);
  QVERIFY(!d.CancelButton->isEnabled());
  QVERIFY(ended.wait(5000));
  QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
  QVERIFY(!d.Running());
  // The figures of the analysis before stay.
  QVERIFY(d.Shown());
  QCOMPARE(d.FigureTable->rowCount(), shownRows);
  QCOMPARE(d.StatusLabel->text(), QStringLiteral("分析をキャンセルしました"));
  QVERIFY(d.StartButton->isEnabled());
  QVERIFY(w.dialogs.shown.empty());

  // Closing the dialog cancels too; the menu shows the same one again.
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  QVERIFY(d.Running());
  d.close();
  QVERIFY(ended.wait(2000));
  QVERIFY(!d.Running());
  Find<QAction>(w.form, "ToolAnalysisMenu")->trigger();
  QCOMPARE(w.form.findChild<AnalysisDialog*>(), &d);
  QCOMPARE(d.GamesEdit->text(), QStringLiteral("20000"));
}

void AnalysisDialogTest::badInputIsReported_data() {
  QTest::addColumn<QStringList>("inputs");  // Play数, 試行回数, BIG, REG, seed
  QTest::addColumn<QString>("message");
  QTest::newRow("games text") << QStringList{"abc", "10", "255", "255", "1"}
                              << "'abc' は整数ではありません";
  QTest::newRow("games 0") << QStringList{"0", "10", "255", "255", "1"}
                           << "Play数は、1以上にしてください。";
  QTest::newRow("trials 0") << QStringList{"100", "0", "255", "255", "1"}
                            << "試行回数は、1～1000000にしてください。";
  QTest::newRow("big 256") << QStringList{"100", "10", "256", "255", "1"}
                           << "BIGストック数は、0～255にしてください。";
  QTest::newRow("reg -1") << QStringList{"100", "10", "255", "-1", "1"}
                          << "REGストック数は、0～255にしてください。";
  QTest::newRow("seed negative") << QStringList{"100", "10", "255", "255", "-1"}
                                 << "seedは、0～4294967295の整数にしてください。";
  QTest::newRow("seed too large") << QStringList{"100", "10", "255", "255", "4294967296"}
                                  << "seedは、0～4294967295の整数にしてください。";
}

void AnalysisDialogTest::badInputIsReported() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, message);
  WindowFixture w;
  AnalysisDialog& d = OpenDialog(w);
  SetInputs(d, inputs[0], inputs[1], kAllSettingsIndex, inputs[4], inputs[2], inputs[3]);
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  QVERIFY(!d.Running());
  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(w.dialogs.shown[0].box, FakeDialogs::Box::Error);
  QCOMPARE(w.dialogs.shown[0].message, message);
  QVERIFY(d.StartButton->isEnabled());
}

void AnalysisDialogTest::mainWindowRunsWhileItWorks() {
  WindowFixture w;
  w.SetInputs("500", "3");
  w.Start();
  const size_t rows = Records(w.form).RowCount();
  const QString summary = Find<QLabel>(w.form, "ResultLabel")->text();

  AnalysisDialog& d = OpenDialog(w);
  SetInputs(d, "20000", "100000", kAllSettingsIndex, "1");
  QSignalSpy ended(&d, &AnalysisDialog::Ended);
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  // The window answers (the workers' reports arrive through its messages)
  // and its run is the one it showed.
  QTRY_VERIFY_WITH_TIMEOUT(d.ProgressBar->value() > 0, 10000);
  QVERIFY(d.Running());
  QCOMPARE(Records(w.form).RowCount(), rows);
  QCOMPARE(Find<QLabel>(w.form, "ResultLabel")->text(), summary);

  // A new run of the main window plays and shows while the analysis goes on.
  w.SetInputs("300", "5");
  w.Start();
  QVERIFY(d.Running());
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));
  QCOMPARE(Records(w.form).LastRow().PlayCount, 300);

  QTest::mouseClick(d.CancelButton, Qt::LeftButton);
  QVERIFY(ended.wait(5000));
}

void AnalysisDialogTest::closingTheProgramStopsTheAnalysis() {
  // The window, and with it the dialog, goes while the workers still play:
  // they must stop at once and report to nobody.
  auto w = std::make_unique<WindowFixture>();
  AnalysisDialog& d = OpenDialog(*w);
  SetInputs(d, "20000", "100000", kAllSettingsIndex, "1");
  QTest::mouseClick(d.StartButton, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(d.ProgressBar->value() > 0, 10000);
  QElapsedTimer clock;
  clock.start();
  w.reset();
  QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
  // Reports posted before the end find no receiver.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

SORIMU_WINDOW_TEST_MAIN(AnalysisDialogTest)
#include "AnalysisDialogTest.moc"
