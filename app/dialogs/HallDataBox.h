#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <optional>

#include "BonusHistory.h"
#include "HistoryFile.h"
#include "HistoryForecast.h"
#include "JobLane.h"
#include "RememberedInputs.h"
#include "RunSnapshot.h"
#include "SettingEstimate.h"

class QCheckBox;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace sorimu {

class Dialogs;
class HallFiguresView;
class HistoryTable;
class JobTicker;
struct HallFigures;

// ツール → 実戦データ: what a hall's data counter shows (each bonus's kind and
// the games before it, and the games since the last one), typed, pasted,
// read from a file or taken from the run on display. It shows the setting
// estimate from that history against the hall's prior, how sure it is and
// how soon that may change, and for the machine as it stands the ハマリ/天井
// table and the やめ時 curve. Every figure comes from the core; what takes a
// while runs as a job, and closing the box stops it without waiting.
class THallDataBox final : public QDialog {
  Q_OBJECT

 public:
  THallDataBox(Dialogs& dialogs, JobService& jobs, QWidget* parent = nullptr);
  ~THallDataBox() override;

  // The run the 表示中の回 button takes its bonus list from; null for none.
  void SetRun(RunRef run);

  // The history in use: the last one typed or loaded that was read whole.
  const BonusHistory& History() const { return history_; }
  const SettingEstimate& Estimate() const { return estimate_; }
  const SettingWeights& Prior() const { return prior_; }
  // The figures of the history in use; null while they are worked out.
  const HallFigures* Figures() const { return figures_.get(); }
  bool Loading() const { return loadLane_.Running(); }
  bool Working() const { return hallLane_.Running(); }
  bool Forecasting() const { return forecastLane_.Running(); }

  // The prior as typed; shared with the 設定推測 box.
  const QString& PriorText() const { return priorText_; }
  void SetPriorText(const QString& text);
  HallTexts Texts() const;
  void SetTexts(const HallTexts& texts);

  // The buttons.
  void PasteClick();
  void FileClick();
  void RunClick();
  void ForecastClick();

  HistoryTable* HistoryEdit = nullptr;
  QCheckBox* FromStartBox = nullptr;
  QPushButton* PasteButton = nullptr;
  QPushButton* FileButton = nullptr;
  QPushButton* RunButton = nullptr;
  QPushButton* ClearButton = nullptr;
  QLabel* HistoryMessageLabel = nullptr;
  QTabWidget* Pages = nullptr;
  QLineEdit* PriorEdit = nullptr;
  QPushButton* UniformButton = nullptr;
  QLabel* PriorMessageLabel = nullptr;
  QCustomPlot* EstimateChart = nullptr;
  QTableWidget* EstimateTable = nullptr;
  QLabel* NoteLabel = nullptr;
  QPushButton* ForecastButton = nullptr;
  QPushButton* ForecastCancelButton = nullptr;
  QProgressBar* ForecastProgressBar = nullptr;
  QLabel* ForecastStatusLabel = nullptr;
  QTableWidget* ForecastTable = nullptr;
  HallFiguresView* HallView = nullptr;

 signals:
  // A valid prior was typed.
  void PriorTextChanged(const QString& text);

 public slots:
  void done(int result) override;

 private:
  QWidget* BuildHistorySide();
  QWidget* BuildEstimatePage();
  void Edited();
  void Load(const BonusHistory& history);
  void StartLoad(std::function<HistoryRead(Job&)> work);
  void Loaded(HistoryRead read);
  void LoadEnded();
  void Use(BonusHistory history);
  void PriorEdited(const QString& text);
  void RefreshEstimate();
  void StartFigures();
  void ForgetForecast();
  void Forecasted(std::optional<HistoryForecast> forecast);
  void ShowForecastProgress();

  Dialogs& dialogs_;
  JobLane<HistoryRead> loadLane_;
  JobLane<std::shared_ptr<const HallFigures>> hallLane_;
  JobLane<std::optional<HistoryForecast>> forecastLane_;
  JobTicker* ticker_ = nullptr;
  RunRef run_;
  // The history last loaded whole: what it knows beyond its text (where a
  // stock may have run out) stays with the bonuses typed over unchanged.
  BonusHistory loaded_;
  BonusHistory history_;
  SettingWeights prior_ = UniformPrior();
  QString priorText_;
  SettingEstimate estimate_;
  std::shared_ptr<const HallFigures> figures_;
  QString fileName_;
};

}  // namespace sorimu
