#include <QApplication>

#include "Dialogs.h"
#include "QtTranslations.h"
#include "Shell.h"
#include "Unit1.h"
#include "WindowFont.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorimu"));
  sorimu::UseWindowFace();
  sorimu::InstallQtTranslations(app);

  sorimu::QtDialogs dialogs;
  sorimu::DesktopShell shell;
  sorimu::TMainForm form(sorimu::WindowServices{dialogs, shell, std::nullopt});
  form.show();
  return app.exec();
}
