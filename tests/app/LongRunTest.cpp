// Runs long enough to show their progress: the cancel button, Esc and
// closing the window stop them and leave the window as it was; quick runs
// offer nothing and handle no messages while they play.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <functional>

#include "ChartLayer.h"
#include "Messages.h"
#include "ResultCharts.h"
#include "ResultListViewData.h"
#include "WindowTestSupport.h"

using namespace sorimu;
using std::chrono::milliseconds;

namespace {

// Every run counts as long at once: its first progress report shows the
// cancel button, and what the test queues runs there.
constexpr milliseconds kAtOnce{0};
constexpr milliseconds kNever{3'600'000};

// Calls `action` (queued, so from the window's own message handling) the
// first time the cancel button appears, and remembers what was seen then.
class OnCancelShown : public QObject {
 public:
  OnCancelShown(TMainForm& form, std::function<void()> action)
      : form_(form), action_(std::move(action)) {
    form.CancelButton->installEventFilter(this);
  }
  int shown = 0;
  bool busyThen = false;
  bool inputsLockedThen = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show && shown++ == 0) {
      busyThen = form_.Busy() && form_.LongRun();
      inputsLockedThen = !form_.StartButton->isEnabled() && !form_.PlayNumEdit->isEnabled() &&
                         !form_.FileOpenMenu->isEnabled() && form_.CancelButton->isEnabled();
      QMetaObject::invokeMethod(&form_, action_, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  TMainForm& form_;
  std::function<void()> action_;
};

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
    shown.records = SimBytes(1, 0, w.form.Records());
    shown.summary = w.form.ResultLabel->text();
    shown.listRows = w.form.ResultListModel().rowCount();
    shown.bonuses = ListTexts(w.form.BListView);
    const ChartLayer& layer = w.form.Charts().Layer();
    shown.slumpPoints = layer.PointCount(layer.Find(QStringLiteral("SlumpSeries")));
    shown.progress = w.form.ProgressBar1->value();
    return shown;
  }
  bool operator==(const Shown&) const = default;
};

// A chain of two queued calls: the first runs at the run's message point;
// the second only where the window handles its messages again.
struct MessageProbe {
  bool first = false;
  bool second = false;
  explicit MessageProbe(QObject* context) {
    QMetaObject::invokeMethod(
        context,
        [this, context] {
          first = true;
          QMetaObject::invokeMethod(
              context, [this] { second = true; }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
  }
};

}  // namespace

class LongRunTest : public QObject {
  Q_OBJECT

 private slots:
  void stoppedRunLeavesTheWindowAsItWas_data();
  void stoppedRunLeavesTheWindowAsItWas();
  void longRunShowsProgressThenTheRun();
  void quickRunOffersNothing();

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

  OnCancelShown stopper(w.form, [&] {
    if (how == "button") QTest::mouseClick(w.form.CancelButton, Qt::LeftButton);
    if (how == "escape") QTest::keyClick(&w.form, Qt::Key_Escape);
    if (how == "close") w.form.close();
  });
  const QString batch = dir_.filePath(QStringLiteral("stopped-%1.sim").arg(how));
  w.dialogs.saveAnswers.push_back(batch);
  w.SetInputs("1000000", "?", simNum, "100", "100");
  w.Start();

  QCOMPARE(stopper.shown, 1);
  QVERIFY(stopper.busyThen);
  QVERIFY(stopper.inputsLockedThen);
  QCOMPARE(w.form.StatusText(), QString::fromUtf8(kRunCancelledStatus));
  QVERIFY(Shown::Of(w) == before);
  QCOMPARE(w.form.Records().LastRow().PlayCount, 3000);
  QCOMPARE(w.form.Label3->text(), QStringLiteral("終了時に設定が確認できます。"));
  QVERIFY(QDir(dir_.path()).entryList(QDir::Files).isEmpty());
  QVERIFY(w.dialogs.shown.empty());
  QVERIFY(!w.form.Busy() && !w.form.LongRun());
  QVERIFY(w.form.CancelButton->isHidden());
  QVERIFY(w.form.StartButton->isEnabled() && w.form.PlayNumEdit->isEnabled());
  QCOMPARE(w.form.isVisible(), how != "close");

  // Esc after the run cancels nothing.
  QTest::keyClick(&w.form, Qt::Key_Escape);
  w.SetInputs("200", "2");
  w.Start();
  QCOMPARE(w.form.StatusText(), QStringLiteral("シミュレーション完了"));
  QCOMPARE(w.form.Records().LastRow().PlayCount, 200);
}

void LongRunTest::longRunShowsProgressThenTheRun() {
  WindowFixture w(7, kAtOnce);
  int progressSeen = -1;
  OnCancelShown watcher(w.form, [&] { progressSeen = w.form.ProgressBar1->value(); });
  MessageProbe probe(&w.form);
  w.SetInputs("300000", "4");
  w.Start();

  // Its messages were handled while it played, and its progress shown.
  QVERIFY(probe.first && probe.second);
  QCOMPARE(watcher.shown, 1);
  QVERIFY(progressSeen > 0 && progressSeen < 100);
  QCOMPARE(w.form.StatusText(), QStringLiteral("シミュレーション完了"));
  QCOMPARE(w.form.Records().LastRow().PlayCount, 300000);
  QCOMPARE(w.form.ResultListModel().rowCount(), static_cast<int>(w.form.Records().RowCount()));
  QCOMPARE(w.form.ProgressBar1->value(), 100);
  QVERIFY(w.form.CancelButton->isHidden());
  QVERIFY(!w.form.LongRun());
}

void LongRunTest::quickRunOffersNothing() {
  WindowFixture w(7, kNever);
  OnCancelShown watcher(w.form, [] {});
  MessageProbe probe(&w.form);
  w.SetInputs("300000", "4");
  w.Start();

  // Messages at the run's start only, as always; no button, no progress.
  QVERIFY(probe.first);
  QVERIFY(!probe.second);
  QCOMPARE(watcher.shown, 0);
  QCOMPARE(w.form.StatusText(), QStringLiteral("シミュレーション完了"));
  QCOMPARE(w.form.Records().LastRow().PlayCount, 300000);
  QTRY_VERIFY(probe.second);  // handled as soon as the command is over
}

SORIMU_WINDOW_TEST_MAIN(LongRunTest)
#include "LongRunTest.moc"
