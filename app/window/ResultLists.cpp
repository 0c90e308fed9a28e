#include "ResultLists.h"

#include <QHeaderView>
#include <QTableWidget>
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

QList<QTreeWidgetItem*> ListItems(const std::vector<TableRow>& rows) {
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const TableRow& row : rows) items << new QTreeWidgetItem(ToStrings(row));
  return items;
}

void FillList(QTreeWidget* view, const std::vector<TableRow>& rows) {
  view->addTopLevelItems(ListItems(rows));
}

void FillTable(QTableWidget* table, const std::vector<TableRow>& rows) {
  table->clear();
  if (rows.empty()) {
    table->setRowCount(0);
    table->setColumnCount(0);
    return;
  }
  table->setColumnCount(static_cast<int>(rows.front().size()));
  table->setRowCount(static_cast<int>(rows.size() - 1));
  table->setHorizontalHeaderLabels(ToStrings(rows.front()));
  for (size_t r = 1; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
      if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table->setItem(static_cast<int>(r - 1), static_cast<int>(c), item);
    }
  }
}

void FitTableHeight(QTableWidget* table) {
  int height = 2 * table->frameWidth() + table->horizontalHeader()->sizeHint().height();
  for (int r = 0; r < table->rowCount(); ++r) height += table->rowHeight(r);
  table->setFixedHeight(height);
}

BonusItems MakeBonusList(const RunRecords& records) {
  const std::vector<TableRow> rows = BonusListItems(records);
  BonusItems list;
  list.items = ListItems(rows);
  for (const TableRow& row : rows) list.completed += row.size() > 4 ? 1 : 0;
  return list;
}

void ShowBonusList(QTreeWidget* view, BonusItems& list) {
  view->addTopLevelItems(list.items);
  list.items.clear();  // the view owns them now
  if (list.completed > 0) {
    const int top = std::min(list.completed, view->topLevelItemCount() - 1);
    view->scrollToItem(view->topLevelItem(top), QAbstractItemView::PositionAtTop);
  }
}

}  // namespace sorimu
