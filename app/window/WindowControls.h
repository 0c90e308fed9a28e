#pragma once

#include <QLabel>
#include <QRect>

class QAbstractItemModel;
class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTreeWidget;
class QWidget;

namespace sorimu {

struct ResultList;

// The controls of the main window's layout, made as its table describes
// them: named, captioned and placed at fixed pixels.
QLabel* PlaceLabel(QWidget* parent, const char* name, const char* text, int left, int top);
QLineEdit* PlaceEdit(QWidget* parent, const char* name, const char* text, const QRect& place);
QPushButton* PlaceButton(QWidget* parent, const char* name, const char* text, const QRect& place);
QAction* AddEntry(QMenu* menu, const char* name, const char* text);
QAction* AddSeparator(QMenu* menu, const char* name);

// A list that owns its items, with the columns of `list`.
QTreeWidget* MakeOwnedList(QWidget* page, const ResultList& list);
// The width that shows every column of `list` with a scroll bar beside them.
int ListWidth(const ResultList& list);
// The per-game list over `model`: rows of one fixed height, so that the view
// places millions of them without measuring any.
QTableView* MakeGameList(QWidget* page, const ResultList& list, QAbstractItemModel* model);

// The summary's four lines at the pitch of the window's own face. Faces with
// a taller line (Noto's is 17 pixels at this size) would push the last line
// out of its group box. A line too wide for the label (counts of six or
// seven digits) is drawn in a smaller face, so that nothing is cut.
class SummaryLabel final : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // The face `line` is drawn in.
  QFont LineFace(const QString& line) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The red note right-aligned at `rightEdge` under the setting box. Where the
// face draws it wider than the room from `leftEdge`, it takes a smaller
// size, so that it neither runs to the window's edge nor loses its spacing.
class HintLabel final : public QLabel {
  Q_OBJECT

 public:
  HintLabel(QWidget* parent, int leftEdge, int rightEdge, int top);
  void Show(const QString& text);

 private:
  int leftEdge_;
  int rightEdge_;
  int top_;
};

}  // namespace sorimu
