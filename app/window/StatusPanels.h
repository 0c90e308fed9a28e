#pragma once

#include <QDateTime>
#include <QLocale>
#include <QWidget>
#include <array>

class QLabel;

namespace sorimu {

// The window's status bar: three sunken panels. The first holds the status
// text, the second lies under the progress bar, the third shows the clock
// and, as the last panel of a classic status bar does, takes the rest of
// the bar.
class StatusPanels final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPanelCount = 3;
  static constexpr std::array<int, 2> kPanelWidths = {350, 140};  // the clock's is the rest
  static constexpr int kHeight = 21;

  explicit StatusPanels(QWidget* parent = nullptr);

  QLabel* Panel(int index) const { return panels_[index]; }
  // A status wider than its panel is shown cut in the middle ("…"), where a
  // path keeps its start and its file name, and whole in the tool tip.
  void SetText(int index, const QString& text);
  QString Text(int index) const;  // in full

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitClockFace();
  void ShowText(int index);

  std::array<QLabel*, kPanelCount> panels_{};
  std::array<QString, kPanelCount> texts_;
};

// The clock: the locale's short date, one space, hours:minutes:seconds; the
// time is left out at exactly midnight.
QString ClockText(const QDateTime& now, const QLocale& locale);

}  // namespace sorimu
