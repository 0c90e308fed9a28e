#include "RowLine.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace sorimu {

template <typename F>
void LinePoints::ForEachInBlock(size_t block, F&& f) const {
  const size_t count = std::min(kBlockPoints, size_ - block * kBlockPoints);
  size_t at = blocks_[block].begin;
  if (!copy_.empty()) {
    for (size_t i = 0; i < count; ++i, ++at) f(copy_[at].key, copy_[at].value);
    return;
  }
  for (size_t left = count; left > 0; ++at) {
    const RunRow& row = rows_->Row(at);
    if (!IsNormalGameRow(row)) continue;
    f(row.PlayCount, row.Medal);
    --left;
  }
}

std::shared_ptr<const LinePoints> LinePoints::NormalGames(std::shared_ptr<const RunRecords> rows) {
  auto points = std::make_shared<LinePoints>();
  points->rows_ = std::move(rows);
  const RunRecords& records = *points->rows_;
  std::vector<Block>& blocks = points->blocks_;
  blocks.reserve(records.RowCount() / kBlockPoints + 1);
  size_t& size = points->size_;
  const auto add = [&](size_t at, int32_t key, int32_t value) {
    if (size % kBlockPoints == 0) blocks.push_back({at, key, key, value, value, value, value});
    Block& block = blocks.back();
    block.lastKey = key;
    block.lastValue = value;
    block.lowest = std::min(block.lowest, value);
    block.highest = std::max(block.highest, value);
    ++size;
  };

  bool inOrder = true;
  int32_t lastKey = 0;
  size_t at = 0;
  records.ForEachRowSpan([&](const RunRow* span, size_t count) {
    for (size_t i = 0; i < count; ++i, ++at) {
      if (!IsNormalGameRow(span[i])) continue;
      if (size > 0 && span[i].PlayCount < lastKey) inOrder = false;
      lastKey = span[i].PlayCount;
      add(at, span[i].PlayCount, span[i].Medal);
    }
  });
  if (!inOrder) {
    std::vector<Copied>& copy = points->copy_;
    copy.reserve(size);
    records.ForEachRowSpan([&](const RunRow* span, size_t count) {
      for (size_t i = 0; i < count; ++i) {
        if (IsNormalGameRow(span[i])) copy.push_back({span[i].PlayCount, span[i].Medal});
      }
    });
    std::stable_sort(copy.begin(), copy.end(),
                     [](const Copied& a, const Copied& b) { return a.key < b.key; });
    blocks.clear();
    size = 0;
    for (size_t i = 0; i < copy.size(); ++i) add(i, copy[i].key, copy[i].value);
  }
  points->Summarise();
  return points;
}

void LinePoints::Summarise() {
  if (blocks_.empty()) return;
  keys_ = QCPRange(blocks_.front().firstKey, blocks_.back().lastKey);
  values_ = QCPRange(blocks_.front().lowest, blocks_.front().highest);
  for (const Block& block : blocks_) {
    values_.lower = std::min<double>(values_.lower, block.lowest);
    values_.upper = std::max<double>(values_.upper, block.highest);
  }
}

QPointF LinePoints::At(size_t index) const {
  assert(index < size_);
  QPointF found;
  size_t skip = index % kBlockPoints;
  ForEachInBlock(index / kBlockPoints, [&](int32_t key, int32_t value) {
    if (skip-- == 0) found = QPointF(key, value);
  });
  return found;
}

namespace {

// The points of one pixel column, gathered as the line passes through it.
struct Column {
  double pixel = 0;
  double firstX = 0, lastX = 0;
  int32_t first = 0, last = 0, lowest = 0, highest = 0;
  size_t count = 0;
};

}  // namespace

QVector<QPointF> LinePoints::Polyline(const QCPRange& keys, Linear pixelOfKey,
                                      Linear pixelOfValue) const {
  QVector<QPointF> line;
  if (size_ == 0) return line;
  const auto reaching = std::partition_point(
      blocks_.begin(), blocks_.end(), [&](const Block& b) { return b.lastKey < keys.lower; });
  const auto beyond = std::partition_point(
      blocks_.begin(), blocks_.end(), [&](const Block& b) { return b.firstKey <= keys.upper; });
  const size_t begin =
      static_cast<size_t>(std::max<std::ptrdiff_t>(reaching - blocks_.begin() - 1, 0));
  const size_t end = std::min(blocks_.size(), static_cast<size_t>(beyond - blocks_.begin()) + 1);

  Column column;
  const auto flush = [&] {
    if (column.count == 0) return;
    line << QPointF(column.firstX, pixelOfValue(column.first));
    if (column.count > 1) {
      const double centre = column.pixel + 0.5;
      line << QPointF(centre, pixelOfValue(column.lowest))
           << QPointF(centre, pixelOfValue(column.highest))
           << QPointF(column.lastX, pixelOfValue(column.last));
    }
  };
  const auto take = [&](int32_t firstKey, int32_t lastKey, int32_t first, int32_t last,
                        int32_t lowest, int32_t highest, size_t count) {
    const double firstX = pixelOfKey(firstKey);
    const double pixel = std::floor(firstX);
    if (column.count == 0 || pixel != column.pixel) {
      flush();
      column = Column{pixel, firstX, firstX, first, first, lowest, highest, 0};
    }
    column.lastX = pixelOfKey(lastKey);
    column.last = last;
    column.lowest = std::min(column.lowest, lowest);
    column.highest = std::max(column.highest, highest);
    column.count += count;
  };
  for (size_t b = begin; b < end; ++b) {
    const Block& block = blocks_[b];
    if (std::floor(pixelOfKey(block.firstKey)) == std::floor(pixelOfKey(block.lastKey))) {
      take(block.firstKey, block.lastKey, block.firstValue, block.lastValue, block.lowest,
           block.highest, kBlockPoints);
      continue;
    }
    ForEachInBlock(
        b, [&](int32_t key, int32_t value) { take(key, key, value, value, value, value, 1); });
  }
  flush();
  return line;
}

QCPRange RowLine::getKeyRange(bool& foundRange, QCP::SignDomain) const {
  foundRange = points_ != nullptr && points_->Size() > 0;
  return foundRange ? points_->Keys() : QCPRange();
}

QCPRange RowLine::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
  foundRange = points_ != nullptr && points_->Size() > 0;
  return foundRange ? points_->Values() : QCPRange();
}

void RowLine::draw(QCPPainter* painter) {
  QCPAxis* keys = keyAxis();
  QCPAxis* values = valueAxis();
  if (points_ == nullptr || keys == nullptr || values == nullptr) return;
  assert(keys->orientation() == Qt::Horizontal);
  const auto linear = [](QCPAxis* axis) {
    const QCPRange range = axis->range();
    const double low = axis->coordToPixel(range.lower);
    const double scale = (axis->coordToPixel(range.upper) - low) / range.size();
    return LinePoints::Linear{scale, low - range.lower * scale};
  };
  const QVector<QPointF> line = points_->Polyline(keys->range(), linear(keys), linear(values));
  if (line.size() < 2) return;  // a line of one point draws nothing, as the library's
  applyDefaultAntialiasingHint(painter);
  painter->setPen(mPen);
  painter->setBrush(Qt::NoBrush);
  painter->drawPolyline(line.constData(), static_cast<int>(line.size()));
}

void RowLine::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
  applyDefaultAntialiasingHint(painter);
  painter->setPen(mPen);
  painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}

}  // namespace sorimu
