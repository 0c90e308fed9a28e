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

void FillList(QTreeWidget* view, const std::vector<TableRow>& rows) {
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const TableRow& row : rows) items << new QTreeWidgetItem(ToStrings(row));
  view->addTopLevelItems(items);
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
