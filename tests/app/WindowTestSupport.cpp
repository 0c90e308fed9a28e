#include "WindowTestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtEndian>

using namespace sorimu;

void WindowFixture::SetInputs(const QString& play, const QString& flevel, const QString& sim,
                              const QString& big, const QString& reg) {
  form.PlayNumEdit->setText(play);
  form.FlevelComboBox->setEditText(flevel);
  form.SimNumEdit->setText(sim);
  form.BigStockEdit->setText(big);
  form.RegStockEdit->setText(reg);
}

void WindowFixture::Start() { QTest::mouseClick(form.StartButton, Qt::LeftButton); }

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

QStringList TableTexts(const std::vector<std::vector<std::string>>& rows) {
  QStringList items;
  for (const auto& row : rows) {
    QStringList cells;
    for (const std::string& cell : row) cells << QString::fromStdString(cell);
    while (!cells.isEmpty() && cells.last().isEmpty()) cells.removeLast();
    items << cells.join('|');
  }
  return items;
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
