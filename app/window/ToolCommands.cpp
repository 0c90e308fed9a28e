#include "ToolCommands.h"

#include <QDateTime>
#include <QFile>

#include "AnalysisDialog.h"
#include "ChartPictures.h"
#include "EstimateBox.h"
#include "FigureSheetDialog.h"
#include "HallDataBox.h"
#include "MainPresenter.h"
#include "Messages.h"
#include "NextGamesPanel.h"
#include "QtText.h"
#include "ResultCharts.h"
#include "RunExports.h"
#include "WindowTexts.h"
#include "desktop/Dialogs.h"

namespace sorimu {

namespace {

void Raise(QWidget* dialog) {
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

}  // namespace

ToolCommands::ToolCommands(QWidget* window, Dialogs& dialogs, JobService& jobs,
                           MainPresenter& presenter, ResultCharts& charts)
    : window_(window),
      dialogs_(dialogs),
      jobs_(jobs),
      presenter_(presenter),
      charts_(charts),
      csvName_(Text(wintext::kInitialCsvName)),
      imageName_(Text(wintext::kInitialImageName)) {}

ToolCommands::~ToolCommands() = default;  // the dialogs are the window's children

void ToolCommands::RunShown(const RunRef& run) {
  if (estimate_ != nullptr) estimate_->RunShown(run);
  if (hall_ != nullptr) hall_->SetRun(run);
}

void ToolCommands::Restore(const RememberedInputs& inputs) {
  remembered_ = inputs;
  if (analysis_ != nullptr) analysis_->SetTexts(inputs.Analysis);
  if (estimate_ != nullptr) estimate_->SetTexts(inputs.Estimate);
  if (hall_ != nullptr) {
    hall_->SetTexts(inputs.Hall);
    hall_->SetPriorText(QString::fromStdString(inputs.Estimate.Prior));
  }
}

void ToolCommands::Collect(RememberedInputs& inputs) const {
  inputs.Analysis = analysis_ != nullptr ? analysis_->Texts() : remembered_.Analysis;
  inputs.Estimate = estimate_ != nullptr ? estimate_->Texts() : remembered_.Estimate;
  inputs.Hall = hall_ != nullptr ? hall_->Texts() : remembered_.Hall;
  // The prior last typed in either box.
  inputs.Estimate.Prior = remembered_.Estimate.Prior;
}

void ToolCommands::SharePrior(const QString& text) {
  remembered_.Estimate.Prior = text.toStdString();
  if (estimate_ != nullptr) estimate_->SetPriorText(text);
  if (hall_ != nullptr) hall_->SetPriorText(text);
}

const Session& ToolCommands::CurrentSession() const { return presenter_.CurrentSession(); }

bool ToolCommands::SomethingShown() const { return presenter_.Commands().runTools; }

bool ToolCommands::ShownRowsAvailable() {
  // After a batch the records hold a run nobody has seen.
  if (CurrentSession().RecordsOnDisplay()) return true;
  dialogs_.Error(window_, Text(kRowsReplacedMessage));
  return false;
}

void ToolCommands::Analysis() {
  if (analysis_ == nullptr) {
    const auto seed = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
    analysis_ = new AnalysisDialog(dialogs_, jobs_, seed, window_);
    analysis_->SetTexts(remembered_.Analysis);
  }
  Raise(analysis_);
}

void ToolCommands::FigureSheet() {
  if (figureSheet_ == nullptr) figureSheet_ = new FigureSheetDialog(dialogs_, window_);
  Raise(figureSheet_);
}

void ToolCommands::Estimate() {
  if (!SomethingShown() || !ShownRowsAvailable()) return;
  if (estimate_ == nullptr) {
    const auto seed = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
    estimate_ = new TEstimateBox(dialogs_, jobs_, seed, window_);
    estimate_->SetTexts(remembered_.Estimate);
    QObject::connect(estimate_, &TEstimateBox::PriorTextChanged, window_,
                     [this](const QString& text) { SharePrior(text); });
    QObject::connect(estimate_->NextGames, &NextGamesPanel::FanChanged, window_,
                     [this](const BalanceBands* fan, int32_t fromGames, int32_t fromBalance) {
                       if (fan != nullptr) {
                         charts_.SetForecastFan(*fan, fromGames, fromBalance);
                       } else {
                         charts_.ClearForecastFan();
                       }
                     });
  }
  estimate_->Show(CurrentSession().Current());
  dialogs_.ShowModal(*estimate_);
}

void ToolCommands::Hall() {
  if (hall_ == nullptr) {
    hall_ = new THallDataBox(dialogs_, jobs_, window_);
    hall_->SetTexts(remembered_.Hall);
    hall_->SetPriorText(QString::fromStdString(remembered_.Estimate.Prior));
    QObject::connect(hall_, &THallDataBox::PriorTextChanged, window_,
                     [this](const QString& text) { SharePrior(text); });
  }
  // The run the views show, whatever a batch left in the records.
  hall_->SetRun(SomethingShown() ? CurrentSession().ShownSnapshot() : nullptr);
  Raise(hall_);
}

void ToolCommands::Csv() {
  if (!SomethingShown() || !ShownRowsAvailable()) return;
  const std::optional<QString> path =
      dialogs_.AskExportPath(window_, csvName_, Text(wintext::kCsvFilter));
  if (!path) return;
  csvName_ = *path;

  const ExportResult result = ExportRunLists(CurrentSession().Current()->Records, LocalPath(*path));
  if (!result.status.Ok()) {
    dialogs_.Error(window_, Text(result.status.Message));
    return;
  }
  presenter_.SetStatus(StatusLine::CsvDone);
}

void ToolCommands::Image() {
  // The charts keep showing the run on display, whatever the records hold.
  if (!SomethingShown()) return;
  const std::optional<Dialogs::ImageChoice> choice = dialogs_.AskImagePath(window_, imageName_);
  if (!choice) return;
  imageName_ = choice->path;

  const std::optional<std::vector<ExportBytes>> pictures = ChartPictures(
      {{kSlumpImageSuffix, charts_.SlumpChart()}, {kBarsImageSuffix, charts_.SlumpChart2()}},
      choice->scale);
  if (!pictures) {
    dialogs_.Error(window_, Text(wintext::kChartNotDrawable));
    return;
  }
  const ExportResult result =
      ExportFiles(LocalPath(choice->path), *pictures, kImageSaveFailedMessage);
  if (!result.status.Ok()) {
    dialogs_.Error(window_, Text(result.status.Message));
    return;
  }
  presenter_.SetStatus(StatusLine::ImagesDone);
}

}  // namespace sorimu
