#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "SlumpEnvelope.h"

namespace sorimu::web {
namespace {

// A made-up slump line with a known deepest trough and highest peak.
std::vector<int32_t> Line(int32_t games) {
  std::vector<int32_t> y(static_cast<size_t>(games));
  for (int32_t x = 1; x <= games; ++x) y[static_cast<size_t>(x - 1)] = (x * 37) % 101 - 50;
  y[777] = -5000;
  y[static_cast<size_t>(games) / 2] = 9000;
  return y;
}

SlumpEnvelope Thin(const std::vector<int32_t>& y, int32_t buckets) {
  SlumpEnvelope envelope(static_cast<int64_t>(y.size()), buckets);
  for (size_t i = 0; i < y.size(); ++i) envelope.Add(static_cast<int32_t>(i + 1), y[i]);
  envelope.Finish();
  return envelope;
}

TEST(SlumpEnvelope, KeepsEveryExtremeAndTheEndInPlayOrder) {
  const std::vector<int32_t> y = Line(100000);
  const SlumpEnvelope envelope = Thin(y, 2000);
  const std::vector<int32_t>& xs = envelope.X();
  ASSERT_LE(xs.size(), 2 * 2000u + 2);
  EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
  EXPECT_EQ(std::adjacent_find(xs.begin(), xs.end()), xs.end());
  // Each point is the line's own, the deepest and highest among them.
  for (size_t i = 0; i < xs.size(); ++i) {
    EXPECT_EQ(envelope.Y()[i], y[static_cast<size_t>(xs[i] - 1)]) << xs[i];
  }
  EXPECT_EQ(*std::min_element(envelope.Y().begin(), envelope.Y().end()), -5000);
  EXPECT_EQ(*std::max_element(envelope.Y().begin(), envelope.Y().end()), 9000);
  EXPECT_EQ(xs.front(), 1);
  EXPECT_EQ(xs.back(), 100000);
  EXPECT_EQ(envelope.Y().back(), y.back());
}

TEST(SlumpEnvelope, ShortRunsKeepEveryPoint) {
  const std::vector<int32_t> y = Line(4000);
  const SlumpEnvelope envelope = Thin(y, 2000);
  EXPECT_EQ(envelope.Y(), y);
  EXPECT_EQ(envelope.X().back(), 4000);
}

}  // namespace
}  // namespace sorimu::web
