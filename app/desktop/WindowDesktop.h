#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "RememberedInputs.h"

class QAction;
class QMainWindow;
class QMenu;
class QSettings;

namespace sorimu {

class Dialogs;
class FileDrops;
class RecentFilesMenu;
class Shell;

// The main window as a desktop program: files opened from the command
// line, by drag and drop and from the recent files; its session and its
// place remembered between runs; the manual.
class WindowDesktop final : public QObject {
  Q_OBJECT

 public:
  struct Ties {
    QMainWindow* window;
    QMenu* fileMenu;
    QAction* recentBefore;  // the recent files go in before this entry
    Dialogs& dialogs;
    Shell& shell;
    QSettings* settings;  // nothing is remembered without
    QString sourceTree;   // whose manual a program run from its build folder shows
    std::function<bool()> canOpen;
    std::function<void(const QString& path)> open;
  };

  explicit WindowDesktop(Ties ties);

  // What the last session left, and the window put back where it was;
  // nothing without settings.
  std::optional<RememberedInputs> Restore();
  void Remember(const RememberedInputs& inputs);

  // A file was opened or saved: the first of the recent files.
  void Used(const QString& path);
  void RefreshRecent(bool enabled);
  void ShowManual();

 private:
  void Dropped(const QStringList& files);

  Ties ties_;
  RecentFilesMenu* recent_;
  FileDrops* drops_;
  std::optional<bool> recentEnabled_;
};

}  // namespace sorimu
