#include "FileDrops.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace sorimu {

namespace {

// The local files a drag carries; links to elsewhere are not files to open.
QStringList DraggedFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files << url.toLocalFile();
  }
  return files;
}

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

}  // namespace

FileDrops::FileDrops(QWidget* window, std::function<bool()> accepting,
                     std::function<void(const QStringList& files)> dropped)
    : QObject(window), accepting_(std::move(accepting)), dropped_(std::move(dropped)) {
  window->setAcceptDrops(true);
  window->installEventFilter(this);
  for (QLineEdit* box : window->findChildren<QLineEdit*>()) box->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
    return QObject::eventFilter(watched, event);
  }
  auto* drop = static_cast<QDropEvent*>(event);
  const QStringList files = DraggedFiles(drop->mimeData());
  if (files.isEmpty()) return false;  // text is the box's to take
  if (!accepting_() || !AcceptAsCopy(drop)) {
    drop->ignore();
    return true;
  }
  if (type == QEvent::Drop) {
    QMetaObject::invokeMethod(
        this, [this, files] { dropped_(files); }, Qt::QueuedConnection);
  }
  return true;
}

}  // namespace sorimu
