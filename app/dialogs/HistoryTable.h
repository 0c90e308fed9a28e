#pragma once

#include <QTableWidget>
#include <vector>

#include "HistoryText.h"

namespace sorimu {

// A bonus history typed row by row: the kind in the first cell, the games in
// the second. Enter goes on to the next cell, and from a last row's games to
// a new row, so that a day's data counter can be typed without the mouse.
class HistoryTable final : public QTableWidget {
  Q_OBJECT

 public:
  explicit HistoryTable(QWidget* parent = nullptr);

  std::vector<HistoryRow> Rows() const;
  // Replaces every row (one empty row for none); RowsEdited is not sent.
  void SetRows(const std::vector<HistoryRow>& rows);

 signals:
  // The user changed a cell.
  void RowsEdited();
  // Ctrl+V outside a cell: the whole history from the clipboard.
  void PasteAsked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  // To the next cell, adding a row after the last; editing it.
  void Advance();
  bool filling_ = false;
};

}  // namespace sorimu
