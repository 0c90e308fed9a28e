#pragma once

#include <functional>
#include <memory>

#include "Job.h"

namespace sorimu {

// The one place the programs get threads from: jobs started here run on a
// thread of their own (kept and reused once they are done), and a job's
// parallel loops borrow more. The window, the command line and the tools all
// start their long work here; none makes threads of its own.
//
// A service made without threads, and every service of a build without them
// (SORIMU_NO_THREADS, the web build), runs each job inline in Start and each
// parallel loop on the calling thread: the same results, one at a time.
class JobService {
 public:
  // One per core, at least 1.
  static int DefaultWidth();

  explicit JobService(bool threads = true);
  // Cancels the jobs still running and waits for their threads: for the end
  // of a program, after its windows are gone.
  ~JobService();
  JobService(const JobService&) = delete;
  JobService& operator=(const JobService&) = delete;

  bool Threaded() const;

  // Starts `work` and returns its job at once (after it ended, when inline).
  // `ended`, when given, runs after the work on the same thread, with the
  // job marked ended; an exception escaping the work is kept in the job.
  std::shared_ptr<Job> Start(std::function<void(Job&)> work, std::function<void()> ended = {});

 private:
  friend class Job;
  struct Impl;
  // Hands `task` to a waiting thread, or to a new one; false when there is
  // none to be had.
  bool Post(std::function<void()> task);

  std::unique_ptr<Impl> impl_;
};

}  // namespace sorimu
