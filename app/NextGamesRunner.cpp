#include "NextGamesRunner.h"

#include <QTimer>
#include <memory>
#include <system_error>

#include "Messages.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

// Often enough for the bar to move smoothly; the draws never wait for it.
constexpr int kReportMs = 50;

}  // namespace

NextGamesRunner::NextGamesRunner(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
  timer_->setInterval(kReportMs);
  connect(timer_, &QTimer::timeout, this, &NextGamesRunner::Report);
}

NextGamesRunner::~NextGamesRunner() { Stop(); }

bool NextGamesRunner::Start(const RunRecords& records, const NextGamesRequest& request) {
  if (running_) return false;
  cancel_ = false;
  drawsDone_ = 0;
  drawsTotal_ = request.Draws;
  outcome_ = {};
  running_ = true;
  const int generation = ++generation_;
  try {
    thread_ = std::thread([this, &records, request, generation] {
      // Nothing may escape the thread: the program would end on the spot.
      auto outcome = std::make_shared<NextGamesOutcome>();
      try {
        *outcome = PredictNextGames(records, request, &cancel_, &drawsDone_);
      } catch (const std::bad_alloc&) {
        *outcome = {};
        outcome->status = Status::Fail(StatusKind::OutOfMemory, kPredictionOutOfMemoryMessage);
      } catch (const std::exception& error) {
        *outcome = {};
        outcome->status = Status::Fail(StatusKind::BadInput,
                                       std::string(wintext::kNextGamesFailed) + error.what());
      }
      QMetaObject::invokeMethod(
          this,
          [this, outcome, generation] {
            if (generation != generation_) return;  // stopped meanwhile: nobody waits for it
            if (thread_.joinable()) thread_.join();
            running_ = false;
            timer_->stop();
            outcome_ = std::move(*outcome);
            emit Finished();
          },
          Qt::QueuedConnection);
    });
  } catch (const std::system_error&) {
    running_ = false;
    return false;
  }
  timer_->start();
  return true;
}

void NextGamesRunner::Report() {
  if (running_) emit Progressed(drawsDone_.load(std::memory_order_relaxed), drawsTotal_);
}

void NextGamesRunner::Cancel() {
  if (running_) cancel_ = true;
}

void NextGamesRunner::Stop() {
  cancel_ = true;
  ++generation_;
  if (thread_.joinable()) thread_.join();
  running_ = false;
  timer_->stop();
}

}  // namespace sorimu
