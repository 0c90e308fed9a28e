#pragma once

#include <QAbstractTableModel>

#include "RunSnapshot.h"

namespace sorimu {

// The PLAY情報 list, one row per game of the run it shows: it holds that
// run's snapshot, which nothing changes, and formats a row's cells from it
// when the view draws that row.
class ResultListViewData final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ResultListViewData(QObject* parent = nullptr);

  void Show(RunRef run);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  RunRef run_;
  int count_ = 0;
};

}  // namespace sorimu
