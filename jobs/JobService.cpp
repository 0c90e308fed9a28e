#include "JobService.h"

#include <algorithm>
#include <deque>
#include <vector>

#ifndef SORIMU_NO_THREADS
#include <system_error>
#include <thread>
#endif

namespace sorimu {

JobProgress Job::Progress() const {
  JobProgress progress;
  progress.Done = done_.load(std::memory_order_relaxed);
  progress.Total = total_.load(std::memory_order_relaxed);
  progress.Parts = parts_.load(std::memory_order_relaxed);
  progress.PartsTotal = partsTotal_.load(std::memory_order_relaxed);
  return progress;
}

void Job::End(std::exception_ptr error) {
  {
    std::lock_guard lock(mutex_);
    error_ = std::move(error);
    ended_.store(true, std::memory_order_release);
  }
  endedSignal_.notify_all();
}

bool Job::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return endedSignal_.wait_for(lock, timeout, [this] { return Ended(); });
}

std::exception_ptr Job::Error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

int JobService::DefaultWidth() {
#ifdef SORIMU_NO_THREADS
  return 1;
#else
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
#endif
}

#ifdef SORIMU_NO_THREADS

struct JobService::Impl {};

JobService::JobService(bool) : impl_(std::make_unique<Impl>()) {}
JobService::~JobService() = default;
bool JobService::Threaded() const { return false; }
bool JobService::Post(std::function<void()>) { return false; }

#else

// Threads wait for tasks; a task that finds none waiting gets a new thread,
// so a job never queues behind another, however long that one takes.
struct JobService::Impl {
  bool threaded = true;
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<std::function<void()> > tasks;
  std::vector<std::thread> threads;
  size_t waiting = 0;
  bool stopping = false;
  std::vector<std::weak_ptr<Job> > jobs;  // to cancel at the end

  void Serve() {
    std::unique_lock lock(mutex);
    for (;;) {
      ++waiting;
      wake.wait(lock, [this] { return stopping || !tasks.empty(); });
      --waiting;
      if (tasks.empty()) return;  // stopping, with nothing left to do
      std::function<void()> task = std::move(tasks.front());
      tasks.pop_front();
      lock.unlock();
      task();  // tasks keep their exceptions to themselves
      lock.lock();
    }
  }
};

JobService::JobService(bool threads) : impl_(std::make_unique<Impl>()) {
  impl_->threaded = threads;
}

JobService::~JobService() {
  std::vector<std::thread> threads;
  {
    std::lock_guard lock(impl_->mutex);
    for (const std::weak_ptr<Job>& weak : impl_->jobs) {
      if (const std::shared_ptr<Job> job = weak.lock()) job->Cancel();
    }
    impl_->stopping = true;
    threads.swap(impl_->threads);
  }
  impl_->wake.notify_all();
  for (std::thread& thread : threads) thread.join();
}

bool JobService::Threaded() const { return impl_->threaded; }

bool JobService::Post(std::function<void()> task) {
  if (!impl_->threaded) return false;
  std::lock_guard lock(impl_->mutex);
  if (impl_->stopping) return false;
  impl_->tasks.push_back(std::move(task));
  if (impl_->waiting >= impl_->tasks.size()) {
    impl_->wake.notify_one();
    return true;
  }
  try {
    impl_->threads.emplace_back([impl = impl_.get()] { impl->Serve(); });
  } catch (const std::system_error&) {
    // No thread to be had: the task waits for one that is busy, if any.
    if (impl_->threads.empty()) {
      impl_->tasks.pop_back();
      return false;
    }
  }
  return true;
}

#endif

std::shared_ptr<Job> JobService::Start(std::function<void(Job&)> work,
                                       std::function<void()> ended) {
  auto job = std::make_shared<Job>(this);
  auto task = [job, work = std::move(work), ended = std::move(ended)] {
    std::exception_ptr error;
    try {
      work(*job);
    } catch (...) {
      error = std::current_exception();
    }
    job->End(error);
    if (ended) ended();
  };
#ifndef SORIMU_NO_THREADS
  {
    std::lock_guard lock(impl_->mutex);
    std::erase_if(impl_->jobs, [](const std::weak_ptr<Job>& weak) { return weak.expired(); });
    impl_->jobs.push_back(job);
  }
#endif
  if (!Post(task)) task();
  return job;
}

namespace {

// The state of one parallel loop, shared with helpers that may start only
// after it is over: they then find it closed and touch nothing else.
struct Loop {
  std::atomic<int64_t> next{0};
  std::mutex mutex;
  std::condition_variable idle;
  int active = 0;
  bool closed = false;
  std::exception_ptr error;
};

}  // namespace

int Job::ParallelFor(int64_t count, int width, const std::function<void(int64_t)>& body) {
  if (count <= 0) return 1;
  const int64_t wanted = std::min<int64_t>(width > 0 ? width : JobService::DefaultWidth(), count);
  if (service_ == nullptr || !service_->Threaded() || wanted <= 1) {
    for (int64_t i = 0; i < count && !Cancelled(); ++i) body(i);
    return 1;
  }
  auto loop = std::make_shared<Loop>();
  auto take = [loop, count, this, &body] {
    try {
      for (int64_t i = loop->next.fetch_add(1); i < count && !Cancelled();
           i = loop->next.fetch_add(1)) {
        body(i);
      }
    } catch (...) {
      loop->next.store(count);  // the others stop too
      std::lock_guard lock(loop->mutex);
      if (!loop->error) loop->error = std::current_exception();
    }
  };
  int allowed = 1;
  for (int64_t h = 1; h < wanted; ++h) {
    const bool posted = service_->Post([loop, take] {
      {
        std::lock_guard lock(loop->mutex);
        if (loop->closed) return;
        ++loop->active;
      }
      take();
      std::lock_guard lock(loop->mutex);
      --loop->active;
      loop->idle.notify_all();
    });
    if (!posted) break;
    ++allowed;
  }
  take();
  std::unique_lock lock(loop->mutex);
  loop->closed = true;
  loop->idle.wait(lock, [&] { return loop->active == 0; });
  if (loop->error) std::rethrow_exception(loop->error);
  return allowed;
}

}  // namespace sorimu
