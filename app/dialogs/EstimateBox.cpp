#include "EstimateBox.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "EstimateBars.h"
#include "EstimateTable.h"
#include "HallTexts.h"
#include "HistoryEstimate.h"
#include "InputText.h"
#include "Messages.h"
#include "Named.h"
#include "NextGamesPanel.h"
#include "PriorInput.h"
#include "QtJobs.h"
#include "QtText.h"
#include "ResultLists.h"
#include "Setting.h"
#include "WindowTexts.h"
#include "desktop/Dialogs.h"

namespace sorimu {

namespace {

// The rows of the estimate with a column of the second one beside its own.
std::vector<TableRow> SideBySide(const SettingEstimate& estimate, const SettingEstimate& second) {
  std::vector<TableRow> rows = EstimateTableRows(estimate);
  const std::vector<TableRow> others = EstimateTableRows(second);
  rows.front().push_back(halltext::kHistoryOnlyColumn);
  for (size_t r = 1; r < rows.size(); ++r) rows[r].push_back(others[r].back());
  return rows;
}

}  // namespace

TEstimateBox::TEstimateBox(Dialogs& dialogs, JobService& jobs, uint32_t seed, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      lane_(jobs, PostToEventLoop()),
      ticker_(
          new JobTicker(this, [this] { ReadProgressBar->setValue(lane_.Progress().PerMille()); })),
      priorText_(UniformPriorText()) {
  setObjectName(QStringLiteral("EstimateBox"));
  setWindowTitle(Text(wintext::kEstimateTitle));
  setSizeGripEnabled(true);

  auto* estimatePage = new QWidget(this);
  const PriorInput prior = NewPriorInput(estimatePage, "");
  PriorEdit = prior.Edit;
  UniformButton = prior.UniformButton;
  PriorMessageLabel = prior.Message;
  QHBoxLayout* priorRow = prior.Row;

  // The prior in grey beside the estimate in colour: what the hall was
  // assumed to hold, and what the rows made of it.
  EstimateChart = NewEstimateChart(estimatePage, "EstimateChart");
  HistoryOnlyBox =
      Named(new QCheckBox(Text(halltext::kHistoryOnlyBox), estimatePage), "HistoryOnlyBox");

  EstimateTable = Named(new QTableWidget(estimatePage), "EstimateTable");
  EstimateTable->verticalHeader()->hide();
  EstimateTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  EstimateTable->setSelectionMode(QAbstractItemView::NoSelection);
  EstimateTable->setFocusPolicy(Qt::NoFocus);
  EstimateTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  EstimateTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  EstimateTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  NoteLabel = Named(new QLabel(estimatePage), "NoteLabel");
  NoteLabel->setWordWrap(true);

  // Shown only while the rows are read: a file of millions of rows takes a while.
  ReadProgressBar = Named(new QProgressBar(estimatePage), "ReadProgressBar");
  ReadProgressBar->setRange(0, 1000);
  ReadProgressBar->setTextVisible(false);
  ReadCancelButton =
      Named(new QPushButton(Text(wintext::kEstimateCancel), estimatePage), "ReadCancelButton");
  ReadCancelButton->setAutoDefault(false);
  auto* readRow = new QHBoxLayout;
  readRow->addWidget(ReadProgressBar, 1);
  readRow->addWidget(ReadCancelButton);
  ReadProgressBar->hide();
  ReadCancelButton->hide();

  auto* estimateLayout = new QVBoxLayout(estimatePage);
  estimateLayout->addLayout(priorRow);
  estimateLayout->addWidget(PriorMessageLabel);
  estimateLayout->addLayout(readRow);
  estimateLayout->addWidget(EstimateChart, 1);
  estimateLayout->addWidget(EstimateTable);
  estimateLayout->addWidget(NoteLabel);
  estimateLayout->addWidget(HistoryOnlyBox);

  NextGames = new NextGamesPanel(dialogs, jobs, seed, this);
  Pages = Named(new QTabWidget(this), "EstimatePages");
  Pages->addTab(estimatePage, Text(wintext::kEstimateTab));
  Pages->addTab(NextGames, Text(wintext::kNextGamesTab));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages, 1);
  layout->addWidget(buttons);
  resize(460, 600);

  connect(PriorEdit, &QLineEdit::textChanged, this, &TEstimateBox::PriorEdited);
  connect(ReadCancelButton, &QPushButton::clicked, this, &TEstimateBox::CancelClick);
  connect(HistoryOnlyBox, &QCheckBox::toggled, this, &TEstimateBox::Refill);
  // A prediction works with the prior it started from.
  connect(NextGames, &NextGamesPanel::RunningChanged, this,
          [this](bool running) { PriorEdit->setEnabled(!running); });
}

TEstimateBox::~TEstimateBox() = default;

void TEstimateBox::Show(RunRef run) {
  if (run == run_ && (weighed_ || Reading())) return;
  run_ = std::move(run);
  weighed_.reset();
  NextGames->SetRun(run_, std::nullopt);
  NoteLabel->setText(Text(wintext::kEstimateRunning));
  SetReading(true);
  lane_.Start(
      [run = run_, prior = prior_](Job& job) -> std::optional<ReadOut> {
        std::optional<SettingEstimate> weighed = EstimateSetting(run->Records, prior, job);
        if (!weighed) return std::nullopt;
        return ReadOut{std::move(*weighed), HistoryFromRecords(run->Records)};
      },
      [this](std::optional<ReadOut> reading) { Weighed(std::move(reading)); },
      [this](const std::exception_ptr& error) {
        // On this thread, as the lane hands the result over.
        const Status failure =
            JobFailure(error, wintext::kEstimateOutOfMemory, wintext::kEstimateFailed);
        dialogs_.Error(this, Text(failure.Message));
        return std::optional<ReadOut>();
      });
  ticker_->Start();
}

EstimateTexts TEstimateBox::Texts() const {
  EstimateTexts texts;
  texts.Prior = priorText_.toStdString();
  texts.NextGames = NextGames->GamesEdit->text().toStdString();
  texts.NextDraws = NextGames->DrawsEdit->text().toStdString();
  return texts;
}

void TEstimateBox::SetTexts(const EstimateTexts& texts) {
  PriorEdit->setText(QString::fromStdString(texts.Prior));
  NextGames->GamesEdit->setText(QString::fromStdString(texts.NextGames));
  NextGames->DrawsEdit->setText(QString::fromStdString(texts.NextDraws));
}

void TEstimateBox::RunShown(const RunRef& run) {
  if (run == run_) return;
  lane_.Forget();
  SetReading(false);
  run_.reset();
  weighed_.reset();
  NextGames->SetRun(run, std::nullopt);
}

void TEstimateBox::CancelClick() {
  if (!Reading()) return;
  lane_.Cancel();
  ReadCancelButton->setEnabled(false);
}

void TEstimateBox::Weighed(std::optional<ReadOut> reading) {
  SetReading(false);
  if (!reading) {
    // Cancelled (or failed): nothing is shown for the run until it is read again.
    run_.reset();
    NoteLabel->setText(Text(wintext::kEstimateCancelled));
    return;
  }
  weighed_ = std::move(reading->Weighed);
  history_ = std::move(reading->History);
  NextGames->SetRun(run_, weighed_);
  Refill();
}

void TEstimateBox::SetReading(bool reading) {
  ReadProgressBar->setValue(0);
  ReadProgressBar->setVisible(reading);
  ReadCancelButton->setVisible(reading);
  ReadCancelButton->setEnabled(reading);
  if (!reading) ticker_->Stop();
  // The prediction needs what the rows say.
  NextGames->setEnabled(!reading);
}

void TEstimateBox::SetPriorText(const QString& text) {
  if (PriorEdit->text() != text) PriorEdit->setText(text);
}

void TEstimateBox::PriorEdited(const QString& text) {
  const std::optional<SettingWeights> prior = ReadPriorText(PriorMessageLabel, text);
  if (!prior) return;
  priorText_ = text;
  emit PriorTextChanged(text);
  if (*prior == prior_) return;
  prior_ = *prior;
  NextGames->SetPrior(prior_);
  Refill();
}

void TEstimateBox::Refill() {
  if (!weighed_) return;
  // The prior may have changed while the rows were read.
  estimate_ = Reweigh(*weighed_, prior_);
  historyEstimate_.reset();
  if (HistoryOnlyBox->isChecked()) historyEstimate_ = EstimateFromHistory(history_, prior_);
  ShowEstimateBars(EstimateChart, estimate_, historyEstimate_ ? &*historyEstimate_ : nullptr);
  FillTable(EstimateTable, historyEstimate_ ? SideBySide(estimate_, *historyEstimate_)
                                            : EstimateTableRows(estimate_));
  FitTableHeight(EstimateTable);
  QString note = Text(EstimateNote(estimate_));
  if (historyEstimate_) note += '\n' + Text(HistoryEstimateNote(*historyEstimate_, history_));
  NoteLabel->setText(note);
}

void TEstimateBox::done(int result) {
  // Nobody would see its figures; the cores are better given back at once.
  if (NextGames->Running()) NextGames->Forget();
  if (Reading()) {
    lane_.Forget();
    SetReading(false);
    run_.reset();
  }
  // What is shown again next time is the prior in use.
  if (PriorEdit->text() != priorText_) PriorEdit->setText(priorText_);
  QDialog::done(result);
}

}  // namespace sorimu
