#pragma once

#include <QDialog>

#include "SettingEstimate.h"

class QCustomPlot;
class QLabel;
class QTableWidget;

namespace sorimu {

// The six probabilities of the setting estimate as bars and as a table. It
// shows what it is given and nothing else: the level a run was played at
// never reaches it.
class TEstimateBox final : public QDialog {
  Q_OBJECT

 public:
  explicit TEstimateBox(QWidget* parent = nullptr);

  void Fill(const SettingEstimate& estimate);

  QCustomPlot* EstimateChart = nullptr;
  QTableWidget* EstimateTable = nullptr;
  QLabel* NoteLabel = nullptr;
};

}  // namespace sorimu
