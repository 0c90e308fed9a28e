#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "RoleCaptions.h"
#include "RunRecords.h"

namespace sorimu {

// Everything the summary, the tables and the pies show, from one pass over
// the rows.
struct ResultStats {
  int32_t TotalGames = 0;
  int32_t FinalMedal = 0;
  std::array<int32_t, kKoyakuCount> KoyakuCount{};  // outcomes 1..8 at index 0..7
  int32_t BigCount = 0;
  int32_t RegCount = 0;
  int32_t BigFirstCount = 0;
  int32_t RegFirstCount = 0;
  std::array<int32_t, kRtCancelKinds> RTCancelCount{};  // RTCancel 1..7 at index 0..6
  int32_t RTCancelTotal = 0;
  int32_t Ren3BigCount = 0;
  int32_t Ren3RegCount = 0;
  int32_t Ren3Total = 0;
  int32_t RenHazureCount = 0;
  int32_t RenJacHazureCount = 0;
  int32_t RenPunkCount = 0;
  int32_t RenTotal = 0;
};

// Requires at least one row.
ResultStats ComputeResultStats(const RunRecords& records);

// Games per bonus as the summary shows them: whole games, held in single
// precision; 0 without a bonus.
float BigRate(const ResultStats& stats);
float RegRate(const ResultStats& stats);

// 20 yen a medal, wrapping like the 32-bit figure it is.
int32_t BalanceYen(const ResultStats& stats);

// The four lines of the "シミュレーション結果" box.
std::string SummaryText(const ResultStats& stats);

// One list row: caption first, then the other cells.
using TableRow = std::vector<std::string>;

std::vector<TableRow> KoyakuRows(const ResultStats& stats);
std::vector<TableRow> Ren3Rows(const ResultStats& stats);
std::vector<TableRow> RenRows(const ResultStats& stats);
std::vector<TableRow> RTCancelRows(const ResultStats& stats);

}  // namespace sorimu
