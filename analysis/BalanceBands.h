#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace sorimu {

// How the balance of many runs spreads at evenly spaced points of their
// course, for a fan chart: the balance (差枚) on the row of each checkpoint's
// normal game, so a bonus lined up on it counts from the next one on.
struct BalanceBands {
  std::vector<int32_t> Games;  // normal games played at each checkpoint, rising to the last
  std::vector<double> Mean;
  std::vector<double> P5;
  std::vector<double> P25;
  std::vector<double> Median;
  std::vector<double> P75;
  std::vector<double> P95;
};

// At most this many checkpoints a fan has.
inline constexpr int32_t kFanCheckpoints = 100;
// Balances a fan may keep in all, four bytes each: fewer checkpoints for very
// many runs, so that memory stays small.
inline constexpr int64_t kFanValueBudget = int64_t{1} << 25;

// The checkpoints of runs of `games` normal games (>= 1), `runs` of them:
// evenly spaced, the last one at `games`.
std::vector<int32_t> FanCheckpoints(int32_t games, int64_t runs);

// `values` holds each run's balances at the checkpoints, run after run.
// Percentiles as SummariseValues takes them.
BalanceBands BandsOf(const std::vector<int32_t>& games, std::span<const int32_t> values);

}  // namespace sorimu
