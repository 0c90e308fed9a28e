#include "WindowTestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtEndian>

#include "BalanceBands.h"
#include "FanSeries.h"
#include "ListColumns.h"
#include "ResultListViewData.h"
#include "StatusPanels.h"

using namespace sorimu;

QString StatusText(QMainWindow& form) { return Find<StatusPanels>(form, "StatusBar1")->Text(0); }

const RunRecords& Records(const TMainForm& form) {
  return form.Presenter().CurrentSession().Records();
}

ResultListViewData& ListModel(QMainWindow& form) {
  return *qobject_cast<ResultListViewData*>(Find<QTableView>(form, "ResultListView")->model());
}

void WaitIdle(const TMainForm& form) {
  if (!QTest::qWaitFor([&form] { return !form.Presenter().Busy(); }, 120000)) {
    qFatal("the window's command never ended");
  }
}

void WindowFixture::SetInputs(const QString& play, const QString& flevel, const QString& sim,
                              const QString& big, const QString& reg) {
  Find<QLineEdit>("PlayNumEdit")->setText(play);
  Find<QComboBox>("FlevelComboBox")->setEditText(flevel);
  Find<QLineEdit>("SimNumEdit")->setText(sim);
  Find<QLineEdit>("BigStockEdit")->setText(big);
  Find<QLineEdit>("RegStockEdit")->setText(reg);
}

void WindowFixture::Start() {
  QTest::mouseClick(Find<QPushButton>("StartButton"), Qt::LeftButton);
  WaitIdle(form);
}

QStringList ListTexts(const QTreeWidget* view) {
  QStringList items;
  for (int i = 0; i < view->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = view->topLevelItem(i);
    QStringList cells;
    for (int c = 0; c < view->columnCount(); ++c) cells << item->text(c);
    while (!cells.isEmpty() && cells.last().isEmpty()) cells.removeLast();
    items << cells.join('|');
  }
  return items;
}

QStringList TableTexts(const std::vector<std::vector<std::string>>& rows, const ResultList* list) {
  QStringList items;
  for (const auto& row : rows) {
    QStringList cells;
    for (size_t c = 0; c < row.size(); ++c) {
      const bool formed = list != nullptr && static_cast<int>(c) < list->columnCount;
      cells << QString::fromStdString(formed ? ShownCell(list->columns[c].form, row[c]) : row[c]);
    }
    while (!cells.isEmpty() && cells.last().isEmpty()) cells.removeLast();
    items << cells.join('|');
  }
  return items;
}

QStringList ShownTable(const QTableWidget* table) {
  QStringList rows;
  QStringList header;
  for (int c = 0; c < table->columnCount(); ++c) header << table->horizontalHeaderItem(c)->text();
  rows << header.join('|');
  for (int r = 0; r < table->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) {
      const QTableWidgetItem* item = table->item(r, c);
      cells << (item != nullptr ? item->text() : QString());
    }
    while (!cells.isEmpty() && cells.last().isEmpty()) cells.removeLast();
    rows << cells.join('|');
  }
  return rows;
}

QString FanMismatch(const ChartLayer& layer, const FanSeries& fan, const BalanceBands& bands,
                    double x0, double y0) {
  const std::pair<SeriesId, const std::vector<double>*> parts[] = {
      {fan.P5, &bands.P5},   {fan.P25, &bands.P25}, {fan.Median, &bands.Median},
      {fan.P75, &bands.P75}, {fan.P95, &bands.P95},
  };
  for (const auto& [id, values] : parts) {
    const QString name = layer.Name(id);
    if (layer.PointCount(id) != static_cast<int>(bands.Games.size()) + 1) {
      return QStringLiteral("%1: %2 points").arg(name).arg(layer.PointCount(id));
    }
    for (int k = 0; k < layer.PointCount(id); ++k) {
      const ChartPoint point = layer.Point(id, k);
      const double x = k == 0 ? x0 : x0 + bands.Games[size_t(k - 1)];
      const double y = k == 0 ? y0 : y0 + (*values)[size_t(k - 1)];
      if (point.x != x || point.y != y) {
        return QStringLiteral("%1 point %2: (%3, %4), not (%5, %6)")
            .arg(name)
            .arg(k)
            .arg(point.x)
            .arg(point.y)
            .arg(x)
            .arg(y);
      }
    }
  }
  return QString();
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

QByteArray SimBytes(int32_t flevel, int32_t games, const RunRecords& records) {
  QByteArray bytes;
  auto put = [&](int32_t value) {
    char le[4];
    qToLittleEndian<qint32>(value, le);
    bytes.append(le, 4);
  };
  for (int32_t value : {4, flevel, games, records.StartBigStock, records.StartRegStock}) put(value);
  for (size_t i = 0; i < records.RowCount(); ++i) {
    for (int c = 0; c < kRunColumnCount; ++c) put(records.Value(static_cast<RunColumn>(c), i));
  }
  return bytes;
}
