#include "AnalysisTable.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include "NumberFormat.h"
#include "PooledRate.h"

namespace sorimu {

namespace {

using Cell = std::function<std::string(const SettingFigures&)>;

std::string OneIn(double games) {
  return games == 0 ? std::string("-") : "1/" + FormatFixed(games, 1);
}

void AddSpreadRows(std::vector<std::pair<std::string, Cell>>& rows, const std::string& name,
                   const Spread SettingFigures::*member) {
  struct Part {
    const char* caption;
    double Spread::*value;
  };
  static constexpr Part kParts[] = {
      {" 平均", &Spread::Mean}, {" 標準偏差", &Spread::Sd},   {" P5", &Spread::P5},
      {" P25", &Spread::P25},   {" 中央値", &Spread::Median}, {" P75", &Spread::P75},
      {" P95", &Spread::P95},   {" 最小", &Spread::Min},      {" 最大", &Spread::Max},
  };
  for (const Part& part : kParts) {
    rows.emplace_back(name + part.caption, [member, value = part.value](const SettingFigures& f) {
      return FormatFixed((f.*member).*value, 1);
    });
  }
}

std::vector<std::pair<std::string, Cell>> FigureRows(int32_t games) {
  std::vector<std::pair<std::string, Cell>> rows;
  rows.emplace_back("試行回数", [](const SettingFigures& f) { return FormatInt(f.Runs); });
  rows.emplace_back("機械割(%) 各回平均",
                    [](const SettingFigures& f) { return FormatFixed(f.PayoutRate.Mean, 2); });
  rows.emplace_back("機械割(%) 各回平均 95%信頼区間", [](const SettingFigures& f) {
    return FormatFixed(f.PayoutRate.Low, 2) + "～" + FormatFixed(f.PayoutRate.High, 2);
  });
  // All runs pooled: the figure to hold against the theory. A theory value
  // outside its interval is marked.
  rows.emplace_back("機械割(%) 全体", [](const SettingFigures& f) {
    return FormatFixed(f.PooledPayoutRate.Mean, 2);
  });
  rows.emplace_back("機械割(%) 全体 95%信頼区間", [](const SettingFigures& f) {
    return FormatFixed(f.PooledPayoutRate.Low, 2) + "～" + FormatFixed(f.PooledPayoutRate.High, 2);
  });
  rows.emplace_back("機械割(%) 理論値 " + FormatInt(games) + "G", [](const SettingFigures& f) {
    return FormatFixed(f.Theory.ForRuns, 2) + (TheoryOutsidePooledInterval(f) ? " ※区間外" : "");
  });
  rows.emplace_back("機械割(%) 理論値 長期",
                    [](const SettingFigures& f) { return FormatFixed(f.Theory.LongRun, 2); });
  AddSpreadRows(rows, "差枚", &SettingFigures::Balance);
  AddSpreadRows(rows, "収支(円)", &SettingFigures::BalanceYen);
  rows.emplace_back("勝率(%)",
                    [](const SettingFigures& f) { return FormatFixed(100 * f.ProfitShare, 1); });
  rows.emplace_back("最大ドローダウン 平均",
                    [](const SettingFigures& f) { return FormatFixed(f.DrawdownMean, 1); });
  rows.emplace_back("最大ドローダウン P95",
                    [](const SettingFigures& f) { return FormatFixed(f.DrawdownP95, 1); });
  rows.emplace_back("BIG回数 平均",
                    [](const SettingFigures& f) { return FormatFixed(f.BigCountMean, 2); });
  rows.emplace_back("REG回数 平均",
                    [](const SettingFigures& f) { return FormatFixed(f.RegCountMean, 2); });
  rows.emplace_back("BIG確率", [](const SettingFigures& f) { return OneIn(f.BigRate); });
  rows.emplace_back("REG確率", [](const SettingFigures& f) { return OneIn(f.RegRate); });
  rows.emplace_back("BIG初当り確率", [](const SettingFigures& f) { return OneIn(f.BigFirstRate); });
  rows.emplace_back("REG初当り確率", [](const SettingFigures& f) { return OneIn(f.RegFirstRate); });
  rows.emplace_back("初当り確率(合算)", [](const SettingFigures& f) { return OneIn(f.FirstRate); });
  rows.emplace_back("最大ハマリ 平均",
                    [](const SettingFigures& f) { return FormatFixed(f.DroughtMean, 1); });
  rows.emplace_back("最大ハマリ P95",
                    [](const SettingFigures& f) { return FormatFixed(f.DroughtP95, 1); });
  return rows;
}

TableRow SettingHeader(const AnalysisResult& result, const char* first) {
  TableRow header{first};
  for (const SettingFigures& f : result.Settings) header.push_back("設定" + FormatInt(f.Setting));
  return header;
}

}  // namespace

bool TheoryOutsidePooledInterval(const SettingFigures& figures) {
  return std::isfinite(figures.Theory.ForRuns) &&
         OutsideInterval(figures.Theory.ForRuns, figures.PooledPayoutRate);
}

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return "-";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::vector<TableRow> AnalysisTableRows(const AnalysisResult& result) {
  std::vector<TableRow> rows{SettingHeader(result, "項目")};
  for (const auto& [caption, cell] : FigureRows(result.Request.Games)) {
    TableRow row{caption};
    for (const SettingFigures& f : result.Settings) row.push_back(cell(f));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<TableRow> HistogramTableRows(const AnalysisResult& result) {
  TableRow header = SettingHeader(result, "上限");
  header.insert(header.begin(), "下限");
  std::vector<TableRow> rows{std::move(header)};
  const Histogram& h = result.FinalBalance;
  const size_t bins = h.Counts.empty() ? 0 : h.Counts.front().size();
  for (size_t b = 0; b < bins; ++b) {
    const int64_t lower = h.Lower + static_cast<int64_t>(b) * h.Width;
    TableRow row{std::to_string(lower), std::to_string(lower + h.Width)};
    for (const auto& counts : h.Counts) row.push_back(std::to_string(counts[b]));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace sorimu
