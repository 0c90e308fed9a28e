#pragma once

#include <QDialog>
#include <QString>

#include "SettingEstimate.h"

class QCustomPlot;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace sorimu {

class Dialogs;
class NextGamesPanel;
class RunRecords;

// The setting estimate of the run on display: the hall's mix of settings
// (設定配分) the user starts from and the probabilities the rows lead to,
// side by side as bars and as a table, and on a second page what the next
// games may bring (期待収支). It reads the rows and nothing else: the level a
// run was played at never reaches it. Closing it stops a running prediction.
class TEstimateBox final : public QDialog {
  Q_OBJECT

 public:
  // `seed` is the first seed the prediction shows.
  TEstimateBox(Dialogs& dialogs, uint32_t seed, QWidget* parent = nullptr);
  ~TEstimateBox() override;

  // The run to estimate; the caller keeps the records unchanged while the
  // box is open, or calls RunReplaced first.
  void Show(const RunRecords& records);
  // The records may change: the prediction is stopped and forgotten, and
  // nothing is read until the next Show.
  void RunReplaced();

  // The prior in use: the last one typed that was valid.
  const SettingWeights& Prior() const { return prior_; }
  // Its text, as typed; the one the user sees while it is valid.
  const QString& PriorText() const { return priorText_; }
  const SettingEstimate& Estimate() const { return estimate_; }

  QTabWidget* Pages = nullptr;
  QLineEdit* PriorEdit = nullptr;
  QPushButton* UniformButton = nullptr;
  QLabel* PriorMessageLabel = nullptr;
  QCustomPlot* EstimateChart = nullptr;
  QTableWidget* EstimateTable = nullptr;
  QLabel* NoteLabel = nullptr;
  NextGamesPanel* NextGames = nullptr;

 public slots:
  void done(int result) override;

 private:
  void PriorEdited(const QString& text);
  void Refill();

  const RunRecords* records_ = nullptr;
  SettingWeights prior_ = UniformPrior();
  QString priorText_;
  SettingEstimate estimate_;
};

}  // namespace sorimu
