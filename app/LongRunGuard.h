#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <chrono>
#include <functional>

#include "Session.h"

class QPushButton;
class QShortcut;
class QWidget;

namespace sorimu {

// What a run that goes on past a moment looks like: from then on each of the
// session's progress reports moves the progress bar, offers the cancel
// button and Esc, and lets the window handle its messages. A quicker run is
// left alone, exactly as if it could not be stopped.
class LongRunGuard final : public QObject {
  Q_OBJECT

 public:
  LongRunGuard(QWidget* window, QPushButton* cancelButton, std::chrono::milliseconds after,
               std::function<void(int position)> setProgress);

  // From the start of a command that plays runs.
  void Start();
  // The session's run-progress hook; false once the user asked to stop.
  bool Progressed(const RunProgressInfo& progress);
  // The cancel button, Esc and closing the window: the run stops at its next report.
  void Cancel();
  // After the command: the button goes, and the next command starts afresh.
  void End();
  bool Active() const { return active_; }

 private:
  QPushButton* cancelButton_;
  QShortcut* shortcut_;
  std::chrono::milliseconds after_;
  std::function<void(int)> setProgress_;
  QElapsedTimer clock_;
  bool active_ = false;
  bool cancelled_ = false;
};

}  // namespace sorimu
