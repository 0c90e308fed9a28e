#include "CountTicker.h"

#include <cmath>

#include "ChartData.h"

namespace sorimu {

namespace {

double Magnitude(double step) { return std::pow(10.0, std::floor(std::log10(step) + 1e-9)); }

// The 1-2-5 step at or above `step`, never less than 1.
double WholeStep(double step) {
  if (!(step > 1)) return 1;
  const double magnitude = Magnitude(step);
  for (double mantissa : {1.0, 2.0, 5.0}) {
    if (step <= mantissa * magnitude * (1 + 1e-9)) return mantissa * magnitude;
  }
  return 10 * magnitude;
}

double NextStep(double step) {
  const double magnitude = Magnitude(step);
  const double mantissa = std::round(step / magnitude);
  return (mantissa < 2 ? 2 : mantissa < 5 ? 5 : 10) * magnitude;
}

QString Label(double tick, double step) {
  return QString::fromStdString(AxisTickLabel(tick, step));
}

bool AnyStale(QCustomPlot* plot) {
  for (QCPAxisRect* rect : plot->axisRects()) {
    for (QCPAxis* axis : rect->axes()) {
      const auto* ticker = dynamic_cast<const CountTicker*>(axis->ticker().data());
      if (ticker != nullptr && ticker->Stale()) return true;
    }
  }
  return false;
}

}  // namespace

int CountTicker::AxisPixels() const {
  const QCPAxisRect* rect = axis_->axisRect();
  if (rect == nullptr) return 0;
  return axis_->orientation() == Qt::Horizontal ? rect->width() : rect->height();
}

bool CountTicker::Stale() const { return laidOutFor_ >= 0 && laidOutFor_ != AxisPixels(); }

double CountTicker::getTickStep(const QCPRange& range) {
  const int pixels = AxisPixels();
  laidOutFor_ = pixels;
  double step = WholeStep(QCPAxisTicker::getTickStep(range));
  // Past the span there is one tick at most, which nothing can touch.
  if (pixels > 0) {
    while (step <= range.size() && !LabelsFit(step, range, pixels)) step = NextStep(step);
  }
  step_ = step;
  return step;
}

bool CountTicker::LabelsFit(double step, const QCPRange& range, int pixels) const {
  // Measured as the axis draws its labels: centred on their ticks.
  const QFontMetrics metrics(axis_->tickLabelFont());
  const bool across = axis_->orientation() == Qt::Horizontal;
  // A digit's width between numbers side by side; a quarter line between
  // numbers stacked.
  const double gap = across ? metrics.horizontalAdvance(QLatin1Char('0')) : metrics.height() / 4.0;
  const double apart = step * pixels / range.size();
  double previousHalf = -1;
  for (double k = std::ceil(range.lower / step - 1e-9); k * step <= range.upper; ++k) {
    const QRect bounds = metrics.boundingRect(0, 0, 0, 0, Qt::TextDontClip | Qt::AlignHCenter,
                                              Label(k * step, step));
    const double half = (across ? bounds.width() : bounds.height()) / 2.0;
    if (previousHalf >= 0 && previousHalf + half + gap > apart) return false;
    previousHalf = half;
  }
  return true;
}

int CountTicker::getSubTickCount(double tickStep) {
  // No sub-ticks between whole numbers one apart.
  return tickStep <= 1 ? 0 : QCPAxisTicker::getSubTickCount(tickStep);
}

QString CountTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
  return Label(tick, step_);
}

void UseCountTicks(QCPAxis* axis) {
  axis->setTicker(QSharedPointer<CountTicker>::create(axis));
  QCustomPlot* plot = axis->parentPlot();
  const char* const kHooked = "sorimuCountTicks";
  if (plot->property(kHooked).toBool()) return;
  plot->setProperty(kHooked, true);
  // The library picks ticks for the axis lengths of the last layout; after a
  // resize, or when new labels widen a margin, the ticks are picked again for
  // the lengths just laid out (the second pass settles: an axis's length
  // depends on the other axis's labels, never on its own).
  QObject::connect(plot, &QCustomPlot::afterLayout, plot, [plot] {
    for (int pass = 0; pass < 2 && AnyStale(plot); ++pass) LayOutPlot(plot);
  });
}

void LayOutPlot(QCustomPlot* plot) {
  for (auto phase :
       {QCPLayoutElement::upPreparation, QCPLayoutElement::upMargins, QCPLayoutElement::upLayout}) {
    plot->plotLayout()->update(phase);
  }
}

}  // namespace sorimu
