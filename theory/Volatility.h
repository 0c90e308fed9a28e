#pragma once

#include <array>
#include <cstdint>

#include "CycleModel.h"

namespace sorimu::theory {

// How far the balance strays from its mean, in the long run: over n normal
// games (and the bonus games between them) its spread grows as
// SdPerGame × sqrt(n). Worked out exactly from the same cycles as the
// long-run figures (a bonus and the stretch after it, the kinds of
// successive bonuses a two-state chain), by the central limit theorem for
// such Markov renewal sums.
struct Volatility {
  int Setting = 0;
  Real BalancePerGame = 0;  // mean medals won per normal game (negative: lost)
  Real SdPerGame = 0;       // medals
  Real BetPerGame = 0;      // mean medals bet per normal game, bonus games included
  Real Payout = 0;          // paid / bet in the long run
  // The spread of paid - Payout × bet per normal game: what the payout rate
  // of n games strays by, times the bet (the delta method).
  Real PayoutSdPerGame = 0;

  // The interval around Payout in which the payout rate of `games` normal
  // games falls with the two-sided chance that `z` stands for (1.645 for
  // 90 %, 1.960 for 95 %), under the normal approximation.
  std::array<Real, 2> PayoutBand(int64_t games, Real z) const;
  // The chance of ending `games` normal games ahead (balance above 0),
  // under the normal approximation. Poor for short stretches: the balance
  // of 1,000 games is lumpy (a few bonuses of fixed size) and skewed.
  Real AheadChance(int64_t games) const;
};

inline constexpr Real kZ90 = 1.64485362695147271L;
inline constexpr Real kZ95 = 1.95996398454005423L;

Volatility ComputeVolatility(const CycleModel& model);

// The moments of one stretch, from its first normal game to the one that
// lines its bonus up: means and mean squares of its games and medals paid,
// and its mean medals bet.
struct StretchSpread {
  Real Games = 0;
  Real GamesSquare = 0;
  Real Paid = 0;
  Real PaidSquare = 0;
  Real Bet = 0;
};
// An RT drawn afresh in this mode (0 or 1).
StretchSpread FreshStretchSpread(const CycleModel& model, size_t mode);

}  // namespace sorimu::theory
