#include "LongRunGuard.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QShortcut>

#include "BatchNames.h"

namespace sorimu {

LongRunGuard::LongRunGuard(QWidget* window, QPushButton* cancelButton,
                           std::chrono::milliseconds after,
                           std::function<void(int position)> setProgress)
    : QObject(window),
      cancelButton_(cancelButton),
      shortcut_(new QShortcut(QKeySequence(Qt::Key_Escape), window)),
      after_(after),
      setProgress_(std::move(setProgress)) {
  shortcut_->setObjectName(QStringLiteral("CancelShortcut"));
  shortcut_->setEnabled(false);
  connect(shortcut_, &QShortcut::activated, this, &LongRunGuard::Cancel);
  connect(cancelButton_, &QPushButton::clicked, this, &LongRunGuard::Cancel);
}

void LongRunGuard::Start() { clock_.start(); }

bool LongRunGuard::Progressed(const RunProgressInfo& progress) {
  if (!active_) {
    if (!clock_.isValid() || clock_.elapsed() < after_.count()) return true;
    active_ = true;
    cancelButton_->setEnabled(true);
    cancelButton_->show();
    cancelButton_->raise();
    shortcut_->setEnabled(true);
  }
  const double done = progress.GamesTotal > 0 ? static_cast<double>(progress.GamesDone) /
                                                    static_cast<double>(progress.GamesTotal)
                                              : 1.0;
  if (progress.Repetitions > 1) {
    // Between the positions the batch reports before and after this run.
    const int from = BatchProgressPosition(progress.Repetition - 1, progress.Repetitions);
    const int to = BatchProgressPosition(progress.Repetition, progress.Repetitions);
    setProgress_(from + static_cast<int>((to - from) * done));
  } else {
    setProgress_(static_cast<int>(100 * done));
  }
  // The inputs and the commands that would disturb the run are disabled, and
  // the session ignores them while busy.
  QCoreApplication::processEvents();
  return !cancelled_;
}

void LongRunGuard::Cancel() {
  if (!active_) return;
  cancelled_ = true;
  cancelButton_->setEnabled(false);  // taken: the run stops at its next report
}

void LongRunGuard::End() {
  active_ = false;
  cancelled_ = false;
  clock_.invalidate();
  shortcut_->setEnabled(false);
  cancelButton_->hide();
}

}  // namespace sorimu
