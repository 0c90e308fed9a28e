// The 実戦データ box as a player drives it: a day's data counter typed from
// the keyboard, pasted or taken from the run on display; its estimate, the
// ハマリ table and the やめ時 curve against the core's, and the work it starts
// off the window's thread stopped when it closes.
#include <qcustomplot.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "EstimateBox.h"
#include "EstimateTable.h"
#include "HallData.h"
#include "HallDataBox.h"
#include "HallFiguresView.h"
#include "HallText.h"
#include "HistoryEstimate.h"
#include "HistoryFile.h"
#include "HistoryTable.h"
#include "HistoryText.h"
#include "InputText.h"
#include "QtText.h"
#include "WindowTestSupport.h"

using namespace sorimu;

namespace {

const QString kHall = QStringLiteral("40,25,15,10,5,5");

THallDataBox& OpenBox(WindowFixture& w) {
  Find<QAction>(w.form, "ToolHallMenu")->trigger();
  THallDataBox* box = w.form.findChild<THallDataBox*>();
  Q_ASSERT(box != nullptr);
  return *box;
}

void WaitFor(const std::function<bool()>& done) {
  if (!QTest::qWaitFor(done, 60000)) qFatal("the box's work did not end");
}

// Types the rows into the table as a player would: a kind, Enter, the
// games, Enter, and on to the next row.
QLineEdit* OpenEditor(HistoryTable* table) {
  for (QLineEdit* child : table->findChildren<QLineEdit*>()) {
    if (child->isVisible()) return child;
  }
  return nullptr;
}

void TypeRows(THallDataBox& box, const std::vector<std::pair<QString, QString>>& rows) {
  HistoryTable* table = box.HistoryEdit;
  for (const auto& [kind, games] : rows) {
    for (const QString& cell : {kind, games}) {
      // Enter left the next cell open; else the first key opens it.
      QLineEdit* editor = OpenEditor(table);
      if (editor == nullptr) QTest::keyClick(table, cell.at(0).toLatin1());
      editor = OpenEditor(table);
      if (editor == nullptr) qFatal("no cell is being edited");
      if (editor->text().isEmpty()) editor->clear();
      QTest::keyClicks(editor, editor->text() == cell.left(1) ? cell.mid(1) : cell);
      QTest::keyClick(editor, Qt::Key_Return);
      QCoreApplication::processEvents();  // the editor closes after Enter
    }
  }
}

QVector<double> BarValues(QCustomPlot* chart, int series) {
  QVector<double> values;
  const auto* bars = qobject_cast<const QCPBars*>(chart->plottable(series));
  for (int i = 0; i < bars->data()->size(); ++i) values << bars->data()->at(i)->value;
  return values;
}

}  // namespace

class HallDataBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void typedHistoryIsEstimatedAsTheCoreDoes();
  void aBadRowIsNamedAndNothingOfItIsTaken();
  void hamariAndQuitTablesAreTheCoreFigures();
  void forecastIsTheCoreFiguresAndStopsWhenTheBoxCloses();
  void runOnDisplayAndEstimateFromTheBonusListAlone();
};

void HallDataBoxTest::typedHistoryIsEstimatedAsTheCoreDoes() {
  WindowFixture w;
  THallDataBox& box = OpenBox(w);
  QVERIFY(box.isVisible());
  QVERIFY(!box.RunButton->isEnabled());  // no run shown yet
  box.FromStartBox->setChecked(true);
  TypeRows(box, {{"B", "120"}, {"r", "45"}, {"big", "3"}, {"REG", "610"}, {"-", "288"}});
  // Enter after the last games opened an empty row: skipped as blank.
  QCOMPARE(box.HistoryEdit->rowCount(), 6);
  QVERIFY(box.HistoryMessageLabel->isHidden());

  const BonusHistory typed =
      ParseHistoryText("start\nBIG\t120\nREG\t45\nBIG\t3\nREG\t610\n-\t288\n").history;
  QCOMPARE(box.History(), typed);
  box.PriorEdit->setText(kHall);
  const SettingEstimate expected = EstimateFromHistory(typed, *ParsePrior(kHall.toStdString()));
  QVERIFY(expected.UsedStretches > 0);
  QCOMPARE(box.Estimate().Probability, expected.Probability);
  QCOMPARE(ShownTable(box.EstimateTable), TableTexts(EstimateTableRows(expected)));
  QCOMPARE(box.NoteLabel->text(), QString::fromStdString(HistoryEstimateNote(expected, typed)));

  // One prior for both boxes: the 設定推測 box opens with the one typed here,
  // and the session keeps the history and the rate.
  w.SetInputs("2000", "3");
  w.Start();
  Find<QAction>(w.form, "ToolEstimateMenu")->trigger();
  TEstimateBox* estimate = w.form.findChild<TEstimateBox*>();
  QVERIFY(estimate != nullptr);
  QCOMPARE(estimate->PriorText(), kHall);
  box.HallView->RateCombo->setCurrentIndex(2);
  const HallTexts kept = box.Texts();
  QCOMPARE(kept.Rate, std::string(theory::kExchangeRates[2].Name));
  QCOMPARE(ParseHistoryText(kept.History).history, typed);
}

void HallDataBoxTest::aBadRowIsNamedAndNothingOfItIsTaken() {
  WindowFixture w;
  THallDataBox& box = OpenBox(w);
  TypeRows(box, {{"BIG", "120"}, {"REG", "45"}});
  const BonusHistory good = box.History();
  QCOMPARE(good.Bonuses.size(), size_t(2));
  const QStringList shown = ShownTable(box.EstimateTable);

  // A kind that is neither, on the second row: the reader's words for line 2.
  box.HistoryEdit->item(1, 0)->setText(QStringLiteral("X"));
  const std::string expected = ParseHistoryText("BIG\t120\nX\t45\n").status.Message;
  QVERIFY(expected.find("2行目") != std::string::npos);
  QVERIFY(!box.HistoryMessageLabel->isHidden());
  QCOMPARE(box.HistoryMessageLabel->text(), QString::fromStdString(expected));
  QCOMPARE(box.History(), good);
  QCOMPARE(ShownTable(box.EstimateTable), shown);
  // An open stretch that is not last.
  box.HistoryEdit->setRowCount(3);
  box.HistoryEdit->setItem(2, 0, new QTableWidgetItem(QStringLiteral("B")));
  box.HistoryEdit->setItem(2, 1, new QTableWidgetItem(QStringLiteral("7")));
  box.HistoryEdit->item(1, 0)->setText(QStringLiteral("-"));
  QCOMPARE(box.HistoryMessageLabel->text(),
           QString::fromStdString(ParseHistoryText("BIG\t120\n-\t45\nB\t7\n").status.Message));
  QCOMPARE(box.History(), good);

  // A pasted text with a bad line is refused whole, the table left as it was.
  QGuiApplication::clipboard()->setText(QStringLiteral("BIG\t100\nREG\t-5\n"));
  box.PasteClick();
  QCOMPARE(w.dialogs.shown.size(), size_t(1));
  QCOMPARE(w.dialogs.shown[0].message,
           QString::fromStdString(ParseHistoryText("BIG\t100\nREG\t-5\n").status.Message));
  QCOMPARE(box.History(), good);
  QCOMPARE(box.HistoryEdit->rowCount(), 3);
  // A good one, as a spreadsheet copies it, fills the table.
  QGuiApplication::clipboard()->setText(QStringLiteral("B\t310\r\nR\t80\r\n-\t15\r\n"));
  QTest::keyClick(box.HistoryEdit, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(box.History(), ParseHistoryText("BIG\t310\nREG\t80\n-\t15\n").history);
  QCOMPARE(box.HistoryEdit->rowCount(), 3);
  QVERIFY(box.HistoryMessageLabel->isHidden());

  // So is a file with one, read off the window's thread.
  const BonusHistory pasted = box.History();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("day.txt"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("BIG\t10\nREG\t20\nBIG\t30\t40\n");
  file.close();
  w.dialogs.openAnswers.push_back(path);
  box.FileClick();
  WaitFor([&] { return !box.Loading(); });
  QCOMPARE(w.dialogs.shown.size(), size_t(2));
  QCOMPARE(w.dialogs.shown[1].message,
           QString::fromStdString(ReadHistoryFile(LocalPath(path)).status.Message));
  QVERIFY(w.dialogs.shown[1].message.contains(QStringLiteral("3行目")));
  QCOMPARE(box.History(), pasted);
}

void HallDataBoxTest::hamariAndQuitTablesAreTheCoreFigures() {
  WindowFixture w;
  THallDataBox& box = OpenBox(w);
  box.PriorEdit->setText(kHall);
  TypeRows(box, {{"B", "250"}, {"B", "2"}, {"R", "900"}, {"-", "640"}});
  WaitFor([&] { return !box.Working(); });
  QVERIFY(box.Figures() != nullptr);

  const BonusHistory history = box.History();
  const HallMix mix = MixForHall(*ParsePrior(kHall.toStdString()), &history);
  QCOMPARE(mix.After, std::optional<size_t>(theory::kReg));
  const theory::DryTable dry = theory::ComputeDryTable(theory::kReg, mix.Weights);
  const HallFiguresView& view = *box.HallView;
  for (size_t rate = 0; rate < std::size(theory::kExchangeRates); ++rate) {
    box.HallView->RateCombo->setCurrentIndex(static_cast<int>(rate));
    QCOMPARE(ShownTable(view.SinceTable),
             TableTexts(theory::SinceTableRows(dry, mix.Weights, 640, mix.Caption,
                                               theory::kExchangeRates[rate])));
    QCOMPARE(view.RateLabel->text(),
             QString::fromStdString(theory::RateCaption(theory::kExchangeRates[rate])));
  }
  QCOMPARE(view.SinceCaptionLabel->text(),
           QString::fromStdString(theory::SinceCaption(640, theory::kReg)));

  // The やめ時 curve after the last bonus, a REG, in the table and the plot.
  const theory::QuitCurve quit =
      theory::ComputeQuitCurve(theory::kReg, theory::kMaxQuitGames, mix.Weights);
  QCOMPARE(ShownTable(view.QuitTable), TableTexts(theory::QuitTableRows(quit, mix.Caption)));
  for (int s = 0; s < theory::kSettingCount; ++s) {
    const QCPGraph* graph = view.QuitPlot->graph(s);
    QCOMPARE(graph->data()->size(), theory::kMaxQuitGames);
    QCOMPARE(graph->data()->at(99)->value, double(quit.Balance[size_t(s)][99]));
  }
  QCOMPARE(view.QuitPlot->graph(theory::kSettingCount)->data()->at(0)->value, double(quit.Mix[0]));
}

void HallDataBoxTest::forecastIsTheCoreFiguresAndStopsWhenTheBoxCloses() {
  WindowFixture w;
  THallDataBox& box = OpenBox(w);
  TypeRows(box, {{"B", "150"}, {"R", "320"}, {"B", "80"}, {"B", "700"}});
  box.ForecastClick();
  QVERIFY(box.Forecasting());
  QVERIFY(!box.ForecastButton->isEnabled() && box.ForecastCancelButton->isEnabled());
  WaitFor([&] { return !box.Forecasting(); });
  const HistoryForecast core = ForecastHistory(box.History(), UniformPrior(), ForecastRequest{});
  QCOMPARE(ShownTable(box.ForecastTable), TableTexts(ForecastTableRows(core)));

  // Another history makes the figures of the last one go.
  TypeRows(box, {{"R", "33"}});
  QCOMPARE(box.ForecastTable->rowCount(), 0);

  // Closed while it works: the work is let go at once, its figures never shown.
  box.ForecastClick();
  QVERIFY(box.Forecasting());
  QElapsedTimer clock;
  clock.start();
  box.close();
  QVERIFY(clock.elapsed() < 500);
  QVERIFY(!box.Forecasting());
  QTest::qWait(300);
  QCOMPARE(box.ForecastTable->rowCount(), 0);
  QVERIFY(box.ForecastButton->isEnabled());
}

void HallDataBoxTest::runOnDisplayAndEstimateFromTheBonusListAlone() {
  WindowFixture w;
  w.SetInputs("8000", "?");
  w.Start();
  THallDataBox& box = OpenBox(w);
  QVERIFY(box.RunButton->isEnabled());
  box.RunClick();
  WaitFor([&] { return !box.Loading(); });
  const BonusHistory fromRun = HistoryFromRecords(Records(w.form));
  QVERIFY(fromRun.Bonuses.size() > 10);
  QCOMPARE(box.History(), fromRun);
  QVERIFY(box.FromStartBox->isChecked());

  // The 設定推測 box shows the same estimate beside the rows' own.
  Find<QAction>(w.form, "ToolEstimateMenu")->trigger();
  TEstimateBox* estimate = w.form.findChild<TEstimateBox*>();
  WaitFor([&] { return !estimate->Reading(); });
  QVERIFY(!estimate->HistoryEstimate());
  estimate->HistoryOnlyBox->setChecked(true);
  const SettingEstimate alone = EstimateFromHistory(fromRun);
  QVERIFY(estimate->HistoryEstimate());
  QCOMPARE(estimate->HistoryEstimate()->Probability, alone.Probability);
  QCOMPARE(box.Estimate().Probability, alone.Probability);
  QCOMPARE(BarValues(estimate->EstimateChart, 2).size(), 6);
  QCOMPARE(BarValues(estimate->EstimateChart, 2)[5], alone.Probability[5] * 100.0);
  QCOMPARE(estimate->EstimateTable->columnCount(), 4);
  estimate->HistoryOnlyBox->setChecked(false);
  QVERIFY(!estimate->HistoryEstimate());
  QCOMPARE(estimate->EstimateTable->columnCount(), 3);
}

SORIMU_WINDOW_TEST_MAIN(HallDataBoxTest)
#include "HallDataBoxTest.moc"
