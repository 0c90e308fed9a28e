#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "DryStretch.h"
#include "LongRun.h"
#include "Volatility.h"

class QCustomPlot;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace sorimu {

class Dialogs;

// ツール → スペック表: the exact figures of the six settings as a table with
// the spread of their balance (出玉の荒さ) below it, and
// the chance of a dry stretch of N games or more against N, between bonuses
// or between first hits. Both can be exported: the table and the curves as a
// pair of CSV files, the plot as it is shown as a PNG picture.
class FigureSheetDialog final : public QDialog {
  Q_OBJECT

 public:
  // The curves run this far, past the longest RT, where only chains remain.
  static constexpr int32_t kTailGames = 1600;

  explicit FigureSheetDialog(Dialogs& dialogs, QWidget* parent = nullptr);
  ~FigureSheetDialog() override;

  // The buttons.
  void CsvClick();
  void ImageClick();
  // Which stretches the plot shows.
  void ShowStretches(bool betweenFirstHits);
  bool ShowsFirstHits() const { return firstHits_; }

  const std::vector<theory::LongRunFigures>& Figures() const { return figures_; }
  const std::vector<theory::DryStretchTail>& Tails() const { return tails_; }

  QTableWidget* SheetTable = nullptr;
  QTableWidget* VolatilityTable = nullptr;
  QRadioButton* BonusesButton = nullptr;
  QRadioButton* FirstHitsButton = nullptr;
  QCustomPlot* TailPlot = nullptr;
  QLabel* StatusLabel = nullptr;
  QPushButton* CsvButton = nullptr;
  QPushButton* ImageButton = nullptr;
  QPushButton* CloseButton = nullptr;

 private:
  void FillTable();
  void BuildPlot();

  Dialogs& dialogs_;
  std::vector<theory::LongRunFigures> figures_;
  std::vector<theory::DryStretchTail> tails_;
  std::vector<theory::Volatility> volatility_;
  bool firstHits_ = false;
  QString csvName_;  // each file dialog offers its last choice again
  QString imageName_;
};

}  // namespace sorimu
