#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "MachineOdds.h"

namespace sorimu {

// The machine's odds as the setting estimate reads them row by row: every
// setting side by side, in double, with the running sums its sweeps take
// differences of. Converted from MachineOdds, the machine's one layer of
// odds; nothing here is worked out from a weight.
struct StretchOdds {
  std::array<double, kModeCount> Mode{};
  // Length[mode][setting index][games], games 0..kMaxRtGames: a drawn RT
  // (index 0 is never drawn). AtMost: the chance of at most that many games.
  std::array<std::array<std::vector<double>, kSettingCount>, kModeCount> Length;
  std::array<std::array<std::vector<double>, kSettingCount>, kModeCount> AtMost;
  // A 4-cherry B cancels an RT with kCancelLotteryFrom or more games left.
  std::array<double, kSettingCount> Cancel{};
  // The RT left after a 4-cherry B cut, games 1..kMaxShortRt (index 0 unused).
  std::array<double, kMaxShortRt + 1> ShortRt{};
  double ZtOnCut = 0;
  double ZtOnKeep = 0;
  double EmptyStartShort = 0;
  double Ren3 = 0;
  // The JAC-IN role's share of the BIG small-role games that are not a pure
  // miss.
  double JacInRole = 0;

  // The chance of a drawn RT of first..last games (clipped to 1..kMaxRtGames;
  // 0 when empty).
  double LengthBetween(size_t mode, size_t setting, int32_t first, int32_t last) const;
  // The chance that a short RT is longer than `games`.
  double ShortLongerThan(int32_t games) const;
};

// Read once per process from a machine with its own tables; safe from any
// thread.
const StretchOdds& MachineStretchOdds();

}  // namespace sorimu
