#pragma once

#include <QAbstractTableModel>

namespace sorimu {

class ResultTexts;

// The PLAY情報 list, one row per game: it holds no texts, only a count, and
// formats a row's cells from ResultTexts when the view draws that row.
class ResultListViewData final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ResultListViewData(const ResultTexts& texts, QObject* parent = nullptr);

  // The texts are rebuilt between these two calls. The view asks for nothing
  // meanwhile, and afterwards the count is that of the texts, so no row is
  // ever asked for that the texts do not have.
  void BeginRebuild();
  void EndRebuild();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const ResultTexts& texts_;
  int count_ = 0;
};

}  // namespace sorimu
