#include "QtJobs.h"

#include <QCoreApplication>
#include <QTimer>
#include <new>

namespace sorimu {

namespace {

// Often enough for a bar to move smoothly; the jobs never wait for it.
constexpr int kTickMs = 50;

}  // namespace

JobPost PostToEventLoop() {
  return [](std::function<void()> call) {
    // The service outlives the windows but not the application, which the
    // program makes first; a result after that has nobody to go to.
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) return;
    QMetaObject::invokeMethod(application, std::move(call), Qt::QueuedConnection);
  };
}

Status JobFailure(const std::exception_ptr& error, const char* outOfMemory,
                  const char* failedPrefix) {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return Status::Fail(StatusKind::OutOfMemory, outOfMemory);
  } catch (const std::exception& e) {
    return Status::Fail(StatusKind::BadInput, std::string(failedPrefix) + e.what());
  } catch (...) {
  }
  return Status::Fail(StatusKind::BadInput, failedPrefix);
}

JobTicker::JobTicker(QObject* parent, std::function<void()> tick)
    : QObject(parent), timer_(new QTimer(this)) {
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, std::move(tick));
}

void JobTicker::Start() { timer_->start(); }
void JobTicker::Stop() { timer_->stop(); }

}  // namespace sorimu
