#pragma once

#include <string>
#include <vector>

#include "ManyRunAnalysis.h"
#include "ResultStats.h"

namespace sorimu {

// The figures table as both the command line and the analysis dialog show
// it: a header row ("項目", "設定1", ...) and one row per figure, caption
// first, then one cell per setting in the result's column order.
std::vector<TableRow> AnalysisTableRows(const AnalysisResult& result);

// Whether the exact payout rate for runs like these lies outside the pooled
// rate's interval; false where there is no exact rate.
bool TheoryOutsidePooledInterval(const SettingFigures& figures);

// The histogram as rows: "下限", "上限" (exclusive) and one count per setting.
std::vector<TableRow> HistogramTableRows(const AnalysisResult& result);

// Fixed-point text with `decimals` places ("-12.50"); "-0.00" never appears.
std::string FormatFixed(double value, int decimals);

}  // namespace sorimu
