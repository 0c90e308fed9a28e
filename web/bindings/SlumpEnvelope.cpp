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
  // The run's final balance is the point a reader looks for first.
  if (!keepAll_ && !x_.empty() && x_.back() != last_.x) {
    x_.push_back(last_.x);
    y_.push_back(last_.y);
  }
}

void SlumpEnvelope::Flush() {
  if (bucket_ < 0) return;
  const Point& first = low_.x <= high_.x ? low_ : high_;
  const Point& second = low_.x <= high_.x ? high_ : low_;
  x_.push_back(first.x);
  y_.push_back(first.y);
  if (second.x != first.x) {
    x_.push_back(second.x);
    y_.push_back(second.y);
  }
  bucket_ = -1;
}

}  // namespace sorimu::web
