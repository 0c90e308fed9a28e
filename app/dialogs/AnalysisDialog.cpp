#include "AnalysisDialog.h"

#include <qcustomplot.h>

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "AnalysisFanView.h"
#include "AnalysisInputs.h"
#include "AnalysisTable.h"
#include "CountTicker.h"
#include "Messages.h"
#include "Named.h"
#include "QtJobs.h"
#include "QtText.h"
#include "ResultLists.h"
#include "Setting.h"
#include "SettingColours.h"
#include "WindowTexts.h"
#include "desktop/Dialogs.h"

namespace sorimu {

namespace {

// A theoretical rate outside its interval: dark red on pale red.
const QColor kOutsideBackground(255, 214, 214);
const QColor kOutsideText(160, 0, 0);

}  // namespace

AnalysisDialog::AnalysisDialog(Dialogs& dialogs, JobService& jobs, uint32_t seed, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      lane_(jobs, PostToEventLoop()),
      ticker_(new JobTicker(this, [this] { ShowProgress(); })) {
  setObjectName(QStringLiteral("AnalysisDialog"));
  setWindowTitle(Text(wintext::kAnalysisTitle));
  setModal(false);
  setSizeGripEnabled(true);

  auto* inputs = new QGridLayout;
  auto addInput = [&](int row, int column, const char* caption, QWidget* input) {
    inputs->addWidget(new QLabel(Text(caption), this), row, column * 2);
    inputs->addWidget(input, row, column * 2 + 1);
  };
  GamesEdit = Named(new QLineEdit(QStringLiteral("8000"), this), "GamesEdit");
  TrialsEdit = Named(new QLineEdit(QStringLiteral("1000"), this), "TrialsEdit");
  SettingComboBox = Named(new QComboBox(this), "SettingComboBox");
  for (int s = 1; s <= kSettingCount; ++s) SettingComboBox->addItem(QString::number(s));
  SettingComboBox->addItem(Text(wintext::kAllSettingsItem));
  SettingComboBox->setCurrentIndex(kSettingCount);
  BigStockEdit = Named(new QLineEdit(QStringLiteral("255"), this), "BigStockEdit");
  RegStockEdit = Named(new QLineEdit(QStringLiteral("255"), this), "RegStockEdit");
  SeedEdit = Named(new QLineEdit(QString::number(seed), this), "SeedEdit");
  addInput(0, 0, wintext::kAnalysisGames, GamesEdit);
  addInput(0, 1, wintext::kAnalysisTrials, TrialsEdit);
  addInput(0, 2, wintext::kAnalysisSetting, SettingComboBox);
  addInput(1, 0, wintext::kAnalysisBigStock, BigStockEdit);
  addInput(1, 1, wintext::kAnalysisRegStock, RegStockEdit);
  addInput(1, 2, wintext::kAnalysisSeed, SeedEdit);

  StartButton = Named(new QPushButton(Text(wintext::kAnalysisStart), this), "StartButton");
  CancelButton = Named(new QPushButton(Text(wintext::kAnalysisCancel), this), "CancelButton");
  StartButton->setDefault(true);
  CancelButton->setEnabled(false);
  ProgressBar = Named(new QProgressBar(this), "ProgressBar");
  ProgressBar->setRange(0, 1000);
  ProgressBar->setValue(0);
  ProgressBar->setTextVisible(false);
  StatusLabel = Named(new QLabel(this), "StatusLabel");
  StatusLabel->setMinimumWidth(220);

  auto* controls = new QHBoxLayout;
  controls->addLayout(inputs);
  controls->addSpacing(12);
  controls->addWidget(StartButton);
  controls->addWidget(CancelButton);
  controls->addStretch();

  auto* progress = new QHBoxLayout;
  progress->addWidget(ProgressBar, 1);
  progress->addWidget(StatusLabel);

  FigureTable = Named(new QTableWidget(this), "FigureTable");
  FigureTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FigureTable->verticalHeader()->hide();
  FigureTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
  FigureTable->setWordWrap(false);

  HistogramPlot = Named(new QCustomPlot(this), "HistogramPlot");
  HistogramPlot->xAxis->setLabel(Text(wintext::kHistogramXAxis));
  HistogramPlot->yAxis->setLabel(Text(wintext::kHistogramYAxis));
  HistogramPlot->plotLayout()->insertRow(0);
  HistogramPlot->plotLayout()->addElement(
      0, 0,
      new QCPTextElement(HistogramPlot, Text(wintext::kHistogramTitle),
                         QFont(font().family(), 10)));
  HistogramPlot->setMinimumSize(360, 260);
  UseCountTicks(HistogramPlot->xAxis);
  UseCountTicks(HistogramPlot->yAxis);

  FanView = new AnalysisFanView(this);
  ChartPages = Named(new QTabWidget(this), "ChartPages");
  ChartPages->addTab(HistogramPlot, Text(wintext::kHistogramTitle));
  ChartPages->addTab(FanView, Text(wintext::kFanTab));

  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->addWidget(FigureTable);
  splitter_->addWidget(ChartPages);
  splitter_->setStretchFactor(0, 3);
  splitter_->setStretchFactor(1, 2);
  splitter_->setSizes({720, 440});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addLayout(progress);
  layout->addWidget(splitter_, 1);
  resize(1240, 780);

  connect(StartButton, &QPushButton::clicked, this, &AnalysisDialog::StartClick);
  connect(CancelButton, &QPushButton::clicked, this, &AnalysisDialog::CancelClick);
}

// The lane forgets a running analysis, which stops within milliseconds on
// its own; nobody waits for it.
AnalysisDialog::~AnalysisDialog() = default;

bool AnalysisDialog::Running() const { return lane_.Running(); }

AnalysisTexts AnalysisDialog::Texts() const {
  AnalysisTexts texts;
  texts.Games = GamesEdit->text().toStdString();
  texts.Trials = TrialsEdit->text().toStdString();
  texts.BigStock = BigStockEdit->text().toStdString();
  texts.RegStock = RegStockEdit->text().toStdString();
  const int settingIndex = SettingComboBox->currentIndex();
  texts.Setting =
      settingIndex >= 0 && settingIndex < kSettingCount ? settingIndex + 1 : kAllSettings;
  return texts;
}

void AnalysisDialog::SetTexts(const AnalysisTexts& texts) {
  GamesEdit->setText(QString::fromStdString(texts.Games));
  TrialsEdit->setText(QString::fromStdString(texts.Trials));
  BigStockEdit->setText(QString::fromStdString(texts.BigStock));
  RegStockEdit->setText(QString::fromStdString(texts.RegStock));
  // The list holds the levels, then every setting.
  SettingComboBox->setCurrentIndex(IsSettingLevel(texts.Setting)
                                       ? static_cast<int>(SettingIndex(texts.Setting))
                                       : kSettingCount);
}

std::optional<AnalysisRequest> AnalysisDialog::ReadRequest() {
  // Read as the command line reads its options, in the order they are laid out.
  AnalysisTexts texts = Texts();
  texts.Seed = SeedEdit->text().toStdString();
  texts.Jobs = 0;  // every core
  const AnalysisRequestRead read = ReadAnalysisRequest(texts);
  if (read.status.Ok()) return read.request;
  dialogs_.Error(this, QString::fromStdString(read.status.Message));
  const std::pair<AnalysisField, QWidget*> fields[] = {
      {AnalysisField::Games, GamesEdit},       {AnalysisField::Trials, TrialsEdit},
      {AnalysisField::BigStock, BigStockEdit}, {AnalysisField::RegStock, RegStockEdit},
      {AnalysisField::Seed, SeedEdit},         {AnalysisField::Setting, SettingComboBox}};
  for (const auto& [field, widget] : fields) {
    if (field == read.field) widget->setFocus();
  }
  return std::nullopt;
}

void AnalysisDialog::StartClick() {
  if (Running()) return;
  const std::optional<AnalysisRequest> request = ReadRequest();
  if (!request) return;

  // Kept to be shown again if this one is cancelled or fails.
  if (shown_) before_ = std::move(shown_);
  shown_.reset();
  FigureTable->clear();
  FigureTable->setRowCount(0);
  FigureTable->setColumnCount(0);
  HistogramPlot->clearPlottables();
  HistogramPlot->replot();
  FanView->Clear();
  ProgressBar->setValue(0);
  StatusLabel->setText(Text(wintext::kAnalysisRunning));
  startedMs_ = QDateTime::currentMSecsSinceEpoch();
  SetRunning(true);
  lane_.Start([request = *request](Job& job) { return RunAnalysis(request, job); },
              [this](AnalysisOutcome outcome) { Finish(std::move(outcome)); },
              [](const std::exception_ptr& error) {
                AnalysisOutcome failed;
                failed.status =
                    JobFailure(error, kAnalysisOutOfMemoryMessage, wintext::kAnalysisFailed);
                return failed;
              });
  ticker_->Start();
}

void AnalysisDialog::CancelClick() {
  if (!Running()) return;
  lane_.Cancel();
  CancelButton->setEnabled(false);
  StatusLabel->setText(Text(wintext::kAnalysisCancelling));
}

void AnalysisDialog::SetRunning(bool running) {
  for (QWidget* input : {static_cast<QWidget*>(GamesEdit), static_cast<QWidget*>(TrialsEdit),
                         static_cast<QWidget*>(SettingComboBox),
                         static_cast<QWidget*>(BigStockEdit), static_cast<QWidget*>(RegStockEdit),
                         static_cast<QWidget*>(SeedEdit), static_cast<QWidget*>(StartButton)}) {
    input->setEnabled(!running);
  }
  CancelButton->setEnabled(running);
}

void AnalysisDialog::ShowProgress() {
  const JobProgress progress = lane_.Progress();
  if (progress.Done <= 0) return;
  ProgressBar->setValue(progress.PerMille());
  if (CancelButton->isEnabled()) {  // "キャンセル中" stays until the end
    StatusLabel->setText(
        Text(wintext::kAnalysisRunningCount).arg(progress.Parts).arg(progress.PartsTotal));
  }
}

void AnalysisDialog::Finish(AnalysisOutcome outcome) {
  ticker_->Stop();
  SetRunning(false);
  switch (outcome.status.Kind) {
    case StatusKind::Ok: {
      const double seconds = (QDateTime::currentMSecsSinceEpoch() - startedMs_) / 1000.0;
      ProgressBar->setValue(ProgressBar->maximum());
      outcome.Result.Runs = {};  // the views need the figures only, not every run's
      shown_ = std::move(outcome.Result);
      before_.reset();
      Show(*shown_);
      StatusLabel->setText(Text(wintext::kAnalysisDone).arg(seconds, 0, 'f', 2));
      break;
    }
    case StatusKind::Cancelled:
      ProgressBar->setValue(0);
      ShowBefore();
      StatusLabel->setText(Text(wintext::kAnalysisCancelled));
      break;
    default:
      ProgressBar->setValue(0);
      ShowBefore();
      StatusLabel->clear();
      dialogs_.Error(this, QString::fromStdString(outcome.status.Message));
      break;
  }
  emit Ended();
}

void AnalysisDialog::Show(const AnalysisResult& result) {
  ShowFigures(result);
  DrawHistogram(result);
  FanView->Show(result);
}

void AnalysisDialog::ShowBefore() {
  if (!before_) return;
  shown_ = std::move(before_);
  before_.reset();
  Show(*shown_);
}

void AnalysisDialog::ShowFigures(const AnalysisResult& result) {
  FillTable(FigureTable, AnalysisTableRows(result));
  MarkTheoryOutside(result);
  FigureTable->resizeColumnsToContents();

  // The table takes the width of its columns, the histogram what is left.
  int tableWidth =
      2 * FigureTable->frameWidth() + FigureTable->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < FigureTable->columnCount(); ++c) tableWidth += FigureTable->columnWidth(c);
  const QList<int> sizes = splitter_->sizes();
  const int total = sizes.value(0) + sizes.value(1);
  if (total > 0)
    splitter_->setSizes({std::min(tableWidth, total - 300), std::max(300, total - tableWidth)});
}

// The note after a theoretical rate outside the pooled interval is easy to
// miss in a column of figures; the cell is coloured too, and says why.
void AnalysisDialog::MarkTheoryOutside(const AnalysisResult& result) {
  const QString note = Text(wintext::kOutsideIntervalNote);
  for (int c = 1; c < FigureTable->columnCount(); ++c) {
    const size_t setting = static_cast<size_t>(c - 1);
    if (setting >= result.Settings.size()) break;
    const SettingFigures& f = result.Settings[setting];
    if (!TheoryOutsidePooledInterval(f)) continue;
    const QString tip = Text(wintext::kOutsideIntervalTip)
                            .arg(Text(FormatFixed(f.Theory.ForRuns, 2)),
                                 Text(FormatFixed(f.PooledPayoutRate.Low, 2)),
                                 Text(FormatFixed(f.PooledPayoutRate.High, 2)));
    for (int r = 0; r < FigureTable->rowCount(); ++r) {
      QTableWidgetItem* item = FigureTable->item(r, c);
      if (item == nullptr || !item->text().endsWith(note)) continue;
      item->setBackground(kOutsideBackground);
      item->setForeground(kOutsideText);
      QFont bold = FigureTable->font();
      bold.setBold(true);
      item->setFont(bold);
      item->setToolTip(tip);
    }
  }
}

void AnalysisDialog::DrawHistogram(const AnalysisResult& result) {
  HistogramPlot->clearPlottables();
  const Histogram& histogram = result.FinalBalance;
  const double width = static_cast<double>(histogram.Width);
  const bool single = result.Settings.size() == 1;
  double highest = 0;
  for (size_t column = 0; column < histogram.Counts.size() && column < result.Settings.size();
       ++column) {
    const std::vector<int64_t>& counts = histogram.Counts[column];
    QVector<double> keys, values;
    for (size_t bin = 0; bin < counts.size(); ++bin) {
      keys << static_cast<double>(histogram.Lower) + (static_cast<double>(bin) + 0.5) * width;
      values << static_cast<double>(counts[bin]);
      highest = std::max(highest, values.back());
    }
    const int32_t setting = result.Settings[column].Setting;
    const QColor colour = SettingColour(setting);
    const QString name = Text(wintext::kSettingColumn).arg(setting);
    // One setting reads best as bars; six overlapping ones as outlines.
    if (single) {
      auto* bars = new QCPBars(HistogramPlot->xAxis, HistogramPlot->yAxis);
      bars->setName(name);
      bars->setWidth(width);
      bars->setPen(QPen(colour.darker(130)));
      bars->setBrush(colour.lighter(130));
      bars->setData(keys, values, true);
    } else {
      QCPGraph* graph = HistogramPlot->addGraph();
      graph->setName(name);
      graph->setLineStyle(QCPGraph::lsStepCenter);
      graph->setPen(QPen(colour, 2));
      graph->setData(keys, values, true);
    }
  }
  const size_t bins = histogram.Counts.empty() ? 0 : histogram.Counts.front().size();
  HistogramPlot->xAxis->setRange(static_cast<double>(histogram.Lower),
                                 static_cast<double>(histogram.Lower) + bins * width);
  HistogramPlot->yAxis->setRange(0, highest * 1.08 + 1);
  HistogramPlot->legend->setVisible(HistogramPlot->plottableCount() > 0);
  HistogramPlot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
  HistogramPlot->replot();
}

void AnalysisDialog::closeEvent(QCloseEvent* event) {
  // Nobody would see its figures; the cores are better given back at once.
  lane_.Cancel();
  QDialog::closeEvent(event);
}

void AnalysisDialog::reject() {
  lane_.Cancel();
  QDialog::reject();
}

}  // namespace sorimu
