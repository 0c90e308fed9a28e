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

std::vector<ColouredBars::Mark> ColouredBars::PlaceMarks() const {
  std::vector<Mark> marks;
  if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty()) return marks;
  QCPBarsDataContainer::const_iterator begin, end;
  getVisibleDataBounds(begin, end);
  // Bars stand one key apart.
  const double slot = std::abs(mKeyAxis->coordToPixel(1) - mKeyAxis->coordToPixel(0));
  if (begin == end || slot < kNarrowest) return marks;

  const QFontMetrics metrics(markFont_);
  int widest = 0;
  for (auto it = begin; it != end; ++it) {
    widest = std::max(widest, metrics.horizontalAdvance(MarkText(it->value)));
  }
  // At this step the marks are wider apart than the widest of them.
  const int sparsest =
      std::max(1, static_cast<int>(std::ceil((widest + 2 * kMarkPadding + kMarkGap) / slot)));
  // Marks on every bar where they fit beside or above each other; thinned
  // evenly where they do not, so that no bar looks as if its mark were lost.
  for (int step = 1; step <= sparsest; ++step) {
    if (TryPlaceMarks(step, false, marks)) return marks;
  }
  // Bars taller than the axis (zoomed in) keep their marks at its top.
  TryPlaceMarks(sparsest, true, marks);
  return marks;
}

bool ColouredBars::TryPlaceMarks(int step, bool clampToTop, std::vector<Mark>& marks) const {
  marks.clear();
  const QRectF area = mKeyAxis->axisRect()->rect();
  const QFontMetrics metrics(markFont_);
  const int height = MarkHeight();
  const double slot = std::abs(mKeyAxis->coordToPixel(1) - mKeyAxis->coordToPixel(0));
  QCPBarsDataContainer::const_iterator begin, end;
  getVisibleDataBounds(begin, end);
  const auto first = mDataContainer->constBegin();
  const auto last = mDataContainer->constEnd();

  for (auto it = begin; it != end; ++it) {
    const auto index = static_cast<int>(it - first);
    if (index % step != 0) continue;
    const QRectF bar = getBarRect(it->key, it->value);
    // The library's bounds take in a bar beyond each edge of the view.
    if (bar.center().x() < area.left() || bar.center().x() > area.right()) continue;
    Mark mark;
    mark.index = index;
    mark.text = MarkText(it->value);
    QRectF box(0, 0, metrics.horizontalAdvance(mark.text) + 2 * kMarkPadding, height);
    box.moveCenter(QPointF(bar.center().x(), 0));
    // Whole, even over the outermost bars.
    if (box.left() < area.left()) box.moveLeft(area.left());
    if (box.right() > area.right()) box.moveRight(area.right());

    // Above every bar it reaches over, not only its own.
    double top = std::min(bar.top(), bar.bottom());
    const auto reach = static_cast<qsizetype>(std::ceil(box.width() / 2 / slot)) + 1;
    for (auto near = it - std::min(reach, it - first); near != last && near <= it + reach; ++near) {
      const QRectF other = getBarRect(near->key, near->value);
      if (other.right() > box.left() && other.left() < box.right()) {
        top = std::min({top, other.top(), other.bottom()});
      }
    }
    box.moveBottom(top - kMarkGap);

    // Above the marks it would meet.
    for (bool moved = true; moved;) {
      moved = false;
      for (auto placed = marks.rbegin(); placed != marks.rend(); ++placed) {
        if (placed->box.center().x() + box.width() < box.left()) break;
        if (placed->box.intersects(box)) {
          box.moveBottom(placed->box.top() - 1);
          moved = true;
        }
      }
    }
    if (box.top() < area.top()) {
      if (!clampToTop) return false;
      box.moveTop(area.top());
    }
    mark.box = box;
    marks.push_back(mark);
  }
  return true;
}

}  // namespace sorimu
