// The per-game list: a model that serves only texts it has, on demand.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTableView>

#include "ResultListViewData.h"
#include "ResultTexts.h"
#include "WindowTestSupport.h"

using namespace sorimu;

class ResultListViewDataTest : public QObject {
  Q_OBJECT

 private slots:
  void neverCountsBeyondItsTexts();
  void servesOnlyTheDisplayText();
};

void ResultListViewDataTest::neverCountsBeyondItsTexts() {
  WindowFixture w;
  ResultListViewData& model = w.form.ResultListModel();
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

  // Whenever the model speaks to its view, its count is one the texts can serve.
  int checks = 0;
  auto check = [&] {
    ++checks;
    QVERIFY(static_cast<size_t>(model.rowCount()) <= w.form.Texts().size());
  };
  connect(&model, &QAbstractItemModel::modelReset, check);
  connect(&model, &QAbstractItemModel::rowsInserted, check);
  connect(&model, &QAbstractItemModel::layoutChanged, check);

  w.SetInputs("3000", "1");
  w.Start();
  const int longRun = model.rowCount();
  QCOMPARE(static_cast<size_t>(longRun), w.form.Texts().size());
  w.form.ResultListView->scrollToBottom();
  QVERIFY(!w.form.ResultListView->grab().isNull());  // draws the last rows

  w.SetInputs("20", "1");
  w.Start();
  QVERIFY(model.rowCount() < longRun);
  QCOMPARE(static_cast<size_t>(model.rowCount()), w.form.Texts().size());
  QVERIFY(!w.form.ResultListView->grab().isNull());
  QVERIFY(!model.index(model.rowCount(), 0).isValid());
  QVERIFY(checks >= 2);
}

void ResultListViewDataTest::servesOnlyTheDisplayText() {
  WindowFixture w;
  w.SetInputs("100", "1");
  w.Start();
  const ResultListViewData& model = w.form.ResultListModel();
  const QModelIndex first = model.index(0, ResultTexts::kPlayCount);
  QCOMPARE(model.data(first).toString(), QStringLiteral("1"));
  for (int role : {Qt::DecorationRole, Qt::ToolTipRole, Qt::FontRole, Qt::TextAlignmentRole,
                   Qt::BackgroundRole, Qt::ForegroundRole, Qt::CheckStateRole, Qt::SizeHintRole}) {
    QVERIFY2(!model.data(first, role).isValid(), qPrintable(QString::number(role)));
  }
  QCOMPARE(model.headerData(7, Qt::Horizontal).toString(), QStringLiteral("REG Stock"));
  QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
  // Rows of one fixed height: the view never measures a row.
  QCOMPARE(w.form.ResultListView->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
}

SORIMU_WINDOW_TEST_MAIN(ResultListViewDataTest)
#include "ResultListViewDataTest.moc"
