#pragma once

#include <QObject>
#include <atomic>
#include <thread>

#include "NextGames.h"

class QTimer;

namespace sorimu {

class RunRecords;

// Works out one next-games prediction at a time on a thread of its own and
// reports back on the thread that owns it, as the analysis runner does.
// The records are read in place: whoever starts it keeps them unchanged
// until Finished, or until Stop returns.
class NextGamesRunner final : public QObject {
  Q_OBJECT

 public:
  explicit NextGamesRunner(QObject* parent = nullptr);
  ~NextGamesRunner() override;  // stops a running prediction
  NextGamesRunner(const NextGamesRunner&) = delete;
  NextGamesRunner& operator=(const NextGamesRunner&) = delete;

  // False, and nothing started, while one is running or when no thread can be had.
  bool Start(const RunRecords& records, const NextGamesRequest& request);
  // It ends soon after with Cancelled; Finished still follows.
  void Cancel();
  // Cancels and waits for the thread; no Finished follows.
  void Stop();
  bool Running() const { return running_; }

  // The prediction that ended, handed over once, from Finished on.
  NextGamesOutcome TakeOutcome() { return std::move(outcome_); }

 signals:
  void Progressed(int drawsDone, int drawsTotal);
  void Finished();

 private:
  void Report();

  std::thread thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<int32_t> drawsDone_{0};
  int32_t drawsTotal_ = 0;
  bool running_ = false;
  int generation_ = 0;  // tells a stopped prediction's late report from the next one's
  QTimer* timer_ = nullptr;
  NextGamesOutcome outcome_;
};

}  // namespace sorimu
