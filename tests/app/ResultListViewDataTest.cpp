// The per-game list: a model that serves only texts it has, on demand; and
// how the window's lists show texts wider than their columns.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QToolTip>
#include <QTreeWidget>

#include "ListCellDelegate.h"
#include "ListColumns.h"
#include "ResultListViewData.h"
#include "ResultTexts.h"
#include "WindowTestSupport.h"

using namespace sorimu;

class ResultListViewDataTest : public QObject {
  Q_OBJECT

 private slots:
  void neverCountsBeyondItsTexts();
  void servesOnlyTheDisplayText();
  void narrowCellsKeepWhatTellsThemApart_data();
  void narrowCellsKeepWhatTellsThemApart();
  void newRunShowsFromTheTop();
};

void ResultListViewDataTest::neverCountsBeyondItsTexts() {
  WindowFixture w;
  ResultListViewData& model = ListModel(w.form);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

  // Whenever the model speaks to its view, its count is one the texts can serve.
  int checks = 0;
  auto check = [&] {
    ++checks;
    QVERIFY(static_cast<size_t>(model.rowCount()) <= Records(w.form).RowCount());
  };
  connect(&model, &QAbstractItemModel::modelReset, check);
  connect(&model, &QAbstractItemModel::rowsInserted, check);
  connect(&model, &QAbstractItemModel::layoutChanged, check);

  w.SetInputs("3000", "1");
  w.Start();
  const int longRun = model.rowCount();
  QCOMPARE(static_cast<size_t>(longRun), Records(w.form).RowCount());
  Find<QTableView>(w.form, "ResultListView")->scrollToBottom();
  QVERIFY(!Find<QTableView>(w.form, "ResultListView")->grab().isNull());  // draws the last rows

  w.SetInputs("20", "1");
  w.Start();
  QVERIFY(model.rowCount() < longRun);
  QCOMPARE(static_cast<size_t>(model.rowCount()), Records(w.form).RowCount());
  QVERIFY(!Find<QTableView>(w.form, "ResultListView")->grab().isNull());
  QVERIFY(!model.index(model.rowCount(), 0).isValid());
  QVERIFY(checks >= 2);
}

void ResultListViewDataTest::servesOnlyTheDisplayText() {
  WindowFixture w;
  w.SetInputs("100", "1");
  w.Start();
  const ResultListViewData& model = ListModel(w.form);
  const QModelIndex first = model.index(0, ResultTexts::kPlayCount);
  QCOMPARE(model.data(first).toString(), QStringLiteral("1"));
  for (int role : {Qt::DecorationRole, Qt::ToolTipRole, Qt::FontRole, Qt::TextAlignmentRole,
                   Qt::BackgroundRole, Qt::ForegroundRole, Qt::CheckStateRole, Qt::SizeHintRole}) {
    QVERIFY2(!model.data(first, role).isValid(), qPrintable(QString::number(role)));
  }
  QCOMPARE(model.headerData(7, Qt::Horizontal).toString(), QStringLiteral("REG Stock"));
  QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
  // Rows of one fixed height: the view never measures a row.
  QCOMPARE(Find<QTableView>(w.form, "ResultListView")->verticalHeader()->sectionResizeMode(0),
           QHeaderView::Fixed);
}

void ResultListViewDataTest::narrowCellsKeepWhatTellsThemApart_data() {
  QTest::addColumn<QString>("list");
  QTest::newRow("RT解除情報") << "RTCancelListView";  // "4枚チェリーB1解除", "…B2解除"
  QTest::newRow("小役出現率") << "KoyakuListView";
  QTest::newRow("1G連情報") << "RenListView";
}

void ResultListViewDataTest::narrowCellsKeepWhatTellsThemApart() {
  QFETCH(QString, list);
  WindowFixture w;
  w.SetInputs("8000", "6");
  w.Start();
  auto* view = w.form.findChild<QTreeWidget*>(list);
  QVERIFY(view);
  Find<QTabWidget>(w.form, "PageControl1")->setCurrentWidget(view->parentWidget());
  // The columns take their cells' width; narrowed back to the widths they
  // are laid out with, as a user may narrow them.
  for (const ResultList& laidOut : kResultLists) {
    if (list != laidOut.listName) continue;
    for (int c = 0; c < laidOut.columnCount; ++c) {
      view->setColumnWidth(c, laidOut.columns[c].width);
    }
  }

  // Captions shortened keep their end, numbers their leading figures; the
  // captions of the first column stay apart.
  const QChar ellipsis(0x2026);
  QStringList captions;
  QModelIndex shortened;
  QModelIndex whole;
  for (int row = 0; row < view->topLevelItemCount(); ++row) {
    for (int column = 0; column < view->columnCount(); ++column) {
      const QModelIndex cell = view->model()->index(row, column);
      const QString full = cell.data().toString();
      const QString shown = ListCellDelegate::ShownText(view, cell);
      if (column == 0) captions << shown;
      if (shown == full) {
        if (!whole.isValid() && !full.isEmpty()) whole = cell;
        continue;
      }
      shortened = cell;
      QVERIFY2(shown.contains(ellipsis), qPrintable(shown));
      const bool number = full.front().isDigit() && !full.contains(QStringLiteral("枚"));
      QVERIFY2(number ? shown.startsWith(full.left(3)) : shown.endsWith(full.right(3)),
               qPrintable(full + " shows as " + shown));
    }
  }
  QCOMPARE(QSet<QString>(captions.begin(), captions.end()).size(), captions.size());

  // A shortened cell tells its whole text as a tool tip; a whole one tells nothing.
  auto toolTipAt = [&](const QModelIndex& index) {
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    const QPoint at = view->visualRect(index).center();
    QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view->viewport(), &help);
  };
  QVERIFY(whole.isValid());
  toolTipAt(whole);
  QVERIFY(!QToolTip::isVisible());
  // Every cell fits there: ratios are shown with one decimal.
  if (list == "RenListView" || list == "KoyakuListView") return;
  QVERIFY(shortened.isValid());
  toolTipAt(shortened);
  QVERIFY(QToolTip::isVisible());
  QCOMPARE(QToolTip::text(), shortened.data().toString());
}

void ResultListViewDataTest::newRunShowsFromTheTop() {
  WindowFixture w;
  w.SetInputs("3000", "1");
  w.Start();
  QTableView* view = Find<QTableView>(w.form, "ResultListView");
  QTRY_VERIFY(view->verticalScrollBar()->maximum() > 2000);  // laid out
  view->scrollTo(ListModel(w.form).index(2000, 0), QAbstractItemView::PositionAtTop);
  QVERIFY(view->verticalScrollBar()->value() > 0);

  w.SetInputs("2500", "1");
  w.Start();
  QCOMPARE(view->verticalScrollBar()->value(), 0);
  QCOMPARE(view->indexAt(QPoint(1, 1)).row(), 0);
}

SORIMU_WINDOW_TEST_MAIN(ResultListViewDataTest)
#include "ResultListViewDataTest.moc"
