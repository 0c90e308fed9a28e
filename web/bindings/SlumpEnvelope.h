#pragma once

#include <cstdint>
#include <vector>

namespace sorimu::web {

// The slump line of a run thinned for a screen: the games are cut into at
// most `buckets` equal spans and each span keeps its lowest and its highest
// point, in play order, so the drawn line reaches every peak and trough a
// full line would, and the first and last points are kept. Runs with few
// games keep every point.
class SlumpEnvelope {
 public:
  SlumpEnvelope(int64_t games, int32_t buckets);

  // Points arrive in play order, x from 1 to `games`.
  void Add(int32_t x, int32_t y);
  // Closes the last span; call once after the last point.
  void Finish();

  const std::vector<int32_t>& X() const { return x_; }
  const std::vector<int32_t>& Y() const { return y_; }

 private:
  struct Point {
    int32_t x;
    int32_t y;
  };
  void Flush();
  // Appends a point right of those kept; one at or left of them is one kept.
  void Push(const Point& point);

  int64_t games_;
  int32_t buckets_;
  bool keepAll_;
  int64_t bucket_ = -1;
  Point low_{};
  Point high_{};
  Point last_{};
  std::vector<int32_t> x_;
  std::vector<int32_t> y_;
};

}  // namespace sorimu::web
