// Files reaching the window other than through the Open dialog: named on the
// command line, dropped, picked from the recent files; and the manual.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ManualLocation.h"
#include "Messages.h"
#include "ResultListViewData.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

// What a user sees of a window after a command.
QStringList Seen(WindowFixture& w) {
  QStringList seen;
  for (const FakeDialogs::Shown& box : w.dialogs.shown) {
    seen << QStringLiteral("box %1: %2").arg(static_cast<int>(box.box)).arg(box.message);
  }
  seen << StatusText(w.form) << Find<QLabel>(w.form, "ResultLabel")->text()
       << Find<QLineEdit>(w.form, "PlayNumEdit")->text()
       << Find<QComboBox>(w.form, "FlevelComboBox")->currentText()
       << Find<QLineEdit>(w.form, "BigStockEdit")->text()
       << Find<QLineEdit>(w.form, "RegStockEdit")->text()
       << QString::number(ListModel(w.form).rowCount());
  return seen;
}

QStringList RecentEntries(TMainForm& form) {
  emit Find<QMenu>(form, "FileMenu")->aboutToShow();
  QStringList entries;
  for (QAction* entry : Find<QMenu>(form, "FileRecentMenu")->actions()) {
    if (entry->data().isValid()) entries << entry->text();
  }
  return entries;
}

// Lets the windows handle what is queued, and finish the command it started.
void Settle() {
  QCoreApplication::processEvents();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* form = qobject_cast<TMainForm*>(window)) WaitIdle(*form);
  }
}

struct DropResult {
  bool entered = false;
  bool dropped = false;
  Qt::DropAction action = Qt::IgnoreAction;
};

// Drags `data` onto `target` and lets go as a file manager does, which
// offers a move before a copy.
DropResult Drop(QWidget* target, const QMimeData& data) {
  DropResult result;
  const QPoint at = target->rect().center();
  const Qt::DropActions offered = Qt::MoveAction | Qt::CopyAction;
  QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
  enter.setDropAction(Qt::MoveAction);
  QCoreApplication::sendEvent(target, &enter);
  result.entered = enter.isAccepted();
  if (result.entered) {
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QCoreApplication::sendEvent(target, &drop);
    result.dropped = drop.isAccepted();
    result.action = drop.dropAction();
  }
  Settle();  // the file opens once the drop is over
  return result;
}

DropResult DropFiles(QWidget* target, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  data.setText(paths.join('\n'));  // file managers offer the names as text too
  return Drop(target, data);
}

}  // namespace

class DesktopFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void fileAtStartOpensAsTheOpenCommandDoes_data();
  void fileAtStartOpensAsTheOpenCommandDoes();
  void droppedFileOpensAndStaysWhereItWas();
  void dropsOfAnythingElse();
  void recentFiles();
  void manualIsLookedForInstalledThenInTheSources();
  void manualThatCannotBeShownIsSaid();

 private:
  // Plays a short run and saves it through the menu.
  QString SavedRun(const QString& name);

  QTemporaryDir dir_;
};

void DesktopFilesTest::initTestCase() {
  QStandardPaths::setTestModeEnabled(true);  // whatever asks, never the user's own settings
  QVERIFY(dir_.isValid());
}

QString DesktopFilesTest::SavedRun(const QString& name) {
  WindowFixture w;
  w.SetInputs("300", "2", "1", "3", "4");
  w.Start();
  const QString path = dir_.filePath(name);
  w.dialogs.saveAnswers.push_back(path);
  Find<QAction>(w.form, "FileSaveMenu")->trigger();
  return path;
}

void DesktopFilesTest::fileAtStartOpensAsTheOpenCommandDoes_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<bool>("opens");
  QTest::newRow("a saved run") << SavedRun("start.sim") << true;
  QTest::newRow("a missing file") << dir_.filePath("missing.sim") << false;
  const QString foreign = dir_.filePath("foreign.sim");
  QFile file(foreign);
  QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a run\n") > 0);
  file.close();
  QTest::newRow("a foreign file") << foreign << false;
  QTest::newRow("a folder") << dir_.path() << false;
}

void DesktopFilesTest::fileAtStartOpensAsTheOpenCommandDoes() {
  QFETCH(QString, path);
  QFETCH(bool, opens);
  WindowFixture atStart;
  atStart.form.OpenPathLater(path);
  QVERIFY(atStart.dialogs.shown.empty());  // not before the window has shown itself
  Settle();

  WindowFixture byMenu;
  byMenu.dialogs.openAnswers.push_back(path);
  Find<QAction>(byMenu.form, "FileOpenMenu")->trigger();
  WaitIdle(byMenu.form);

  QCOMPARE(Seen(atStart), Seen(byMenu));
  QCOMPARE(atStart.dialogs.shown.empty(), opens);
  QCOMPARE(atStart.form.Presenter().CurrentSession().Display() == DisplayState::Current, opens);
  QCOMPARE(RecentEntries(atStart.form), RecentEntries(byMenu.form));
  QCOMPARE(RecentEntries(atStart.form).size(), opens ? 1 : 0);
  // The Open dialog offers the file opened at start next.
  Find<QAction>(atStart.form, "FileOpenMenu")->trigger();
  WaitIdle(atStart.form);
  QCOMPARE(atStart.dialogs.offeredOpen, QStringList{path});
}

void DesktopFilesTest::droppedFileOpensAndStaysWhereItWas() {
  const QString path = SavedRun("dropped.sim");
  const QByteArray bytes = FileBytes(path);
  WindowFixture w;
  w.SetInputs("77", "5", "1", "8", "9");
  // Dropped on a label, a chart or the window's free space: all is the window's.
  DropResult result = DropFiles(Find<QLabel>(w.form, "ResultLabel"), {path});
  QVERIFY(result.entered && result.dropped);
  QCOMPARE(result.action, Qt::CopyAction);  // a move would have the file manager delete it
  QCOMPARE(FileBytes(path), bytes);
  QVERIFY(w.dialogs.shown.empty());
  QCOMPARE(StatusText(w.form), QString::fromUtf8(kReadDoneStatus));
  QCOMPARE(Find<QLineEdit>(w.form, "PlayNumEdit")->text(), QStringLiteral("300"));
  QCOMPARE(RecentEntries(w.form).size(), 1);

  // On an input box the file is opened too, not its name typed in.
  w.SetInputs("77", "5", "1", "8", "9");
  result = DropFiles(Find<QLineEdit>(w.form, "RegStockEdit"), {path});
  QVERIFY(result.entered && result.dropped);
  QCOMPARE(Find<QLineEdit>(w.form, "RegStockEdit")->text(), QStringLiteral("4"));
  QCOMPARE(Find<QLineEdit>(w.form, "BigStockEdit")->text(), QStringLiteral("3"));
  // Text is still the box's to take.
  QMimeData text;
  text.setText(QStringLiteral("12"));
  QVERIFY(Drop(Find<QLineEdit>(w.form, "RegStockEdit"), text).entered);
  QVERIFY(w.dialogs.shown.empty());
}

void DesktopFilesTest::dropsOfAnythingElse() {
  WindowFixture w;
  w.SetInputs("200", "3");
  w.Start();
  const QStringList before = Seen(w);
  const size_t rows = Records(w.form).RowCount();

  // Not a local file: the drag is refused.
  QMimeData web;
  web.setUrls({QUrl(QStringLiteral("https://sorimu.example.jp/run.sim"))});
  QVERIFY(!Drop(Find<QLabel>(w.form, "ResultLabel"), web).entered);
  QMimeData text;
  text.setText(QStringLiteral("/tmp/run.sim"));
  QVERIFY(!Drop(Find<QLabel>(w.form, "ResultLabel"), text).entered);
  QCOMPARE(Seen(w), before);

  // Several files: which one was meant is not known, and none is opened.
  const QString first = SavedRun("first.sim");
  const DropResult two =
      DropFiles(Find<QLabel>(w.form, "ResultLabel"), {first, SavedRun("second.sim")});
  QVERIFY(two.dropped);
  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(w.dialogs.shown[0].box, FakeDialogs::Box::Error);
  QCOMPARE(w.dialogs.shown[0].message,
           QStringLiteral(
               "ファイルは1つずつドロップしてください（2個のファイルがドロップされました）。"));
  QCOMPARE(Records(w.form).RowCount(), rows);
  QVERIFY(RecentEntries(w.form).isEmpty());

  // A foreign file gets the Open command's rejection and changes nothing.
  const QString foreign = dir_.filePath("picture.png");
  QFile file(foreign);
  QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\x89PNG\r\n\x1a\n", 8) == 8);
  file.close();
  w.dialogs.shown.clear();
  QVERIFY(DropFiles(Find<QLabel>(w.form, "ResultLabel"), {foreign}).dropped);
  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(w.dialogs.shown[0].message, foreign + '\n' + QString::fromUtf8(kNotSimFileMessage));
  QCOMPARE(Records(w.form).RowCount(), rows);
  QCOMPARE(Find<QLineEdit>(w.form, "PlayNumEdit")->text(), QStringLiteral("200"));
  QVERIFY(RecentEntries(w.form).isEmpty());
}

void DesktopFilesTest::recentFiles() {
  QDir folder(dir_.filePath("recent"));
  QVERIFY(folder.mkpath("."));
  const QString a = SavedRun("recent/a.sim");
  const QString b = SavedRun("recent/b.sim");
  const QString ampersand = SavedRun("recent/r&d.sim");

  WindowFixture w;
  QVERIFY(!Find<QMenu>(w.form, "FileRecentMenu")->menuAction()->isEnabled());
  // Saved and opened files, newest first, each once.
  w.SetInputs("100", "1");
  w.Start();
  w.dialogs.saveAnswers = {b, ampersand};
  Find<QAction>(w.form, "FileSaveMenu")->trigger();
  Find<QAction>(w.form, "FileSaveMenu")->trigger();
  w.dialogs.openAnswers = {a, b};
  Find<QAction>(w.form, "FileOpenMenu")->trigger();
  WaitIdle(w.form);
  Find<QAction>(w.form, "FileOpenMenu")->trigger();
  WaitIdle(w.form);
  QCOMPARE(RecentEntries(w.form),
           QStringList({"&1 " + b, "&2 " + a, "&3 " + folder.filePath("r&&d.sim")}));
  QVERIFY(Find<QMenu>(w.form, "FileRecentMenu")->menuAction()->isEnabled());

  // A file gone since is not listed; the others are opened from the list.
  QVERIFY(QFile::remove(b));
  QCOMPARE(RecentEntries(w.form), QStringList({"&1 " + a, "&2 " + folder.filePath("r&&d.sim")}));
  Find<QMenu>(w.form, "FileRecentMenu")->actions()[1]->trigger();
  Settle();
  QVERIFY(w.dialogs.shown.empty());
  QCOMPARE(w.form.Presenter().CurrentSession().Info().Path, ampersand.toStdString());
  QCOMPARE(RecentEntries(w.form), QStringList({"&1 " + folder.filePath("r&&d.sim"), "&2 " + a}));

  // One that goes while the menu is open gets the Open command's message.
  QAction* entry = Find<QMenu>(w.form, "FileRecentMenu")->actions()[1];
  QVERIFY(QFile::remove(a));
  entry->trigger();
  Settle();
  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QVERIFY(w.dialogs.shown[0].message.startsWith(QString::fromUtf8(kCannotOpenMessage)));
  QCOMPARE(w.form.Presenter().CurrentSession().Info().Path, ampersand.toStdString());

  Find<QAction>(w.form, "RecentClearMenu")->trigger();
  Settle();
  QVERIFY(RecentEntries(w.form).isEmpty());
  QVERIFY(!Find<QMenu>(w.form, "FileRecentMenu")->menuAction()->isEnabled());
}

void DesktopFilesTest::manualIsLookedForInstalledThenInTheSources() {
  // An installed program: bin/sorimu and share/doc/sorimu/manual under one prefix.
  QDir prefix(dir_.filePath("prefix"));
  QVERIFY(prefix.mkpath("bin") && prefix.mkpath("share/doc/sorimu/manual"));
  const QString installed = prefix.filePath("share/doc/sorimu/manual/index.html");
  const QString sources = BuildSourceTree();
  const QString inSources = sources + "/docs/manual/index.html";
  const QStringList candidates = ManualCandidates(prefix.filePath("bin") + "/", sources);
  QCOMPARE(candidates, QStringList({installed, inSources}));

  QVERIFY(QFileInfo(inSources).isFile());
  QCOMPARE(FindManual(candidates), std::optional<QString>(inSources));
  QFile page(installed);
  QVERIFY(page.open(QIODevice::WriteOnly));
  page.close();
  QCOMPARE(FindManual(candidates), std::optional<QString>(installed));
  QVERIFY(!FindManual({dir_.filePath("nowhere.html"), prefix.path()}));
  QCOMPARE(ManualCandidates(prefix.filePath("bin"), QString()), QStringList{installed});

  // Run from its build folder, the window shows the pages of its sources.
  QVERIFY(!QFileInfo::exists(ManualCandidates(ExecutableFolder(), QString()).front()));
  WindowFixture w;
  Find<QAction>(w.form, "HelpManMenu")->trigger();
  QVERIFY(w.dialogs.shown.empty());
  QCOMPARE(w.shell.urls.size(), size_t{1});
  QCOMPARE(w.shell.urls[0], QUrl::fromLocalFile(inSources));
}

void DesktopFilesTest::manualThatCannotBeShownIsSaid() {
  FakeDialogs dialogs;
  FakeShell shell;
  const QString empty = dir_.filePath("no-sources");
  QVERIFY(QDir().mkpath(empty));
  TMainForm form(WindowServices{dialogs, shell, 1, nullptr, empty});
  Find<QAction>(form, "HelpManMenu")->trigger();
  QVERIFY(shell.urls.empty());
  QCOMPARE(dialogs.shown.size(), size_t{1});
  QCOMPARE(dialogs.shown[0].box, FakeDialogs::Box::Error);
  const QStringList places = ManualCandidates(ExecutableFolder(), empty);
  QCOMPARE(places.size(), 2);
  QCOMPARE(
      dialogs.shown[0].message,
      QStringLiteral("取扱説明書が見つかりません。次の場所を探しました:\n") + places.join('\n'));

  // Found, but the desktop has nothing to show it with.
  FakeDialogs dialogs2;
  FakeShell noBrowser;
  noBrowser.opens = false;
  TMainForm found(WindowServices{dialogs2, noBrowser, 1});
  Find<QAction>(found, "HelpManMenu")->trigger();
  QCOMPARE(noBrowser.urls.size(), size_t{1});
  QCOMPARE(dialogs2.shown.size(), size_t{1});
  QCOMPARE(dialogs2.shown[0].message,
           QStringLiteral("HTMLを開くプログラムが見つからないため、取扱説明書を開けません。"
                          "ブラウザーで次のファイルを開いてください（選択してコピーできます）:\n") +
               noBrowser.urls[0].toLocalFile());
}

SORIMU_WINDOW_TEST_MAIN(DesktopFilesTest)
#include "DesktopFilesTest.moc"
