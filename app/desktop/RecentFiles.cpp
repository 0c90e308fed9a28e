#include "RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace sorimu {

QStringList RecentFiles::Stored() const {
  QStringList stored = files_;
  if (store_ != nullptr) {
    // Another process may have added a file since this one last looked.
    store_->sync();
    const QVariant value = store_->value(QLatin1String(kKey));
    // One entry comes back from the settings file as a plain string.
    stored = value.canConvert<QStringList>() ? value.toStringList() : QStringList();
  }
  QStringList files;
  for (const QString& entry : stored) {
    if (files.size() == kMaxFiles) break;
    if (!QDir::isAbsolutePath(entry) || entry.contains(QChar::Null)) continue;
    const QString file = QDir::cleanPath(entry);
    if (!files.contains(file)) files << file;
  }
  return files;
}

void RecentFiles::Store(const QStringList& files) {
  if (store_ == nullptr) {
    files_ = files;
    return;
  }
  if (files.isEmpty()) {
    store_->remove(QLatin1String(kKey));
  } else {
    store_->setValue(QLatin1String(kKey), files);
  }
  store_->sync();
}

QStringList RecentFiles::Existing() const {
  QStringList existing;
  for (const QString& file : Stored()) {
    if (QFileInfo(file).isFile()) existing << file;
  }
  return existing;
}

void RecentFiles::Add(const QString& path) {
  if (path.isEmpty()) return;
  const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  QStringList files = Stored();
  files.removeAll(file);
  files.prepend(file);
  Store(files.mid(0, kMaxFiles));
}

void RecentFiles::Clear() { Store({}); }

}  // namespace sorimu
