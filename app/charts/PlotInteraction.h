#pragma once

#include <qcustomplot.h>

#include <QObject>
#include <QPoint>
#include <functional>

class QVariantAnimation;

namespace sorimu {

// Zoom by dragging a rectangle with the left button (towards the lower right;
// a drag towards the upper left goes back to the whole run) and scroll by
// dragging with the right button. The library drags with the left button
// only, so the right button is taken before the plot sees it.
class PlotInteraction : public QObject {
  Q_OBJECT

 public:
  // `home` brings the axes back to the ranges the display set.
  PlotInteraction(QCustomPlot* plot, bool animatedZoom, std::function<void()> home);

  // What a finished left-button rectangle from `from` to `to` (pixels) does.
  void ZoomTo(const QPoint& from, const QPoint& to);
  // Moves the view by a pixel offset, as a right-button drag does.
  void ScrollBy(const QPoint& pixels);
  // Ends a zoom still under way, so that it cannot overwrite new ranges.
  void StopZoom();
  // True while an animated zoom moves towards its rectangle.
  bool Zooming() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetRanges(const QCPRange& x, const QCPRange& y);

  QCustomPlot* plot_;
  bool animated_;
  std::function<void()> home_;
  QPoint zoomStart_;
  QPoint scrollLast_;
  bool scrolling_ = false;
  QVariantAnimation* animation_ = nullptr;
};

}  // namespace sorimu
