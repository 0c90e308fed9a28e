#pragma once

#include <qcustomplot.h>

namespace sorimu {

// Ticks for axes that count (games, medals, bonuses, percent): whole-number
// steps of 1, 2 or 5 times a power of ten, and among those the finest, up to
// the axis's tick count, at which every label stays clear of its neighbours
// at the axis's present length. Labels read as a Japanese user reads large
// numbers ("5,000", "1.5万", "3,000万", "1.2億").
//
// The library's own steps include 2.5 and fractions, which whole-number
// labels would show rounded ("3 5 8 10") or repeated ("1 1 1 0 0"), and it
// never looks at how wide its labels are, so that long numbers ran together
// ("10000200003000040000").
class CountTicker final : public QCPAxisTicker {
 public:
  explicit CountTicker(QCPAxis* axis) : axis_(axis) {}

  // True when the axis has changed length since its ticks were chosen; the
  // library chooses them before it lays the plot out.
  bool Stale() const;

 protected:
  double getTickStep(const QCPRange& range) override;
  int getSubTickCount(double tickStep) override;
  QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                       int precision) override;

 private:
  int AxisPixels() const;
  bool LabelsFit(double step, const QCPRange& range, int pixels) const;

  QCPAxis* axis_;  // the axis that owns this ticker
  double step_ = 1;
  int laidOutFor_ = -1;
};

// Gives `axis` a CountTicker, and its plot a second layout pass whenever the
// first leaves an axis of other length than its ticks were chosen for.
void UseCountTicks(QCPAxis* axis);

// Lays the plot out at its present size now, as a replot does first.
void LayOutPlot(QCustomPlot* plot);

}  // namespace sorimu
