// Another Sorimu process as far as the settings go: adds one file to the
// recent files kept in a settings file. Exits 1 when the settings could not be written.
#include <QCoreApplication>
#include <QSettings>

#include "RecentFiles.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() != 3) return 2;
  QSettings settings(arguments[1], QSettings::IniFormat);
  sorimu::RecentFiles(&settings).Add(arguments[2]);
  return settings.status() == QSettings::NoError ? 0 : 1;
}
