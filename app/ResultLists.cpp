#include "ResultLists.h"

#include <QTreeWidget>
#include <algorithm>

#include "BonusList.h"

namespace sorimu {

namespace {

QStringList ToStrings(const TableRow& row) {
  QStringList cells;
  cells.reserve(static_cast<qsizetype>(row.size()));
  for (const std::string& cell : row) cells << QString::fromStdString(cell);
  return cells;
}

}  // namespace

void FillList(QTreeWidget* view, const std::vector<TableRow>& rows) {
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const TableRow& row : rows) items << new QTreeWidgetItem(ToStrings(row));
  view->addTopLevelItems(items);
}

void FillBonusList(QTreeWidget* view, const RunRecords& records) {
  const std::vector<TableRow> items = BonusListItems(records);
  FillList(view, items);
  int completed = 0;
  for (const TableRow& item : items) completed += item.size() > 4 ? 1 : 0;
  if (completed > 0) {
    const int top = std::min(completed, view->topLevelItemCount() - 1);
    view->scrollToItem(view->topLevelItem(top), QAbstractItemView::PositionAtTop);
  }
}

}  // namespace sorimu
