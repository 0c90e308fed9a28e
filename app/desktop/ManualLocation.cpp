#include "ManualLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "WindowTexts.h"
#include "desktop/Shell.h"

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

std::optional<QString> OpenManual(Shell& shell, const QStringList& candidates) {
  const std::optional<QString> manual = FindManual(candidates);
  if (!manual) {
    QStringList places;
    for (const QString& candidate : candidates) places << QDir::toNativeSeparators(candidate);
    return QString::fromUtf8(wintext::kManualMissing).arg(places.join('\n'));
  }
  if (!shell.OpenUrl(QUrl::fromLocalFile(*manual))) {
    return QString::fromUtf8(wintext::kManualNotOpened).arg(QDir::toNativeSeparators(*manual));
  }
  return std::nullopt;
}

}  // namespace sorimu
