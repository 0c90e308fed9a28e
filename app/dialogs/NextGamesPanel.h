#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

#include "JobLane.h"
#include "NextGames.h"
#include "RunSnapshot.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace sorimu {

class Dialogs;
class JobTicker;

// The 期待収支 page of the setting estimate: what the next N games of the run
// on display may bring, worked out as a job with the prior the estimate
// uses, and on request drawn as a fan on the slump graph. What it shows
// always belongs to the run and prior it was given last.
class NextGamesPanel final : public QWidget {
  Q_OBJECT

 public:
  // `seed` is the first seed shown; the caller takes it from the clock.
  NextGamesPanel(Dialogs& dialogs, JobService& jobs, uint32_t seed, QWidget* parent = nullptr);
  ~NextGamesPanel() override;

  // The run the next games follow, with what its rows say of the settings
  // when that is known already; a prediction of another run is forgotten.
  void SetRun(RunRef run, std::optional<SettingEstimate> weighed);
  // A prediction made with another prior is forgotten.
  void SetPrior(const SettingWeights& prior);
  // Stops a running prediction (never waiting for it) and clears what is shown.
  void Forget();

  // The 計算 and キャンセル buttons.
  void StartClick();
  void CancelClick();
  bool Running() const;
  const std::optional<NextGamesPrediction>& Shown() const { return shown_; }

  QLineEdit* GamesEdit = nullptr;
  QLineEdit* DrawsEdit = nullptr;
  QLineEdit* SeedEdit = nullptr;
  QPushButton* StartButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QLabel* StatusLabel = nullptr;
  QTableWidget* FigureTable = nullptr;
  QCheckBox* FanCheckBox = nullptr;

 signals:
  // Running() changed.
  void RunningChanged(bool running);
  // A prediction ended: completed, cancelled or failed.
  void Ended();
  // What the slump graph should show: the fan of the prediction on display
  // while its box is checked, from the run's last row on; null for none.
  void FanChanged(const BalanceBands* fan, int32_t fromGames, int32_t fromBalance);

 private:
  std::optional<NextGamesRequest> ReadRequest();
  void SetRunning(bool running);
  void ShowProgress();
  void Finish(NextGamesOutcome outcome);
  void Show(std::optional<NextGamesPrediction> prediction);
  void UpdateFan();

  Dialogs& dialogs_;
  JobLane<NextGamesOutcome> lane_;
  JobTicker* ticker_ = nullptr;
  RunRef run_;
  std::optional<SettingEstimate> weighed_;
  SettingWeights prior_ = UniformPrior();
  std::optional<NextGamesPrediction> shown_;
};

}  // namespace sorimu
