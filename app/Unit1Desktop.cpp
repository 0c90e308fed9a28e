// The window as a desktop program: files opened from the command line, by
// drag and drop and from the recent files, the session remembered between
// runs, and the manual.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QUrl>

#include "Dialogs.h"
#include "ManualLocation.h"
#include "SessionMemory.h"
#include "Shell.h"
#include "Unit1.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The local files a drag carries; links to elsewhere are not files to open.
QStringList DraggedFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files << url.toLocalFile();
  }
  return files;
}

// Takes a file drag as a copy. A file manager offers a move first, and a
// move it was told had succeeded would delete the user's file.
bool AcceptAsCopy(QDropEvent* event) {
  for (Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
    if (event->possibleActions() & action) {
      event->setDropAction(action);
      event->accept();
      return true;
    }
  }
  event->ignore();
  return false;
}

QList<QRect> ScreenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  return areas;
}

}  // namespace

void TMainForm::SetupDesktop() {
  FileRecentMenu = new QMenu(Text(wintext::kFileRecent), FileMenu);
  FileRecentMenu->setObjectName(QStringLiteral("FileRecentMenu"));
  FileRecentMenu->menuAction()->setObjectName(QStringLiteral("FileRecentMenu"));
  FileMenu->insertMenu(N1, FileRecentMenu);
  // Files come and go while the program runs; the list is checked as it is shown.
  connect(FileMenu, &QMenu::aboutToShow, this, &TMainForm::RefreshRecentMenu);
  RefreshRecentMenu();

  setAcceptDrops(true);
  for (QLineEdit* box : findChildren<QLineEdit*>()) box->installEventFilter(this);

  if (settings_ == nullptr) return;
  RestoreInputs(*settings_, *this);
  if (const std::optional<QPoint> position = StoredPosition(*settings_, size(), ScreenAreas())) {
    move(*position);
  }
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // Closed from a long run's message handling: the run is stopped, so that
  // the program ends now rather than after it.
  CancelRun();
  if (settings_ != nullptr) {
    RememberPosition(*settings_, pos());
    RememberInputs(*settings_, *this);
    if (analysisDialog_ != nullptr) RememberAnalysisInputs(*settings_, *analysisDialog_);
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
  if (outcome.status.Ok() && outcome.display) AddRecentFile(path);
}

void TMainForm::OpenPathLater(const QString& path) {
  QMetaObject::invokeMethod(
      this, [this, path] { Dispatch([this, &path] { OpenPath(path); }); }, Qt::QueuedConnection);
}

void TMainForm::AddRecentFile(const QString& path) {
  recentFiles_.Add(path);
  RefreshRecentMenu();
}

void TMainForm::RefreshRecentMenu() {
  if (FileRecentMenu == nullptr) return;  // state changes reach here before the menu exists
  FileRecentMenu->clear();
  const QStringList files = recentFiles_.Existing();
  for (qsizetype i = 0; i < files.size(); ++i) {
    QString shown = QDir::toNativeSeparators(files[i]);
    shown.replace('&', QLatin1String("&&"));  // a path's "&" is no access key
    QAction* entry =
        FileRecentMenu->addAction(Text(wintext::kRecentEntry).arg(QString::number(i + 1), shown));
    entry->setData(files[i]);
    // Both commands rebuild this menu, which must not happen while the
    // entry that started them is still being triggered.
    connect(entry, &QAction::triggered, this, [this, file = files[i]] { OpenPathLater(file); });
  }
  FileRecentMenu->addSeparator();
  RecentClearMenu = FileRecentMenu->addAction(Text(wintext::kRecentClear));
  RecentClearMenu->setObjectName(QStringLiteral("RecentClearMenu"));
  connect(RecentClearMenu, &QAction::triggered, this, [this] {
    recentFiles_.Clear();
    QMetaObject::invokeMethod(this, &TMainForm::RefreshRecentMenu, Qt::QueuedConnection);
  });
  FileRecentMenu->menuAction()->setEnabled(!session_.Busy() && !files.isEmpty());
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
  if (session_.Busy() || DraggedFiles(event->mimeData()).isEmpty()) {
    event->ignore();
    return;
  }
  AcceptAsCopy(event);
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QStringList files = DraggedFiles(event->mimeData());
  if (session_.Busy() || files.isEmpty() || !AcceptAsCopy(event)) {
    event->ignore();
    return;
  }
  // A box shown from within the drop would hold the file manager's drag
  // until it is closed; the file is opened once the drop is over.
  QMetaObject::invokeMethod(
      this, [this, files] { Dispatch([this, &files] { OpenDropped(files); }); },
      Qt::QueuedConnection);
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

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DraggedFiles(drag->mimeData()).isEmpty()) break;  // text is the box's to take
      dragMoveEvent(drag);
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (DraggedFiles(drop->mimeData()).isEmpty()) break;
      dropEvent(drop);
      return true;
    }
    default: break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::HelpManMenuClick() {
  const QStringList candidates = ManualCandidates(ExecutableFolder(), sourceTree_);
  const std::optional<QString> manual = FindManual(candidates);
  if (!manual) {
    QStringList places;
    for (const QString& candidate : candidates) places << QDir::toNativeSeparators(candidate);
    dialogs_.Error(this, Text(wintext::kManualMissing).arg(places.join('\n')));
    return;
  }
  if (!shell_.OpenUrl(QUrl::fromLocalFile(*manual))) {
    dialogs_.Error(this, Text(wintext::kManualNotOpened).arg(QDir::toNativeSeparators(*manual)));
  }
}

}  // namespace sorimu
