// ツール → スペック表: the dialog's table and curves against the exact
// figures, its switch between the two kinds of stretch, and its exports.
#include <qcustomplot.h>

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cerrno>
#include <sstream>

#include "CountTicker.h"
#include "CsvLists.h"
#include "FigureSheetDialog.h"
#include "HallText.h"
#include "Messages.h"
#include "TheoryTable.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

FigureSheetDialog& OpenSheet(WindowFixture& w) {
  Find<QAction>(w.form, "ToolFigureSheetMenu")->trigger();
  FigureSheetDialog* dialog = w.form.findChild<FigureSheetDialog*>();
  Q_ASSERT(dialog != nullptr);
  return *dialog;
}

QByteArray CsvOf(const std::vector<TableRow>& rows) {
  std::ostringstream out;
  out << kUtf8Bom;
  for (const TableRow& row : rows) WriteCsvRow(out, row);
  return QByteArray::fromStdString(out.str());
}

std::vector<theory::DryStretchTail> ExactTails() {
  std::vector<theory::DryStretchTail> tails;
  for (int s = 1; s <= 6; ++s) {
    tails.push_back(
        theory::ComputeDryStretchTail(theory::DefaultCycleModel(s), FigureSheetDialog::kTailGames));
  }
  return tails;
}

}  // namespace

class FigureSheetTest : public QObject {
  Q_OBJECT

 private slots:
  void oneDialogBesideTheWindowWithTheExactTable();
  void plotShowsTheTailsOfTheChosenStretch_data();
  void plotShowsTheTailsOfTheChosenStretch();
  void csvExportWritesTheTableAndTheCurves();
  void pngExportWritesThePlotAsShown();
  void failedExportIsReportedAndLeavesNoFile_data();
  void failedExportIsReportedAndLeavesNoFile();

 private:
  QTemporaryDir dir_;
};

void FigureSheetTest::oneDialogBesideTheWindowWithTheExactTable() {
  WindowFixture w;
  QVERIFY(Find<QAction>(w.form, "ToolFigureSheetMenu")->isEnabled());  // needs no run
  FigureSheetDialog& d = OpenSheet(w);
  QVERIFY(d.isVisible());
  QVERIFY(!d.isModal());
  QCOMPARE(d.windowTitle(), QStringLiteral("スペック表"));
  Find<QAction>(w.form, "ToolFigureSheetMenu")->trigger();
  QCOMPARE(w.form.findChild<FigureSheetDialog*>(), &d);

  QCOMPARE(ShownTable(d.SheetTable), TableTexts(theory::SpecSheetRows(theory::DefaultLongRun())));
  // The spread of the balance beside them, as the command line prints it.
  std::vector<theory::Volatility> spread;
  for (int s = 1; s <= theory::kSettingCount; ++s) {
    spread.push_back(theory::ComputeVolatility(theory::DefaultCycleModel(s)));
  }
  QCOMPARE(ShownTable(d.VolatilityTable), TableTexts(theory::VolatilityRows(spread)));
}

void FigureSheetTest::plotShowsTheTailsOfTheChosenStretch_data() {
  QTest::addColumn<bool>("firstHits");
  QTest::addColumn<QString>("title");
  QTest::newRow("between bonuses") << false << QStringLiteral("ハマリ確率 (ボーナス間)");
  QTest::newRow("between first hits") << true << QStringLiteral("ハマリ確率 (初当り間)");
}

void FigureSheetTest::plotShowsTheTailsOfTheChosenStretch() {
  QFETCH(bool, firstHits);
  QFETCH(QString, title);
  WindowFixture w;
  FigureSheetDialog& d = OpenSheet(w);
  QVERIFY(d.BonusesButton->isChecked());
  if (firstHits) {
    d.FirstHitsButton->click();
  } else {
    d.FirstHitsButton->click();
    d.BonusesButton->click();  // and back
  }
  QCOMPARE(d.ShowsFirstHits(), firstHits);
  auto* shownTitle = qobject_cast<QCPTextElement*>(d.TailPlot->plotLayout()->element(0, 0));
  QVERIFY(shownTitle != nullptr);
  QCOMPARE(shownTitle->text(), title);

  const std::vector<theory::DryStretchTail> tails = ExactTails();
  QCOMPARE(d.TailPlot->graphCount(), 6);
  for (int s = 0; s < 6; ++s) {
    QCPGraph* graph = d.TailPlot->graph(s);
    QCOMPARE(graph->name(), QStringLiteral("設定%1").arg(s + 1));
    QCOMPARE(graph->data()->size(), FigureSheetDialog::kTailGames + 1);
    for (int n : {0, 1, 100, 500, 1000, 1490, 1491, 1600}) {
      const theory::Real exact = firstHits ? tails[size_t(s)].BetweenFirstHitsAtLeast(n)
                                           : tails[size_t(s)].BetweenBonusesAtLeast(n);
      QCOMPARE(graph->data()->at(n)->key, double(n));
      QCOMPARE(graph->data()->at(n)->value, double(100 * exact));
    }
  }
  // Ticked and labelled as the main window's charts are.
  for (QCPAxis* axis : {d.TailPlot->xAxis, d.TailPlot->yAxis}) {
    QVERIFY(dynamic_cast<CountTicker*>(axis->ticker().data()));
  }
  // Higher settings come sooner: fewer long stretches.
  QVERIFY(d.TailPlot->graph(0)->data()->at(800)->value >
          d.TailPlot->graph(5)->data()->at(800)->value);
}

void FigureSheetTest::csvExportWritesTheTableAndTheCurves() {
  WindowFixture w;
  FigureSheetDialog& d = OpenSheet(w);
  QDir folder(dir_.filePath("csv"));
  QVERIFY(folder.mkpath("."));
  w.dialogs.saveAnswers.push_back(folder.filePath("figures.csv"));
  QTest::mouseClick(d.CsvButton, Qt::LeftButton);

  QVERIFY(w.dialogs.shown.empty());
  QCOMPARE(w.dialogs.offeredSave, QStringList{"sorimu.csv"});  // sorimu_sheet.csv, not _sheet_sheet
  QCOMPARE(folder.entryList(QDir::Files), QStringList({"figures_sheet.csv", "figures_tail.csv"}));
  QCOMPARE(FileBytes(folder.filePath("figures_sheet.csv")),
           CsvOf(theory::SpecSheetRows(theory::DefaultLongRun())));
  QCOMPARE(FileBytes(folder.filePath("figures_tail.csv")),
           CsvOf(theory::TailCurveRows(ExactTails(), FigureSheetDialog::kTailGames)));
  QCOMPARE(d.StatusLabel->text(), QStringLiteral("CSVファイルに出力完了"));

  // The dialog offers the last choice again; a cancelled one writes nothing.
  QTest::mouseClick(d.CsvButton, Qt::LeftButton);
  QCOMPARE(w.dialogs.offeredSave.last(), folder.filePath("figures.csv"));
  QCOMPARE(folder.entryList(QDir::Files).size(), 2);
}

void FigureSheetTest::pngExportWritesThePlotAsShown() {
  WindowFixture w;
  FigureSheetDialog& d = OpenSheet(w);
  d.FirstHitsButton->click();
  QDir folder(dir_.filePath("png"));
  QVERIFY(folder.mkpath("."));
  w.dialogs.saveAnswers.push_back(folder.filePath("tail"));
  QTest::mouseClick(d.ImageButton, Qt::LeftButton);

  QVERIFY(w.dialogs.shown.empty());
  QCOMPARE(w.dialogs.offeredSave, QStringList{"sorimu_tail.png"});
  QCOMPARE(folder.entryList(QDir::Files), QStringList{"tail.png"});
  const QByteArray png = FileBytes(folder.filePath("tail.png"));
  QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
  QCOMPARE(QImage::fromData(png).size(), d.TailPlot->size());
  QCOMPARE(d.StatusLabel->text(), QStringLiteral("画像ファイルに保存完了"));
}

void FigureSheetTest::failedExportIsReportedAndLeavesNoFile_data() {
  QTest::addColumn<bool>("csv");
  QTest::addColumn<QString>("blocked");  // a folder in the way of this file; "" for none
  QTest::addColumn<QString>("message");  // %1 the failing path
  const QString missing = QString::fromStdString("%1\n" + FileErrorReason(ENOENT));
  const QString folder = QStringLiteral("%1\n") + QString::fromUtf8(kFolderReason);
  QTest::newRow("csv, second file fails") << true << "out_tail.csv"
                                          << "CSVファイルの保存に失敗しました。\n" + folder;
  QTest::newRow("png, missing folder") << false << ""
                                       << "画像ファイルの保存に失敗しました。\n" + missing;
}

void FigureSheetTest::failedExportIsReportedAndLeavesNoFile() {
  QFETCH(bool, csv);
  QFETCH(QString, blocked);
  QFETCH(QString, message);
  WindowFixture w;
  FigureSheetDialog& d = OpenSheet(w);
  QDir folder(dir_.filePath(QStringLiteral("fail%1").arg(QTest::currentDataTag())));
  QVERIFY(folder.mkpath("."));
  const QString base = blocked.isEmpty() ? folder.filePath("missing/out") : folder.filePath("out");
  QString failing = csv ? base + "_sheet.csv" : base + ".png";
  if (!blocked.isEmpty()) {
    QVERIFY(folder.mkpath(blocked));
    failing = folder.filePath(blocked);
  }
  w.dialogs.saveAnswers.push_back(base + (csv ? ".csv" : ".png"));
  QTest::mouseClick(csv ? d.CsvButton : d.ImageButton, Qt::LeftButton);

  QCOMPARE(w.dialogs.shown.size(), size_t{1});
  QCOMPARE(w.dialogs.shown[0].box, FakeDialogs::Box::Error);
  QCOMPARE(w.dialogs.shown[0].message, message.arg(failing));
  QCOMPARE(d.StatusLabel->text(), QString());
  // The first file of the pair is not written when the second cannot be.
  const QStringList left = folder.entryList(QDir::Files | QDir::Hidden);
  QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
}

SORIMU_WINDOW_TEST_MAIN(FigureSheetTest)
#include "FigureSheetTest.moc"
