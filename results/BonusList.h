#pragma once

#include <vector>

#include "ResultStats.h"
#include "RunRecords.h"

namespace sorimu {

// The "ボーナス情報" list: one item per bonus row, in play order, with the
// cells "PLAY数", "PLAY数2", "確定役", "RT解除契機" and, once the bonus's games
// are over, "獲得メダル" (its own games' net medals plus the 15 of the line-up
// game). A bonus lined up on the run's last game has no fifth cell.
std::vector<TableRow> BonusListItems(const RunRecords& records);

}  // namespace sorimu
