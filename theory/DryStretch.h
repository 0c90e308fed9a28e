#pragma once

#include <cstdint>
#include <vector>

#include "CycleModel.h"

namespace sorimu::theory {

// Dry stretches (ハマリ) in the long run, counted in normal games:
// - between bonuses: from the first normal game after a bonus to the game that
//   lines up the next one, that game included (GamesSinceBonus on the line-up
//   row);
// - between first hits: from the first normal game after a first hit to the
//   game that lines up the next first hit, the games of any 1G連 and 3G連 in
//   between included.
struct DryStretchTail {
  int Setting = 0;
  // Entry n: the chance that a stretch lasts n games or more, n = 0 .. the
  // requested maximum, or kTailHorizon if that is less.
  std::vector<Real> BetweenBonuses;
  std::vector<Real> BetweenFirstHits;
  Real MeanBetweenBonuses = 0;
  Real MeanBetweenFirstHits = 0;

  // The same for any n up to the requested maximum: 0 beyond the entries.
  Real BetweenBonusesAtLeast(int64_t games) const;
  Real BetweenFirstHitsAtLeast(int64_t games) const;
};

// Past this many games no stretch of either kind has a chance that a long
// double can hold: a first-hit stretch this long needs some 25,000 chained
// releases in a row, each at most 1 in 3.
inline constexpr int32_t kTailHorizon = 100000;

// Requires maxGames >= 0.
DryStretchTail ComputeDryStretchTail(const CycleModel& model, int32_t maxGames);

}  // namespace sorimu::theory
