#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "RunRecords.h"

namespace sorimu {

// The text report of a run, UTF-8 with LF: the four summary lines, then each
// list in tab order as "[caption]", its column captions and its rows, cells
// joined by TAB, one empty line before each section. The per-game list only
// when `withRows`. Requires at least one row.
void WriteReport(std::ostream& out, const RunRecords& records, bool withRows);

// One line of every text report: the cells joined by TAB, ended by LF.
void WriteTabRow(std::ostream& out, const std::vector<std::string>& cells);

}  // namespace sorimu
