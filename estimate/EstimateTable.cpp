#include "EstimateTable.h"

#include <algorithm>

#include "AnalysisTable.h"
#include "ManyRunAnalysis.h"
#include "NumberFormat.h"

namespace sorimu {

namespace {

std::string Percent(double share) { return FormatFixed(100 * share, 1) + " %"; }

// The pieces that told nothing, if any.
std::string Skipped(const SettingEstimate& estimate) {
  if (estimate.SkippedStretches == 0) return "";
  return "（対象外の区間 " + FormatInt(estimate.SkippedStretches) + " 件）";
}

}  // namespace

std::vector<TableRow> EstimateTableRows(const SettingEstimate& estimate) {
  std::vector<TableRow> rows{{"設定", "設定配分", "確率"}};
  for (size_t s = 0; s < kSettingCount; ++s) {
    rows.push_back({FormatInt(static_cast<int32_t>(s) + 1), Percent(estimate.Prior[s]),
                    Percent(estimate.Probability[s])});
  }
  return rows;
}

std::string EstimateNote(const SettingEstimate& estimate) {
  std::string note = estimate.UsedStretches == 0
                         ? "設定の違いが表れるRT区間がないため、設定配分のままの確率です。"
                         : "RT区間 " + FormatInt(estimate.UsedStretches) + " 件から推測しました。";
  note += Skipped(estimate);
  note +=
      "\n設定配分に、RTの長さと解除のされ方から計算した尤度を掛けた確率です。"
      "遊技した設定そのものは見ていません。";
  return note;
}

std::vector<TableRow> NextGamesTableRows(const NextGamesPrediction& p) {
  struct Part {
    const char* caption;
    double Spread::*value;
  };
  static constexpr Part kParts[] = {
      {"平均", &Spread::Mean},     {"P5", &Spread::P5},   {"P25", &Spread::P25},
      {"中央値", &Spread::Median}, {"P75", &Spread::P75}, {"P95", &Spread::P95},
  };
  std::vector<TableRow> rows{{"項目", "差枚", "収支(円)"}};
  for (const Part& part : kParts) {
    rows.push_back({part.caption, FormatFixed(p.Balance.*part.value, 1),
                    FormatFixed(p.BalanceYen.*part.value, 0)});
    if (part.value == &Spread::Mean) {
      rows.push_back({"平均の標準誤差", FormatFixed(p.MeanError, 1),
                      FormatFixed(p.MeanError * kYenPerMedal, 0)});
    }
  }
  rows.push_back({"プラスで終わる確率(%)", FormatFixed(100 * p.AheadChance, 1)});
  rows.push_back({"機械割(%) 理論値 設定推測で加重", FormatFixed(p.PayoutRate, 2)});
  return rows;
}

std::string HistoryEstimateNote(const SettingEstimate& estimate, const BonusHistory& history) {
  std::string note =
      "ボーナス " + FormatInt(static_cast<int32_t>(history.Bonuses.size())) + " 回の履歴";
  note += estimate.UsedStretches == 0
              ? "には設定の違いが表れる区間がないため、設定配分のままの確率です。"
              : "の区間 " + FormatInt(estimate.UsedStretches) + " 件から推測しました。";
  note += Skipped(estimate);
  if (std::any_of(history.Bonuses.begin(), history.Bonuses.end(),
                  [](const HistoryBonus& b) { return b.StockMayHaveRunOut; })) {
    note += "ストックが尽きていたかもしれない区間は使っていません。";
  }
  note +=
      "\n設定配分に、ボーナス間のG数と種類から計算した尤度を掛けた確率です。"
      "どの放出もストックが尽きていなかったものとして計算しています。";
  if (!history.FromStart && !history.Bonuses.empty()) {
    note += "最初のボーナスまでの区間は、それ以前が分からないため使っていません。";
  }
  return note;
}

std::vector<TableRow> ForecastTableRows(const HistoryForecast& forecast) {
  std::vector<TableRow> rows{{"あとのゲーム数",
                              "設定" + FormatInt(forecast.Top) + "の確率の見込み(%)",
                              "その時の1位の確率の見込み(%)", "1位が入れ替わる確率(%)"}};
  const std::string now = FormatFixed(100 * forecast.TopProbability, 1);
  rows.push_back({"0", now, now, FormatFixed(0, 1)});
  for (const ForecastPoint& point : forecast.Points) {
    rows.push_back({FormatInt(point.Games), FormatFixed(100 * point.TopProbability, 1),
                    FormatFixed(100 * point.LeaderProbability, 1),
                    FormatFixed(100 * point.TopChangeChance, 1)});
  }
  return rows;
}

}  // namespace sorimu
