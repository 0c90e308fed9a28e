#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "RunRecords.h"
#include "StretchLaw.h"

namespace sorimu {

// One bonus as a hall's data counter shows it: its kind and the normal games
// since the bonus before (the line-up game included: the bonus list's
// PLAY数2).
struct HistoryBonus {
  size_t Kind = theory::kBig;  // theory::kBig or theory::kReg
  int32_t Games = 0;
  // The stretch before it may have met an empty stock, so that the stretch
  // laws do not hold for it: a run's rows show that, a counter does not.
  bool StockMayHaveRunOut = false;

  bool operator==(const HistoryBonus&) const = default;
};

// The bonuses of a machine's day, in order.
struct BonusHistory {
  // Whether the first stretch is counted from a fresh machine, as a run
  // starts. Otherwise the machine's state before the first bonus is not
  // known (a counter's first figure may come from yesterday's play), and the
  // first stretch is left out.
  bool FromStart = false;
  std::vector<HistoryBonus> Bonuses;
  // Normal games since the last bonus (or the start), a stretch still open;
  // nothing where it is not known.
  std::optional<int32_t> OpenGames;

  bool operator==(const BonusHistory&) const = default;
};

// The bonus list of a run, counted from its start; the games of the stretch
// under way after the last row, 0 when the run ends on a bonus. A stretch
// whose first row shows an empty stock, or the first of a run started with
// both stocks empty, is marked as one that may have met an empty stock
// (for the stretch under way: its games are left unknown). Stocks only grow
// within a stretch, so every other stretch found its stock at every RT end.
BonusHistory HistoryFromRecords(const RunRecords& records);

}  // namespace sorimu
