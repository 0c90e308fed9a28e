#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DryStretch.h"
#include "LongRun.h"
#include "ResultStats.h"
#include "Volatility.h"

// The exact figures as the command line and the window show them: table rows
// (caption first, then one cell per setting in the order given) and
// tab-separated lines for other programs.
namespace sorimu::theory {

// The captions of the two tables.
inline constexpr const char* kSpecSheetCaption = "スペック表";
inline constexpr const char* kTailCaption = "ハマリ確率";

// The figure sheet (スペック表): a header row ("項目", "設定1", ...), then BIG,
// REG, combined and first-hit chances as 1/x, 機械割 in percent, the share of
// each RT cancel cause, the 1G連 and 3G連 rates.
std::vector<TableRow> SpecSheetRows(const std::vector<LongRunFigures>& settings);

// A header line and one line per setting, TAB-separated, every figure a plain
// decimal with 18 significant digits; probabilities per normal game, the
// payout as a ratio, last the standard deviation of the balance per normal
// game (medals).
std::string SpecSheetTsvHeader();
std::string SpecSheetTsvLine(const LongRunFigures& figures, const Volatility& volatility);

// P(dry stretch >= games) between bonuses and between first hits, per
// setting; each tail computed up to at least `games`.
std::vector<TableRow> TailTableRows(const std::vector<DryStretchTail>& settings, int32_t games);
std::string TailTsvHeader();
std::string TailTsvLine(const DryStretchTail& tail, int32_t games);

// The tails as curves, for a spreadsheet to draw: a header ("G数", then
// "設定1 ボーナス間" ... and "設定1 初当り間" ...), then one row per stretch
// length 1 .. maxGames with P(stretch >= length) of each kind and setting.
std::vector<TableRow> TailCurveRows(const std::vector<DryStretchTail>& settings, int32_t maxGames);

// Cells joined by TABs: one line of TSV.
std::string Join(const std::vector<std::string>& cells);

// A fixed-point decimal with `decimals` digits after the point.
std::string Fixed(Real value, int decimals);

// A plain decimal (no exponent) with `digits` significant digits.
std::string PlainDecimal(Real value, int digits = 18);

}  // namespace sorimu::theory
