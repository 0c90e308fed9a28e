// The window as a desktop program: files opened from the command line, by
// drag and drop and from the recent files, the session remembered between
// runs, and the manual.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QUrl>

#include "ChartData.h"
#include "Dialogs.h"
#include "FileDrops.h"
#include "ManualLocation.h"
#include "QtText.h"
#include "RecentFilesMenu.h"
#include "ResultCharts.h"
#include "SessionMemory.h"
#include "Shell.h"
#include "ToolCommands.h"
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
  sourceTree_ = services.sourceTree.value_or(BuildSourceTree());
  auto open = [this](const QString& path) { Dispatch([this, &path] { OpenPath(path); }); };
  recentMenu_ = new RecentFilesMenu(ui_.FileMenu, ui_.N1, services.settings, open);
  drops_ = new FileDrops(
      this, [this] { return presenter_->Commands().open; },
      [this](const QStringList& files) { Dispatch([this, &files] { OpenDropped(files); }); });
  RestoreSession();
}

void TMainForm::RestoreSession() {
  if (settings_ == nullptr) return;
  RememberedInputs remembered;
  RestoreInputs(*settings_, remembered);
  presenter_->SetInputs(remembered.Start);
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    ui_.GroupBox1
        ->findChild<QCheckBox*>(
            QLatin1String(kMarkerSeriesStyles[static_cast<size_t>(m)].checkBoxName))
        ->setChecked(remembered.Markers[static_cast<size_t>(m)]);
  }
  tools_->Restore(remembered);
  if (const std::optional<QPoint> position = StoredPosition(*settings_, size(), ScreenAreas())) {
    move(*position);
  }
}

void TMainForm::RememberSession() {
  RememberedInputs now;
  now.Start = presenter_->Inputs();
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    now.Markers[static_cast<size_t>(m)] = ui_.Charts->MarkerActive(m);
  }
  tools_->Collect(now);
  RememberInputs(*settings_, now);
  RememberPosition(*settings_, pos());
  settings_->sync();  // settings that cannot be written are not worth a box at exit
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // Closed while a command works: it stops within moments, and the window
  // closes then; the window never waits for it.
  if (presenter_->Busy()) {
    closeWhenIdle_ = true;
    presenter_->Stop();
    event->ignore();
    return;
  }
  if (settings_ != nullptr) RememberSession();
  QMainWindow::closeEvent(event);
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

void TMainForm::ShowManual() {
  const QStringList candidates = ManualCandidates(ExecutableFolder(), sourceTree_);
  if (const std::optional<QString> problem = OpenManual(shell_, candidates)) {
    dialogs_.Error(this, *problem);
  }
}

}  // namespace sorimu
