#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CycleModel.h"

namespace sorimu::theory {

// How a run starts: as the Start command and the analysis start one
// (SetFlevel, SetStock, Reset). Reset keeps the last outcome, so a machine
// that ended its previous run on a replay takes no bet on the first game; a
// freshly built machine (its last outcome a Miss) always does.
struct RunStart {
  int32_t BigStock = kMaxStock;
  int32_t RegStock = kMaxStock;
  bool FirstGameBets = true;
};

// The message for a start or a length the line cannot be worked out for;
// nothing when it can.
std::optional<std::string> CheckExpectedRun(const RunStart& start, int32_t games);

// The expected course of a run, per normal game n (n = 0 is the start, all
// 0): what the run's rows show on that game's row, so a bonus lined up on
// game n counts from game n + 1 on, and one lined up on the last game of a
// run is never played.
struct ExpectedRun {
  int32_t Games = 0;
  // Worked out game by game up to here; beyond, every game adds the same
  // (the long-run amounts), to within SlopeError medals per game.
  int32_t ExactGames = 0;
  std::vector<Real> Balance;  // expected Medal (差枚), games 0..ExactGames
  std::vector<Real> Bets;     // expected medals bet so far
  Real BalanceSlope = 0;
  Real BetSlope = 0;
  Real SlopeError = 0;
  // The chance that a stock runs out and the run leaves the model somewhere
  // within its games is at most this. Near 0 for filled stocks; 1 (no
  // guarantee) when a stock starts empty.
  Real LeaveBound = 1;

  // Requires 0 <= games <= Games.
  Real BalanceAt(int32_t games) const;
  Real BetsAt(int32_t games) const;
  // Expected medals paid out per expected medal bet over the first `games`
  // games (>= 1): what the pooled rate of many such runs estimates.
  Real PayoutRate(int32_t games) const;
};

// Requires CheckExpectedRun to pass.
ExpectedRun ComputeExpectedRun(const CycleModel& model, const RunStart& start, int32_t games);

// The same for a setting level of the machine with its own tables. The sums
// behind it depend on the setting alone; they are kept per process and
// carried on only past the games asked for before, so a run as long as an
// earlier one, or shorter, costs a copy. Safe from any thread.
ExpectedRun DefaultExpectedRun(int setting, const RunStart& start, int32_t games);

}  // namespace sorimu::theory
