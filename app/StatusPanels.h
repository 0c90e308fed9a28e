#pragma once

#include <QDateTime>
#include <QLocale>
#include <QWidget>
#include <array>

class QLabel;

namespace sorimu {

// The window's status bar: three sunken panels of fixed width. The first
// holds the status text, the second lies under the progress bar, the third
// shows the clock.
class StatusPanels final : public QWidget {
  Q_OBJECT

 public:
  static constexpr std::array<int, 3> kPanelWidths = {350, 140, 80};
  static constexpr int kHeight = 21;

  explicit StatusPanels(QWidget* parent = nullptr);

  QLabel* Panel(int index) const { return panels_[index]; }
  void SetText(int index, const QString& text);
  QString Text(int index) const;

 private:
  std::array<QLabel*, 3> panels_{};
};

// The clock: the locale's short date, one space, its long time; the time is
// left out at exactly midnight.
QString ClockText(const QDateTime& now, const QLocale& locale);

}  // namespace sorimu
