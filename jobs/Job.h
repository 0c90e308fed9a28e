#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>

namespace sorimu {

class JobService;

// How far a job has come, in the units its work chose: fine ones (games,
// rows) for the bar and the rate, coarse ones (runs, draws) for counts a
// person reads.
struct JobProgress {
  int64_t Done = 0;
  int64_t Total = 0;  // 0 while the work has not said
  int64_t Parts = 0;
  int64_t PartsTotal = 0;

  // 0..1000, for a progress bar.
  int PerMille() const {
    if (Total <= 0) return 0;
    const int64_t done = Done < 0 ? 0 : (Done > Total ? Total : Done);
    return static_cast<int>(done * 1000 / Total);
  }
};

// What the work of one job and whoever started it share. The work reads
// Cancelled() every few milliseconds, even inside one long step, and counts
// what it did; the other side cancels it and reads how far it came. A job
// made without a service runs its parallel loops on the calling thread.
class Job {
 public:
  Job() = default;
  explicit Job(JobService* service) : service_(service) {}
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;

  void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
  bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

  void SetTotal(int64_t total) { total_.store(total, std::memory_order_relaxed); }
  void SetDone(int64_t done) { done_.store(done, std::memory_order_relaxed); }
  void Advance(int64_t units) { done_.fetch_add(units, std::memory_order_relaxed); }
  void SetPartsTotal(int64_t total) { partsTotal_.store(total, std::memory_order_relaxed); }
  void AdvanceParts(int64_t parts = 1) { parts_.fetch_add(parts, std::memory_order_relaxed); }
  void SetParts(int64_t parts) { parts_.store(parts, std::memory_order_relaxed); }
  JobProgress Progress() const;

  // The flag and the counter themselves, for loops that check and count in
  // place without knowing of jobs.
  const std::atomic<bool>* CancelFlag() const { return &cancelled_; }
  std::atomic<int64_t>* DoneCounter() { return &done_; }

  // Calls body(i) for every i in [0, count), in order of i, on up to `width`
  // threads of the service (this one among them; 0 for one per core). Stops
  // handing out indices once the job is cancelled. Returns how many threads
  // it allowed; an exception from the body comes back here once all stopped.
  int ParallelFor(int64_t count, int width, const std::function<void(int64_t)>& body);

  // Whether the work has returned; WaitFor waits up to `timeout` for it.
  bool Ended() const { return ended_.load(std::memory_order_acquire); }
  bool WaitFor(std::chrono::milliseconds timeout);
  // What escaped the work, if anything did.
  std::exception_ptr Error() const;

 private:
  friend class JobService;
  void End(std::exception_ptr error);

  JobService* service_ = nullptr;
  std::atomic<bool> cancelled_{false};
  std::atomic<int64_t> done_{0};
  std::atomic<int64_t> total_{0};
  std::atomic<int64_t> parts_{0};
  std::atomic<int64_t> partsTotal_{0};
  std::atomic<bool> ended_{false};
  mutable std::mutex mutex_;
  std::condition_variable endedSignal_;
  std::exception_ptr error_;
};

}  // namespace sorimu
