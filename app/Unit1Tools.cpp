// The ツール menu: the many-run analysis, and the setting estimate, CSV and
// picture exports of the run on display.
#include <QAction>
#include <QDateTime>

#include "AnalysisDialog.h"
#include "Dialogs.h"
#include "EstimateBox.h"
#include "ResultCharts.h"
#include "RunExport.h"
#include "SettingEstimate.h"
#include "Unit1.h"

namespace sorimu {

namespace {

constexpr const char* kCsvFilter = "CSVファイル (*.csv)";
constexpr const char* kImageFilter = "PNG画像 (*.png)";
constexpr const char* kCsvDoneStatus = "CSVファイルに出力完了";
constexpr const char* kImageDoneStatus = "画像ファイルに保存完了";
constexpr const char* kRowsReplacedMessage =
    "表示中の結果の記録は、その後の連続シミュレーションまたはファイルの読み込みで"
    "置き換えられています。もう一度開始するか、ファイルを開いてから実行してください。";

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

void TMainForm::UpdateToolEntries() {
  // While a run is under way the records change under the commands' feet.
  const bool available = displayed_ && !busy_;
  for (QAction* entry : {ToolEstimateMenu, ToolCsvMenu, ToolImageMenu})
    entry->setEnabled(available);
}

bool TMainForm::ShownRowsAvailable() {
  // The estimate and the lists must describe what the views show; after a
  // batch the records hold a run nobody has seen.
  if (recordsShown_) return true;
  dialogs_.Error(this, Text(kRowsReplacedMessage));
  return false;
}

void TMainForm::ToolAnalysisMenuClick() {
  if (analysisDialog_ == nullptr) {
    const auto seed = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
    analysisDialog_ = new AnalysisDialog(dialogs_, seed, this);
  }
  analysisDialog_->show();
  analysisDialog_->raise();
  analysisDialog_->activateWindow();
}

void TMainForm::ToolEstimateMenuClick() {
  if (busy_ || !displayed_ || !ShownRowsAvailable()) return;
  const SettingEstimate estimate = EstimateSetting(records_);
  if (estimateBox_ == nullptr) estimateBox_ = new TEstimateBox(this);
  estimateBox_->Fill(estimate);
  dialogs_.ShowModal(*estimateBox_);
}

void TMainForm::ToolCsvMenuClick() {
  if (busy_ || !displayed_ || !ShownRowsAvailable()) return;
  const std::optional<QString> path =
      dialogs_.AskExportPath(this, csvDialogName_, Text(kCsvFilter));
  if (!path) return;
  csvDialogName_ = *path;

  const ExportResult result = ExportRunCsv(*path, records_);
  if (!result.Error.isEmpty()) {
    dialogs_.Error(this, result.Error);
    return;
  }
  SetStatusText(Text(kCsvDoneStatus));
}

void TMainForm::ToolImageMenuClick() {
  if (busy_ || !displayed_) return;  // the charts keep showing the run on display
  const std::optional<QString> path =
      dialogs_.AskExportPath(this, imageDialogName_, Text(kImageFilter));
  if (!path) return;
  imageDialogName_ = *path;

  const ExportResult result =
      ExportChartImages(*path, {{QStringLiteral("_slump.png"), charts_->SlumpChart()},
                                {QStringLiteral("_bars.png"), charts_->SlumpChart2()}});
  if (!result.Error.isEmpty()) {
    dialogs_.Error(this, result.Error);
    return;
  }
  SetStatusText(Text(kImageDoneStatus));
}

}  // namespace sorimu
