#include "HallDataBox.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "EstimateBars.h"
#include "EstimateTable.h"
#include "HallData.h"
#include "HallFiguresView.h"
#include "HallText.h"
#include "HallTexts.h"
#include "HistoryEstimate.h"
#include "HistoryTable.h"
#include "HistoryText.h"
#include "InputText.h"
#include "Messages.h"
#include "Named.h"
#include "PriorInput.h"
#include "QtJobs.h"
#include "QtText.h"
#include "ResultLists.h"
#include "WindowTexts.h"
#include "desktop/Dialogs.h"

namespace sorimu {

namespace {

QPushButton* NewButton(QWidget* parent, const char* caption, const char* name) {
  auto* button = Named(new QPushButton(Text(caption), parent), name);
  button->setAutoDefault(false);
  return button;
}

QTableWidget* NewShortTable(QWidget* parent, const char* name) {
  auto* table = Named(new QTableWidget(parent), name);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return table;
}

// A bonus typed over where it stood keeps what the loaded history knew of it.
void KeepStockMarks(const BonusHistory& loaded, BonusHistory& typed) {
  const size_t common = std::min(loaded.Bonuses.size(), typed.Bonuses.size());
  for (size_t b = 0; b < common; ++b) {
    const HistoryBonus& before = loaded.Bonuses[b];
    HistoryBonus& now = typed.Bonuses[b];
    if (now.Kind == before.Kind && now.Games == before.Games) {
      now.StockMayHaveRunOut = before.StockMayHaveRunOut;
    }
  }
}

}  // namespace

THallDataBox::THallDataBox(Dialogs& dialogs, JobService& jobs, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      loadLane_(jobs, PostToEventLoop()),
      hallLane_(jobs, PostToEventLoop()),
      forecastLane_(jobs, PostToEventLoop()),
      ticker_(new JobTicker(this, [this] { ShowForecastProgress(); })),
      priorText_(UniformPriorText()),
      fileName_(Text(halltext::kInitialHistoryName)) {
  setObjectName(QStringLiteral("HallDataBox"));
  setWindowTitle(Text(halltext::kTitle));
  setModal(false);
  setSizeGripEnabled(true);

  HallView = new HallFiguresView(this);
  Pages = Named(new QTabWidget(this), "HallPages");
  Pages->addTab(BuildEstimatePage(), Text(halltext::kEstimateTab));
  Pages->addTab(HallView->SincePage, Text(halltext::kSinceTab));
  Pages->addTab(HallView->QuitPage, Text(halltext::kQuitTab));

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(BuildHistorySide());
  splitter->addWidget(Pages);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter, 1);
  layout->addWidget(buttons);
  resize(1000, 640);
  splitter->setSizes({240, 760});

  Use(BonusHistory{});
}

THallDataBox::~THallDataBox() {
  // Hiding a box with a cell open commits the cell: by then nothing of this
  // box is left to read it.
  disconnect(HistoryEdit, nullptr, this, nullptr);
}

QWidget* THallDataBox::BuildHistorySide() {
  auto* side = new QWidget(this);
  auto* caption = new QLabel(Text(halltext::kHistoryLabel), side);
  caption->setWordWrap(true);
  HistoryEdit = Named(new HistoryTable(side), "HistoryTable");
  FromStartBox = Named(new QCheckBox(Text(halltext::kFromStart), side), "FromStartBox");
  PasteButton = NewButton(side, halltext::kPaste, "PasteButton");
  FileButton = NewButton(side, halltext::kFile, "FileButton");
  RunButton = NewButton(side, halltext::kFromRun, "RunButton");
  RunButton->setEnabled(false);
  ClearButton = NewButton(side, halltext::kClear, "ClearButton");
  HistoryMessageLabel = Named(new QLabel(side), "HistoryMessageLabel");
  HistoryMessageLabel->setWordWrap(true);
  HistoryMessageLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
  HistoryMessageLabel->hide();

  auto* loads = new QGridLayout;
  loads->addWidget(PasteButton, 0, 0);
  loads->addWidget(FileButton, 0, 1);
  loads->addWidget(RunButton, 1, 0);
  loads->addWidget(ClearButton, 1, 1);
  auto* layout = new QVBoxLayout(side);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(caption);
  layout->addWidget(HistoryEdit, 1);
  layout->addWidget(FromStartBox);
  layout->addWidget(HistoryMessageLabel);
  layout->addLayout(loads);

  connect(HistoryEdit, &HistoryTable::RowsEdited, this, &THallDataBox::Edited);
  connect(FromStartBox, &QCheckBox::toggled, this, &THallDataBox::Edited);
  connect(PasteButton, &QPushButton::clicked, this, &THallDataBox::PasteClick);
  connect(HistoryEdit, &HistoryTable::PasteAsked, this, &THallDataBox::PasteClick);
  connect(FileButton, &QPushButton::clicked, this, &THallDataBox::FileClick);
  connect(RunButton, &QPushButton::clicked, this, &THallDataBox::RunClick);
  connect(ClearButton, &QPushButton::clicked, this, [this] { Load(BonusHistory{}); });
  return side;
}

QWidget* THallDataBox::BuildEstimatePage() {
  auto* page = new QWidget(this);
  const PriorInput prior = NewPriorInput(page, "Hall");
  PriorEdit = prior.Edit;
  UniformButton = prior.UniformButton;
  PriorMessageLabel = prior.Message;
  QHBoxLayout* priorRow = prior.Row;

  EstimateChart = NewEstimateChart(page, "HallEstimateChart");
  EstimateTable = NewShortTable(page, "HallEstimateTable");
  NoteLabel = Named(new QLabel(page), "HallNoteLabel");
  NoteLabel->setWordWrap(true);

  ForecastButton = NewButton(page, halltext::kForecastStart, "ForecastButton");
  ForecastCancelButton = NewButton(page, halltext::kForecastCancel, "ForecastCancelButton");
  ForecastCancelButton->setEnabled(false);
  ForecastProgressBar = Named(new QProgressBar(page), "ForecastProgressBar");
  ForecastProgressBar->setRange(0, 1000);
  ForecastProgressBar->setValue(0);
  ForecastProgressBar->setTextVisible(false);
  ForecastStatusLabel = Named(new QLabel(page), "ForecastStatusLabel");
  auto* forecastRow = new QHBoxLayout;
  forecastRow->addWidget(new QLabel(Text(halltext::kForecastLabel), page));
  forecastRow->addWidget(ForecastButton);
  forecastRow->addWidget(ForecastCancelButton);
  forecastRow->addWidget(ForecastProgressBar, 1);
  ForecastTable = NewShortTable(page, "ForecastTable");

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(priorRow);
  layout->addWidget(PriorMessageLabel);
  layout->addWidget(EstimateChart, 1);
  layout->addWidget(EstimateTable);
  layout->addWidget(NoteLabel);
  layout->addLayout(forecastRow);
  layout->addWidget(ForecastStatusLabel);
  layout->addWidget(ForecastTable);

  connect(PriorEdit, &QLineEdit::textChanged, this, &THallDataBox::PriorEdited);
  connect(ForecastButton, &QPushButton::clicked, this, &THallDataBox::ForecastClick);
  connect(ForecastCancelButton, &QPushButton::clicked, this, [this] {
    forecastLane_.Cancel();
    ForecastCancelButton->setEnabled(false);
  });
  return page;
}

void THallDataBox::SetRun(RunRef run) {
  run_ = std::move(run);
  RunButton->setEnabled(run_ != nullptr && !Loading());
}

void THallDataBox::SetPriorText(const QString& text) {
  if (PriorEdit->text() != text) PriorEdit->setText(text);
}

HallTexts THallDataBox::Texts() const {
  HallTexts texts;
  texts.Rate = theory::kExchangeRates[HallView->Rate()].Name;
  texts.History = HistoryText(history_);
  return texts;
}

void THallDataBox::SetTexts(const HallTexts& texts) {
  if (const std::optional<size_t> rate = RateIndex(texts.Rate)) HallView->SetRate(*rate);
  const HistoryParse parse = ParseHistoryText(texts.History);
  if (parse.status.Ok()) Load(parse.history);
}

void THallDataBox::Edited() {
  const HistoryParse parse = ParseHistoryRows(HistoryEdit->Rows(), FromStartBox->isChecked());
  // The figures shown stay those of the last history read whole.
  HistoryMessageLabel->setText(Text(parse.status.Message));
  HistoryMessageLabel->setVisible(!parse.status.Ok());
  if (!parse.status.Ok()) return;
  BonusHistory history = parse.history;
  KeepStockMarks(loaded_, history);
  Use(std::move(history));
}

void THallDataBox::Load(const BonusHistory& history) {
  loaded_ = history;
  HistoryEdit->SetRows(HistoryRows(history));
  const QSignalBlocker blocker(FromStartBox);
  FromStartBox->setChecked(history.FromStart);
  HistoryMessageLabel->hide();
  Use(history);
}

void THallDataBox::PasteClick() {
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  const HistoryParse parse = ParseHistoryText(text);
  if (!parse.status.Ok()) {
    dialogs_.Error(this, Text(parse.status.Message));
    return;
  }
  Load(parse.history);
}

void THallDataBox::FileClick() {
  const std::optional<QString> path = dialogs_.AskHistoryPath(this, fileName_);
  if (!path) return;
  fileName_ = *path;
  StartLoad([path = LocalPath(*path)](Job&) { return ReadHistoryFile(path); });
}

void THallDataBox::RunClick() {
  if (run_ == nullptr) return;
  StartLoad([run = run_](Job&) {
    HistoryRead read;
    read.history = HistoryFromRecords(run->Records);
    return read;
  });
}

void THallDataBox::StartLoad(std::function<HistoryRead(Job&)> work) {
  // A .sim file or a long run takes a moment to go through.
  for (QPushButton* button : {PasteButton, FileButton, RunButton, ClearButton}) {
    button->setEnabled(false);
  }
  HistoryMessageLabel->setText(Text(halltext::kReading));
  HistoryMessageLabel->show();
  loadLane_.Start(
      std::move(work), [this](HistoryRead read) { Loaded(std::move(read)); },
      [](const std::exception_ptr& error) {
        HistoryRead failed;
        failed.status = JobFailure(error, halltext::kOutOfMemory, halltext::kFileFailed);
        return failed;
      });
}

void THallDataBox::LoadEnded() {
  for (QPushButton* button : {PasteButton, FileButton, ClearButton}) button->setEnabled(true);
  RunButton->setEnabled(run_ != nullptr);
  HistoryMessageLabel->hide();
}

void THallDataBox::Loaded(HistoryRead read) {
  LoadEnded();
  if (!read.status.Ok()) {
    // Nothing of the file is taken: the table stays as it was.
    dialogs_.Error(this, Text(read.status.Message));
    return;
  }
  Load(read.history);
}

void THallDataBox::Use(BonusHistory history) {
  history_ = std::move(history);
  RefreshEstimate();
  StartFigures();
  ForgetForecast();
}

void THallDataBox::PriorEdited(const QString& text) {
  const std::optional<SettingWeights> prior = ReadPriorText(PriorMessageLabel, text);
  if (!prior) return;
  priorText_ = text;
  emit PriorTextChanged(text);
  if (*prior == prior_) return;
  prior_ = *prior;
  RefreshEstimate();
  StartFigures();
  ForgetForecast();
}

void THallDataBox::RefreshEstimate() {
  estimate_ = EstimateFromHistory(history_, prior_);
  ShowEstimateBars(EstimateChart, estimate_);
  FillTable(EstimateTable, EstimateTableRows(estimate_));
  FitTableHeight(EstimateTable);
  NoteLabel->setText(Text(HistoryEstimateNote(estimate_, history_)));
}

void THallDataBox::StartFigures() {
  figures_.reset();
  HallView->Show(nullptr, CurrentGames(history_));
  hallLane_.Start(
      [prior = prior_, history = history_](Job&) {
        return std::shared_ptr<const HallFigures>(
            std::make_shared<HallFigures>(ComputeHallFigures(prior, history)));
      },
      [this](std::shared_ptr<const HallFigures> figures) {
        figures_ = std::move(figures);
        if (figures_ != nullptr) HallView->Show(figures_.get(), CurrentGames(history_));
      },
      [this](const std::exception_ptr& error) {
        const Status failure =
            JobFailure(error, halltext::kForecastOutOfMemory, halltext::kForecastFailed);
        dialogs_.Error(this, Text(failure.Message));
        return std::shared_ptr<const HallFigures>();
      });
}

void THallDataBox::ForecastClick() {
  if (Forecasting()) return;
  ForecastRequest request;  // a fixed seed: the same history gives the same figures
  request.Jobs = 0;
  ForecastButton->setEnabled(false);
  ForecastCancelButton->setEnabled(true);
  ForecastProgressBar->setValue(0);
  ForecastStatusLabel->setText(Text(halltext::kForecastRunning).arg(0).arg(request.Draws));
  forecastLane_.Start(
      [history = history_, prior = prior_, request](Job& job) -> std::optional<HistoryForecast> {
        HistoryForecast forecast = ForecastHistory(history, prior, request, job);
        if (job.Cancelled()) return std::nullopt;
        return forecast;
      },
      [this](std::optional<HistoryForecast> forecast) { Forecasted(std::move(forecast)); },
      [this](const std::exception_ptr& error) {
        const Status failure =
            JobFailure(error, halltext::kForecastOutOfMemory, halltext::kForecastFailed);
        dialogs_.Error(this, Text(failure.Message));
        return std::optional<HistoryForecast>();
      });
  ticker_->Start();
}

void THallDataBox::ShowForecastProgress() {
  const JobProgress progress = forecastLane_.Progress();
  if (progress.Total <= 0) return;
  ForecastProgressBar->setValue(progress.PerMille());
  ForecastStatusLabel->setText(
      Text(halltext::kForecastRunning).arg(progress.Done).arg(progress.Total));
}

void THallDataBox::Forecasted(std::optional<HistoryForecast> forecast) {
  ticker_->Stop();
  ForecastButton->setEnabled(true);
  ForecastCancelButton->setEnabled(false);
  ForecastProgressBar->setValue(forecast ? 1000 : 0);
  if (!forecast) {
    ForecastStatusLabel->setText(Text(halltext::kForecastCancelled));
    return;
  }
  const ForecastRequest request;
  ForecastStatusLabel->setText(Text(halltext::kForecastDone).arg(request.Draws).arg(request.Seed));
  FillTable(ForecastTable, ForecastTableRows(*forecast));
  FitTableHeight(ForecastTable);
}

void THallDataBox::ForgetForecast() {
  // Figures of another history or prior would mislead.
  forecastLane_.Forget();
  ticker_->Stop();
  ForecastButton->setEnabled(true);
  ForecastCancelButton->setEnabled(false);
  ForecastProgressBar->setValue(0);
  ForecastStatusLabel->clear();
  ForecastTable->clear();
  ForecastTable->setRowCount(0);
  ForecastTable->setColumnCount(0);
}

void THallDataBox::done(int result) {
  // Nobody would see the figures; the cores are better given back at once.
  ForgetForecast();
  if (Loading()) {
    loadLane_.Forget();
    LoadEnded();
  }
  if (PriorEdit->text() != priorText_) PriorEdit->setText(priorText_);
  QDialog::done(result);
}

}  // namespace sorimu
