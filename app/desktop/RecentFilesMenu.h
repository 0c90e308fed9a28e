#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "RecentFiles.h"

class QAction;
class QMenu;
class QSettings;

namespace sorimu {

// ファイル → 最近使ったファイル: the recent files that still exist, newest
// first, and an entry that clears the list. Files come and go while the
// program runs, so the list is checked each time the ファイル menu opens.
class RecentFilesMenu final : public QObject {
  Q_OBJECT

 public:
  // Goes into `fileMenu` before `before`; a chosen entry is handed to `open`.
  RecentFilesMenu(QMenu* fileMenu, QAction* before, QSettings* settings,
                  std::function<void(const QString& path)> open);

  void Add(const QString& path);
  // Lists the files again; the menu is offered only when `enabled` and not empty.
  void Refresh(bool enabled);

  QMenu* Menu() const { return menu_; }
  QAction* ClearEntry() const { return clear_; }

 private:
  QMenu* menu_;
  QAction* clear_ = nullptr;
  RecentFiles files_;
  std::function<void(const QString&)> open_;
  bool enabled_ = true;
};

}  // namespace sorimu
