#include "ResultListViewData.h"

#include "ListColumns.h"
#include "ResultTexts.h"

namespace sorimu {

ResultListViewData::ResultListViewData(const ResultTexts& texts, QObject* parent)
    : QAbstractTableModel(parent), texts_(texts) {}

void ResultListViewData::BeginRebuild() { beginResetModel(); }

void ResultListViewData::EndRebuild() {
  count_ = static_cast<int>(texts_.size());  // the texts never hold more than INT_MAX rows
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
  return QString::fromStdString(texts_.Text(index.column(), static_cast<size_t>(index.row())));
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
