#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "RunRecords.h"

namespace sorimu {

// Spreadsheet programs take a file for UTF-8 only when it starts with this.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// One cell: as it is, or in double quotes (inner quotes doubled) when it
// holds a comma, a quote, a line break or leading or trailing spaces.
std::string CsvField(std::string_view text);

// Cells joined by commas, ended by CR LF.
void WriteCsvRow(std::ostream& out, const std::vector<std::string>& cells);

// The per-game list ("PLAY情報") and the bonus list ("ボーナス情報") with the
// lists' own column captions as header, BOM first. A bonus lined up on the
// run's last game has an empty "獲得メダル" cell.
void WritePlayListCsv(std::ostream& out, const RunRecords& records);
void WriteBonusListCsv(std::ostream& out, const RunRecords& records);

}  // namespace sorimu
