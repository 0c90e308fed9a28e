#include "HistoryTable.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "HallTexts.h"
#include "QtText.h"

namespace sorimu {

namespace {

constexpr int kKindCell = 0;
constexpr int kGamesCell = 1;

QString CellText(const QTableWidget& table, int row, int column) {
  const QTableWidgetItem* item = table.item(row, column);
  return item != nullptr ? item->text() : QString();
}

}  // namespace

HistoryTable::HistoryTable(QWidget* parent) : QTableWidget(1, 2, parent) {
  setHorizontalHeaderLabels({Text(halltext::kKindColumn), Text(halltext::kGamesColumn)});
  horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                  QAbstractItemView::EditKeyPressed);
  connect(this, &QTableWidget::itemChanged, this, [this] {
    if (!filling_) emit RowsEdited();
  });
}

std::vector<HistoryRow> HistoryTable::Rows() const {
  std::vector<HistoryRow> rows;
  rows.reserve(static_cast<size_t>(rowCount()));
  for (int r = 0; r < rowCount(); ++r) {
    rows.push_back({CellText(*this, r, kKindCell).toStdString(),
                    CellText(*this, r, kGamesCell).toStdString()});
  }
  return rows;
}

void HistoryTable::SetRows(const std::vector<HistoryRow>& rows) {
  filling_ = true;
  clearContents();
  setRowCount(std::max(1, static_cast<int>(rows.size())));
  for (size_t r = 0; r < rows.size(); ++r) {
    const int row = static_cast<int>(r);
    setItem(row, kKindCell, new QTableWidgetItem(Text(rows[r].Kind)));
    auto* games = new QTableWidgetItem(Text(rows[r].Games));
    games->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setItem(row, kGamesCell, games);
  }
  filling_ = false;
  setCurrentCell(rowCount() - 1, kKindCell);
}

void HistoryTable::Advance() {
  int row = currentRow();
  int column = currentColumn() + 1;
  if (column > kGamesCell) {
    column = kKindCell;
    ++row;
  }
  if (row >= rowCount()) insertRow(rowCount());
  setCurrentCell(row, column);
  edit(currentIndex());
}

void HistoryTable::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    emit PasteAsked();
    return;
  }
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      state() != QAbstractItemView::EditingState) {
    Advance();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void HistoryTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableWidget::closeEditor(editor, hint);
  // Enter in a cell submits it: the next cell is typed at once.
  if (hint == QAbstractItemDelegate::SubmitModelCache) Advance();
}

}  // namespace sorimu
