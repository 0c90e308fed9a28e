#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "CycleModel.h"

namespace sorimu::theory {

// What a stretch of normal games follows: the end of a BIG, the end of a
// REG, or the reset that starts a run. The first two are kBig and kReg.
inline constexpr size_t kAfterReset = kKindCount;
inline constexpr size_t kStretchStarts = kKindCount + 1;

// The joint law of one stretch: its length L in normal games, from the first
// game after what it follows to the game that lines up the next bonus (that
// game included, as the bonus list's PLAY数2 counts it), and the kind of
// that bonus. With both stocks filled this is all that links one bonus to
// the next, so a bonus history's likelihood is a product of its terms.
struct StretchLaw {
  // Chance that L = n and the bonus is of kind k: Games[k][n], n = 0..Longest.
  std::array<std::vector<Real>, kKindCount> Games;
  // Chance that L > n and the bonus is of kind k: Beyond[k][n], n = 0..Longest.
  std::array<std::vector<Real>, kKindCount> Beyond;
  // E[(L - n)+] = the sum of P(L > m) over m >= n, n = 0..Longest.
  std::vector<Real> Excess;
  int32_t Longest = 0;

  // 0 outside 1..Longest.
  Real Chance(size_t kind, int64_t games) const;
  // P(L > n): 1 below 0, 0 from Longest on.
  Real Tail(int64_t games) const;
  Real TailOf(size_t kind, int64_t games) const;
  // E[(L - n)+] for n >= 0: E[L] at 0, 0 from Longest on.
  Real ExcessAt(int64_t games) const;
  // P(L <= n, kind k).
  Real Within(size_t kind, int64_t games) const { return TailOf(kind, 0) - TailOf(kind, games); }
};

// The stretch after `after` (After[kBig], After[kReg] or AtStart of the model).
StretchLaw BuildStretchLaw(const CycleModel& model, const AfterBonus& after);

// The three laws of setting 1..6 of the machine as built, indexed by what the
// stretch follows (kBig, kReg, kAfterReset), worked out once per process on
// first use; safe from any thread.
const std::array<StretchLaw, kStretchStarts>& DefaultStretchLaws(int setting);

}  // namespace sorimu::theory
