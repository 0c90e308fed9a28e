#include "ListCellDelegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace sorimu {

namespace {

// Figures, fractions and counts: "1,234", "0.0047", "1/210.52".
bool IsNumber(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QChar c : text) {
    if (!c.isDigit() && c != u',' && c != u'.' && c != u'/' && c != u'-') return false;
  }
  return true;
}

// The cell's text as the style lays it out: inside the item's text
// rectangle, less the margin each side that item views keep.
QString Shown(const QStyleOptionViewItem& option, const QWidget* widget) {
  const QStyle* style = widget ? widget->style() : nullptr;
  if (style == nullptr) return option.text;
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &option, widget);
  return option.fontMetrics.elidedText(option.text, option.textElideMode,
                                       rect.width() - 2 * margin);
}

}  // namespace

void ListCellDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  option->textElideMode = IsNumber(option->text) ? Qt::ElideRight : Qt::ElideMiddle;
}

QString ListCellDelegate::ShownText(const QAbstractItemView* view, const QModelIndex& index) {
  auto* delegate = qobject_cast<ListCellDelegate*>(view->itemDelegateForIndex(index));
  QStyleOptionViewItem option;
  option.initFrom(view->viewport());
  option.rect = view->visualRect(index);
  option.font = view->font();
  option.fontMetrics = view->fontMetrics();
  if (delegate == nullptr) return index.data().toString();
  delegate->initStyleOption(&option, index);
  return Shown(option, view);
}

bool ListCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (event == nullptr || view == nullptr || event->type() != QEvent::ToolTip) {
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  }
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  if (Shown(cell, view) == cell.text) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(event->globalPos(), cell.text, view->viewport(), option.rect);
  }
  return true;
}

}  // namespace sorimu
