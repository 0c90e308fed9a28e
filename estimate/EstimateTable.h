#pragma once

#include <string>
#include <vector>

#include "BonusHistory.h"
#include "HistoryForecast.h"
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

// "項目", "差枚", "収支(円)", then the mean and its Monte-Carlo standard
// error, the percentiles, the chance of ending ahead and the weighted exact
// payout rate.
std::vector<TableRow> NextGamesTableRows(const NextGamesPrediction& prediction);

// What the estimate from a bonus history is made of.
std::string HistoryEstimateNote(const SettingEstimate& estimate, const BonusHistory& history);

// "あとのゲーム数", "設定N の確率の見込み(%)", "その時の1位の確率の見込み(%)",
// "1位が入れ替わる確率(%)": now, then one row per count of more games.
std::vector<TableRow> ForecastTableRows(const HistoryForecast& forecast);

}  // namespace sorimu
