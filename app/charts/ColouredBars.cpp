#include "ColouredBars.h"

#include <algorithm>
#include <cmath>

#include "NumberFormat.h"

namespace sorimu {

namespace {

constexpr int kMarkPadding = 2;   // pixels between text and box edge
constexpr int kMarkGap = 2;       // between a mark and what it stands on
constexpr double kNarrowest = 3;  // pixels per bar below which bars cannot be told apart

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

int ColouredBars::MarkHeight() const { return QFontMetrics(markFont_).height() + 1; }

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

  painter->setAntialiasing(false);
  painter->setFont(markFont_);
  for (const Mark& mark : PlaceMarks()) {
    painter->setPen(QPen(Qt::gray, 1));
    painter->setBrush(Qt::white);
    painter->drawRect(mark.box.adjusted(0, 0, -1, -1));
    painter->setPen(Qt::black);
    painter->drawText(mark.box, Qt::AlignCenter, mark.text);
  }
}

QRectF ColouredBars::MarkBox(const QString& text) const {
  return QRectF(0, 0, QFontMetrics(markFont_).horizontalAdvance(text) + 2 * kMarkPadding,
                MarkHeight());
}

QMargins ColouredBars::MarkRoom(int axisPixels) const {
  if (mDataContainer->isEmpty()) return {};
  const auto last = mDataContainer->constEnd() - 1;
  const double bars = last->key - mDataContainer->constBegin()->key + 1;
  if (axisPixels / bars < kNarrowest) return {};
  // Half a mark beside the centre of each outer bar, a pixel more for
  // rounding; above, one more, as the axis maps its top a pixel above the rect.
  const auto half = [this](double height) {
    return static_cast<int>(std::ceil(MarkBox(MarkText(height)).width() / 2)) + 1;
  };
  return QMargins(half(mDataContainer->constBegin()->value), MarkHeight() + kMarkGap + 2,
                  half(last->value), 0);
}

std::vector<ColouredBars::Mark> ColouredBars::PlaceMarks() const {
  std::vector<Mark> marks;
  if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty()) return marks;
  QCPBarsDataContainer::const_iterator begin, end;
  getVisibleDataBounds(begin, end);
  // Bars stand one key apart.
  const double slot = std::abs(mKeyAxis->coordToPixel(1) - mKeyAxis->coordToPixel(0));
  if (begin == end || slot < kNarrowest) return marks;

  const QRectF area = mKeyAxis->axisRect()->rect();
  const auto first = mDataContainer->constBegin();
  for (auto it = begin; it != end; ++it) {
    const QRectF bar = getBarRect(it->key, it->value).normalized();
    Mark mark;
    mark.index = static_cast<int>(it - first);
    mark.text = MarkText(it->value);
    mark.box = MarkBox(mark.text);
    mark.box.moveCenter(QPointF(bar.center().x(), 0));
    mark.box.moveBottom(bar.top() - kMarkGap);
    // A bar zoomed past the top of the axis rect carries its mark inside.
    if (bar.top() < area.top()) mark.box.moveTop(area.top() + kMarkGap);
    if (area.contains(mark.box)) marks.push_back(mark);
  }

  // The tallest bars first: the long stretches are what the marks are read
  // for. A mark that would cover another bar or a mark already placed is
  // left out rather than moved away from its own bar.
  std::stable_sort(marks.begin(), marks.end(), [first](const Mark& a, const Mark& b) {
    return (first + a.index)->value > (first + b.index)->value;
  });
  std::vector<Mark> placed;
  for (const Mark& mark : marks) {
    const auto reach = static_cast<int>(std::ceil(mark.box.width() / 2 / slot)) + 1;
    const int last = std::min(mark.index + reach, mDataContainer->size() - 1);
    bool clear = true;
    for (int near = std::max(0, mark.index - reach); clear && near <= last; ++near) {
      const auto bar = first + near;
      clear = near == mark.index || !getBarRect(bar->key, bar->value).intersects(mark.box);
    }
    for (auto other = placed.begin(); clear && other != placed.end(); ++other) {
      clear = !other->box.intersects(mark.box);
    }
    if (clear) placed.push_back(mark);
  }
  std::sort(placed.begin(), placed.end(),
            [](const Mark& a, const Mark& b) { return a.index < b.index; });
  return placed;
}

}  // namespace sorimu
