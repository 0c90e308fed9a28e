// The session a window leaves in the settings and the next one finds:
// what comes back, what a damaged settings file does (nothing), and the
// recent files shared by several processes.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "AnalysisDialog.h"
#include "ChartData.h"
#include "ChartLayer.h"
#include "EstimateBox.h"
#include "HallDataBox.h"
#include "HallFiguresView.h"
#include "HistoryText.h"
#include "NextGamesPanel.h"
#include "RecentFiles.h"
#include "ResultCharts.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

// A window as main() makes it, over a settings file of the test's own.
struct RememberingWindow {
  explicit RememberingWindow(const QString& settingsFile)
      : settings(settingsFile, QSettings::IniFormat),
        form(WindowServices{dialogs, shell, 20240601, &settings}) {}

  AnalysisDialog& Analysis() {
    Find<QAction>(form, "ToolAnalysisMenu")->trigger();
    return *form.findChild<AnalysisDialog*>();
  }

  void Play() {
    Find<QLineEdit>(form, "PlayNumEdit")->setText("100");
    Find<QLineEdit>(form, "SimNumEdit")->setText("1");
    Find<QPushButton>(form, "StartButton")->click();
    WaitIdle(form);
  }

  // The box opens on a run only.
  TEstimateBox& Estimate() {
    Play();
    Find<QAction>(form, "ToolEstimateMenu")->trigger();
    TEstimateBox* box = form.findChild<TEstimateBox*>();
    // The rows are read as a job.
    if (!QTest::qWaitFor([box] { return !box->Reading(); }, 60000)) qFatal("still reading");
    return *box;
  }

  THallDataBox& Hall() {
    Find<QAction>(form, "ToolHallMenu")->trigger();
    return *form.findChild<THallDataBox*>();
  }

  FakeDialogs dialogs;
  FakeShell shell;
  QSettings settings;
  TMainForm form;
};

// Everything the settings could have changed, as text.
QStringList Snapshot(RememberingWindow& w) {
  QStringList seen;
  for (const QLineEdit* box :
       {Find<QLineEdit>(w.form, "PlayNumEdit"), Find<QLineEdit>(w.form, "SimNumEdit"),
        Find<QLineEdit>(w.form, "BigStockEdit"), Find<QLineEdit>(w.form, "RegStockEdit")}) {
    seen << box->text();
  }
  seen << Find<QComboBox>(w.form, "FlevelComboBox")->currentText();
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    seen << QString::number(w.form.Charts().MarkerActive(m));
  }
  seen << QString::number(w.form.Presenter().ExpectedLineWanted());
  seen << QStringLiteral("%1,%2").arg(w.form.pos().x()).arg(w.form.pos().y());
  emit Find<QMenu>(w.form, "FileMenu")->aboutToShow();
  seen << QString::number(Find<QMenu>(w.form, "FileRecentMenu")->actions().size());
  AnalysisDialog& analysis = w.Analysis();
  for (const QLineEdit* box :
       {analysis.GamesEdit, analysis.TrialsEdit, analysis.BigStockEdit, analysis.RegStockEdit}) {
    seen << box->text();
  }
  seen << QString::number(analysis.SettingComboBox->currentIndex());
  return seen;
}

void WriteText(const QString& path, const QByteArray& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(text), text.size());
}

QProcess* StartWriter(const QString& settingsFile, const QString& path) {
  auto* writer = new QProcess;
  writer->start(QStringLiteral(SORIMU_RECENT_WRITER), {settingsFile, path});
  return writer;
}

}  // namespace

class SessionMemoryTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void sessionComesBack();
  void expectedLineComesBackWithTheFirstRunThatGetsOne();
  void inputsStartWouldRefuseAreNotKept();
  void damagedValuesAreIgnored_data();
  void damagedValuesAreIgnored();
  void estimateInputsComeBack();
  void hallInputsComeBackWithTheEstimatesPrior();
  void damagedEstimateValuesAreIgnored_data();
  void damagedEstimateValuesAreIgnored();
  void unreadableSettingsFiles();
  void recentFilesKeepTheNewestOfEach();
  void anotherProcessAddsToTheSameList();
  void processesWritingAtOnceLeaveAReadableFile();

 private:
  QString File(const QString& name);

  QTemporaryDir dir_;
  QString settingsFile_;
  int round_ = 0;
};

void SessionMemoryTest::initTestCase() {
  QStandardPaths::setTestModeEnabled(true);  // whatever asks, never the user's own settings
  QVERIFY(dir_.isValid());
}

void SessionMemoryTest::init() {
  settingsFile_ = dir_.filePath(QStringLiteral("settings%1.conf").arg(++round_));
}

QString SessionMemoryTest::File(const QString& name) {
  const QString path = dir_.filePath(name);
  WriteText(path, "x");
  return path;
}

void SessionMemoryTest::sessionComesBack() {
  QStringList fresh;
  const QString recent = File("recent.sim");
  {
    RememberingWindow first(settingsFile_);
    first.form.show();
    fresh = Snapshot(first);
    Find<QLineEdit>(first.form, "PlayNumEdit")->setText("$20");  // kept as typed
    Find<QLineEdit>(first.form, "SimNumEdit")->setText("3");
    Find<QLineEdit>(first.form, "BigStockEdit")->setText("0");
    Find<QLineEdit>(first.form, "RegStockEdit")->setText("17");
    Find<QComboBox>(first.form, "FlevelComboBox")->setEditText("?");
    Find<QCheckBox>(first.form, "Cherry2CheckBox")->setChecked(true);
    Find<QCheckBox>(first.form, "BellCheckBox")->setChecked(true);
    first.form.move(37, 23);
    AnalysisDialog& analysis = first.Analysis();
    analysis.GamesEdit->setText("5000");
    analysis.TrialsEdit->setText("20");
    analysis.BigStockEdit->setText("1");
    analysis.RegStockEdit->setText("2");
    analysis.SettingComboBox->setCurrentIndex(2);
    analysis.SeedEdit->setText("12345");
    first.form.close();
    RecentFiles(&first.settings).Add(recent);
  }
  RememberingWindow next(settingsFile_);
  QVERIFY(next.dialogs.shown.empty());
  QStringList expected = {"$20", "3", "0", "17", "?"};
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    expected << QString::number(m == kMarkerCherry2 || m == kMarkerBell);
  }
  expected << "0"
           << "37,23"
           << "3"
           << "5000"
           << "20"
           << "1"
           << "2"
           << "2";
  QCOMPARE(Snapshot(next), expected);
  QVERIFY(expected != fresh);
  QVERIFY(Find<QCheckBox>(next.form, "Cherry2CheckBox")->isChecked() &&
          Find<QCheckBox>(next.form, "BellCheckBox")->isChecked());
  // Each session analyses from a fresh seed.
  QVERIFY(next.Analysis().SeedEdit->text() != QStringLiteral("12345"));
}

void SessionMemoryTest::expectedLineComesBackWithTheFirstRunThatGetsOne() {
  {
    RememberingWindow first(settingsFile_);
    first.Play();
    Find<QCheckBox>(first.form, "ExpectedCheckBox")->click();
    first.form.close();
  }
  RememberingWindow next(settingsFile_);
  QCheckBox* box = Find<QCheckBox>(next.form, "ExpectedCheckBox");
  QVERIFY(!box->isEnabled() && !box->isChecked());  // nothing to draw it for yet
  next.Play();
  QVERIFY(box->isEnabled() && box->isChecked());
  const ChartLayer& layer = next.form.Charts().Layer();
  QVERIFY(layer.Active(layer.Find(QStringLiteral("ExpectedSeries"))));
  QVERIFY(next.dialogs.shown.empty());
}

void SessionMemoryTest::inputsStartWouldRefuseAreNotKept() {
  {
    RememberingWindow first(settingsFile_);
    Find<QLineEdit>(first.form, "PlayNumEdit")->setText("250");
    Find<QLineEdit>(first.form, "BigStockEdit")->setText("9");
    first.form.close();
  }
  {
    RememberingWindow second(settingsFile_);
    QCOMPARE(Find<QLineEdit>(second.form, "PlayNumEdit")->text(), QStringLiteral("250"));
    Find<QLineEdit>(second.form, "PlayNumEdit")->setText("abc");
    Find<QLineEdit>(second.form, "BigStockEdit")->setText("256");
    Find<QComboBox>(second.form, "FlevelComboBox")->setEditText("7");
    second.Analysis().TrialsEdit->setText("0");
    second.form.close();
  }
  // Not the text Start refused, nor the value before it: the box as it starts.
  RememberingWindow third(settingsFile_);
  QCOMPARE(Find<QLineEdit>(third.form, "PlayNumEdit")->text(), QStringLiteral("1"));
  QCOMPARE(Find<QLineEdit>(third.form, "BigStockEdit")->text(), QStringLiteral("255"));
  QCOMPARE(Find<QComboBox>(third.form, "FlevelComboBox")->currentText(), QStringLiteral("1"));
  QCOMPARE(third.Analysis().TrialsEdit->text(), QStringLiteral("1000"));
  QVERIFY(third.dialogs.shown.empty());
}

void SessionMemoryTest::damagedValuesAreIgnored_data() {
  // Settings files as a hand edit, another version or a crash may leave them.
  QTest::addColumn<QByteArray>("ini");
  QTest::newRow("no games") << QByteArray("[inputs]\nplayNum=0\n");
  QTest::newRow("games as words") << QByteArray("[inputs]\nplayNum=many\n");
  QTest::newRow("games past 32 bits") << QByteArray("[inputs]\nplayNum=99999999999\n");
  QTest::newRow("very long number") << "[inputs]\nplayNum=" + QByteArray(5000, '0') + "5\n";
  QTest::newRow("stock past 255") << QByteArray("[inputs]\nbigStock=256\nregStock=-1\n");
  QTest::newRow("setting 7") << QByteArray("[inputs]\nsetting=7\n");
  QTest::newRow("setting as a point") << QByteArray("[inputs]\nsetting=@Point(1 2)\n");
  QTest::newRow("marker maybe") << QByteArray("[markers]\nBIGCheckBox=maybe\nREGCheckBox=2\n");
  QTest::newRow("expected line as a number") << QByteArray("[markers]\nExpectedCheckBox=1\n");
  QTest::newRow("position off every screen")
      << QByteArray("[window]\nposition=@Point(5000 5000)\n");
  QTest::newRow("position above the screen") << QByteArray("[window]\nposition=@Point(10 -300)\n");
  QTest::newRow("position at the ends of int")
      << QByteArray("[window]\nposition=@Point(2147483647 -2147483648)\n");
  QTest::newRow("position as a rectangle") << QByteArray("[window]\nposition=@Rect(1 2 3 4)\n");
  QTest::newRow("no trials") << QByteArray("[analysis]\ntrials=0\ngames=-5\n");
  QTest::newRow("analysis setting 7") << QByteArray("[analysis]\nsetting=7\n");
  QTest::newRow("a relative recent file") << QByteArray("[General]\nrecentFiles=run.sim\n");
  QTest::newRow("a broken line") << QByteArray("[inputs\nplayNum\n=\n[[]]\n@@@=@Variant(\\0\\0)\n");
}

void SessionMemoryTest::damagedValuesAreIgnored() {
  QFETCH(QByteArray, ini);
  QStringList fresh;
  {
    RememberingWindow unset(settingsFile_);
    fresh = Snapshot(unset);
  }
  WriteText(settingsFile_, ini);
  RememberingWindow w(settingsFile_);
  w.form.show();
  QCOMPARE(Snapshot(w), fresh);
  QVERIFY(w.dialogs.shown.empty());
}

void SessionMemoryTest::estimateInputsComeBack() {
  {
    RememberingWindow first(settingsFile_);
    TEstimateBox& box = first.Estimate();
    box.PriorEdit->setText("40, 25,15,10,5,5");
    box.PriorEdit->setText("40, 25,15,-");  // typed on: the one in use stays
    box.NextGames->GamesEdit->setText("2500");
    box.NextGames->DrawsEdit->setText("0");  // refused: not kept
    box.NextGames->SeedEdit->setText("777");
    first.form.close();
  }
  RememberingWindow next(settingsFile_);
  TEstimateBox& box = next.Estimate();
  QCOMPARE(box.PriorEdit->text(), QStringLiteral("40, 25,15,10,5,5"));
  QCOMPARE(box.Prior(), (SettingWeights{40, 25, 15, 10, 5, 5}));
  QCOMPARE(box.Estimate().Prior[0], 0.4);
  QCOMPARE(box.NextGames->GamesEdit->text(), QStringLiteral("2500"));
  QCOMPARE(box.NextGames->DrawsEdit->text(), QStringLiteral("10000"));
  QVERIFY(box.NextGames->SeedEdit->text() != QStringLiteral("777"));
  QVERIFY(next.dialogs.shown.empty());
}

void SessionMemoryTest::hallInputsComeBackWithTheEstimatesPrior() {
  const char* day = "start\nBIG\t152\nREG\t488\n-\t620\n";
  {
    RememberingWindow first(settingsFile_);
    THallDataBox& hall = first.Hall();
    hall.PriorEdit->setText("40,25,15,10,5,5");
    hall.SetTexts({"5.6枚交換", day});
    first.form.close();
  }
  {
    RememberingWindow next(settingsFile_);
    THallDataBox& hall = next.Hall();
    QCOMPARE(hall.History(), ParseHistoryText(day).history);
    QCOMPARE(hall.HallView->RateCombo->currentText(), QStringLiteral("5.6枚交換"));
    QCOMPARE(hall.Prior(), (SettingWeights{40, 25, 15, 10, 5, 5}));
    // One prior for both boxes.
    QCOMPARE(next.Estimate().Prior(), (SettingWeights{40, 25, 15, 10, 5, 5}));
  }
  // A stored history the reader refuses, or an unknown rate, is not taken.
  WriteText(settingsFile_, "[hall]\nhistory=\"BIG\\t10\\nXYZ\\t3\\n\"\nrate=\"7枚交換\"\n");
  RememberingWindow damaged(settingsFile_);
  THallDataBox& hall = damaged.Hall();
  QCOMPARE(hall.History(), BonusHistory{});
  QCOMPARE(hall.HallView->RateCombo->currentIndex(), 0);
  QVERIFY(damaged.dialogs.shown.empty());
}

void SessionMemoryTest::damagedEstimateValuesAreIgnored_data() {
  QTest::addColumn<QByteArray>("ini");
  QTest::newRow("five weights") << QByteArray("[estimate]\nprior=\"1,2,3,4,5\"\n");
  QTest::newRow("a negative weight") << QByteArray("[estimate]\nprior=\"1,2,3,4,5,-6\"\n");
  QTest::newRow("all zero") << QByteArray("[estimate]\nprior=\"0,0,0,0,0,0\"\n");
  QTest::newRow("prior as a point") << QByteArray("[estimate]\nprior=@Point(1 2)\n");
  QTest::newRow("very long prior")
      << "[estimate]\nprior=\"1,1,1,1,1," + QByteArray(5000, '0') + "1\"\n";
  QTest::newRow("no games, too many draws")
      << QByteArray("[estimate]\nnextGames=0\nnextDraws=1000001\n");
}

void SessionMemoryTest::damagedEstimateValuesAreIgnored() {
  QFETCH(QByteArray, ini);
  WriteText(settingsFile_, ini);
  RememberingWindow w(settingsFile_);
  TEstimateBox& box = w.Estimate();
  QCOMPARE(box.PriorEdit->text(), QStringLiteral("1,1,1,1,1,1"));
  QCOMPARE(box.Prior(), UniformPrior());
  QVERIFY(box.PriorMessageLabel->isHidden());
  QCOMPARE(box.NextGames->GamesEdit->text(), QStringLiteral("1000"));
  QCOMPARE(box.NextGames->DrawsEdit->text(), QStringLiteral("10000"));
  QVERIFY(w.dialogs.shown.empty());
}

void SessionMemoryTest::unreadableSettingsFiles() {
  QByteArray noise;
  for (int i = 0; i < 4096; ++i) noise.append(static_cast<char>((i * 7919 + 13) % 256));
  WriteText(settingsFile_, noise);
  {
    RememberingWindow w(settingsFile_);
    w.form.show();
    QCOMPARE(Find<QLineEdit>(w.form, "PlayNumEdit")->text(), QStringLiteral("1"));
    w.form.close();
    QVERIFY(w.dialogs.shown.empty());
  }
  // A folder where the file should be: nothing is read, nothing written, nothing said.
  const QString folder = dir_.filePath("settings-folder.conf");
  QVERIFY(QDir().mkpath(folder));
  RememberingWindow w(folder);
  w.form.show();
  Find<QLineEdit>(w.form, "PlayNumEdit")->setText("40");
  w.form.close();
  QVERIFY(w.dialogs.shown.empty());
  QVERIFY(QFileInfo(folder).isDir());
}

void SessionMemoryTest::recentFilesKeepTheNewestOfEach() {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  RecentFiles recent(&settings);
  QStringList files;
  for (int i = 0; i < 10; ++i) files << File(QStringLiteral("file%1.sim").arg(i));
  for (const QString& file : files) recent.Add(file);
  recent.Add(files[3]);
  // Through another path to the same file: still one entry.
  recent.Add(dir_.path() + "/./sub/../" + QFileInfo(files[9]).fileName());
  QCOMPARE(recent.Existing(), QStringList({files[9], files[3], files[8], files[7], files[6],
                                           files[5], files[4], files[2]}));

  // Entries that cannot be paths of ours are passed over, the rest kept.
  settings.setValue(RecentFiles::kKey,
                    QStringList({"relative.sim", files[1], QString(), files[1], files[0]}));
  QCOMPARE(recent.Existing(), QStringList({files[1], files[0]}));
  recent.Clear();
  QVERIFY(recent.Existing().isEmpty());
  QVERIFY(!settings.contains(RecentFiles::kKey));
}

void SessionMemoryTest::anotherProcessAddsToTheSameList() {
  const QString a = File("other-a.sim");
  const QString b = File("other-b.sim");
  RememberingWindow w(settingsFile_);  // open while the others write
  for (const QString& file : {a, b}) {
    std::unique_ptr<QProcess> writer(StartWriter(settingsFile_, file));
    QVERIFY(writer->waitForFinished(60000));
    QCOMPARE(writer->exitCode(), 0);
  }
  emit Find<QMenu>(w.form, "FileMenu")->aboutToShow();
  QCOMPARE(Find<QMenu>(w.form, "FileRecentMenu")->actions()[0]->data().toString(), b);
  QCOMPARE(Find<QMenu>(w.form, "FileRecentMenu")->actions()[1]->data().toString(), a);

  // What this window adds goes on top of theirs, and the next window finds it all.
  const QString c = File("other-c.sim");
  RecentFiles(&w.settings).Add(c);
  RememberingWindow next(settingsFile_);
  QCOMPARE(RecentFiles(&next.settings).Existing(), QStringList({c, b, a}));
}

void SessionMemoryTest::processesWritingAtOnceLeaveAReadableFile() {
  {
    QSettings settings(settingsFile_, QSettings::IniFormat);
    settings.setValue("inputs/playNum", "77");
  }
  QStringList files;
  std::vector<std::unique_ptr<QProcess>> writers;
  for (int i = 0; i < 6; ++i) {
    files << File(QStringLiteral("together%1.sim").arg(i));
    writers.emplace_back(StartWriter(settingsFile_, files.last()));
  }
  for (auto& writer : writers) {
    QVERIFY(writer->waitForFinished(60000));
    QCOMPARE(writer->exitCode(), 0);
  }
  // Two that read the list at the same moment may each write theirs, so one
  // addition can be lost; what is there is whole, and the rest stays.
  QSettings settings(settingsFile_, QSettings::IniFormat);
  QCOMPARE(settings.status(), QSettings::NoError);
  const QStringList listed = RecentFiles(&settings).Existing();
  QVERIFY(!listed.isEmpty());
  for (const QString& file : listed) {
    QVERIFY(files.contains(file));
    QCOMPARE(listed.count(file), 1);
  }
  QCOMPARE(settings.value("inputs/playNum").toString(), QStringLiteral("77"));
}

SORIMU_WINDOW_TEST_MAIN(SessionMemoryTest)
#include "SessionMemoryTest.moc"
