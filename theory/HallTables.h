#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "HallPlay.h"

// The ハマリ/天井 table and the やめ時 curve of all six settings and of their
// mix under a hall's prior or a history's posterior: what a window, a page
// or the command line shows.
namespace sorimu::theory {

using SettingMix = std::array<Real, kSettingCount>;

// No stretch outlasts the longest RT, so the table ends there.
inline constexpr int32_t kDryTableLast = kMaxRtGames;

// What the stretch under way follows, when the last bonus's kind is not
// known: BIG and REG as they share the bonuses in the long run.
inline constexpr size_t kAfterEither = kStretchStarts;

struct DryTable {
  size_t After = kAfterEither;
  // Figures at G = 0 .. kDryTableLast, per setting and for the mix.
  std::array<std::vector<SinceFigures>, kSettingCount> Settings;
  std::vector<SinceFigures> Mix;
  // From which G the expected balance is above 0 at every reachable G on
  // (-1: at none): to the bonus, and through its chain.
  std::array<int32_t, kSettingCount> PositiveToBonus{};
  std::array<int32_t, kSettingCount> PositiveThroughChain{};
  int32_t MixPositiveToBonus = -1;
  int32_t MixPositiveThroughChain = -1;
};

// `after` is kBig, kReg, kAfterReset or kAfterEither; `weights` six
// weights, not all 0.
DryTable ComputeDryTable(size_t after, const SettingMix& weights);

// The figures at one G (any G >= 0: beyond the table every figure is NaN).
SinceFigures FiguresAt(const DryTable& table, int setting, int32_t since);
SinceFigures MixAt(const DryTable& table, int32_t since);

// Each setting's probability given the weights and that the machine got to
// this G; NaN where no setting gets there.
SettingMix WeightsAt(const DryTable& table, const SettingMix& weights, int32_t since);

// The quitting rule after a bonus: stop at the first run of k normal games
// without a bonus, k = 1 .. Games.
struct QuitCurve {
  size_t After = kBig;
  int32_t Games = 0;
  std::array<std::vector<Real>, kSettingCount> Balance;  // [setting - 1][k - 1]
  std::vector<Real> Mix;
  std::vector<Real> ChainChance;  // a 1G連 or 3G連 within k games
  // The k with the highest expected balance.
  std::array<int32_t, kSettingCount> Best{};
  int32_t MixBest = 0;
};

inline constexpr int32_t kMaxQuitGames = 200;

// `after` is kBig or kReg; 1 <= games <= kMaxQuitGames.
QuitCurve ComputeQuitCurve(size_t after, int32_t games, const SettingMix& weights);

}  // namespace sorimu::theory
