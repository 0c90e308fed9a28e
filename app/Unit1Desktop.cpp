// The window as a desktop program: files opened from the command line, by
// drag and drop and from the recent files, the session remembered between
// runs, and the manual.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QUrl>

#include "Dialogs.h"
#include "FileDrops.h"
#include "ManualLocation.h"
#include "QtText.h"
#include "RecentFilesMenu.h"
#include "SessionMemory.h"
#include "Shell.h"
#include "Unit1.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

QList<QRect> ScreenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  return areas;
}

}  // namespace

void TMainForm::SetupDesktop(const WindowServices& services) {
  auto open = [this](const QString& path) { Dispatch([this, &path] { OpenPath(path); }); };
  recentMenu_ = new RecentFilesMenu(FileMenu, N1, services.settings, open);
  FileRecentMenu = recentMenu_->Menu();
  drops_ = new FileDrops(
      this, [this] { return !session_.Busy(); },
      [this](const QStringList& files) { Dispatch([this, &files] { OpenDropped(files); }); });

  if (settings_ == nullptr) return;
  RestoreInputs(*settings_, *this);
  if (const std::optional<QPoint> position = StoredPosition(*settings_, size(), ScreenAreas())) {
    move(*position);
  }
}

QAction* TMainForm::RecentClearMenu() const { return recentMenu_->ClearEntry(); }

void TMainForm::closeEvent(QCloseEvent* event) {
  // Closed from a long run's message handling: the run is stopped, so that
  // the program ends now rather than after it.
  CancelRun();
  if (settings_ != nullptr) {
    RememberPosition(*settings_, pos());
    RememberInputs(*settings_, *this);
    tools_->Remember(*settings_);
    settings_->sync();  // settings that cannot be written are not worth a box at exit
  }
  QMainWindow::closeEvent(event);
}

void TMainForm::OpenPath(const QString& path) {
  if (session_.Busy()) return;
  openDialogName_ = path;
  const QString statusBefore = StatusText();
  const CommandOutcome outcome = session_.Open(LocalPath(path));
  Show(outcome, statusBefore);
  if (outcome.status.Ok() && outcome.display) recentMenu_->Add(path);
}

void TMainForm::OpenPathLater(const QString& path) {
  QMetaObject::invokeMethod(
      this, [this, path] { Dispatch([this, &path] { OpenPath(path); }); }, Qt::QueuedConnection);
}

void TMainForm::OpenDropped(const QStringList& files) {
  // Which of several files a user meant cannot be told from the order a
  // file manager lists them in; none is opened.
  if (files.size() > 1) {
    dialogs_.Error(this, Text(wintext::kDropOneFile).arg(files.size()));
    return;
  }
  OpenPath(files.front());
}

void TMainForm::HelpManMenuClick() {
  const QStringList candidates = ManualCandidates(ExecutableFolder(), sourceTree_);
  if (const std::optional<QString> problem = OpenManual(shell_, candidates)) {
    dialogs_.Error(this, *problem);
  }
}

}  // namespace sorimu
