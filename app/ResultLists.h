#pragma once

#include <vector>

#include "ResultStats.h"
#include "RunRecords.h"

class QTreeWidget;

namespace sorimu {

// Fills a list that owns its items (every list but the per-game one) with
// the rows as they stand.
void FillList(QTreeWidget* view, const std::vector<TableRow>& rows);

// The bonus list of the records. Each completed bonus scrolls the list down
// one line, so the latest bonuses are in view when the display ends.
void FillBonusList(QTreeWidget* view, const RunRecords& records);

}  // namespace sorimu
