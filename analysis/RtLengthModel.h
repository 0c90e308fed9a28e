#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace sorimu {

// The only things in which the six settings differ, as probabilities: how
// long a freshly drawn RT is in each mode, and how often a 4-cherry B cuts an
// RT with more than 128 games left. Worked out from the weight and class
// tables of a real machine, so they cannot drift from what the machine plays.
struct RtLengthModel {
  static constexpr int kSettings = 6;
  static constexpr int kMaxRt = 1490;

  std::array<double, 2> ModeProbability{};
  // Length[mode][setting - 1][games], games 0..kMaxRt; index 0 is never drawn.
  std::array<std::array<std::vector<double>, kSettings>, 2> Length;
  std::array<double, kSettings> CancelProbability{};

  double MeanLength(int mode, int setting) const;

  // The tables of one mode and setting (1..6).
  const std::vector<double>& LengthOf(int mode, int setting) const {
    return Length[static_cast<size_t>(mode)][static_cast<size_t>(setting - 1)];
  }
  double CancelOf(int setting) const { return CancelProbability[static_cast<size_t>(setting - 1)]; }
};

// Built once per process on first use; safe to call from any thread.
const RtLengthModel& MachineRtModel();

}  // namespace sorimu
