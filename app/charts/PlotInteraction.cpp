#include "PlotInteraction.h"

#include <QMouseEvent>
#include <QVariantAnimation>

namespace sorimu {

namespace {

constexpr int kZoomMilliseconds = 250;
constexpr int kMinimumDrag = 4;  // pixels; shorter drags are clicks

QCPRange Between(const QCPRange& from, const QCPRange& to, double t) {
  return QCPRange(from.lower + (to.lower - from.lower) * t,
                  from.upper + (to.upper - from.upper) * t);
}

}  // namespace

PlotInteraction::PlotInteraction(QCustomPlot* plot, bool animatedZoom, std::function<void()> home)
    : QObject(plot), plot_(plot), animated_(animatedZoom), home_(std::move(home)) {
  plot_->setSelectionRectMode(QCP::srmCustom);
  connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this,
          [this](const QRect&, QMouseEvent* event) {
            ZoomTo(zoomStart_, event->position().toPoint());
          });
  plot_->installEventFilter(this);
}

bool PlotInteraction::eventFilter(QObject* watched, QEvent* event) {
  if (watched != plot_) return false;
  const auto type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick) {
    return false;
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint pos = mouse->position().toPoint();
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
    zoomStart_ = pos;
    return false;  // the plot draws the rectangle
  }
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
    scrolling_ = true;
    scrollLast_ = pos;
    return true;
  }
  if (type == QEvent::MouseMove && scrolling_) {
    ScrollBy(pos - scrollLast_);
    scrollLast_ = pos;
    return true;
  }
  if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton) {
    scrolling_ = false;
    return true;
  }
  // The right button must not reach the plot, which would start a rectangle.
  return mouse->button() == Qt::RightButton;
}

void PlotInteraction::ZoomTo(const QPoint& from, const QPoint& to) {
  if ((to - from).manhattanLength() < kMinimumDrag) return;
  if (to.x() < from.x() && to.y() < from.y()) {
    StopZoom();
    home_();
    plot_->replot(QCustomPlot::rpQueuedReplot);
    return;
  }
  if (to.x() <= from.x() || to.y() <= from.y()) return;
  QCPAxis* x = plot_->xAxis;
  QCPAxis* y = plot_->yAxis;
  const QCPRange targetX(x->pixelToCoord(from.x()), x->pixelToCoord(to.x()));
  const QCPRange targetY(y->pixelToCoord(to.y()), y->pixelToCoord(from.y()));
  if (!animated_) {
    SetRanges(targetX, targetY);
    return;
  }
  if (!animation_) {
    animation_ = new QVariantAnimation(this);
    animation_->setDuration(kZoomMilliseconds);
    animation_->setStartValue(0.0);
    animation_->setEndValue(1.0);
    animation_->setEasingCurve(QEasingCurve::OutCubic);
  }
  animation_->stop();
  animation_->disconnect(this);
  const QCPRange startX = x->range();
  const QCPRange startY = y->range();
  connect(animation_, &QVariantAnimation::valueChanged, this, [=, this](const QVariant& value) {
    const double t = value.toDouble();
    SetRanges(Between(startX, targetX, t), Between(startY, targetY, t));
  });
  animation_->start();
}

void PlotInteraction::StopZoom() {
  if (animation_) animation_->stop();
}

bool PlotInteraction::Zooming() const {
  return animation_ != nullptr && animation_->state() == QAbstractAnimation::Running;
}

void PlotInteraction::ScrollBy(const QPoint& pixels) {
  QCPAxis* x = plot_->xAxis;
  QCPAxis* y = plot_->yAxis;
  const double dx = x->pixelToCoord(0) - x->pixelToCoord(pixels.x());
  const double dy = y->pixelToCoord(0) - y->pixelToCoord(pixels.y());
  SetRanges(QCPRange(x->range().lower + dx, x->range().upper + dx),
            QCPRange(y->range().lower + dy, y->range().upper + dy));
}

void PlotInteraction::SetRanges(const QCPRange& x, const QCPRange& y) {
  plot_->xAxis->setRange(x);
  plot_->yAxis->setRange(y);
  plot_->replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace sorimu
