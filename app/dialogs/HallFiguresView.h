#pragma once

#include <QObject>
#include <cstddef>
#include <cstdint>

class QComboBox;
class QCustomPlot;
class QLabel;
class QTableWidget;
class QWidget;

namespace sorimu {

struct HallFigures;

// The two pages of the 実戦データ box that look ahead from the machine as it
// stands: the ハマリ/天井 table at its present G, priced in yen at the chosen
// exchange rate, and the やめ時 curve after its last bonus as a plot and a
// table. It shows figures the box has worked out; it works out none.
class HallFiguresView final : public QObject {
  Q_OBJECT

 public:
  explicit HallFiguresView(QWidget* parent);

  // `figures` null while they are being worked out.
  void Show(const HallFigures* figures, int32_t since);
  size_t Rate() const { return rate_; }
  void SetRate(size_t rate);

  QWidget* SincePage = nullptr;
  QWidget* QuitPage = nullptr;
  QLabel* SinceCaptionLabel = nullptr;
  QComboBox* RateCombo = nullptr;
  QLabel* RateLabel = nullptr;
  QTableWidget* SinceTable = nullptr;
  QLabel* QuitCaptionLabel = nullptr;
  QCustomPlot* QuitPlot = nullptr;
  QTableWidget* QuitTable = nullptr;

 private:
  void Refill();
  void FillQuitPlot();

  const HallFigures* figures_ = nullptr;  // the box's, while it shows them
  int32_t since_ = 0;
  size_t rate_ = 0;
};

}  // namespace sorimu
