#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sorimu {

// The RT's course as probabilities, worked out from the weight and class
// tables of a real machine so that they cannot drift from what it plays. The
// six settings differ only in how long a freshly drawn RT is in each mode and
// how often a 4-cherry B cuts an RT with more than 128 games left; the rest
// is common to all of them and is kept here so that the likelihood of a
// stretch is the machine's own, constant factors included.
struct RtLengthModel {
  static constexpr int kSettings = 6;
  static constexpr int kMaxRt = 1490;
  static constexpr int kMaxShortRt = 32;
  static constexpr int kEmptyStartSpan = 16;

  std::array<double, 2> ModeProbability{};
  // Length[mode][setting - 1][games], games 0..kMaxRt; index 0 is never drawn.
  std::array<std::array<std::vector<double>, kSettings>, 2> Length;
  // Cumulative[mode][setting - 1][g]: the chance of an RT of at most g games.
  std::array<std::array<std::vector<double>, kSettings>, 2> Cumulative;
  std::array<double, kSettings> CancelProbability{};

  // The RT left after a 4-cherry B cut, 1..kMaxShortRt games (index 0 unused).
  std::array<double, kMaxShortRt + 1> ShortLength{};
  // Chance that a ZT starts after a 4-cherry B that cut the RT, and after one
  // that drew the cancel lottery and kept it.
  double ZtAfterCut = 0;
  double ZtAfterKeep = 0;
  // A machine reset with both stocks empty replaces its first RT with this
  // chance by one of 1..kEmptyStartSpan games, its mode kept.
  double EmptyStartShortChance = 0;
  // Chance that a BIG without a 1G連 ends in a 3G連.
  double Ren3Chance = 0;

  double MeanLength(int mode, int setting) const;

  // The tables of one mode and setting (1..6).
  const std::vector<double>& LengthOf(int mode, int setting) const {
    return Length[static_cast<size_t>(mode)][static_cast<size_t>(setting - 1)];
  }
  double CancelOf(int setting) const { return CancelProbability[static_cast<size_t>(setting - 1)]; }
  // The chance of a length in first..last (clipped to 1..kMaxRt; 0 when empty).
  double LengthBetween(int mode, int setting, int32_t first, int32_t last) const;
  // The chance that a short RT is longer than `games`.
  double ShortLongerThan(int32_t games) const;
};

// Built once per process on first use; safe to call from any thread.
const RtLengthModel& MachineRtModel();

}  // namespace sorimu
