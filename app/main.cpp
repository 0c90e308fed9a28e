#include <QApplication>
#include <QSettings>

#include "CommandLine.h"
#include "QtTranslations.h"
#include "Unit1.h"
#include "WindowFont.h"
#include "desktop/Dialogs.h"
#include "desktop/Shell.h"

int main(int argc, char* argv[]) {
  // Read before Qt starts, which needs a display even to print --help.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const sorimu::LaunchRequest request = sorimu::ReadCommandLine(arguments);
  if (request.action != sorimu::LaunchRequest::Action::OpenWindow) {
    return sorimu::AnswerWithoutWindow(request);
  }

  QApplication app(argc, argv);
  // The settings live under these names in the user's configuration folder.
  QApplication::setOrganizationName(QStringLiteral("Yusora"));
  QApplication::setApplicationName(QStringLiteral("Sorimu"));
  QApplication::setApplicationVersion(QStringLiteral(SORIMU_VERSION));
  sorimu::UseWindowFace();
  sorimu::InstallQtTranslations(app);

  QSettings settings;
  sorimu::QtDialogs dialogs;
  sorimu::DesktopShell shell;
  sorimu::TMainForm form(sorimu::WindowServices{dialogs, shell, std::nullopt, &settings});
  form.show();
  if (!request.file.isEmpty()) form.OpenPathLater(request.file);
  return app.exec();
}
