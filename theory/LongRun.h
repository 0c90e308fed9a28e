#pragma once

#include <array>
#include <vector>

#include "CycleModel.h"

namespace sorimu::theory {

// The long-run figures of one setting: the limits, over ever longer runs, of
// what a run's summary counts. Rates are per normal game.
struct LongRunFigures {
  int Setting = 0;
  // Medals paid out per medal bet, bonus games included (1.0152... for 101.52 %).
  Real Payout = 0;
  Real BigPerGame = 0;
  Real RegPerGame = 0;
  // First hits: bonuses lined up by neither a 1G連 nor a 3G連.
  Real BigFirstPerGame = 0;
  Real RegFirstPerGame = 0;
  // Mean normal games from one bonus to the next (the line-up game counted),
  // and from one first hit to the next.
  Real GamesPerBonus = 0;
  Real GamesPerFirstHit = 0;
  // Share of the bonuses lined up by each RtCancelCause (Expired .. Ren3G);
  // the RT解除情報 table's shares.
  std::array<Real, kRtCancelCauseCount> CauseShare{};
  Real BigShare = 0;      // share of the bonuses that are BIG
  Real RenAfterBig = 0;   // chance of a 1G連 after a BIG
  Real RenAfterReg = 0;   // after a REG
  Real Ren3AfterBig = 0;  // chance of a 3G連 after a BIG
  // The 1G連情報 shares: pure misses, JAC misses and パンク among all the
  // 1G連 causes the rows show.
  std::array<Real, 3> RenCauseShare{};

  Real BonusPerGame() const { return BigPerGame + RegPerGame; }
  Real FirstPerGame() const { return BigFirstPerGame + RegFirstPerGame; }
  // The share of the bonuses followed by a 1G連 (the 1G連率).
  Real RenShare() const { return CauseShare[IndexOf(RtCancelCause::Ren1G)]; }
  Real Ren3Share() const { return CauseShare[IndexOf(RtCancelCause::Ren3G)]; }
};

LongRunFigures ComputeLongRun(const CycleModel& model);

// Every setting level of the machine with its own tables.
std::vector<LongRunFigures> DefaultLongRun();

// The chance that a bonus of kind `from` is followed by one of kind `to`, and
// the share of each kind among all bonuses in the long run.
Real KindTransition(const CycleModel& model, size_t from, size_t to);
std::array<Real, kKindCount> KindShares(const CycleModel& model);

// Mean normal games from the end of a bonus (or from the start), with what
// follows it as `after` says, to the next line-up game, that game included.
Real MeanGamesAfter(const CycleModel& model, const AfterBonus& after);

}  // namespace sorimu::theory
