#pragma once

#include <QObject>
#include <atomic>
#include <thread>

#include "ManyRunAnalysis.h"

namespace sorimu {

// Plays one many-run analysis at a time on a thread of its own, so that the
// windows stay responsive, and reports back on the thread that owns it. Its
// reports are posted to itself: once it is destroyed, none can arrive.
class AnalysisRunner final : public QObject {
  Q_OBJECT

 public:
  explicit AnalysisRunner(QObject* parent = nullptr);
  ~AnalysisRunner() override;  // cancels a running analysis and waits for it
  AnalysisRunner(const AnalysisRunner&) = delete;
  AnalysisRunner& operator=(const AnalysisRunner&) = delete;

  // False, and nothing started, while an analysis is still running or when
  // no thread can be had.
  bool Start(const AnalysisRequest& request);
  // The analysis ends soon after with Cancelled; Finished still follows.
  void Cancel();
  bool Running() const { return running_; }

  // The analysis that ended, handed over once, from Finished on.
  AnalysisOutcome TakeOutcome() { return std::move(outcome_); }

 signals:
  void Progressed(int perMille, qint64 runsDone, qint64 runsTotal);
  void Finished();

 private:
  void Work(const AnalysisRequest& request);  // on the thread
  void Stop();

  std::thread thread_;
  std::atomic<bool> cancel_{false};
  bool running_ = false;
  AnalysisOutcome outcome_;
};

}  // namespace sorimu
