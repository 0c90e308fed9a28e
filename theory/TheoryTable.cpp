#include "TheoryTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>

#include "NumberFormat.h"
#include "RoleCaptions.h"

namespace sorimu::theory {

namespace {

// A chance as the lists show numbers. A double holds the chance of a long
// first-hit stretch as 0 (at 10,000 games it is near 1E-1585), so one that
// small keeps its own 15 digits in the lists' scientific form.
std::string Chance(Real value) {
  if (value == 0 || value >= std::numeric_limits<double>::min()) {
    return FormatReal(static_cast<double>(value));
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14Le", value);
  const char* e = std::strchr(buffer, 'e');
  std::string mantissa(static_cast<const char*>(buffer), e);
  while (mantissa.back() == '0') mantissa.pop_back();
  if (mantissa.back() == '.') mantissa.pop_back();
  return mantissa + "E" + std::to_string(std::atoi(e + 1));
}

std::string OneIn(Real chance) { return chance > 0 ? "1/" + Fixed(1 / chance, 1) : "-"; }
std::string Percent(Real share) { return Fixed(100 * share, 2); }

using Cell = std::function<std::string(const LongRunFigures&)>;

std::vector<std::pair<std::string, Cell>> SpecSheetFigureRows() {
  std::vector<std::pair<std::string, Cell>> rows = {
      {"BIG確率", [](const LongRunFigures& f) { return OneIn(f.BigPerGame); }},
      {"REG確率", [](const LongRunFigures& f) { return OneIn(f.RegPerGame); }},
      {"合算", [](const LongRunFigures& f) { return OneIn(f.BonusPerGame()); }},
      {"BIG初当り確率", [](const LongRunFigures& f) { return OneIn(f.BigFirstPerGame); }},
      {"REG初当り確率", [](const LongRunFigures& f) { return OneIn(f.RegFirstPerGame); }},
      {"初当り確率", [](const LongRunFigures& f) { return OneIn(f.FirstPerGame()); }},
      {"機械割(%)", [](const LongRunFigures& f) { return Percent(f.Payout); }},
  };
  for (int k = 0; k < kRtCancelKinds; ++k) {
    rows.emplace_back(
        "RT解除 " + std::string(RtCancelTableCaption(k)) + "(%)",
        [k](const LongRunFigures& f) { return Percent(f.CauseShare[static_cast<size_t>(k + 1)]); });
  }
  rows.emplace_back("1G連率(%) BIG後",
                    [](const LongRunFigures& f) { return Percent(f.RenAfterBig); });
  rows.emplace_back("1G連率(%) REG後",
                    [](const LongRunFigures& f) { return Percent(f.RenAfterReg); });
  rows.emplace_back("3G連率(%) BIG後",
                    [](const LongRunFigures& f) { return Percent(f.Ren3AfterBig); });
  return rows;
}

template <typename Figures>
TableRow Header(const std::vector<Figures>& settings) {
  TableRow header{"項目"};
  for (const Figures& f : settings) header.push_back("設定" + FormatInt(f.Setting));
  return header;
}

}  // namespace

std::string Join(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += cells[i];
  }
  return line;
}

// A chance of a long dry stretch written out in full runs to well over a
// thousand digits, so the text is sized to what it needs.
std::string Fixed(Real value, int decimals) {
  const int length = std::snprintf(nullptr, 0, "%.*Lf", decimals, value);
  std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*Lf", decimals, value);
  text.pop_back();
  return text;
}

std::string PlainDecimal(Real value, int digits) {
  if (value == 0 || !std::isfinite(value)) return "0";
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int decimals = std::max(0, digits - 1 - exponent);
  return Fixed(value, decimals);
}

std::vector<TableRow> SpecSheetRows(const std::vector<LongRunFigures>& settings) {
  std::vector<TableRow> rows{Header(settings)};
  for (const auto& [caption, cell] : SpecSheetFigureRows()) {
    TableRow row{caption};
    for (const LongRunFigures& f : settings) row.push_back(cell(f));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string SpecSheetTsvHeader() {
  return Join({"setting", "payout", "big_per_game", "reg_per_game", "big_first_per_game",
               "reg_first_per_game", "games_per_first_hit", "games_per_bonus", "cause_expired",
               "cause_cherry2", "cause_cherry4b1", "cause_cherry4b2", "cause_hazure", "cause_ren1g",
               "cause_ren3g", "ren1g_after_big", "ren1g_after_reg", "ren3g_after_big",
               "sd_per_game"});
}

std::string SpecSheetTsvLine(const LongRunFigures& f, const Volatility& volatility) {
  std::vector<std::string> cells = {FormatInt(f.Setting),
                                    PlainDecimal(f.Payout),
                                    PlainDecimal(f.BigPerGame),
                                    PlainDecimal(f.RegPerGame),
                                    PlainDecimal(f.BigFirstPerGame),
                                    PlainDecimal(f.RegFirstPerGame),
                                    PlainDecimal(f.GamesPerFirstHit),
                                    PlainDecimal(f.GamesPerBonus)};
  for (size_t cause = 1; cause < f.CauseShare.size(); ++cause) {
    cells.push_back(PlainDecimal(f.CauseShare[cause]));
  }
  cells.push_back(PlainDecimal(f.RenAfterBig));
  cells.push_back(PlainDecimal(f.RenAfterReg));
  cells.push_back(PlainDecimal(f.Ren3AfterBig));
  cells.push_back(PlainDecimal(volatility.SdPerGame));
  return Join(cells);
}

std::vector<TableRow> TailTableRows(const std::vector<DryStretchTail>& settings, int32_t games) {
  std::vector<TableRow> rows{Header(settings)};
  TableRow bonuses{"ボーナス間 " + FormatInt(games) + "G以上"};
  TableRow firstHits{"初当り間 " + FormatInt(games) + "G以上"};
  for (const DryStretchTail& tail : settings) {
    bonuses.push_back(Chance(tail.BetweenBonusesAtLeast(games)));
    firstHits.push_back(Chance(tail.BetweenFirstHitsAtLeast(games)));
  }
  rows.push_back(std::move(bonuses));
  rows.push_back(std::move(firstHits));
  return rows;
}

std::vector<TableRow> TailCurveRows(const std::vector<DryStretchTail>& settings, int32_t maxGames) {
  TableRow header{"G数"};
  for (const char* kind : {" ボーナス間", " 初当り間"}) {
    for (const DryStretchTail& tail : settings)
      header.push_back("設定" + FormatInt(tail.Setting) + kind);
  }
  std::vector<TableRow> rows{std::move(header)};
  rows.reserve(static_cast<size_t>(std::max(maxGames, 0)) + 1);
  for (int32_t games = 1; games <= maxGames; ++games) {
    TableRow row{FormatInt(games)};
    for (const DryStretchTail& tail : settings)
      row.push_back(Chance(tail.BetweenBonusesAtLeast(games)));
    for (const DryStretchTail& tail : settings) {
      row.push_back(Chance(tail.BetweenFirstHitsAtLeast(games)));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string TailTsvHeader() {
  return Join({"setting", "games", "between_bonuses", "between_first_hits"});
}

std::string TailTsvLine(const DryStretchTail& tail, int32_t games) {
  return Join({FormatInt(tail.Setting), FormatInt(games),
               PlainDecimal(tail.BetweenBonusesAtLeast(games)),
               PlainDecimal(tail.BetweenFirstHitsAtLeast(games))});
}

}  // namespace sorimu::theory
