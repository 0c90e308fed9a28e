#pragma once

#include <string>
#include <vector>

#include "HallTables.h"
#include "ResultStats.h"
#include "Volatility.h"

// The hall's figures as the command line and the window show them: table
// rows (a caption, then one cell per setting and the mix) and TAB-separated
// lines with every digit for other programs.
namespace sorimu::theory {

// What a medal is worth in yen where one plays. Medals won are priced at
// this rate (a simplification: cash put in buys medals at the lending
// price, 20 yen, and only medals taken out are exchanged at the rate).
struct ExchangeRate {
  const char* Name;
  double YenPerMedal;
};
inline constexpr ExchangeRate kExchangeRates[] = {
    {"等価", 20.0},
    {"5.6枚交換", 100.0 / 5.6},
    {"5.0枚交換", 20.0},
};

// "等価 20円/枚", "5.6枚交換 17.86円/枚": shown with every yen figure.
std::string RateCaption(const ExchangeRate& rate);

// The caption of what the stretch follows: "BIG後", "REG後", "開始後",
// "BIG・REG後".
std::string AfterCaption(size_t after);

// The captions of the mix column: a hall's prior, or a history's settings.
inline constexpr const char* kPriorMixCaption = "設定配分";
inline constexpr const char* kHistoryMixCaption = "履歴から推測";

// "ハマリ 300G BIG後", "やめ時 REG後": the captions of the two tables.
std::string SinceCaption(int32_t since, size_t after);
std::string QuitCaption(size_t after);

// The ハマリ/天井 table at one G: "項目", "設定1" .. "設定6" and, when
// `mixCaption` is not empty, a column for the mix under `weights`.
std::vector<TableRow> SinceTableRows(const DryTable& table, const SettingMix& weights,
                                     int32_t since, const std::string& mixCaption,
                                     const ExchangeRate& rate);
// "setting", "since", ... then one line per setting and, with `mix`, a line
// "mix".
std::string SinceTsvHeader();
std::vector<std::string> SinceTsvLines(const DryTable& table, const SettingMix& weights,
                                       int32_t since, bool mix);

// The やめ時 curve: "G数", "設定1" .. "設定6", the mix, "1G連・3G連(%)"; a row
// per k, then the best k.
std::vector<TableRow> QuitTableRows(const QuitCurve& curve, const std::string& mixCaption);
std::string QuitTsvHeader();
std::vector<std::string> QuitTsvLines(const QuitCurve& curve, bool mix);

// The spread of the balance (出玉の荒さ): a header row, then per setting the
// standard deviation per normal game, the 90 % and 95 % bands of the payout
// rate and the chance of ending ahead, for 1,000, 8,000 and 100,000 games.
inline constexpr const char* kVolatilityCaption = "出玉の荒さ";
inline constexpr int32_t kBandGames[] = {1000, 8000, 100000};
std::vector<TableRow> VolatilityRows(const std::vector<Volatility>& settings);

}  // namespace sorimu::theory
