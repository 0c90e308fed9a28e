#pragma once

#include <QIdentityProxyModel>
#include <QString>
#include <QtGlobal>

namespace sorimu {

// "512 バイト", "1,023 バイト", "1.5 KB", "429.8 KB", "12.0 MB": a file's size
// in the units a Japanese desktop shows (1 KB = 1024 bytes).
QString FileSizeText(qint64 bytes);

// Qt's file dialog lists sizes in IEC units ("429.77 KiB"), which no
// catalogue translates, and its type of a folder is a text Debian's Japanese
// catalogue lacks ("Folder"). Set on a file dialog, this shows both as a
// Japanese user reads them, and a run's file as a Sorimuファイル; everything
// else of the dialog's list is Qt's.
class FileListTexts final : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override;
};

}  // namespace sorimu
