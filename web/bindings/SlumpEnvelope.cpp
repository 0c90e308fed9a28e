#include "SlumpEnvelope.h"

namespace sorimu::web {

SlumpEnvelope::SlumpEnvelope(int64_t games, int32_t buckets)
    : games_(games > 0 ? games : 1), buckets_(buckets), keepAll_(games <= 2 * int64_t{buckets}) {}

void SlumpEnvelope::Add(int32_t x, int32_t y) {
  if (keepAll_) {
    x_.push_back(x);
    y_.push_back(y);
    return;
  }
  // The run's first and last points are where a reader looks first.
  if (x_.empty()) Push(Point{x, y});
  last_ = Point{x, y};
  const int64_t bucket = (int64_t{x} - 1) * buckets_ / games_;
  if (bucket != bucket_) {
    Flush();
    bucket_ = bucket;
    low_ = high_ = Point{x, y};
    return;
  }
  if (y < low_.y) low_ = Point{x, y};
  if (y > high_.y) high_ = Point{x, y};
}

void SlumpEnvelope::Finish() {
  Flush();
  if (!keepAll_ && !x_.empty()) Push(last_);
}

void SlumpEnvelope::Flush() {
  if (bucket_ < 0) return;
  const bool lowFirst = low_.x <= high_.x;
  Push(lowFirst ? low_ : high_);
  Push(lowFirst ? high_ : low_);
  bucket_ = -1;
}

void SlumpEnvelope::Push(const Point& point) {
  if (!x_.empty() && point.x <= x_.back()) return;
  x_.push_back(point.x);
  y_.push_back(point.y);
}

}  // namespace sorimu::web
