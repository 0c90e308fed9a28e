#include "HallText.h"

#include <cmath>
#include <functional>

#include "NumberFormat.h"
#include "PortableFigures.h"
#include "TheoryTable.h"

namespace sorimu::theory {

namespace {

// A figure no stretch reaches shows as "-". Every figure is printed from its
// portable double, so that the page and the command line print the same.
std::string Cell(Real value, int decimals) {
  return std::isnan(value) ? "-" : Fixed(PortableDouble(value), decimals);
}
std::string PercentCell(Real share) { return Cell(100 * share, 1); }

// Every digit a double holds, as `estimate --tsv` writes them.
std::string Exact(Real value) {
  return std::isnan(value) ? "nan" : FormatExact(PortableDouble(value));
}

std::string FromGames(int32_t games) { return games < 0 ? "-" : FormatInt(games) + "G～"; }

TableRow Header(const char* first, const std::string& mixCaption) {
  TableRow header{first};
  for (int s = 1; s <= kSettingCount; ++s) header.push_back("設定" + FormatInt(s));
  if (!mixCaption.empty()) header.push_back(mixCaption);
  return header;
}

}  // namespace

std::string RateCaption(const ExchangeRate& rate) {
  const double rounded = std::round(rate.YenPerMedal * 100) / 100;
  std::string yen = Fixed(rounded, 2);
  while (yen.back() == '0') yen.pop_back();
  if (yen.back() == '.') yen.pop_back();
  return std::string(rate.Name) + " " + yen + "円/枚";
}

std::string AfterCaption(size_t after) {
  switch (after) {
    case kBig: return "BIG後";
    case kReg: return "REG後";
    case kAfterReset: return "開始後";
    default: return "BIG・REG後";
  }
}

std::string SinceCaption(int32_t since, size_t after) {
  return "ハマリ " + FormatInt(since) + "G " + AfterCaption(after);
}

std::string QuitCaption(size_t after) { return "やめ時 " + AfterCaption(after); }

std::vector<TableRow> SinceTableRows(const DryTable& table, const SettingMix& weights,
                                     int32_t since, const std::string& mixCaption,
                                     const ExchangeRate& rate) {
  const bool mix = !mixCaption.empty();
  std::vector<SinceFigures> columns;
  for (int s = 1; s <= kSettingCount; ++s) columns.push_back(FiguresAt(table, s, since));
  if (mix) columns.push_back(MixAt(table, since));
  const std::string yen = "(円 " + RateCaption(rate) + ")";
  using Figure = std::function<std::string(const SinceFigures&)>;
  const std::pair<std::string, Figure> figures[] = {
      {"このG数まで当たらない確率(%)", [](auto& f) { return PercentCell(f.Reach); }},
      {"50G以内に当たる確率(%)", [](auto& f) { return PercentCell(f.Within[0]); }},
      {"100G以内に当たる確率(%)", [](auto& f) { return PercentCell(f.Within[1]); }},
      {"300G以内に当たる確率(%)", [](auto& f) { return PercentCell(f.Within[2]); }},
      {"500G以内に当たる確率(%)", [](auto& f) { return PercentCell(f.Within[3]); }},
      {"当たりまでの平均G数", [](auto& f) { return Cell(f.ExpectedGames, 1); }},
      {"次がBIGの確率(%)", [](auto& f) { return PercentCell(f.NextKind[kBig]); }},
      {"期待差枚 当たりまで(枚)", [](auto& f) { return Cell(f.ToBonus, 1); }},
      {"期待差枚 連チャン終了まで(枚)", [](auto& f) { return Cell(f.ThroughChain, 1); }},
      {"期待収支 当たりまで" + yen, [&](auto& f) { return Cell(f.ToBonus * rate.YenPerMedal, 0); }},
      {"期待収支 連チャン終了まで" + yen,
       [&](auto& f) { return Cell(f.ThroughChain * rate.YenPerMedal, 0); }},
  };
  std::vector<TableRow> rows{Header("項目", mixCaption)};
  for (const auto& [caption, figure] : figures) {
    TableRow row{caption};
    for (const SinceFigures& f : columns) row.push_back(figure(f));
    rows.push_back(std::move(row));
  }
  if (mix) {
    TableRow row{"設定の確率(%)"};
    for (Real w : WeightsAt(table, weights, since)) row.push_back(PercentCell(w));
    row.emplace_back();
    rows.push_back(std::move(row));
  }
  TableRow toBonus{"期待差枚がプラスになるG数 当たりまで"};
  TableRow throughChain{"期待差枚がプラスになるG数 連チャン終了まで"};
  for (size_t s = 0; s < kSettingCount; ++s) {
    toBonus.push_back(FromGames(table.PositiveToBonus[s]));
    throughChain.push_back(FromGames(table.PositiveThroughChain[s]));
  }
  if (mix) {
    toBonus.push_back(FromGames(table.MixPositiveToBonus));
    throughChain.push_back(FromGames(table.MixPositiveThroughChain));
  }
  rows.push_back(std::move(toBonus));
  rows.push_back(std::move(throughChain));
  return rows;
}

std::string SinceTsvHeader() {
  return Join({"setting", "since", "reach", "probability", "p_within_50", "p_within_100",
               "p_within_300", "p_within_500", "expected_games", "p_next_big",
               "expected_balance_to_bonus", "expected_balance_through_chain",
               "positive_from_to_bonus", "positive_from_through_chain"});
}

std::vector<std::string> SinceTsvLines(const DryTable& table, const SettingMix& weights,
                                       int32_t since, bool mix) {
  const SettingMix given = WeightsAt(table, weights, since);
  auto line = [&](const std::string& name, const SinceFigures& f, Real probability, int32_t toBonus,
                  int32_t throughChain) {
    return Join({name, FormatInt(since), Exact(f.Reach), Exact(probability), Exact(f.Within[0]),
                 Exact(f.Within[1]), Exact(f.Within[2]), Exact(f.Within[3]), Exact(f.ExpectedGames),
                 Exact(f.NextKind[kBig]), Exact(f.ToBonus), Exact(f.ThroughChain),
                 FormatInt(toBonus), FormatInt(throughChain)});
  };
  std::vector<std::string> lines;
  for (int s = 1; s <= kSettingCount; ++s) {
    const size_t i = static_cast<size_t>(s - 1);
    lines.push_back(line(FormatInt(s), FiguresAt(table, s, since), given[i],
                         table.PositiveToBonus[i], table.PositiveThroughChain[i]));
  }
  if (mix) {
    const Real all = std::isnan(given[0]) ? given[0] : 1;
    lines.push_back(line("mix", MixAt(table, since), all, table.MixPositiveToBonus,
                         table.MixPositiveThroughChain));
  }
  return lines;
}

std::vector<TableRow> QuitTableRows(const QuitCurve& curve, const std::string& mixCaption) {
  TableRow header = Header("G数", mixCaption);
  header.push_back("1G連・3G連(%)");
  std::vector<TableRow> rows{std::move(header)};
  for (size_t k = 0; k < static_cast<size_t>(curve.Games); ++k) {
    TableRow row{FormatInt(static_cast<int32_t>(k) + 1)};
    for (const std::vector<Real>& balance : curve.Balance) row.push_back(Cell(balance[k], 1));
    if (!mixCaption.empty()) row.push_back(Cell(curve.Mix[k], 1));
    row.push_back(PercentCell(curve.ChainChance[k]));
    rows.push_back(std::move(row));
  }
  TableRow best{"期待差枚が最大のG数"};
  for (int32_t games : curve.Best) best.push_back(FormatInt(games));
  if (!mixCaption.empty()) best.push_back(FormatInt(curve.MixBest));
  best.emplace_back();
  rows.push_back(std::move(best));
  return rows;
}

std::string QuitTsvHeader() {
  return Join({"setting", "games", "expected_balance", "chain_chance", "best"});
}

std::vector<std::string> QuitTsvLines(const QuitCurve& curve, bool mix) {
  std::vector<std::string> lines;
  auto add = [&](const std::string& name, const std::vector<Real>& balance, int32_t best) {
    for (size_t k = 0; k < balance.size(); ++k) {
      const int32_t games = static_cast<int32_t>(k) + 1;
      lines.push_back(Join({name, FormatInt(games), Exact(balance[k]), Exact(curve.ChainChance[k]),
                            games == best ? "1" : "0"}));
    }
  };
  for (size_t s = 0; s < kSettingCount; ++s) {
    add(FormatInt(static_cast<int32_t>(s) + 1), curve.Balance[s], curve.Best[s]);
  }
  if (mix) add("mix", curve.Mix, curve.MixBest);
  return lines;
}

std::vector<TableRow> VolatilityRows(const std::vector<Volatility>& settings) {
  TableRow header{"項目"};
  for (const Volatility& v : settings) header.push_back("設定" + FormatInt(v.Setting));
  std::vector<TableRow> rows{std::move(header)};
  auto add = [&](std::string caption, const std::function<std::string(const Volatility&)>& cell) {
    TableRow row{std::move(caption)};
    for (const Volatility& v : settings) row.push_back(cell(v));
    rows.push_back(std::move(row));
  };
  add("1Gあたりの期待差枚(枚)", [](auto& v) { return Fixed(v.BalancePerGame, 3); });
  add("1Gあたりの標準偏差(枚)", [](auto& v) { return Fixed(v.SdPerGame, 2); });
  for (int32_t games : kBandGames) {
    // A pair, not a structured binding: the page's compiler (clang 14) lets
    // no lambda capture one.
    for (const std::pair<const char*, Real>& level :
         {std::pair{"90", kZ90}, std::pair{"95", kZ95}}) {
      add("機械割 " + FormatInt(games) + "G " + level.first + "%範囲(%)", [&](auto& v) {
        const std::array<Real, 2> band = v.PayoutBand(games, level.second);
        return Fixed(100 * band[0], 1) + "～" + Fixed(100 * band[1], 1);
      });
    }
    // The normal approximation overstates it for short stretches (see
    // docs/theory.md): the caption says which figure this is.
    add(FormatInt(games) + "G後にプラスの確率(%) 正規近似",
        [&](auto& v) { return Fixed(100 * v.AheadChance(games), 1); });
  }
  return rows;
}

}  // namespace sorimu::theory
