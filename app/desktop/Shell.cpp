#include "desktop/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>

namespace sorimu {

void DesktopShell::OpenFile(const QString& path, const QStringList& arguments) {
  if (arguments.isEmpty()) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  } else {
    QProcess::startDetached(path, arguments);
  }
}

bool DesktopShell::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

QString ExecutableFolder() {
  const QString path = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
  return path.left(path.lastIndexOf(QDir::separator()) + 1);
}

QUrl HomePageUrl() { return QUrl(QStringLiteral("https://sorimu.example.jp/")); }

QUrl AdPageUrl() { return HomePageUrl().resolved(QUrl(QStringLiteral("ad.html"))); }

QUrl AuthorMailUrl() { return QUrl(QStringLiteral("mailto:yusora@sorimu.example.jp")); }

}  // namespace sorimu
