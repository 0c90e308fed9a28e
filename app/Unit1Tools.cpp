// The ツール menu: the many-run analysis, the figure sheet, and the setting
// estimate, CSV and picture exports of the run on display.
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
#include "SessionMemory.h"
#include "Unit1.h"
#include "WindowTexts.h"

namespace sorimu {

bool TMainForm::ShownRowsAvailable() {
  // After a batch the records hold a run nobody has seen.
  if (session_.RecordsOnDisplay()) return true;
  dialogs_.Error(this, Text(kRowsReplacedMessage));
  return false;
}

void TMainForm::ToolAnalysisMenuClick() {
  if (analysisDialog_ == nullptr) {
    const auto seed = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
    analysisDialog_ = new AnalysisDialog(dialogs_, seed, this);
    if (settings_ != nullptr) RestoreAnalysisInputs(*settings_, *analysisDialog_);
  }
  analysisDialog_->show();
  analysisDialog_->raise();
  analysisDialog_->activateWindow();
}

void TMainForm::ToolFigureSheetMenuClick() {
  if (figureSheet_ == nullptr) figureSheet_ = new FigureSheetDialog(dialogs_, this);
  figureSheet_->show();
  figureSheet_->raise();
  figureSheet_->activateWindow();
}

void TMainForm::ToolEstimateMenuClick() {
  if (session_.Busy() || session_.Display() == DisplayState::Nothing || !ShownRowsAvailable()) {
    return;
  }
  if (estimateBox_ == nullptr) {
    const auto seed = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
    estimateBox_ = new TEstimateBox(dialogs_, seed, this);
    if (settings_ != nullptr) RestoreEstimateInputs(*settings_, *estimateBox_);
    connect(estimateBox_->NextGames, &NextGamesPanel::FanChanged, this,
            [this](const BalanceBands* fan, int32_t fromGames, int32_t fromBalance) {
              if (fan != nullptr) {
                charts_->SetForecastFan(*fan, fromGames, fromBalance);
              } else {
                charts_->ClearForecastFan();
              }
            });
  }
  estimateBox_->Show(session_.Records());
  dialogs_.ShowModal(*estimateBox_);
}

void TMainForm::ToolCsvMenuClick() {
  if (session_.Busy() || session_.Display() == DisplayState::Nothing || !ShownRowsAvailable()) {
    return;
  }
  const std::optional<QString> path =
      dialogs_.AskExportPath(this, csvDialogName_, Text(wintext::kCsvFilter));
  if (!path) return;
  csvDialogName_ = *path;

  const ExportResult result = ExportRunLists(session_.Records(), LocalPath(*path));
  if (!result.status.Ok()) {
    dialogs_.Error(this, QString::fromStdString(result.status.Message));
    return;
  }
  SetStatusText(Text(wintext::kCsvDoneStatus));
}

void TMainForm::ToolImageMenuClick() {
  // The charts keep showing the run on display, whatever the records hold.
  if (session_.Busy() || session_.Display() == DisplayState::Nothing) return;
  const std::optional<QString> path =
      dialogs_.AskExportPath(this, imageDialogName_, Text(wintext::kImageFilter));
  if (!path) return;
  imageDialogName_ = *path;

  const std::optional<std::vector<ExportBytes>> pictures = ChartPictures(
      {{kSlumpImageSuffix, charts_->SlumpChart()}, {kBarsImageSuffix, charts_->SlumpChart2()}});
  if (!pictures) {
    dialogs_.Error(this, Text(wintext::kChartNotDrawable));
    return;
  }
  const ExportResult result = ExportFiles(LocalPath(*path), *pictures, kImageSaveFailedMessage);
  if (!result.status.Ok()) {
    dialogs_.Error(this, QString::fromStdString(result.status.Message));
    return;
  }
  SetStatusText(Text(wintext::kImageDoneStatus));
}

}  // namespace sorimu
