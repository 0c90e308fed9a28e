#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ResultStats.h"
#include "RunRecords.h"
#include "Status.h"

// The exports of the run on display (and of the figure sheet), named after the one name the user
// chose: its folder and its name without the extension, then a suffix each.
// Each export writes all its files or none (SafeSave.h).
namespace sorimu {

inline constexpr std::string_view kGamesCsvSuffix = "_games.csv";
inline constexpr std::string_view kBonusesCsvSuffix = "_bonuses.csv";
inline constexpr std::string_view kSlumpImageSuffix = "_slump.png";
inline constexpr std::string_view kBarsImageSuffix = "_bars.png";
// The figure sheet's table and tail curves, and its plot alone.
inline constexpr std::string_view kSheetCsvSuffix = "_sheet.csv";
inline constexpr std::string_view kTailCsvSuffix = "_tail.csv";
inline constexpr std::string_view kPngSuffix = ".png";

// "/data/run.csv" and "_games.csv" give "/data/run_games.csv".
std::string ExportPath(const std::string& chosen, std::string_view suffix);

struct ExportResult {
  Status status;
  std::vector<std::string> written;  // the files written, in order; none on failure
};

// The per-game list and the bonus list as CSV, UTF-8 with a BOM.
ExportResult ExportRunLists(const RunRecords& records, const std::string& chosen);

// Bytes made elsewhere (the chart pictures), one file per suffix.
struct ExportBytes {
  std::string_view suffix;
  std::string bytes;
};
ExportResult ExportFiles(const std::string& chosen, const std::vector<ExportBytes>& files,
                         const char* headline);

// Tables of cells as CSV, UTF-8 with a BOM, one file per suffix.
struct ExportTable {
  std::string_view suffix;
  std::vector<TableRow> rows;
};
ExportResult ExportCsvTables(const std::string& chosen, const std::vector<ExportTable>& tables);

}  // namespace sorimu
