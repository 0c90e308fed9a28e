// Long commands as the user meets them: the window takes every event while a
// run plays or a file's estimate is read, takes no command meanwhile (nothing
// is queued), and 中断, Esc, closing and キャンセル stop the work at once,
// leaving the window as it was. Quick runs offer nothing to stop.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <functional>

#include "AxisLabels.h"
#include "ChartLayer.h"
#include "EstimateBox.h"
#include "Messages.h"
#include "QtText.h"
#include "ResultCharts.h"
#include "ResultListViewData.h"
#include "SimWriter.h"
#include "WindowControls.h"
#include "WindowTestSupport.h"

using namespace sorimu;
using std::chrono::milliseconds;

namespace {

// Every run counts as long at once, so 中断 is offered from its start.
constexpr milliseconds kAtOnce{0};
constexpr milliseconds kNever{3'600'000};

// What the window shows of a run, to compare before and after.
struct Shown {
  QByteArray records;
  QString summary;
  int listRows = 0;
  QStringList bonuses;
  int slumpPoints = 0;
  int progress = 0;

  static Shown Of(WindowFixture& w) {
    Shown shown;
    shown.records = SimBytes(1, 0, Records(w.form));
    shown.summary = w.Find<QLabel>("ResultLabel")->text();
    shown.listRows = ListModel(w.form).rowCount();
    shown.bonuses = ListTexts(w.Find<QTreeWidget>("BListView"));
    const ChartLayer& layer = w.form.Charts().Layer();
    shown.slumpPoints = layer.PointCount(layer.Find(QStringLiteral("SlumpSeries")));
    shown.progress = w.Find<QProgressBar>("ProgressBar1")->value();
    return shown;
  }
  bool operator==(const Shown&) const = default;
};

// How the event loop kept up while `busy` held, over at most `span`: the
// longest gap between the ticks of a 10 ms timer, and the longest wait of a
// call posted to the loop.
struct Responsiveness {
  qint64 longestGapMs = 0;
  qint64 longestPostMs = 0;
};

Responsiveness Watch(const std::function<bool()>& busy, milliseconds span) {
  Responsiveness seen;
  QElapsedTimer clock;
  clock.start();
  qint64 lastTick = 0;
  QTimer ticker;
  ticker.setInterval(10);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.elapsed();
    seen.longestGapMs = std::max(seen.longestGapMs, now - lastTick);
    lastTick = now;
    QMetaObject::invokeMethod(
        &ticker,
        [&, posted = now] {
          seen.longestPostMs = std::max(seen.longestPostMs, clock.elapsed() - posted);
        },
        Qt::QueuedConnection);
  });
  ticker.start();
  while (busy() && clock.elapsed() < span.count()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  return seen;
}

// Milliseconds from `action` until `busy` no longer holds, measured by the loop.
qint64 TimeToStop(const std::function<void()>& action, const std::function<bool()>& busy) {
  QElapsedTimer clock;
  clock.start();
  action();
  while (busy() && clock.elapsed() < 60000) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  return clock.elapsed();
}

}  // namespace

class LongRunTest : public QObject {
  Q_OBJECT

 private slots:
  void stoppedRunLeavesTheWindowAsItWas_data();
  void stoppedRunLeavesTheWindowAsItWas();
  void longRunShowsProgressThenTheRun();
  void quickRunOffersNothingAndTakesNoCommand();
  void windowAnswersDuringAHugeRunAndItsEstimate();
  void hugeRunTakesNoInputAndIsShownWhole();

 private:
  QTemporaryDir dir_;
};

void LongRunTest::stoppedRunLeavesTheWindowAsItWas_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<QString>("simNum");
  QTest::newRow("cancel button") << "button"
                                 << "1";
  QTest::newRow("Esc") << "escape"
                       << "1";
  QTest::newRow("closing the window") << "close"
                                      << "1";
  QTest::newRow("batch, cancel button") << "button"
                                        << "2";
}

void LongRunTest::stoppedRunLeavesTheWindowAsItWas() {
  QFETCH(QString, how);
  QFETCH(QString, simNum);
  WindowFixture w(20240601, kAtOnce);
  w.SetInputs("3000", "3");
  w.Start();
  const Shown before = Shown::Of(w);
  QVERIFY(before.listRows > 3000);

  auto* cancel = w.Find<QPushButton>("CancelButton");
  const QString batch = dir_.filePath(QStringLiteral("stopped-%1.sim").arg(how));
  w.dialogs.saveAnswers.push_back(batch);
  w.SetInputs("30000000", "?", simNum, "100", "100");
  QTest::mouseClick(w.Find<QPushButton>("StartButton"), Qt::LeftButton);
  QTRY_VERIFY(!cancel->isHidden());
  QVERIFY(w.form.Presenter().Busy() && w.form.Presenter().LongRun());
  QVERIFY(!w.Find<QPushButton>("StartButton")->isEnabled());
  QVERIFY(!w.Find<QLineEdit>("PlayNumEdit")->isEnabled());
  QVERIFY(!w.Find<QAction>("FileOpenMenu")->isEnabled());
  QVERIFY(cancel->isEnabled());

  if (how == "button") QTest::mouseClick(cancel, Qt::LeftButton);
  if (how == "escape") QTest::keyClick(&w.form, Qt::Key_Escape);
  if (how == "close") w.form.close();
  WaitIdle(w.form);

  QCOMPARE(StatusText(w.form), QString::fromUtf8(kRunCancelledStatus));
  QVERIFY(Shown::Of(w) == before);
  QCOMPARE(Records(w.form).LastRow().PlayCount, 3000);
  QCOMPARE(w.Find<QLabel>("Label3")->text(), QStringLiteral("終了時に設定が確認できます。"));
  QVERIFY(QDir(dir_.path()).entryList(QDir::Files).isEmpty());
  QVERIFY(w.dialogs.shown.empty());
  QVERIFY(cancel->isHidden());
  QVERIFY(w.Find<QPushButton>("StartButton")->isEnabled());
  QTRY_COMPARE(w.form.isVisible(), how != "close");

  // Esc after the run cancels nothing.
  QTest::keyClick(&w.form, Qt::Key_Escape);
  w.SetInputs("200", "2");
  w.Start();
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));
  QCOMPARE(Records(w.form).LastRow().PlayCount, 200);
}

void LongRunTest::longRunShowsProgressThenTheRun() {
  WindowFixture w(7, kAtOnce);
  auto* bar = w.Find<QProgressBar>("ProgressBar1");
  w.SetInputs("3000000", "4");
  QTest::mouseClick(w.Find<QPushButton>("StartButton"), Qt::LeftButton);
  QTRY_VERIFY(bar->value() > 0 || !w.form.Presenter().Busy());
  const int seen = bar->value();
  // The games are played; while the run is made ready to show, 中断 stays.
  while (w.form.Presenter().Phase() == RunPhase::Running) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  QCOMPARE(w.form.Presenter().Phase(), RunPhase::Showing);
  auto* cancel = w.Find<QPushButton>("CancelButton");
  QVERIFY(!cancel->isHidden() && cancel->isEnabled());
  QVERIFY(!w.Find<QPushButton>("StartButton")->isEnabled());
  WaitIdle(w.form);

  QVERIFY(seen > 0 && seen <= 100);
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));
  QCOMPARE(Records(w.form).LastRow().PlayCount, 3000000);
  QCOMPARE(ListModel(w.form).rowCount(), static_cast<int>(Records(w.form).RowCount()));
  QCOMPARE(bar->value(), 100);
  QVERIFY(w.Find<QPushButton>("CancelButton")->isHidden());
  QVERIFY(!w.form.Presenter().LongRun());
}

// A click on 開始 (and Enter, and the menu) while a run works is not taken and
// does not wait to start a second run once the first is shown.
void LongRunTest::quickRunOffersNothingAndTakesNoCommand() {
  WindowFixture w(7, kNever);
  w.SetInputs("3000000", "4");
  auto* start = w.Find<QPushButton>("StartButton");
  QTest::mouseClick(start, Qt::LeftButton);
  QVERIFY(w.form.Presenter().Busy());
  for (int i = 0; i < 3; ++i) {
    QTest::mouseClick(start, Qt::LeftButton);
    QTest::keyClick(start, Qt::Key_Return);
    w.Find<QAction>("FileStartMenu")->trigger();
  }
  WaitIdle(w.form);
  const RunRef shown = w.form.Presenter().CurrentSession().Current();
  QTest::qWait(100);  // anything queued would start now
  QVERIFY(!w.form.Presenter().Busy());
  QCOMPARE(w.form.Presenter().CurrentSession().Current(), shown);
  QVERIFY(w.Find<QPushButton>("CancelButton")->isHidden());
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));
  QCOMPARE(Records(w.form).LastRow().PlayCount, 3000000);
}

// During a 3×10^7-game run, and while the estimate reads a file of 3×10^6
// rows that cost its filter most, the window answers within 100 ms; 中断 and
// キャンセル take effect within 0.2 s. Watched over the first part of the
// work, then stopped, so the test stays short.
void LongRunTest::windowAnswersDuringAHugeRunAndItsEstimate() {
  WindowFixture w(11, kAtOnce);
  w.SetInputs("30000000", "6");
  QTest::mouseClick(w.Find<QPushButton>("StartButton"), Qt::LeftButton);
  const auto running = [&] { return w.form.Presenter().Busy(); };
  Responsiveness seen = Watch(running, milliseconds(800));
  QVERIFY(running());
  QVERIFY2(seen.longestGapMs < 100 && seen.longestPostMs < 100,
           qPrintable(QStringLiteral("gap %1 ms, posted %2 ms")
                          .arg(seen.longestGapMs)
                          .arg(seen.longestPostMs)));
  auto* cancel = w.Find<QPushButton>("CancelButton");
  QVERIFY(cancel->isEnabled());
  const qint64 stopMs = TimeToStop([&] { QTest::mouseClick(cancel, Qt::LeftButton); }, running);
  QVERIFY2(stopMs <= 200, qPrintable(QString::number(stopMs)));
  QCOMPARE(StatusText(w.form), QString::fromUtf8(kRunCancelledStatus));

  // Empty stocks and a 4-cherry B on nearly every row: every row costs the
  // estimate's filter its most.
  RunRecords crafted;
  crafted.SetStartStocks(0, 0);
  for (int32_t game = 1; game <= 3000000; ++game) {
    const int32_t outcome = game % 50 == 0 ? Code(Outcome::Miss) : Code(Outcome::Cherry4B);
    crafted.AppendRow(RunRow{game, -3 * game, game, 0, outcome, 0, 0, 0, 0, 0, 0, 0});
  }
  const QString path = dir_.filePath(QStringLiteral("crafted.sim"));
  QVERIFY(SaveSimFile(LocalPath(path), SimFileHeader{1, 3000000, 0, 0}, crafted).Ok());
  w.dialogs.openAnswers.push_back(path);
  w.Find<QAction>("FileOpenMenu")->trigger();
  WaitIdle(w.form);
  QCOMPARE(Records(w.form).RowCount(), size_t{3000000});

  w.Find<QAction>("ToolEstimateMenu")->trigger();
  auto* box = w.form.findChild<TEstimateBox*>();
  QVERIFY(box != nullptr && box->Reading());
  const auto reading = [&] { return box->Reading(); };
  seen = Watch(reading, milliseconds(300));
  QVERIFY(reading());
  QVERIFY2(seen.longestGapMs < 100 && seen.longestPostMs < 100,
           qPrintable(QStringLiteral("gap %1 ms, posted %2 ms")
                          .arg(seen.longestGapMs)
                          .arg(seen.longestPostMs)));
  QVERIFY(box->ReadProgressBar->value() > 0);
  const qint64 cancelMs =
      TimeToStop([&] { QTest::mouseClick(box->ReadCancelButton, Qt::LeftButton); }, reading);
  QVERIFY2(cancelMs <= 200, qPrintable(QString::number(cancelMs)));
  QVERIFY(box->ReadProgressBar->isHidden());
}

// 3×10^7 games played and shown as a user meets them: nothing clicked,
// pressed or typed is taken while the command works, 中断 stays until the run
// is shown, and then the axes and the summary read in full.
void LongRunTest::hugeRunTakesNoInputAndIsShownWhole() {
  WindowFixture w(5, kAtOnce);
  w.SetInputs("30000000", "?");
  auto* start = w.Find<QPushButton>("StartButton");
  auto* playNum = w.Find<QLineEdit>("PlayNumEdit");
  auto* cancel = w.Find<QPushButton>("CancelButton");
  QTest::mouseClick(start, Qt::LeftButton);
  QTRY_VERIFY(!cancel->isHidden());
  bool sawShowing = false;
  while (w.form.Presenter().Busy()) {
    sawShowing |= w.form.Presenter().Phase() == RunPhase::Showing;
    QVERIFY(!cancel->isHidden() && cancel->isEnabled());
    QTest::mouseClick(start, Qt::LeftButton);
    QTest::keyClick(start, Qt::Key_Return);
    QTest::keyClicks(playNum, "5");
    w.Find<QAction>("FileStartMenu")->trigger();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }
  QVERIFY(sawShowing);
  const RunRef shown = w.form.Presenter().CurrentSession().Current();
  QTest::qWait(100);  // anything queued would start now
  QVERIFY(!w.form.Presenter().Busy());
  QCOMPARE(w.form.Presenter().CurrentSession().Current(), shown);
  QCOMPARE(playNum->text(), QStringLiteral("30000000"));
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));
  QCOMPARE(Records(w.form).LastRow().PlayCount, 30000000);
  QVERIFY(cancel->isHidden());

  for (QWidget* chart : {w.form.Charts().SlumpChart(), w.form.Charts().SlumpChart2()}) {
    auto* plot = static_cast<QCustomPlot*>(chart);
    plot->replot(QCustomPlot::rpImmediateRefresh);
    plot->replot(QCustomPlot::rpImmediateRefresh);
    for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
      const QString fault = TickLabelFault(axis);
      QVERIFY2(fault.isEmpty(), qPrintable(plot->objectName() + ": " + fault));
    }
  }
  auto* summary = w.Find<SummaryLabel>("ResultLabel");
  QVERIFY(summary->parentWidget()->rect().contains(summary->geometry()));
  for (const QString& line : summary->text().split('\n')) {
    QVERIFY2(QFontMetrics(summary->LineFace(line)).horizontalAdvance(line) <= summary->width(),
             qPrintable(line));
  }
}

SORIMU_WINDOW_TEST_MAIN(LongRunTest)
#include "LongRunTest.moc"
