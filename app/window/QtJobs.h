#pragma once

#include <QObject>
#include <exception>
#include <functional>
#include <string>

#include "JobLane.h"
#include "Status.h"

class QTimer;

namespace sorimu {

// The window's one adapter to the job service. A job's result comes back to
// the window's thread through its event loop (JobLane does the rest: the
// generation, the result handed over whole); the window never waits for a
// worker. Nothing here knows what the jobs do.
JobPost PostToEventLoop();

// What escaped a job, as a failure the user can read: `outOfMemory` when
// memory ran out, `failedPrefix` and the error's own words otherwise.
Status JobFailure(const std::exception_ptr& error, const char* outOfMemory,
                  const char* failedPrefix);

// Calls `tick` every few tens of milliseconds from Start to Stop, on the
// window's thread: how a bar follows a job's progress.
class JobTicker final : public QObject {
  Q_OBJECT

 public:
  JobTicker(QObject* parent, std::function<void()> tick);
  void Start();
  void Stop();

 private:
  QTimer* timer_;
};

}  // namespace sorimu
