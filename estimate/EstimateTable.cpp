#include "EstimateTable.h"

#include "AnalysisTable.h"
#include "NumberFormat.h"

namespace sorimu {

namespace {

std::string Percent(double share) { return FormatFixed(100 * share, 1) + " %"; }

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
  if (estimate.SkippedStretches > 0) {
    note += "（対象外の区間 " + FormatInt(estimate.SkippedStretches) + " 件）";
  }
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
  }
  rows.push_back({"プラスで終わる確率(%)", FormatFixed(100 * p.AheadChance, 1)});
  rows.push_back({"機械割(%) 理論値 設定推測で加重", FormatFixed(p.PayoutRate, 2)});
  return rows;
}

}  // namespace sorimu
