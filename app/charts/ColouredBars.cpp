#include "ColouredBars.h"

#include <algorithm>

#include "NumberFormat.h"

namespace sorimu {

namespace {

constexpr int kMarkPadding = 3;  // pixels between text and box edge

QString MarkText(double height) { return QString::fromStdString(FormatGrouped(height)); }

}  // namespace

ColouredBars::ColouredBars(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPBars(keyAxis, valueAxis) {}

void ColouredBars::AddBar(double x, double height, QRgb colour) {
  if (mDataContainer->isEmpty() || x >= (mDataContainer->constEnd() - 1)->key) {
    colours_.push_back(colour);
  } else {
    // The container inserts after equal keys; put the colour at the same place.
    const auto at =
        std::upper_bound(mDataContainer->constBegin(), mDataContainer->constEnd(), x,
                         [](double key, const QCPBarsData& bar) { return key < bar.key; });
    colours_.insert(colours_.begin() + (at - mDataContainer->constBegin()), colour);
  }
  mDataContainer->add(QCPBarsData(x, height));
}

void ColouredBars::ClearBars() {
  mDataContainer->clear();
  mDataContainer->squeeze();
  std::vector<QRgb>().swap(colours_);
}

int ColouredBars::MarkWidth(const QFontMetrics& metrics, double height) {
  return metrics.horizontalAdvance(MarkText(height)) + 2 * kMarkPadding;
}

void ColouredBars::draw(QCPPainter* painter) {
  if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty()) return;
  QCPBarsDataContainer::const_iterator begin, end;
  getVisibleDataBounds(begin, end);
  if (begin == end) return;

  // An outline on bars only a few pixels wide would paint them all white.
  double left = 0, right = 0;
  getPixelWidth(begin->key, left, right);
  const bool outlined = std::abs(right - left) >= 4;
  painter->setPen(outlined ? QPen(QColor::fromRgb(outline_), 1) : QPen(Qt::NoPen));
  // Smoothed bars under a pixel wide fade to pale stripes; whole pixels keep
  // the red and black of thousands of bars readable.
  if (outlined) {
    applyDefaultAntialiasingHint(painter);
  } else {
    painter->setAntialiasing(false);
  }

  const auto first = mDataContainer->constBegin();
  for (auto it = begin; it != end; ++it) {
    painter->setBrush(QColor::fromRgb(colours_[static_cast<size_t>(it - first)]));
    QRectF bar = getBarRect(it->key, it->value);
    if (bar.width() < 1) bar.setWidth(1);
    painter->drawRect(bar);
  }
  DrawMarks(painter, begin, end);
}

void ColouredBars::DrawMarks(QCPPainter* painter, QCPBarsDataContainer::const_iterator begin,
                             QCPBarsDataContainer::const_iterator end) {
  // The slot of one bar is the distance to its neighbour key (bars stand one
  // key apart). Marks are shown for every bar in view or for none: a mark
  // wider than the slot would run into the next one, and marks on only the
  // short bars would look like missing data.
  const double slot = std::abs(mKeyAxis->coordToPixel(1) - mKeyAxis->coordToPixel(0));
  const QFontMetrics metrics(painter->font());
  if (slot < MarkWidth(metrics, 9) + 2) return;  // not even one digit fits
  int widest = 0;
  for (auto it = begin; it != end && widest + 2 <= slot; ++it) {
    widest = std::max(widest, MarkWidth(metrics, it->value));
  }
  if (widest + 2 > slot) return;

  const QRect area = mKeyAxis->axisRect()->rect();
  painter->setAntialiasing(false);
  for (auto it = begin; it != end; ++it) {
    const QRectF bar = getBarRect(it->key, it->value);
    QRectF box(0, 0, MarkWidth(metrics, it->value), metrics.height() + 2);
    box.moveCenter(QPointF(bar.center().x(), 0));
    box.moveBottom(std::min(bar.top(), bar.bottom()) - 2);
    if (box.top() < area.top()) box.moveTop(area.top());
    painter->setPen(QPen(Qt::gray, 1));
    painter->setBrush(Qt::white);
    painter->drawRect(box);
    painter->setPen(Qt::black);
    painter->drawText(box, Qt::AlignCenter, MarkText(it->value));
  }
}

}  // namespace sorimu
