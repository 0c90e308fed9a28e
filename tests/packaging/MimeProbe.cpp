// Prints, one line per file, the MIME type Qt's reading of the shared MIME
// database gives it from its name and its first bytes: what a file manager
// decides. XDG_DATA_DIRS chooses the databases, so a scratch one can be tried
// without installing anything.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QMimeDatabase database;
  for (int i = 1; i < argc; ++i) {
    const QMimeType type = database.mimeTypeForFile(QString::fromLocal8Bit(argv[i]));
    std::printf("%s\n", qPrintable(type.name()));
  }
  return 0;
}
