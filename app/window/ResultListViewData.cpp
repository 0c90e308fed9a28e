#include "ResultListViewData.h"

#include "ListColumns.h"
#include "ResultTexts.h"

namespace sorimu {

ResultListViewData::ResultListViewData(QObject* parent) : QAbstractTableModel(parent) {}

void ResultListViewData::Show(RunRef run) {
  beginResetModel();
  run_ = std::move(run);
  // Runs and files never hold more than INT_MAX rows.
  count_ = run_ != nullptr ? static_cast<int>(run_->Records.RowCount()) : 0;
  endResetModel();
}

int ResultListViewData::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count_;
}

int ResultListViewData::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kResultLists[kPlayInfoPage].columnCount;
}

QVariant ResultListViewData::data(const QModelIndex& index, int role) const {
  // Only the text is served: at millions of rows every other role the view
  // asks for would cost a call per cell for nothing.
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count_) return QVariant();
  return QString::fromStdString(
      ResultTexts::RowText(run_->Records.Row(static_cast<size_t>(index.row())), index.column()));
}

QVariant ResultListViewData::headerData(int section, Qt::Orientation orientation, int role) const {
  const ResultList& list = kResultLists[kPlayInfoPage];
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= list.columnCount) {
    return QVariant();
  }
  return QString::fromUtf8(list.columns[section].caption);
}

}  // namespace sorimu
