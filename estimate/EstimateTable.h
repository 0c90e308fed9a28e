#pragma once

#include <string>
#include <vector>

#include "NextGames.h"
#include "ResultStats.h"
#include "SettingEstimate.h"

// The setting estimate and the next games as the 設定推測 box and the
// command line both show them.
namespace sorimu {

// "設定", "設定配分", "確率", then one row per setting, in percent with one
// decimal ("12.3 %").
std::vector<TableRow> EstimateTableRows(const SettingEstimate& estimate);

// Which stretches carried the estimate, and what it is made of.
std::string EstimateNote(const SettingEstimate& estimate);

// "項目", "差枚", "収支(円)", then the mean, the percentiles, the chance of
// ending ahead and the weighted exact payout rate.
std::vector<TableRow> NextGamesTableRows(const NextGamesPrediction& prediction);

}  // namespace sorimu
