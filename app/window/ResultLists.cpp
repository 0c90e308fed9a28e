#include "ResultLists.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

#include "BonusList.h"
#include "ListColumns.h"
#include "ResultTexts.h"

namespace sorimu {

namespace {

// What a cell leaves either side of its text, with the focus frame's margin.
constexpr int kCellPadding = 12;

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

void FillList(QTreeWidget* view, const std::vector<TableRow>& rows, const ResultList& list) {
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const TableRow& row : rows) {
    auto* item = new QTreeWidgetItem();
    for (size_t c = 0; c < row.size(); ++c) {
      const int column = static_cast<int>(c);
      const CellForm form = column < list.columnCount ? list.columns[c].form : CellForm::Plain;
      const std::string shown = ShownCell(form, row[c]);
      item->setText(column, QString::fromStdString(shown));
      if (shown != row[c]) item->setToolTip(column, QString::fromStdString(row[c]));
    }
    items << item;
  }
  // Each column as wide as its caption and its cells need, so that nothing
  // is cut where the page has room; never narrower than laid out.
  std::vector<int> needed(static_cast<size_t>(list.columnCount));
  for (int c = 0; c < list.columnCount; ++c) {
    needed[static_cast<size_t>(c)] =
        std::max(list.columns[c].width, view->header()->sectionSizeHint(c));
  }
  const QFontMetrics metrics(view->font());
  for (const QTreeWidgetItem* item : items) {
    for (int c = 0; c < list.columnCount; ++c) {
      int& width = needed[static_cast<size_t>(c)];
      width = std::max(width, metrics.horizontalAdvance(item->text(c)) + kCellPadding);
    }
  }
  view->addTopLevelItems(items);
  for (int c = 0; c < list.columnCount; ++c)
    view->setColumnWidth(c, needed[static_cast<size_t>(c)]);
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
