#pragma once

#include <vector>

#include "ResultStats.h"
#include "RunRecords.h"

class QTableWidget;
class QTreeWidget;

namespace sorimu {

// Fills a list that owns its items (every list but the per-game one) with
// the rows as they stand.
void FillList(QTreeWidget* view, const std::vector<TableRow>& rows);

// Fills a table with rows whose first row is the header: the other rows'
// first cells are captions, the rest figures, aligned right.
void FillTable(QTableWidget* table, const std::vector<TableRow>& rows);
// Makes the table as tall as its rows, so that it never scrolls.
void FitTableHeight(QTableWidget* table);

// The bonus list of the records. Each completed bonus scrolls the list down
// one line, so the latest bonuses are in view when the display ends.
void FillBonusList(QTreeWidget* view, const RunRecords& records);

}  // namespace sorimu
