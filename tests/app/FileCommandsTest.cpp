// Batches, Save and Open as a user drives them, checked on the files written.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cerrno>

#include "Messages.h"
#include "ResultListViewData.h"
#include "SimFormat.h"
#include "StatusPanels.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray Header(int32_t mark, int32_t flevel, int32_t games, int32_t big, int32_t reg) {
  QByteArray bytes;
  for (int32_t value : {mark, flevel, games, big, reg}) {
    char le[4];
    qToLittleEndian<qint32>(value, le);
    bytes.append(le, 4);
  }
  return bytes;
}

}  // namespace

class FileCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void batchWritesOneFilePerRepetition();
  void batchStopsAtAFileItCannotCreate();
  void cancelledBatchWritesNothing();
  void savedRunOpensAsItWasShown();
  void foreignFileChangesNothing_data();
  void foreignFileChangesNothing();
  void fileThatCannotBeOpenedChangesNothing();
  void failedSaveIsReported();

 private:
  QTemporaryDir dir_;
};

void FileCommandsTest::batchWritesOneFilePerRepetition() {
  WindowFixture w;
  w.SetInputs("300", "2");
  w.Start();
  const QString shownBefore = Find<QLabel>(w.form, "ResultLabel")->text();
  const int rowsShown = ListModel(w.form).rowCount();

  QDir folder(dir_.filePath("batch"));
  QVERIFY(folder.mkpath("."));
  w.dialogs.saveAnswers.push_back(folder.filePath("run.sim"));
  w.SetInputs("800", "?", "3", "0", "255");
  w.Start();

  QCOMPARE(w.dialogs.offeredSave, QStringList{"*.sim"});
  QStringList files = folder.entryList(QDir::Files);
  QCOMPARE(files.size(), 3);
  // With "?" each repetition draws its own level, so order them by repetition.
  const QRegularExpression name(QStringLiteral("^run([1-6])_800_([1-3])\\.sim$"));
  std::sort(files.begin(), files.end(), [&](const QString& a, const QString& b) {
    return name.match(a).captured(2) < name.match(b).captured(2);
  });
  for (int i = 0; i < 3; ++i) {
    const QRegularExpressionMatch match = name.match(files[i]);
    QVERIFY2(match.hasMatch(), qPrintable(files[i]));
    QCOMPARE(match.captured(2).toInt(), i + 1);
    const QByteArray bytes = FileBytes(folder.filePath(files[i]));
    QCOMPARE(bytes.left(20), Header(4, match.captured(1).toInt(), 800, 0, 255));
    QCOMPARE((bytes.size() - 20) % 48, 0);
  }
  // The end says how many files were written, and where; a line too long for
  // its panel is cut in the middle and shown whole in the tool tip.
  const QString end = QStringLiteral("シミュレーション完了：3個のファイルを ") + folder.path() +
                      QStringLiteral(" に保存しました");
  QCOMPARE(StatusText(w.form), end);
  const QLabel* panel = Find<StatusPanels>(w.form, "StatusBar1")->Panel(0);
  QVERIFY(panel->text().contains(QStringLiteral("…")));
  QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width());
  QCOMPARE(panel->toolTip(), end);
  QCOMPARE(Find<QProgressBar>(w.form, "ProgressBar1")->value(), 100);
  QVERIFY(Find<QPushButton>(w.form, "StartButton")->isEnabled());
  // Nothing of the batch is shown...
  QCOMPARE(Find<QLabel>(w.form, "ResultLabel")->text(), shownBefore);
  QCOMPARE(ListModel(w.form).rowCount(), rowsShown);
  QCOMPARE(Find<QLabel>(w.form, "Label3")->text(), QStringLiteral("終了時に設定が確認できます。"));

  // ...so Save asks first, naming the run it writes: the last repetition.
  // いいえ saves nothing; はい writes it, offering the batch's name.
  w.dialogs.confirmAnswers = {false, true};
  w.dialogs.saveAnswers.push_back(dir_.filePath("after-batch.sim"));
  Find<QAction>(w.form, "FileSaveMenu")->trigger();
  QCOMPARE(w.dialogs.asked.size(), 1);
  QVERIFY2(w.dialogs.asked[0].contains(QStringLiteral("最後の回（") + files[2] + "）"),
           qPrintable(w.dialogs.asked[0]));
  QCOMPARE(w.dialogs.offeredSave.size(), 1);
  QVERIFY(!QFile::exists(dir_.filePath("after-batch.sim")));
  Find<QAction>(w.form, "FileSaveMenu")->trigger();
  QCOMPARE(w.dialogs.offeredSave.last(), folder.filePath("run.sim"));
  QCOMPARE(FileBytes(dir_.filePath("after-batch.sim")), FileBytes(folder.filePath(files[2])));
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーションファイルに保存完了"));
}

void FileCommandsTest::batchStopsAtAFileItCannotCreate() {
  WindowFixture w;
  w.dialogs.saveAnswers.push_back(dir_.filePath("missing-folder/run.sim"));
  w.SetInputs("100", "1", "2");
  w.Start();
  QCOMPARE(StatusText(w.form), QStringLiteral("エラーにより強制終了しました。"));
  QVERIFY(Find<QPushButton>(w.form, "StartButton")->isEnabled());
  QVERIFY(!QDir(dir_.filePath("missing-folder")).exists());
}

void FileCommandsTest::cancelledBatchWritesNothing() {
  WindowFixture w;
  QDir folder(dir_.filePath("cancelled"));
  QVERIFY(folder.mkpath("."));
  w.dialogs.saveAnswers.push_back(folder.filePath("first.sim"));
  w.SetInputs("100", "4", "2");
  w.Start();
  QCOMPARE(folder.entryList(QDir::Files).size(), 2);
  const QByteArray rowsBefore = SimBytes(4, 100, Records(w.form));

  w.Start();  // the dialog is cancelled this time
  QCOMPARE(w.dialogs.offeredSave.last(), folder.filePath("first.sim"));
  QCOMPARE(folder.entryList(QDir::Files).size(), 2);
  QCOMPARE(SimBytes(4, 100, Records(w.form)), rowsBefore);  // no run was played
  QCOMPARE(StatusText(w.form), QString());
  QVERIFY(Find<QPushButton>(w.form, "StartButton")->isEnabled());
}

void FileCommandsTest::savedRunOpensAsItWasShown() {
  WindowFixture w;
  w.SetInputs("2000", "?", "1", "7", "9");
  w.Start();
  const QString path = dir_.filePath("saved.sim");
  w.dialogs.saveAnswers.push_back(path);
  Find<QAction>(w.form, "FileSaveMenu")->trigger();
  const int level = w.form.Presenter().CurrentSession().Machine().GetFlevel();
  QCOMPARE(FileBytes(path), SimBytes(level, 2000, Records(w.form)));
  const QString summary = Find<QLabel>(w.form, "ResultLabel")->text();
  const QStringList bonuses = ListTexts(Find<QTreeWidget>(w.form, "BListView"));
  const int rows = ListModel(w.form).rowCount();

  w.SetInputs("50", "5", "2", "1", "1");
  w.Start();  // a batch would ask for a name: it is cancelled, nothing changes
  w.SetInputs("50", "?", "1", "1", "1");
  w.Start();
  QVERIFY(Find<QLabel>(w.form, "ResultLabel")->text() != summary);
  QCOMPARE(Find<QLabel>(w.form, "Label3")->text(), QStringLiteral("終了時に設定が確認できます。"));

  w.dialogs.openAnswers.push_back(path);
  Find<QAction>(w.form, "FileOpenMenu")->trigger();
  WaitIdle(w.form);
  QCOMPARE(w.dialogs.offeredOpen, QStringList{"*.sim"});
  QCOMPARE(Find<QComboBox>(w.form, "FlevelComboBox")->currentText(), QString::number(level));
  QCOMPARE(Find<QLineEdit>(w.form, "PlayNumEdit")->text(), QStringLiteral("2000"));
  QCOMPARE(Find<QLineEdit>(w.form, "BigStockEdit")->text(), QStringLiteral("7"));
  QCOMPARE(Find<QLineEdit>(w.form, "RegStockEdit")->text(), QStringLiteral("9"));
  QCOMPARE(Find<QLineEdit>(w.form, "SimNumEdit")->text(), QStringLiteral("1"));
  QCOMPARE(Find<QLabel>(w.form, "ResultLabel")->text(), summary);
  QVERIFY(Find<QLabel>(w.form, "Label3")->text().isEmpty());  // the file shows its level
  QCOMPARE(ListTexts(Find<QTreeWidget>(w.form, "BListView")), bonuses);
  QCOMPARE(ListModel(w.form).rowCount(), rows);
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーションファイルの読み込み完了"));
  QVERIFY(Find<QPushButton>(w.form, "StartButton")->isEnabled());

  // Saved again at once, it is the same file.
  w.dialogs.saveAnswers.push_back(dir_.filePath("copy"));  // no extension is added
  Find<QAction>(w.form, "FileSaveMenu")->trigger();
  QCOMPARE(FileBytes(dir_.filePath("copy")), FileBytes(path));
  QTest::mouseClick(Find<QPushButton>(w.form, "FlevelButton"), Qt::LeftButton);
  QCOMPARE(Find<QComboBox>(w.form, "FlevelComboBox")->currentText(), QString::number(level));
}

void FileCommandsTest::foreignFileChangesNothing_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("unreachable");  // the reason, for a value no machine writes
  QTest::newRow("text") << QByteArray("Sorimu is not this file\n") << QString();
  QTest::newRow("three bytes") << QByteArray("\x04\x00\x00", 3) << QString();
  QTest::newRow("wrong mark") << Header(5, 1, 1, 0, 0) + QByteArray(48, '\0') << QString();
  QTest::newRow("header only") << Header(4, 1, 1, 0, 0) << QString();
  QTest::newRow("no complete row") << Header(4, 1, 1, 0, 0) + QByteArray(47, '\0') << QString();
  // A first game that took its bet and drew nothing, after a header no machine writes.
  const QByteArray firstGame = Header(1, -3, 1, 0, 0) + QByteArray(28, '\0');
  QTest::newRow("setting 7")
      << Header(4, 7, 1, 0, 0) + firstGame
      << QStringLiteral("ヘッダーの設定 (Flevel) が 7 です。この機械が書く値は 1～6 です。");
  QTest::newRow("game count -1")
      << Header(4, 1, 1, 0, 0) + Header(1, -3, -1, 0, 0) + QByteArray(28, '\0')
      << QStringLiteral("1行目のPLAY数 (PlayCount) が -1 です。この機械が書く値は 1 です。");
}

void FileCommandsTest::foreignFileChangesNothing() {
  QFETCH(QByteArray, bytes);
  QFETCH(QString, unreachable);
  WindowFixture w;
  w.SetInputs("400", "6", "1", "12", "34");
  w.Start();
  const QString summary = Find<QLabel>(w.form, "ResultLabel")->text();
  const int rows = ListModel(w.form).rowCount();

  const QString path = dir_.filePath("foreign.sim");
  WriteFile(path, bytes);
  w.dialogs.openAnswers.push_back(path);
  Find<QAction>(w.form, "FileOpenMenu")->trigger();
  WaitIdle(w.form);

  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(w.dialogs.shown[0].message,
           unreachable.isEmpty()
               ? path + '\n' + QString::fromUtf8(kNotSimFileMessage)
               : QString::fromUtf8(kUnreachableFileMessage) + '\n' + path + '\n' + unreachable);
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーションファイルの読み込み中断"));
  QVERIFY(Find<QPushButton>(w.form, "StartButton")->isEnabled());
  QCOMPARE(Find<QLabel>(w.form, "ResultLabel")->text(), summary);
  QCOMPARE(ListModel(w.form).rowCount(), rows);
  QCOMPARE(Find<QLineEdit>(w.form, "PlayNumEdit")->text(), QStringLiteral("400"));
  // The run on display can still be saved, whole.
  const QByteArray shown = SimBytes(6, 400, Records(w.form));
  QCOMPARE(Records(w.form).LastRow().PlayCount, 400);

  const QString saved = dir_.filePath("kept.sim");
  w.dialogs.saveAnswers.push_back(saved);
  Find<QAction>(w.form, "FileSaveMenu")->trigger();
  QCOMPARE(FileBytes(saved), shown);
}

void FileCommandsTest::fileThatCannotBeOpenedChangesNothing() {
  WindowFixture w;
  w.SetInputs("100", "1");
  w.Start();
  const size_t rows = Records(w.form).RowCount();
  w.dialogs.openAnswers.push_back(dir_.filePath("does-not-exist.sim"));
  Find<QAction>(w.form, "FileOpenMenu")->trigger();
  WaitIdle(w.form);
  Find<QAction>(w.form, "FileOpenMenu")->trigger();  // cancelled
  WaitIdle(w.form);
  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(w.dialogs.shown[0].message,
           QStringLiteral("ファイルを開けません。\n") + dir_.filePath("does-not-exist.sim") +
               QStringLiteral("\n") + QString::fromStdString(FileErrorReason(ENOENT)));
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));
  QCOMPARE(Records(w.form).RowCount(), rows);
  QCOMPARE(w.dialogs.offeredOpen.last(), dir_.filePath("does-not-exist.sim"));
}

void FileCommandsTest::failedSaveIsReported() {
  WindowFixture w;
  w.SetInputs("100", "1");
  w.Start();
  // A folder stands where the file should go: nothing can replace it.
  const QString target = dir_.filePath("occupied.sim");
  QVERIFY(QDir().mkpath(target));
  w.dialogs.saveAnswers.push_back(target);
  Find<QAction>(w.form, "FileSaveMenu")->trigger();
  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(w.dialogs.shown[0].box, FakeDialogs::Box::Error);
  QCOMPARE(w.dialogs.shown[0].message,
           QStringLiteral("シミュレーションファイルの保存に失敗しました。\n") + target +
               QStringLiteral("\n") + QString::fromUtf8(kFolderReason));
  QCOMPARE(StatusText(w.form), QStringLiteral("シミュレーション完了"));
  QVERIFY(QFileInfo(target).isDir());
}

SORIMU_WINDOW_TEST_MAIN(FileCommandsTest)
#include "FileCommandsTest.moc"
