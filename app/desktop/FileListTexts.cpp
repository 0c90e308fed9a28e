#include "FileListTexts.h"

#include <QFileSystemModel>
#include <QLocale>

#include "QtText.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

// The columns of QFileSystemModel.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;

}  // namespace

QString FileSizeText(qint64 bytes) {
  // The window speaks Japanese whatever the system's locale.
  static const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  return japanese.formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

QVariant FileListTexts::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (role == Qt::DisplayRole && files != nullptr) {
    const QModelIndex source = mapToSource(index);
    // A folder's size stays empty, as Qt leaves it.
    if (index.column() == kSizeColumn && !files->isDir(source)) {
      return FileSizeText(files->size(source));
    }
    if (index.column() == kTypeColumn && files->isDir(source)) {
      return Text(wintext::kFolderType);
    }
    // The desktop knows nothing of a run's file and would say "不明".
    if (index.column() == kTypeColumn &&
        files->fileInfo(source).suffix() == QStringLiteral("sim")) {
      return Text(wintext::kSimFileType);
    }
  }
  return QIdentityProxyModel::data(index, role);
}

}  // namespace sorimu
