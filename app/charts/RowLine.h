#pragma once

#include <qcustomplot.h>

#include <QPointF>
#include <cstdint>
#include <memory>
#include <vector>

#include "RunRecords.h"

namespace sorimu {

// The slump line's points, one per normal game (x = PlayCount, y = Medal) in
// order of x, read where the run keeps them. A copy would cost the window
// sixteen bytes a game, as much as a third of the run itself; this holds the
// run and, per block of points, where the block starts and its extremes, so
// that a drawing of ten million points reads a few thousand summaries.
class LinePoints {
 public:
  // The normal games of `rows`. A file whose games go back in places is put
  // in order of x (stably) in a copy of its own; a run never needs one.
  static std::shared_ptr<const LinePoints> NormalGames(std::shared_ptr<const RunRecords> rows);

  size_t Size() const { return size_; }
  QPointF At(size_t index) const;
  // Of every point; meaningless while there are none.
  QCPRange Keys() const { return keys_; }
  QCPRange Values() const { return values_; }

  // The line in pixels as a polyline through the points whose keys lie in
  // `keys`, plus one on either side so that it runs out of view: at most
  // four points per pixel column (where it enters, its lowest and highest,
  // where it leaves), so the line looks as if every point were drawn.
  // `pixelOfKey` and `pixelOfValue` map axis units to pixels (linear axes).
  struct Linear {
    double scale = 1;
    double offset = 0;
    double operator()(double unit) const { return unit * scale + offset; }
  };
  QVector<QPointF> Polyline(const QCPRange& keys, Linear pixelOfKey, Linear pixelOfValue) const;

 private:
  static constexpr size_t kBlockPoints = 256;
  struct Block {
    size_t begin;  // the row (or copied point) of the block's first point
    int32_t firstKey, lastKey;
    int32_t firstValue, lastValue;
    int32_t lowest, highest;
  };
  struct Copied {
    int32_t key, value;
  };

  template <typename F>
  void ForEachInBlock(size_t block, F&& f) const;
  void Summarise();

  std::shared_ptr<const RunRecords> rows_;
  std::vector<Copied> copy_;  // only for rows out of order
  std::vector<Block> blocks_;
  size_t size_ = 0;
  QCPRange keys_, values_;
};

// A plottable that draws a LinePoints as a plain line in its pen, sampled per
// pixel column as it is drawn.
class RowLine final : public QCPAbstractPlottable {
  Q_OBJECT

 public:
  RowLine(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPAbstractPlottable(keyAxis, valueAxis) {}

  void SetPoints(std::shared_ptr<const LinePoints> points) { points_ = std::move(points); }
  const LinePoints* Points() const { return points_.get(); }

  double selectTest(const QPointF&, bool, QVariant*) const override { return -1; }
  QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain) const override;
  QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain,
                         const QCPRange& inKeyRange) const override;

 protected:
  void draw(QCPPainter* painter) override;
  void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

 private:
  std::shared_ptr<const LinePoints> points_;
};

}  // namespace sorimu
