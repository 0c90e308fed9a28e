// The ツール entries that work on the run on display, checked on when they
// can be used and on what the CSV and picture exports write.
#include <QAction>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <sstream>

#include "CsvLists.h"
#include "Messages.h"
#include "ResultCharts.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

QByteArray CsvBytes(void (*write)(std::ostream&, const RunRecords&), const RunRecords& records) {
  std::ostringstream out;
  write(out, records);
  return QByteArray::fromStdString(out.str());
}

bool IsPng(const QByteArray& bytes) { return bytes.startsWith("\x89PNG\r\n\x1a\n"); }

}  // namespace

class RunToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void entriesNeedADisplay();
  void afterABatchTheEntriesExplainInsteadOfDescribingAnotherRun();
  void csvExportWritesBothListsWithBom();
  void pngExportWritesBothCharts();
  void failedExportIsReportedAndLeavesNoFile_data();
  void failedExportIsReportedAndLeavesNoFile();

 private:
  QTemporaryDir dir_;
};

void RunToolsTest::entriesNeedADisplay() {
  WindowFixture w;
  QVERIFY(Find<QAction>(w.form, "ToolAnalysisMenu")->isEnabled());
  for (QAction* entry :
       {Find<QAction>(w.form, "ToolEstimateMenu"), Find<QAction>(w.form, "ToolCsvMenu"),
        Find<QAction>(w.form, "ToolImageMenu")}) {
    QVERIFY2(!entry->isEnabled(), qPrintable(entry->objectName()));
    entry->trigger();  // a stray trigger does nothing
  }
  QVERIFY(w.dialogs.modal.empty());
  QVERIFY(w.dialogs.offeredSave.isEmpty());
  QVERIFY(w.dialogs.shown.empty());

  w.SetInputs("200", "1");
  w.Start();
  for (QAction* entry :
       {Find<QAction>(w.form, "ToolEstimateMenu"), Find<QAction>(w.form, "ToolCsvMenu"),
        Find<QAction>(w.form, "ToolImageMenu")}) {
    QVERIFY2(entry->isEnabled(), qPrintable(entry->objectName()));
  }
}

void RunToolsTest::afterABatchTheEntriesExplainInsteadOfDescribingAnotherRun() {
  WindowFixture w;
  w.SetInputs("300", "2");
  w.Start();
  QDir folder(dir_.filePath("batch"));
  QVERIFY(folder.mkpath("."));
  w.dialogs.saveAnswers.push_back(folder.filePath("run.sim"));
  w.SetInputs("400", "2", "2");
  w.Start();
  QVERIFY(w.dialogs.saveAnswers.empty());

  const QString replaced = QStringLiteral(
      "表示中の結果の記録は、その後の連続シミュレーションまたはファイルの読み込みで"
      "置き換えられています。もう一度開始するか、ファイルを開いてから実行してください。");
  Find<QAction>(w.form, "ToolEstimateMenu")->trigger();
  Find<QAction>(w.form, "ToolCsvMenu")->trigger();
  QVERIFY(w.dialogs.modal.empty());
  QCOMPARE(w.dialogs.shown.size(), size_t{2});
  for (const auto& shown : w.dialogs.shown) QCOMPARE(shown.message, replaced);
  QCOMPARE(w.dialogs.offeredSave.size(), 1);  // the batch's; the CSV export asked for nothing

  // The charts still show the run on display, so pictures of it can be taken.
  w.dialogs.saveAnswers.push_back(folder.filePath("shown.png"));
  Find<QAction>(w.form, "ToolImageMenu")->trigger();
  QVERIFY(QFile::exists(folder.filePath("shown_slump.png")));

  // A new display makes the records the shown run again.
  w.SetInputs("300", "2", "1");
  w.Start();
  Find<QAction>(w.form, "ToolEstimateMenu")->trigger();
  QCOMPARE(w.dialogs.modal.size(), size_t{1});
}

void RunToolsTest::csvExportWritesBothListsWithBom() {
  WindowFixture w;
  w.SetInputs("1500", "6", "1", "255", "40");
  w.Start();
  QDir folder(dir_.filePath("csv"));
  QVERIFY(folder.mkpath("."));
  w.dialogs.saveAnswers.push_back(folder.filePath("mine.csv"));
  Find<QAction>(w.form, "ToolCsvMenu")->trigger();

  QCOMPARE(w.dialogs.offeredSave, QStringList{"sorimu.csv"});
  QVERIFY(w.dialogs.shown.empty());
  QCOMPARE(folder.entryList(QDir::Files), QStringList({"mine_bonuses.csv", "mine_games.csv"}));
  const QByteArray games = FileBytes(folder.filePath("mine_games.csv"));
  const QByteArray bonuses = FileBytes(folder.filePath("mine_bonuses.csv"));
  QVERIFY(games.startsWith("\xEF\xBB\xBF"));
  QVERIFY(bonuses.startsWith("\xEF\xBB\xBF"));
  QCOMPARE(games, CsvBytes(WritePlayListCsv, Records(w.form)));
  QCOMPARE(bonuses, CsvBytes(WriteBonusListCsv, Records(w.form)));
  QCOMPARE(StatusText(w.form), QStringLiteral("CSVファイルに出力完了"));

  // The dialog offers the last choice again; a cancelled one writes nothing.
  Find<QAction>(w.form, "ToolCsvMenu")->trigger();
  QCOMPARE(w.dialogs.offeredSave.last(), folder.filePath("mine.csv"));
  QCOMPARE(folder.entryList(QDir::Files).size(), 2);
}

void RunToolsTest::pngExportWritesBothCharts() {
  WindowFixture w;
  w.SetInputs("2000", "3");
  w.Start();
  QDir folder(dir_.filePath("png"));
  QVERIFY(folder.mkpath("."));
  w.dialogs.saveAnswers.push_back(folder.filePath("chart"));
  Find<QAction>(w.form, "ToolImageMenu")->trigger();

  QVERIFY(w.dialogs.shown.empty());
  QCOMPARE(w.dialogs.offeredSave, QStringList{"sorimu.png"});
  const std::pair<const char*, QWidget*> pictures[] = {
      {"chart_slump.png", w.form.Charts().SlumpChart()},
      {"chart_bars.png", w.form.Charts().SlumpChart2()}};
  for (const auto& [name, chart] : pictures) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    QVERIFY2(IsPng(FileBytes(path)), name);
    QCOMPARE(QImage(path).size(), chart->size());
  }
  QCOMPARE(folder.entryList(QDir::Files).size(), 2);
  QCOMPARE(StatusText(w.form), QStringLiteral("画像ファイルに保存完了"));

  // Twice the pixels each way, when chosen in the dialog.
  w.dialogs.imageScale = 2;
  w.dialogs.saveAnswers.push_back(folder.filePath("twice"));
  Find<QAction>(w.form, "ToolImageMenu")->trigger();
  QCOMPARE(QImage(folder.filePath("twice_slump.png")).size(),
           w.form.Charts().SlumpChart()->size() * 2);
  QCOMPARE(QImage(folder.filePath("twice_bars.png")).size(),
           w.form.Charts().SlumpChart2()->size() * 2);
}

void RunToolsTest::failedExportIsReportedAndLeavesNoFile_data() {
  QTest::addColumn<bool>("csv");
  QTest::addColumn<QString>("blocked");  // a folder in the way of this file; "" for none
  QTest::addColumn<QString>("message");  // %1 the failing path
  const QString missing = QString::fromStdString("%1\n" + FileErrorReason(ENOENT));
  const QString folder = QStringLiteral("%1\n") + QString::fromUtf8(kFolderReason);
  QTest::newRow("csv, missing folder") << true << ""
                                       << "CSVファイルの保存に失敗しました。\n" + missing;
  QTest::newRow("csv, second file fails") << true << "out_bonuses.csv"
                                          << "CSVファイルの保存に失敗しました。\n" + folder;
  QTest::newRow("png, missing folder") << false << ""
                                       << "画像ファイルの保存に失敗しました。\n" + missing;
  QTest::newRow("png, second file fails") << false << "out_bars.png"
                                          << "画像ファイルの保存に失敗しました。\n" + folder;
}

void RunToolsTest::failedExportIsReportedAndLeavesNoFile() {
  QFETCH(bool, csv);
  QFETCH(QString, blocked);
  QFETCH(QString, message);
  WindowFixture w;
  w.SetInputs("800", "1");
  w.Start();
  const QString statusBefore = StatusText(w.form);

  QDir folder(dir_.filePath(QStringLiteral("fail%1").arg(QTest::currentDataTag())));
  QVERIFY(folder.mkpath("."));
  const QString base = blocked.isEmpty() ? folder.filePath("missing/out") : folder.filePath("out");
  QString failing = csv ? base + "_games.csv" : base + "_slump.png";
  if (!blocked.isEmpty()) {
    QVERIFY(folder.mkpath(blocked));
    failing = folder.filePath(blocked);
  }
  w.dialogs.saveAnswers.push_back(base + (csv ? ".csv" : ".png"));
  (csv ? Find<QAction>(w.form, "ToolCsvMenu") : Find<QAction>(w.form, "ToolImageMenu"))->trigger();

  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(w.dialogs.shown[0].box, FakeDialogs::Box::Error);
  QCOMPARE(w.dialogs.shown[0].message, message.arg(failing));
  QCOMPARE(StatusText(w.form), statusBefore);
  // The first file of the pair is not written when the second cannot be.
  const QStringList left = folder.entryList(QDir::Files | QDir::Hidden);
  QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
}

SORIMU_WINDOW_TEST_MAIN(RunToolsTest)
#include "RunToolsTest.moc"
