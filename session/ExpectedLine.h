#pragma once

#include <cstdint>
#include <vector>

#include "ExpectedRun.h"
#include "MachineRules.h"
#include "ShownRun.h"

// The expected-balance line of the slump graph: the mean course of runs
// started as the run on display was started, at its level, from the exact
// figures of the machine.
namespace sorimu {

// Why the run on display gets no line.
enum class LineAbsence {
  None,             // it gets one
  NoRun,            // nothing on display, or no normal game in it
  LevelHidden,      // played with "?", and the setting check has not shown the level yet
  NotThisMachine,   // its level, stocks or first game are none a run of this machine starts with
  StocksMayRunOut,  // a start stock could run out within the run (see kLineTolerance)
};

// Once a stock runs out, the machine leaves the model the line is worked out
// from, and what it does after is not in the line. The line is offered only
// where that cannot move it by more than this many medals anywhere, which a
// graph of whole medals never shows; otherwise there is no line, rather
// than one that looks exact and may not be.
inline constexpr double kLineTolerance = 0.5;

// The most one normal game's row can move the balance, its bonus (played
// between it and the row before) included: a BIG of every small-role game
// and every JAC game paying, after the line-up game's payout.
inline constexpr int32_t kLargestRowChange =
    kLineUpPayout + kBigRoleGames * kBigRolePayout + kMaxJacGames * kJacPayout;

struct LineOffer {
  LineAbsence Absence = LineAbsence::NoRun;
  int32_t Setting = 0;
  int32_t Games = 0;
  theory::RunStart Start;
  // Medals by which stocks running out could move the line, at most.
  double LeaveError = 0;
};

// Whether the run gets a line, without working it out.
LineOffer OfferExpectedLine(const ShownRun& shown);

struct LinePoint {
  int32_t Games = 0;
  double Balance = 0;
};

struct ExpectedLine {
  int32_t Setting = 0;
  // Games 1 .. the run's last: every game while the line still bends, then
  // the last game, to which it runs straight.
  std::vector<LinePoint> Points;
  // Medals by which the line may differ from the true expected balance, at
  // most, on any game.
  double ErrorBound = 0;
};

// Requires an offer whose Absence is None.
ExpectedLine ComputeExpectedLine(const LineOffer& offer);

}  // namespace sorimu
