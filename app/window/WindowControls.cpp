#include "WindowControls.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <algorithm>

#include "ListCellDelegate.h"
#include "ListColumns.h"
#include "Named.h"
#include "QtText.h"

namespace sorimu {

namespace {

// The smallest face a line that is too wide takes: still readable.
constexpr int kSmallestPixels = 9;

// `face`, a pixel smaller at a time while `text` is wider than `room`.
QFont FaceThatFits(QFont face, const QString& text, int room) {
  for (int pixels = QFontInfo(face).pixelSize();
       pixels > kSmallestPixels && QFontMetrics(face).horizontalAdvance(text) > room;) {
    face.setPixelSize(--pixels);
  }
  return face;
}

}  // namespace

QLabel* PlaceLabel(QWidget* parent, const char* name, const char* text, int left, int top) {
  // Labels size themselves to their text.
  auto* label = Named(new QLabel(Text(text), parent), name);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, const char* text, const QRect& place) {
  auto* edit = Named(new QLineEdit(Text(text), parent), name);
  edit->setGeometry(place);
  return edit;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, const char* text, const QRect& place) {
  auto* button = Named(new QPushButton(Text(text), parent), name);
  button->setGeometry(place);
  return button;
}

QAction* AddEntry(QMenu* menu, const char* name, const char* text) {
  return Named(menu->addAction(Text(text)), name);
}

QAction* AddSeparator(QMenu* menu, const char* name) { return Named(menu->addSeparator(), name); }

int ListWidth(const ResultList& list) {
  int width = 0;
  for (int c = 0; c < list.columnCount; ++c) width += list.columns[c].width;
  return width + 24;  // frame and a vertical scroll bar
}

QTreeWidget* MakeOwnedList(QWidget* page, const ResultList& list) {
  auto* view = Named(new QTreeWidget(page), list.listName);
  view->setRootIsDecorated(false);
  view->setItemsExpandable(false);
  view->setUniformRowHeights(true);
  view->setAllColumnsShowFocus(true);
  view->setColumnCount(list.columnCount);
  view->setItemDelegate(new ListCellDelegate(view));
  QStringList captions;
  for (int c = 0; c < list.columnCount; ++c) captions << Text(list.columns[c].caption);
  view->setHeaderLabels(captions);
  view->header()->setStretchLastSection(false);
  view->header()->setMinimumSectionSize(16);
  for (int c = 0; c < list.columnCount; ++c) view->setColumnWidth(c, list.columns[c].width);
  return view;
}

QTableView* MakeGameList(QWidget* page, const ResultList& list, QAbstractItemModel* model) {
  auto* view = Named(new QTableView(page), list.listName);
  view->setModel(model);
  view->setItemDelegate(new ListCellDelegate(view));
  QHeaderView* rows = view->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(view->fontMetrics().height() + 2);
  rows->hide();
  QHeaderView* columns = view->horizontalHeader();
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->setStretchLastSection(false);
  columns->setMinimumSectionSize(16);  // "ＺＴ" is only 30 pixels wide
  for (int c = 0; c < list.columnCount; ++c) view->setColumnWidth(c, list.columns[c].width);
  view->setShowGrid(false);
  view->setWordWrap(false);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  return view;
}

QFont SummaryLabel::LineFace(const QString& line) const {
  return FaceThatFits(font(), line, width());
}

void SummaryLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  const int em = QFontInfo(font()).pixelSize();
  const int pitch = em + 1;
  const QStringList lines = text().split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size(); ++i) {
    painter.setFont(LineFace(lines[i]));
    painter.drawText(0, em + i * pitch, lines[i]);
  }
}

HintLabel::HintLabel(QWidget* parent, int leftEdge, int rightEdge, int top)
    : QLabel(parent), leftEdge_(leftEdge), rightEdge_(rightEdge), top_(top) {
  QPalette hintPalette = palette();
  hintPalette.setColor(QPalette::WindowText, Qt::red);
  setPalette(hintPalette);
  setAlignment(Qt::AlignRight | Qt::AlignTop);
  Show(QString());
}

void HintLabel::Show(const QString& text) {
  setFont(FaceThatFits(parentWidget()->font(), text, rightEdge_ - leftEdge_));
  setText(text);
  adjustSize();
  move(std::max(0, rightEdge_ - width()), top_);
}

}  // namespace sorimu
