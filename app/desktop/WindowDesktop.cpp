#include "WindowDesktop.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>

#include "FileDrops.h"
#include "ManualLocation.h"
#include "QtText.h"
#include "RecentFilesMenu.h"
#include "SessionMemory.h"
#include "WindowTexts.h"
#include "desktop/Dialogs.h"
#include "desktop/Shell.h"

namespace sorimu {

namespace {

QList<QRect> ScreenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  return areas;
}

}  // namespace

WindowDesktop::WindowDesktop(Ties ties) : QObject(ties.window), ties_(std::move(ties)) {
  recent_ = new RecentFilesMenu(ties_.fileMenu, ties_.recentBefore, ties_.settings, ties_.open);
  drops_ = new FileDrops(ties_.window, ties_.canOpen,
                         [this](const QStringList& files) { Dropped(files); });
}

std::optional<RememberedInputs> WindowDesktop::Restore() {
  if (ties_.settings == nullptr) return std::nullopt;
  RememberedInputs inputs;
  RestoreInputs(*ties_.settings, inputs);
  if (const std::optional<QPoint> position =
          StoredPosition(*ties_.settings, ties_.window->size(), ScreenAreas())) {
    ties_.window->move(*position);
  }
  return inputs;
}

void WindowDesktop::Remember(const RememberedInputs& inputs) {
  if (ties_.settings == nullptr) return;
  RememberInputs(*ties_.settings, inputs);
  RememberPosition(*ties_.settings, ties_.window->pos());
  ties_.settings->sync();  // settings that cannot be written are not worth a box at exit
}

void WindowDesktop::Used(const QString& path) { recent_->Add(path); }

void WindowDesktop::RefreshRecent(bool enabled) {
  // The list is read again when the menu opens; here only its switch moves,
  // and the window redraws many times a second while a command works.
  if (recentEnabled_ == enabled) return;
  recentEnabled_ = enabled;
  recent_->Refresh(enabled);
}

void WindowDesktop::Dropped(const QStringList& files) {
  // Which of several files a user meant cannot be told from the order a
  // file manager lists them in; none is opened.
  if (files.size() > 1) {
    ties_.dialogs.Error(ties_.window, Text(wintext::kDropOneFile).arg(files.size()));
    return;
  }
  ties_.open(files.front());
}

void WindowDesktop::ShowManual() {
  const QStringList candidates = ManualCandidates(ExecutableFolder(), ties_.sourceTree);
  if (const std::optional<QString> problem = OpenManual(ties_.shell, candidates)) {
    ties_.dialogs.Error(ties_.window, *problem);
  }
}

}  // namespace sorimu
