#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>

#include "JobService.h"

namespace sorimu {

// How the command line does its long work: as jobs of the one service,
// waited for on the main thread. On a terminal, stderr shows how far a job
// came, its rate and the time left, once it has run for a moment; nothing
// when stderr is no terminal. Ctrl-C cancels the job under way (a second
// one ends the program as usual).
class CliJobs {
 public:
  CliJobs(std::ostream& err, bool terminal, bool threads = true);
  CliJobs(const CliJobs&) = delete;
  CliJobs& operator=(const CliJobs&) = delete;

  JobService& Service() { return service_; }

  // Runs `work` and waits for it; `unit` names what the job counts as done.
  // `tick`, when given, runs on this thread now and then and at the end, for
  // what the work leaves to print. Returns false when Ctrl-C stopped it.
  bool Run(const char* unit, const std::function<void(Job&)>& work,
           const std::function<void()>& tick = {});

 private:
  void Draw(const JobProgress& progress, const char* unit, double seconds);
  void Erase();

  std::ostream& err_;
  bool terminal_;
  JobService service_;
  bool drawn_ = false;
};

// "1:05" or "1:02:03", for the time left.
std::string ClockDuration(double seconds);
// "950", "12.3k", "4.56M": a rate as a person reads it on one line.
std::string ShortCount(double value);

}  // namespace sorimu
