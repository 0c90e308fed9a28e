#include <QApplication>

#include "Dialogs.h"
#include "Shell.h"
#include "Unit1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorimu"));

  QtDialogs dialogs;
  DesktopShell shell;
  TMainForm form(WindowServices{dialogs, shell, std::nullopt});
  form.show();
  return app.exec();
}
