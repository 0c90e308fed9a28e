#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QWidget;

namespace sorimu {

// Takes local files dropped on a window, and on its input boxes, which would
// otherwise type the path in. Drops are accepted as copies only: a file
// manager offers a move first, and a move it was told had succeeded would
// delete the user's file. The files are handed on once the drop is over, so
// that a box shown for them does not hold the file manager's drag.
class FileDrops final : public QObject {
  Q_OBJECT

 public:
  // `accepting` says whether drops are welcome now; `dropped` gets the files.
  FileDrops(QWidget* window, std::function<bool()> accepting,
            std::function<void(const QStringList& files)> dropped);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool()> accepting_;
  std::function<void(const QStringList&)> dropped_;
};

}  // namespace sorimu
