#include "RecentFilesMenu.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include "QtText.h"
#include "WindowTexts.h"

namespace sorimu {

RecentFilesMenu::RecentFilesMenu(QMenu* fileMenu, QAction* before, QSettings* settings,
                                 std::function<void(const QString& path)> open)
    : QObject(fileMenu),
      menu_(new QMenu(Text(wintext::kFileRecent), fileMenu)),
      files_(settings),
      open_(std::move(open)) {
  menu_->setObjectName(QStringLiteral("FileRecentMenu"));
  menu_->menuAction()->setObjectName(QStringLiteral("FileRecentMenu"));
  fileMenu->insertMenu(before, menu_);
  connect(fileMenu, &QMenu::aboutToShow, this, [this] { Refresh(enabled_); });
  Refresh(true);
}

void RecentFilesMenu::Add(const QString& path) {
  files_.Add(path);
  Refresh(enabled_);
}

void RecentFilesMenu::Refresh(bool enabled) {
  enabled_ = enabled;
  menu_->clear();
  const QStringList files = files_.Existing();
  for (qsizetype i = 0; i < files.size(); ++i) {
    QString shown = QDir::toNativeSeparators(files[i]);
    shown.replace('&', QLatin1String("&&"));  // a path's "&" is no access key
    QAction* entry =
        menu_->addAction(Text(wintext::kRecentEntry).arg(QString::number(i + 1), shown));
    entry->setData(files[i]);
    // Opening rebuilds this menu, which must not happen while the entry that
    // started it is still being triggered.
    connect(entry, &QAction::triggered, this, [this, file = files[i]] {
      QMetaObject::invokeMethod(
          this, [this, file] { open_(file); }, Qt::QueuedConnection);
    });
  }
  menu_->addSeparator();
  clear_ = menu_->addAction(Text(wintext::kRecentClear));
  clear_->setObjectName(QStringLiteral("RecentClearMenu"));
  connect(clear_, &QAction::triggered, this, [this] {
    files_.Clear();
    QMetaObject::invokeMethod(
        this, [this] { Refresh(enabled_); }, Qt::QueuedConnection);
  });
  menu_->menuAction()->setEnabled(enabled && !files.isEmpty());
}

}  // namespace sorimu
