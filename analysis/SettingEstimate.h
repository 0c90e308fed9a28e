#pragma once

#include <array>
#include <cstdint>

#include "RunRecords.h"

namespace sorimu {

// How likely each setting is, given what one run's records show.
struct SettingEstimate {
  std::array<double, 6> Probability{};  // settings 1..6; they sum to 1
  // RT stretches whose likelihood entered the estimate, and those left out
  // (1G連 and 3G連, stretches begun with an empty stock, contradictory rows).
  int32_t UsedStretches = 0;
  int32_t SkippedStretches = 0;
};

// A uniform prior times the exact likelihood of every usable RT stretch: its
// length or the game on which a role cut it short, given the roles seen on
// the way (see docs/estimation.md). Records without a usable stretch give
// 1/6 each. Reads the rows and start stocks only; never the level played.
SettingEstimate EstimateSetting(const RunRecords& records);

}  // namespace sorimu
