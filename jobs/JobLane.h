#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "JobService.h"

namespace sorimu {

// Runs a call later on an owner's thread (a window's event loop); never
// inside the call that hands it over.
using JobPost = std::function<void(std::function<void()>)>;

// One line of work of one owner (a dialog, the window's run), of which only
// the latest start counts: each start or Forget raises the lane's
// generation, and a result that arrives for an earlier one is dropped, so a
// stale figure can never be shown. The result is handed back whole, once, on
// the owner's thread, through `post` (which a window makes of its event
// loop). Everything but the work itself runs on the owner's thread.
template <typename Result>
class JobLane {
 public:
  using Post = JobPost;

  JobLane(JobService& service, Post post) : service_(service), post_(std::move(post)) {}
  // Forgets what runs; never waits for it.
  ~JobLane() { Forget(); }
  JobLane(const JobLane&) = delete;
  JobLane& operator=(const JobLane&) = delete;

  // Forgets what ran before and starts `work`. When it has returned, `done`
  // gets its result; when an exception escaped it, `failed` makes the result
  // from that.
  void Start(std::function<Result(Job&)> work, std::function<void(Result)> done,
             std::function<Result(std::exception_ptr)> failed) {
    Forget();
    const uint64_t generation = ++state_->generation;
    auto result = std::make_shared<std::optional<Result>>();
    std::shared_ptr<State> state = state_;
    auto deliver = [post = post_, state, generation, result, done = std::move(done),
                    failed = std::move(failed)]() mutable {
      post([state, generation, result, done = std::move(done), failed = std::move(failed)] {
        if (state->generation != generation) return;  // started again or forgotten
        const std::shared_ptr<Job> job = std::move(state->job);
        state->job.reset();
        if (!result->has_value()) result->emplace(failed(job->Error()));
        done(std::move(**result));
      });
    };
    // The job is known before the work can end, even when it runs inline.
    state_->job =
        service_.Start([work = std::move(work), result](Job& job) { result->emplace(work(job)); },
                       std::move(deliver));
  }

  // The work stops soon; its result (a cancelled one, as the work says) still comes.
  void Cancel() {
    if (state_->job) state_->job->Cancel();
  }
  // Cancels the work and drops whatever it would hand back.
  void Forget() {
    if (!state_->job) return;
    state_->job->Cancel();
    state_->job.reset();
    ++state_->generation;
  }

  bool Running() const { return state_->job != nullptr; }
  JobProgress Progress() const { return state_->job ? state_->job->Progress() : JobProgress{}; }

 private:
  struct State {
    uint64_t generation = 0;
    std::shared_ptr<Job> job;
  };

  JobService& service_;
  Post post_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace sorimu
