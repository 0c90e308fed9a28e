#include "AnalysisRunner.h"

#include <memory>
#include <system_error>

#include "Messages.h"
#include "WindowTexts.h"

namespace sorimu {

AnalysisRunner::AnalysisRunner(QObject* parent) : QObject(parent) {}

AnalysisRunner::~AnalysisRunner() { Stop(); }

bool AnalysisRunner::Start(const AnalysisRequest& request) {
  if (running_) return false;
  cancel_ = false;
  outcome_ = {};
  running_ = true;
  try {
    thread_ = std::thread([this, request] { Work(request); });
  } catch (const std::system_error&) {
    running_ = false;
    return false;
  }
  return true;
}

void AnalysisRunner::Work(const AnalysisRequest& request) {
  const AnalysisProgress progress = [this](const AnalysisProgressInfo& info) {
    QMetaObject::invokeMethod(
        this,
        [this, info] {
          if (running_) emit Progressed(info.PerMille(), info.RunsDone, info.RunsTotal);
        },
        Qt::QueuedConnection);
  };
  // The outcome travels in the posted call; a shared pointer keeps the call
  // copyable without copying the runs. Nothing may escape the thread: the
  // program would end on the spot.
  std::shared_ptr<AnalysisOutcome> outcome;
  try {
    outcome = std::make_shared<AnalysisOutcome>(RunAnalysis(request, progress, &cancel_));
  } catch (const std::bad_alloc&) {
    outcome = std::make_shared<AnalysisOutcome>();
    outcome->status = Status::Fail(StatusKind::OutOfMemory, kAnalysisOutOfMemoryMessage);
  } catch (const std::exception& error) {
    outcome = std::make_shared<AnalysisOutcome>();
    outcome->status =
        Status::Fail(StatusKind::BadInput, std::string(wintext::kAnalysisFailed) + error.what());
  }
  QMetaObject::invokeMethod(
      this,
      [this, outcome] {
        // The thread has nothing left to do but return.
        if (thread_.joinable()) thread_.join();
        running_ = false;
        outcome_ = std::move(*outcome);
        emit Finished();
      },
      Qt::QueuedConnection);
}

void AnalysisRunner::Cancel() {
  if (running_) cancel_ = true;
}

void AnalysisRunner::Stop() {
  cancel_ = true;
  if (thread_.joinable()) thread_.join();
  running_ = false;
}

}  // namespace sorimu
