#include "ManualLocation.h"

#include <QDir>
#include <QFileInfo>

namespace sorimu {

QStringList ManualCandidates(const QString& executableFolder, const QString& sourceTree) {
  // The installed place is asked first, so that an installed program never
  // shows the pages of whatever tree it happened to be built in.
  QStringList candidates = {QDir::cleanPath(
      QDir(executableFolder).filePath(QStringLiteral(SORIMU_MANUAL_FROM_BIN "/index.html")))};
  if (!sourceTree.isEmpty()) {
    candidates << QDir::cleanPath(
        QDir(sourceTree).filePath(QStringLiteral("docs/manual/index.html")));
  }
  return candidates;
}

std::optional<QString> FindManual(const QStringList& candidates) {
  for (const QString& candidate : candidates) {
    const QFileInfo file(candidate);
    if (file.isFile() && file.isReadable()) return candidate;
  }
  return std::nullopt;
}

QString BuildSourceTree() { return QString::fromUtf8(SORIMU_SOURCE_DIR); }

}  // namespace sorimu
