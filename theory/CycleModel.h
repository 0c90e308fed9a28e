#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "BonusFigures.h"
#include "FreshRt.h"
#include "MachineOdds.h"

namespace sorimu::theory {

// The two bonuses, as indices. A fresh RT of mode m releases kind m (mode 0
// a BIG, mode 1 a REG) as long as the stocks are filled.
inline constexpr size_t kBig = 0;
inline constexpr size_t kReg = 1;
inline constexpr size_t kKindCount = 2;

// A release that follows the end of a bonus within a fixed number of normal
// games, whatever the roles: a 1G連 or a 3G連.
struct ChainedRelease {
  Real Chance = 0;
  int32_t Games = 0;
  size_t Kind = kBig;
  RtCancelCause Cause = RtCancelCause::None;
};

// What the end of a bonus (or the start of a run) leads to: one of the chained
// releases, or else (chance Fresh) an RT drawn afresh, whose mode is drawn too.
struct AfterBonus {
  std::vector<ChainedRelease> Chains;
  Real Fresh = 0;
};

// The machine between two bonuses, at one setting, with both stocks filled:
// everything the exact figures are built from. Between bonuses nothing else
// carries over: the counters no lottery reads are dropped, the mode and the
// RT are drawn afresh at each bonus end, and a replay's skipped bet is
// counted from the role chance of the game before.
struct CycleModel {
  MachineOdds Odds;
  std::array<BonusFigures, kKindCount> Bonus;
  std::array<FreshRt, kModeCount> Fresh;
  std::array<AfterBonus, kKindCount> After;  // after a BIG, after a REG
  AfterBonus AtStart;                        // after Reset with a stock in hand
};

CycleModel BuildCycleModel(const MachineOdds& odds);

// The model of a setting level of a machine with the tables it is built with,
// worked out once per process on first use; safe from any thread.
const CycleModel& DefaultCycleModel(int setting);

}  // namespace sorimu::theory
