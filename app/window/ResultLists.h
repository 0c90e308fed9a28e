#pragma once

#include <QList>
#include <vector>

#include "ResultStats.h"
#include "RunRecords.h"

class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace sorimu {

struct ResultList;

// The items of a list that owns them (every list but the per-game one), made
// on any thread: they belong to no list yet.
QList<QTreeWidgetItem*> ListItems(const std::vector<TableRow>& rows);
// Fills such a list, the columns of `list`, with the rows: each figure in its
// column's form, every digit in its tool tip where the form shortens it.
void FillList(QTreeWidget* view, const std::vector<TableRow>& rows, const ResultList& list);

// Fills a table with rows whose first row is the header: the other rows'
// first cells are captions, the rest figures, aligned right.
void FillTable(QTableWidget* table, const std::vector<TableRow>& rows);
// Makes the table as tall as its rows, so that it never scrolls.
void FitTableHeight(QTableWidget* table);

// The bonus list of the records, made on any thread, and then shown. Each
// completed bonus scrolls the list down one line, so the latest bonuses are
// in view when the display ends.
struct BonusItems {
  QList<QTreeWidgetItem*> items;  // owned by whoever holds them until shown
  int completed = 0;
};
BonusItems MakeBonusList(const RunRecords& records);
void ShowBonusList(QTreeWidget* view, BonusItems& list);

}  // namespace sorimu
