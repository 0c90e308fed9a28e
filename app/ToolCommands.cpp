#include "ToolCommands.h"

#include <QDateTime>
#include <QFile>

#include "AnalysisDialog.h"
#include "ChartPictures.h"
#include "Dialogs.h"
#include "EstimateBox.h"
#include "FigureSheetDialog.h"
#include "Messages.h"
#include "NextGamesPanel.h"
#include "QtText.h"
#include "ResultCharts.h"
#include "RunExports.h"
#include "Session.h"
#include "SessionMemory.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

void Raise(QWidget* dialog) {
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

}  // namespace

ToolCommands::ToolCommands(QWidget* window, Dialogs& dialogs, const Session& session,
                           ResultCharts& charts, QSettings* settings,
                           std::function<void(const QString&)> setStatus)
    : window_(window),
      dialogs_(dialogs),
      session_(session),
      charts_(charts),
      settings_(settings),
      setStatus_(std::move(setStatus)),
      csvName_(Text(wintext::kInitialCsvName)),
      imageName_(Text(wintext::kInitialImageName)) {}

// A 期待収支 still running reads the session's records: it goes before them.
ToolCommands::~ToolCommands() { delete estimate_; }

void ToolCommands::RecordsChanging() {
  if (estimate_ != nullptr) estimate_->RunReplaced();
}

void ToolCommands::Remember(QSettings& settings) const {
  if (analysis_ != nullptr) RememberAnalysisInputs(settings, *analysis_);
  if (estimate_ != nullptr) RememberEstimateInputs(settings, *estimate_);
}

bool ToolCommands::SomethingShown() const {
  return !session_.Busy() && session_.Display() != DisplayState::Nothing;
}

bool ToolCommands::ShownRowsAvailable() {
  // After a batch the records hold a run nobody has seen.
  if (session_.RecordsOnDisplay()) return true;
  dialogs_.Error(window_, Text(kRowsReplacedMessage));
  return false;
}

void ToolCommands::Analysis() {
  if (analysis_ == nullptr) {
    const auto seed = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
    analysis_ = new AnalysisDialog(dialogs_, seed, window_);
    if (settings_ != nullptr) RestoreAnalysisInputs(*settings_, *analysis_);
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
    estimate_ = new TEstimateBox(dialogs_, seed, window_);
    if (settings_ != nullptr) RestoreEstimateInputs(*settings_, *estimate_);
    QObject::connect(estimate_->NextGames, &NextGamesPanel::FanChanged, window_,
                     [this](const BalanceBands* fan, int32_t fromGames, int32_t fromBalance) {
                       if (fan != nullptr) {
                         charts_.SetForecastFan(*fan, fromGames, fromBalance);
                       } else {
                         charts_.ClearForecastFan();
                       }
                     });
  }
  estimate_->Show(session_.Records());
  dialogs_.ShowModal(*estimate_);
}

void ToolCommands::Csv() {
  if (!SomethingShown() || !ShownRowsAvailable()) return;
  const std::optional<QString> path =
      dialogs_.AskExportPath(window_, csvName_, Text(wintext::kCsvFilter));
  if (!path) return;
  csvName_ = *path;

  const ExportResult result = ExportRunLists(session_.Records(), LocalPath(*path));
  if (!result.status.Ok()) {
    dialogs_.Error(window_, Text(result.status.Message));
    return;
  }
  setStatus_(Text(wintext::kCsvDoneStatus));
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
  setStatus_(Text(wintext::kImageDoneStatus));
}

}  // namespace sorimu
