// The Start command as a user drives it: the input checks, a single run and
// what it shows, the setting check, and the guard while a run is under way.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include "BonusList.h"
#include "ListColumns.h"
#include "ResultListViewData.h"
#include "ResultStats.h"
#include "ResultTexts.h"
#include "SingleRun.h"
#include "StartInputs.h"
#include "StatusPanels.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

const QString kUnchanged = QStringLiteral("前の表示");

}  // namespace

class StartCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void checks_data();
  void checks();
  void singleRunShowsTheRun();
  void hiddenSettingAndSettingCheck();
  void commandsAtTheMessagePointCannotDisturbTheRun();
  void exitClosesAtOnce();
};

void StartCommandTest::checks_data() {
  QTest::addColumn<QStringList>("inputs");  // Play数, 設定, Sim回数, BIG, REG
  QTest::addColumn<int>("box");             // -1 none, else FakeDialogs::Box
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("games");  // played when no box

  const int error = static_cast<int>(FakeDialogs::Box::Error);
  const int appError = static_cast<int>(FakeDialogs::Box::ApplicationError);
  // Later inputs are wrong too: the first bad one is the only one reported.
  QTest::newRow("play 0") << QStringList{"0", "9", "0", "-1", "x"} << error
                          << "Play数は、1以上にしてください。" << 0;
  QTest::newRow("sim 0") << QStringList{"1", "1", "0", "256", "256"} << error
                         << "Sim回数は、1以上にしてください。" << 0;
  QTest::newRow("big 256") << QStringList{"1", "1", "1", "256", "0"} << error
                           << "BIGストック数は、0～255にしてください。" << 0;
  QTest::newRow("reg 256") << QStringList{"1", "1", "1", "0", "256"} << error
                           << "REGストック数は、0～255にしてください。" << 0;
  QTest::newRow("setting 7") << QStringList{"1", "7", "1", "0", "0"} << error
                             << "設定は、1～6または?にしてください。" << 0;
  QTest::newRow("play abc") << QStringList{"abc", "1", "0", "0", "0"} << appError
                            << "'abc' は整数ではありません" << 0;
  QTest::newRow("play empty") << QStringList{"", "1", "1", "0", "0"} << appError
                              << "'' は整数ではありません" << 0;
  QTest::newRow("trailing space") << QStringList{"12 ", "1", "1", "0", "0"} << appError
                                  << "'12 ' は整数ではありません" << 0;
  QTest::newRow("leading space") << QStringList{" 12", "1", "1", "0", "255"} << -1 << "" << 12;
  QTest::newRow("dollar hex") << QStringList{"$10", "6", "1", "255", "0"} << -1 << "" << 16;
}

void StartCommandTest::checks() {
  QFETCH(QStringList, inputs);
  QFETCH(int, box);
  QFETCH(QString, message);
  QFETCH(int, games);

  WindowFixture w;
  w.SetInputs(inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]);
  w.Start();

  if (box < 0) {
    QVERIFY(w.dialogs.shown.empty());
    QCOMPARE(w.form.Presenter().CurrentSession().Machine().PlayCount, games);
    QCOMPARE(Records(w.form).LastRow().PlayCount, games);
    QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));
    return;
  }
  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(static_cast<int>(w.dialogs.shown[0].box), box);
  QCOMPARE(w.dialogs.shown[0].message, message);
  QCOMPARE(StatusText(w.form), QString());
  QCOMPARE(Records(w.form).RowCount(), size_t{0});
  QVERIFY(!Find<QAction>(w.form, "FileSaveMenu")->isEnabled());
  QVERIFY(Find<QPushButton>(w.form, "StartButton")->isEnabled());
}

void StartCommandTest::singleRunShowsTheRun() {
  WindowFixture w(777);
  w.SetInputs("3000", "3", "1", "10", "20");
  w.Start();

  // The same run played by the core alone.
  Slot slot(777);
  RunRecords expected;
  StartInputs inputs;
  inputs.PlayNum = 3000;
  inputs.Flevel = 3;
  inputs.BigStock = 10;
  inputs.RegStock = 20;
  QVERIFY(Simulate(slot, expected, inputs) == RunStatus::Completed);
  const ResultStats stats = ComputeResultStats(expected);

  const RunRecords& got = Records(w.form);
  QCOMPARE(got.RowCount(), expected.RowCount());
  QCOMPARE(SimBytes(3, 3000, got), SimBytes(3, 3000, expected));
  QCOMPARE(w.form.Presenter().CurrentSession().Machine().GetFlevel(), 3);
  QCOMPARE(Find<QLabel>(w.form, "ResultLabel")->text(), QString::fromStdString(SummaryText(stats)));
  QCOMPARE(ListTexts(Find<QTreeWidget>(w.form, "BListView")), TableTexts(BonusListItems(expected)));
  QVERIFY(Find<QTreeWidget>(w.form, "BListView")->topLevelItemCount() > 3);
  QCOMPARE(ListTexts(Find<QTreeWidget>(w.form, "Ren3ListView")),
           TableTexts(Ren3Rows(stats), &kResultLists[kRen3Page]));
  QCOMPARE(ListTexts(Find<QTreeWidget>(w.form, "RenListView")),
           TableTexts(RenRows(stats), &kResultLists[kRenPage]));
  QCOMPARE(ListTexts(Find<QTreeWidget>(w.form, "KoyakuListView")),
           TableTexts(KoyakuRows(stats), &kResultLists[kKoyakuPage]));
  QCOMPARE(ListTexts(Find<QTreeWidget>(w.form, "RTCancelListView")),
           TableTexts(RTCancelRows(stats), &kResultLists[kRTCancelPage]));

  const ResultListViewData& model = ListModel(w.form);
  QCOMPARE(model.rowCount(), static_cast<int>(expected.RowCount()));
  for (size_t row : {size_t{0}, expected.RowCount() / 2, expected.RowCount() - 1}) {
    for (int c = 0; c < ResultTexts::kColumnCount; ++c) {
      QCOMPARE(model.data(model.index(static_cast<int>(row), c)).toString(),
               QString::fromStdString(ResultTexts::RowText(expected.Row(row), c)));
    }
  }

  QCOMPARE(Find<QProgressBar>(w.form, "ProgressBar1")->value(), 100);
  QVERIFY(Find<QAction>(w.form, "FileSaveMenu")->isEnabled());
  QVERIFY(Find<QPushButton>(w.form, "StartButton")->isEnabled());
  QCOMPARE(Find<QLabel>(w.form, "Label3")->text(), QString());
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));
}

void StartCommandTest::hiddenSettingAndSettingCheck() {
  WindowFixture w;
  // Before any run the machine's own first level.
  Find<QComboBox>(w.form, "FlevelComboBox")->setEditText("?");
  QTest::mouseClick(Find<QPushButton>(w.form, "FlevelButton"), Qt::LeftButton);
  QCOMPARE(Find<QComboBox>(w.form, "FlevelComboBox")->currentText(), QStringLiteral("1"));

  w.SetInputs("500", "?");
  w.Start();
  QCOMPARE(Find<QLabel>(w.form, "Label3")->text(), QStringLiteral("終了時に設定が確認できます。"));
  QCOMPARE(Find<QLabel>(w.form, "Label3")->geometry().right() + 1, 149);
  QCOMPARE(Find<QComboBox>(w.form, "FlevelComboBox")->currentText(), QStringLiteral("?"));
  const int level = w.form.Presenter().CurrentSession().Machine().GetFlevel();
  QVERIFY(level >= 1 && level <= 6);
  QTest::mouseClick(Find<QPushButton>(w.form, "FlevelButton"), Qt::LeftButton);
  QCOMPARE(Find<QComboBox>(w.form, "FlevelComboBox")->currentText(), QString::number(level));

  // A run at a given level takes the note away again.
  w.Start();
  QCOMPARE(Find<QLabel>(w.form, "Label3")->text(), QString());
  QCOMPARE(w.form.Presenter().CurrentSession().Machine().GetFlevel(), level);
}

void StartCommandTest::commandsAtTheMessagePointCannotDisturbTheRun() {
  WindowFixture w;
  w.SetInputs("500", "?", "1", "100", "100");
  w.dialogs.openAnswers.push_back("/nonexistent/other.sim");

  // Everything a user could do while the run starts, delivered at the one
  // point where the run lets the window handle its messages.
  bool ran = false;
  bool inputsLocked = false;
  QMetaObject::invokeMethod(
      &w.form,
      [&] {
        ran = true;
        inputsLocked = w.form.Presenter().Busy() &&
                       !Find<QPushButton>(w.form, "StartButton")->isEnabled() &&
                       !Find<QAction>(w.form, "FileStartMenu")->isEnabled() &&
                       !Find<QAction>(w.form, "FileOpenMenu")->isEnabled() &&
                       !Find<QAction>(w.form, "FileSaveMenu")->isEnabled() &&
                       !Find<QLineEdit>(w.form, "PlayNumEdit")->isEnabled() &&
                       !Find<QPushButton>(w.form, "FlevelButton")->isEnabled();
        Find<QAction>(w.form, "FileStartMenu")->trigger();
        Find<QAction>(w.form, "FileOpenMenu")->trigger();
        Find<QAction>(w.form, "FileStartMenu")->trigger();
        Find<QAction>(w.form, "FileOpenMenu")->trigger();
        Find<QAction>(w.form, "FileSaveMenu")->trigger();
        Find<QPushButton>(w.form, "FlevelButton")->click();
        QTest::keyClicks(Find<QLineEdit>(w.form, "PlayNumEdit"), "9");
        QTest::mouseClick(Find<QPushButton>(w.form, "StartButton"), Qt::LeftButton);
      },
      Qt::QueuedConnection);
  w.Start();

  QVERIFY(ran);
  QVERIFY(inputsLocked);
  QVERIFY(w.dialogs.offeredOpen.isEmpty());
  QVERIFY(w.dialogs.offeredSave.isEmpty());
  QCOMPARE(Find<QLineEdit>(w.form, "PlayNumEdit")->text(), QStringLiteral("500"));
  QCOMPARE(Find<QComboBox>(w.form, "FlevelComboBox")->currentText(), QStringLiteral("?"));
  QCOMPARE(Records(w.form).LastRow().PlayCount, 500);
  QCOMPARE(Records(w.form).StartBigStock, 100);
  QCOMPARE(ListModel(w.form).rowCount(), static_cast<int>(Records(w.form).RowCount()));
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));

  // Everything is back afterwards.
  QVERIFY(!w.form.Presenter().Busy());
  QVERIFY(Find<QPushButton>(w.form, "StartButton")->isEnabled() &&
          Find<QAction>(w.form, "FileStartMenu")->isEnabled());
  QVERIFY(Find<QAction>(w.form, "FileOpenMenu")->isEnabled() &&
          Find<QAction>(w.form, "FileSaveMenu")->isEnabled());
  QVERIFY(Find<QLineEdit>(w.form, "PlayNumEdit")->isEnabled() &&
          Find<QPushButton>(w.form, "FlevelButton")->isEnabled());
}

void StartCommandTest::exitClosesAtOnce() {
  WindowFixture w;
  w.SetInputs("200", "2");
  w.Start();
  QVERIFY(w.form.isVisible());
  Find<QAction>(w.form, "FileExitMenu")->trigger();
  QVERIFY(!w.form.isVisible());
  QVERIFY(w.dialogs.shown.empty() && w.dialogs.offeredSave.isEmpty());
}

SORIMU_WINDOW_TEST_MAIN(StartCommandTest)
#include "StartCommandTest.moc"
