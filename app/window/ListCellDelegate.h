#pragma once

#include <QStyledItemDelegate>

namespace sorimu {

// How the window's lists draw a cell too narrow for its text. Captions that
// differ only at their end ("RT解除[4枚チェリーB1]", "…B2]") are shortened in
// the middle so the end stays; numbers are shortened at the right, which
// keeps their leading figures. A shortened cell shows its whole text as a
// tool tip.
class ListCellDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // The text the cell at `index` shows in `view` at its present width.
  static QString ShownText(const QAbstractItemView* view, const QModelIndex& index);

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace sorimu
