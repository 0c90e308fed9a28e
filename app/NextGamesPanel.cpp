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

#include "Dialogs.h"
#include "EstimateTable.h"
#include "InputText.h"
#include "Messages.h"
#include "Named.h"
#include "NextGamesRunner.h"
#include "QtText.h"
#include "ResultLists.h"
#include "RunRecords.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

// The captions of the table without figures.
std::vector<TableRow> EmptyTable() {
  std::vector<TableRow> rows = NextGamesTableRows(NextGamesPrediction{});
  for (size_t r = 1; r < rows.size(); ++r) rows[r].resize(1);
  return rows;
}

}  // namespace

NextGamesPanel::NextGamesPanel(Dialogs& dialogs, uint32_t seed, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), runner_(new NextGamesRunner(this)) {
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
  connect(runner_, &NextGamesRunner::Progressed, this, &NextGamesPanel::ShowProgress);
  connect(runner_, &NextGamesRunner::Finished, this, &NextGamesPanel::Finish);
  Show(std::nullopt);
}

NextGamesPanel::~NextGamesPanel() = default;  // the runner, a child, stops its thread

bool NextGamesPanel::Running() const { return runner_->Running(); }

void NextGamesPanel::SetRecords(const RunRecords* records) {
  if (records == records_) return;
  Forget();
  records_ = records;
}

void NextGamesPanel::SetPrior(const SettingWeights& prior) {
  if (prior == prior_) return;
  Forget();
  prior_ = prior;
}

void NextGamesPanel::Forget() {
  if (Running()) {
    runner_->Stop();
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
  if (Running() || records_ == nullptr || records_->RowCount() == 0) return;
  const std::optional<NextGamesRequest> request = ReadRequest();
  if (!request) return;
  Show(std::nullopt);
  ProgressBar->setValue(0);
  StatusLabel->setText(Text(wintext::kNextGamesRunning).arg(0).arg(request->Draws));
  SetRunning(true);
  if (!runner_->Start(*records_, *request)) {
    SetRunning(false);
    StatusLabel->clear();
    dialogs_.Error(this, Text(wintext::kNextGamesCannotStart));
  }
}

void NextGamesPanel::CancelClick() {
  if (!Running()) return;
  runner_->Cancel();
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

void NextGamesPanel::ShowProgress(int drawsDone, int drawsTotal) {
  if (drawsTotal <= 0) return;
  ProgressBar->setValue(static_cast<int>(int64_t{1000} * drawsDone / drawsTotal));
  if (CancelButton->isEnabled()) {  // "キャンセル中" stays until the end
    StatusLabel->setText(Text(wintext::kNextGamesRunning).arg(drawsDone).arg(drawsTotal));
  }
}

void NextGamesPanel::Finish() {
  SetRunning(false);
  NextGamesOutcome outcome = runner_->TakeOutcome();
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
  if (shown_ && FanCheckBox->isChecked() && records_ != nullptr && records_->RowCount() > 0) {
    const RunRow& last = records_->LastRow();
    emit FanChanged(&shown_->Fan, last.PlayCount, last.Medal);
  } else {
    emit FanChanged(nullptr, 0, 0);
  }
}

}  // namespace sorimu
