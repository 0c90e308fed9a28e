#pragma once

#include <QDialog>
#include <optional>

#include "AnalysisInputs.h"
#include "JobLane.h"
#include "ManyRunAnalysis.h"

class QComboBox;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableWidget;

namespace sorimu {

class AnalysisFanView;
class Dialogs;
class JobTicker;

// The many-run analysis: its inputs, a job that plays the runs while both
// windows stay usable, the figures one column per setting, and the spread of
// the final balance. It plays machines of its own and never touches the main
// window's records. The final balances show as a histogram, their course
// as a fan per setting. Closing it cancels a running analysis.
class AnalysisDialog final : public QDialog {
  Q_OBJECT

 public:
  // `seed` is the first base seed shown; the caller takes it from the clock.
  AnalysisDialog(Dialogs& dialogs, JobService& jobs, uint32_t seed, QWidget* parent = nullptr);
  ~AnalysisDialog() override;

  // The 開始 and キャンセル buttons.
  void StartClick();
  void CancelClick();

  bool Running() const;
  // Its counts, stocks and setting as they stand (the seed is not among them).
  AnalysisTexts Texts() const;
  void SetTexts(const AnalysisTexts& texts);
  // The figures on display, if an analysis completed.
  const std::optional<AnalysisResult>& Shown() const { return shown_; }

  QLineEdit* GamesEdit = nullptr;
  QLineEdit* TrialsEdit = nullptr;
  QComboBox* SettingComboBox = nullptr;
  QLineEdit* BigStockEdit = nullptr;
  QLineEdit* RegStockEdit = nullptr;
  QLineEdit* SeedEdit = nullptr;
  QPushButton* StartButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QLabel* StatusLabel = nullptr;
  QTableWidget* FigureTable = nullptr;
  QTabWidget* ChartPages = nullptr;
  QCustomPlot* HistogramPlot = nullptr;
  AnalysisFanView* FanView = nullptr;

 signals:
  // An analysis ended: completed, cancelled or failed.
  void Ended();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  std::optional<AnalysisRequest> ReadRequest();
  void SetRunning(bool running);
  void ShowProgress();
  void Finish(AnalysisOutcome outcome);
  // The table, the histogram and the fan of a result.
  void Show(const AnalysisResult& result);
  // The result shown before a cancelled or failed analysis, back in place.
  void ShowBefore();
  void ShowFigures(const AnalysisResult& result);
  void MarkTheoryOutside(const AnalysisResult& result);
  void DrawHistogram(const AnalysisResult& result);

  Dialogs& dialogs_;
  JobLane<AnalysisOutcome> lane_;
  JobTicker* ticker_ = nullptr;
  QSplitter* splitter_ = nullptr;
  std::optional<AnalysisResult> shown_;
  std::optional<AnalysisResult> before_;  // while an analysis works
  qint64 startedMs_ = 0;
};

}  // namespace sorimu
