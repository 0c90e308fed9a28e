#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#include "BonusHistory.h"
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
class JobTicker;
class NextGamesPanel;

// The setting estimate of the run on display: the hall's mix of settings
// (設定配分) the user starts from and the probabilities the rows lead to,
// side by side as bars and as a table, and on a second page what the next
// games may bring (期待収支). It reads the rows and nothing else: the level a
// run was played at never reaches it. The rows are read once per run, as a
// job with its own bar and キャンセル; a new prior only weighs what they
// said again. Beside it, on demand, the estimate from the run's bonus list
// alone, as a hall's data counter would have given it. Closing it stops
// whatever it works on, without waiting.
class TEstimateBox final : public QDialog {
  Q_OBJECT

 public:
  // `seed` is the first seed the prediction shows.
  TEstimateBox(Dialogs& dialogs, JobService& jobs, uint32_t seed, QWidget* parent = nullptr);
  ~TEstimateBox() override;

  // The run to estimate: read now, unless it is the run read last.
  void Show(RunRef run);
  // Another run is on display: what the box worked out of another goes.
  void RunShown(const RunRef& run);
  // The rows are being read.
  bool Reading() const { return lane_.Running(); }
  // The キャンセル button of the reading.
  void CancelClick();

  // The prior in use: the last one typed that was valid.
  const SettingWeights& Prior() const { return prior_; }
  // Its text, as typed; the one the user sees while it is valid.
  const QString& PriorText() const { return priorText_; }
  const SettingEstimate& Estimate() const { return estimate_; }
  // The estimate from the bonus list alone, while it is shown.
  const std::optional<SettingEstimate>& HistoryEstimate() const { return historyEstimate_; }
  // Types a prior into its box (one typed in the 実戦データ box).
  void SetPriorText(const QString& text);
  // The prior in use and the next games' count and draws, as typed (the
  // seed is not among them).
  EstimateTexts Texts() const;
  void SetTexts(const EstimateTexts& texts);

  QTabWidget* Pages = nullptr;
  QLineEdit* PriorEdit = nullptr;
  QPushButton* UniformButton = nullptr;
  QLabel* PriorMessageLabel = nullptr;
  QCustomPlot* EstimateChart = nullptr;
  QTableWidget* EstimateTable = nullptr;
  QLabel* NoteLabel = nullptr;
  QCheckBox* HistoryOnlyBox = nullptr;
  QProgressBar* ReadProgressBar = nullptr;
  QPushButton* ReadCancelButton = nullptr;
  NextGamesPanel* NextGames = nullptr;

 signals:
  // A valid prior was typed.
  void PriorTextChanged(const QString& text);

 public slots:
  void done(int result) override;

 private:
  void PriorEdited(const QString& text);
  // What the rows said, and the run's bonus list: both read by one job.
  struct ReadOut {
    SettingEstimate Weighed;
    BonusHistory History;
  };
  void Weighed(std::optional<ReadOut> reading);
  void SetReading(bool reading);
  void Refill();

  Dialogs& dialogs_;
  JobLane<std::optional<ReadOut>> lane_;
  JobTicker* ticker_ = nullptr;
  RunRef run_;                              // the run read last, or being read
  std::optional<SettingEstimate> weighed_;  // what its rows said, once read
  BonusHistory history_;                    // its bonus list, once read
  std::optional<SettingEstimate> historyEstimate_;
  SettingWeights prior_ = UniformPrior();
  QString priorText_;
  SettingEstimate estimate_;
};

}  // namespace sorimu
