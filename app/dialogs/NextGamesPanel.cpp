#include "NextGamesPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "EstimateTable.h"
#include "InputText.h"
#include "Messages.h"
#include "Named.h"
#include "QtJobs.h"
#include "QtText.h"
#include "ResultLists.h"
#include "WindowTexts.h"
#include "desktop/Dialogs.h"

namespace sorimu {

namespace {

// The captions of the table without figures.
std::vector<TableRow> EmptyTable() {
  std::vector<TableRow> rows = NextGamesTableRows(NextGamesPrediction{});
  for (size_t r = 1; r < rows.size(); ++r) rows[r].resize(1);
  return rows;
}

}  // namespace

NextGamesPanel::NextGamesPanel(Dialogs& dialogs, JobService& jobs, uint32_t seed, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      lane_(jobs, PostToEventLoop()),
      ticker_(new JobTicker(this, [this] { ShowProgress(); })) {
  setObjectName(QStringLiteral("NextGamesPanel"));
  const NextGamesRequest defaults;
  GamesEdit = Named(new QLineEdit(QString::number(defaults.Games), this), "NextGamesEdit");
  DrawsEdit = Named(new QLineEdit(QString::number(defaults.Draws), this), "NextDrawsEdit");
  SeedEdit = Named(new QLineEdit(QString::number(seed), this), "NextSeedEdit");
  auto* inputs = new QGridLayout;
  const std::pair<const char*, QLineEdit*> boxes[] = {{wintext::kNextGamesGames, GamesEdit},
                                                      {wintext::kNextGamesDraws, DrawsEdit},
                                                      {wintext::kNextGamesSeed, SeedEdit}};
  int column = 0;
  for (const auto& [caption, box] : boxes) {
    inputs->addWidget(new QLabel(Text(caption), this), 0, column++);
    inputs->addWidget(box, 0, column++);
  }

  StartButton = Named(new QPushButton(Text(wintext::kNextGamesStart), this), "NextStartButton");
  CancelButton = Named(new QPushButton(Text(wintext::kNextGamesCancel), this), "NextCancelButton");
  // Enter on this page computes; on the other page, where it is hidden, it
  // does nothing rather than close the box.
  StartButton->setDefault(true);
  CancelButton->setAutoDefault(false);
  CancelButton->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(StartButton);
  buttons->addWidget(CancelButton);
  buttons->addStretch();

  ProgressBar = Named(new QProgressBar(this), "NextProgressBar");
  ProgressBar->setRange(0, 1000);
  ProgressBar->setValue(0);
  ProgressBar->setTextVisible(false);
  StatusLabel = Named(new QLabel(this), "NextStatusLabel");

  FigureTable = Named(new QTableWidget(this), "NextFigureTable");
  FigureTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FigureTable->setSelectionMode(QAbstractItemView::NoSelection);
  FigureTable->setFocusPolicy(Qt::NoFocus);
  FigureTable->verticalHeader()->hide();
  FigureTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  FigureTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  FigureTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FigureTable->setWordWrap(false);

  FanCheckBox = Named(new QCheckBox(Text(wintext::kNextGamesFanBox), this), "FanCheckBox");
  auto* note = Named(new QLabel(Text(wintext::kNextGamesNote), this), "NextNoteLabel");
  note->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(inputs);
  layout->addLayout(buttons);
  layout->addWidget(ProgressBar);
  layout->addWidget(StatusLabel);
  layout->addWidget(FigureTable);
  layout->addWidget(FanCheckBox);
  layout->addWidget(note);
  layout->addStretch(1);

  connect(StartButton, &QPushButton::clicked, this, &NextGamesPanel::StartClick);
  connect(CancelButton, &QPushButton::clicked, this, &NextGamesPanel::CancelClick);
  connect(FanCheckBox, &QCheckBox::toggled, this, &NextGamesPanel::UpdateFan);
  Show(std::nullopt);
}

// The lane forgets a running prediction, which stops within milliseconds on
// its own; nobody waits for it.
NextGamesPanel::~NextGamesPanel() = default;

bool NextGamesPanel::Running() const { return lane_.Running(); }

void NextGamesPanel::SetRun(RunRef run, std::optional<SettingEstimate> weighed) {
  if (weighed) weighed_ = weighed;
  if (run == run_) return;
  Forget();
  run_ = std::move(run);
  weighed_ = std::move(weighed);
}

void NextGamesPanel::SetPrior(const SettingWeights& prior) {
  if (prior == prior_) return;
  Forget();
  prior_ = prior;
}

void NextGamesPanel::Forget() {
  if (Running()) {
    lane_.Forget();
    ticker_->Stop();
    SetRunning(false);
  }
  ProgressBar->setValue(0);
  StatusLabel->clear();
  Show(std::nullopt);
}

std::optional<NextGamesRequest> NextGamesPanel::ReadRequest() {
  NextGamesRequest request;
  request.Prior = prior_;
  request.Jobs = 0;  // every core
  const CountResult games =
      ParseCount(GamesEdit->text().toStdString(), 1, kMaxNextGames, kNextGamesRangeMessage);
  const CountResult draws =
      ParseCount(DrawsEdit->text().toStdString(), 1, kMaxNextDraws, kNextDrawsRangeMessage);
  const std::optional<uint32_t> seed = ParseSeed(SeedEdit->text().toStdString());
  const std::pair<std::string, QLineEdit*> problems[] = {
      {games.status.Message, GamesEdit},
      {draws.status.Message, DrawsEdit},
      {seed ? std::string() : std::string(kSeedRangeMessage), SeedEdit},
  };
  for (const auto& [message, box] : problems) {
    if (message.empty()) continue;
    dialogs_.Error(this, Text(message));
    box->setFocus();
    box->selectAll();
    return std::nullopt;
  }
  request.Games = games.value;
  request.Draws = draws.value;
  request.Seed = *seed;
  return request;
}

void NextGamesPanel::StartClick() {
  if (Running() || run_ == nullptr || run_->Records.RowCount() == 0) return;
  const std::optional<NextGamesRequest> request = ReadRequest();
  if (!request) return;
  Show(std::nullopt);
  ProgressBar->setValue(0);
  StatusLabel->setText(Text(wintext::kNextGamesRunning).arg(0).arg(request->Draws));
  SetRunning(true);
  lane_.Start(
      [run = run_, request = *request, weighed = weighed_](Job& job) {
        return PredictNextGames(run->Records, request, job, weighed ? &*weighed : nullptr);
      },
      [this](NextGamesOutcome outcome) { Finish(std::move(outcome)); },
      [](const std::exception_ptr& error) {
        NextGamesOutcome failed;
        failed.status = JobFailure(error, kPredictionOutOfMemoryMessage, wintext::kNextGamesFailed);
        return failed;
      });
  ticker_->Start();
}

void NextGamesPanel::CancelClick() {
  if (!Running()) return;
  lane_.Cancel();
  CancelButton->setEnabled(false);
  StatusLabel->setText(Text(wintext::kNextGamesCancelling));
}

void NextGamesPanel::SetRunning(bool running) {
  for (QWidget* input : {static_cast<QWidget*>(GamesEdit), static_cast<QWidget*>(DrawsEdit),
                         static_cast<QWidget*>(SeedEdit), static_cast<QWidget*>(StartButton)}) {
    input->setEnabled(!running);
  }
  CancelButton->setEnabled(running);
  emit RunningChanged(running);
}

void NextGamesPanel::ShowProgress() {
  const JobProgress progress = lane_.Progress();
  if (progress.PartsTotal <= 0) return;
  ProgressBar->setValue(progress.PerMille());
  if (CancelButton->isEnabled()) {  // "キャンセル中" stays until the end
    StatusLabel->setText(
        Text(wintext::kNextGamesRunning).arg(progress.Parts).arg(progress.PartsTotal));
  }
}

void NextGamesPanel::Finish(NextGamesOutcome outcome) {
  ticker_->Stop();
  SetRunning(false);
  switch (outcome.status.Kind) {
    case StatusKind::Ok: {
      const NextGamesRequest& request = outcome.Prediction.Request;
      ProgressBar->setValue(ProgressBar->maximum());
      StatusLabel->setText(
          Text(wintext::kNextGamesDone).arg(request.Games).arg(request.Draws).arg(request.Seed));
      Show(std::move(outcome.Prediction));
      break;
    }
    case StatusKind::Cancelled:
      ProgressBar->setValue(0);
      StatusLabel->setText(Text(wintext::kNextGamesCancelled));
      break;
    default:
      ProgressBar->setValue(0);
      StatusLabel->clear();
      dialogs_.Error(this, Text(outcome.status.Message));
      break;
  }
  emit Ended();
}

void NextGamesPanel::Show(std::optional<NextGamesPrediction> prediction) {
  const bool had = shown_.has_value();
  shown_ = std::move(prediction);
  // The empty table keeps its captions and rows, so the page does not jump.
  FillTable(FigureTable, shown_ ? NextGamesTableRows(*shown_) : EmptyTable());
  if (FigureTable->columnCount() > 0) {
    FigureTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  }
  FitTableHeight(FigureTable);
  if (had || shown_) UpdateFan();
}

void NextGamesPanel::UpdateFan() {
  if (shown_ && FanCheckBox->isChecked() && run_ != nullptr && run_->Records.RowCount() > 0) {
    const RunRow& last = run_->Records.LastRow();
    emit FanChanged(&shown_->Fan, last.PlayCount, last.Medal);
  } else {
    emit FanChanged(nullptr, 0, 0);
  }
}

}  // namespace sorimu
