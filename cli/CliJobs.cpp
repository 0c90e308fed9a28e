#include "CliJobs.h"

#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <ctime>

#include "CliTexts.h"

namespace sorimu {

namespace {

// A bar is drawn only for work that lasts, and redrawn no faster than a
// person reads it.
constexpr auto kFirstDraw = std::chrono::milliseconds(500);
constexpr auto kRedraw = std::chrono::milliseconds(100);
constexpr int kBarWidth = 24;

std::atomic<bool> interrupted{false};
std::atomic<long long> firstInterruptMs{0};

// A monotonic clock in milliseconds; clock_gettime may be called from a
// signal handler.
long long NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A second Ctrl-C ends the program at once, as users expect of one. One that
// comes within this time of the first is the same event told twice: timeout(1)
// and other tools signal the process and its group alike.
constexpr long long kSameInterruptMs = 300;

extern "C" void OnInterrupt(int) {
  const long long now = NowMs();
  if (!interrupted.exchange(true)) {
    firstInterruptMs.store(now);
    return;
  }
  if (now - firstInterruptMs.load() < kSameInterruptMs) return;
  std::signal(SIGINT, SIG_DFL);
  std::raise(SIGINT);
}

// Ctrl-C cancels the job for as long as it runs; the handler before comes back after.
class InterruptScope {
 public:
  InterruptScope() {
    interrupted.store(false);
    previous_ = std::signal(SIGINT, OnInterrupt);
  }
  ~InterruptScope() { std::signal(SIGINT, previous_); }
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;

 private:
  void (*previous_)(int) = SIG_DFL;
};

}  // namespace

std::string ClockDuration(double seconds) {
  const long long total = std::isfinite(seconds) && seconds > 0 ? std::llround(seconds) : 0;
  char text[32];
  if (total >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                  total % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
  }
  return text;
}

std::string ShortCount(double value) {
  char text[32];
  if (value >= 1e9) {
    std::snprintf(text, sizeof text, "%.3gG", value / 1e9);
  } else if (value >= 1e6) {
    std::snprintf(text, sizeof text, "%.3gM", value / 1e6);
  } else if (value >= 1e3) {
    std::snprintf(text, sizeof text, "%.3gk", value / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.0f", value);
  }
  return text;
}

CliJobs::CliJobs(std::ostream& err, bool terminal, bool threads)
    : err_(err), terminal_(terminal), service_(threads) {}

bool CliJobs::Run(const char* unit, const std::function<void(Job&)>& work,
                  const std::function<void()>& tick) {
  InterruptScope scope;
  const auto start = std::chrono::steady_clock::now();
  const std::shared_ptr<Job> job = service_.Start(work);
  while (!job->WaitFor(kRedraw)) {
    if (interrupted.load()) job->Cancel();
    if (tick) {
      Erase();
      tick();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (terminal_ && elapsed >= kFirstDraw) Draw(job->Progress(), unit, elapsed.count());
  }
  Erase();
  if (tick) tick();
  if (const std::exception_ptr error = job->Error()) std::rethrow_exception(error);
  return !interrupted.load();
}

void CliJobs::Draw(const JobProgress& progress, const char* unit, double seconds) {
  const int perMille = progress.PerMille();
  const int filled = perMille * kBarWidth / 1000;
  const double rate = seconds > 0 ? static_cast<double>(progress.Done) / seconds : 0;
  std::string line = "\r[" + std::string(static_cast<size_t>(filled), '#') +
                     std::string(static_cast<size_t>(kBarWidth - filled), '-') + "] ";
  char percent[16];
  std::snprintf(percent, sizeof percent, "%3d%%", perMille / 10);
  line += percent;
  line += "  " + ShortCount(rate) + unit + kPerSecond;
  if (rate > 0 && progress.Total > progress.Done) {
    line += "  ";
    line += kTimeLeft + ClockDuration(static_cast<double>(progress.Total - progress.Done) / rate);
  }
  line += "\x1b[K";  // what a longer line before left is cleared
  err_ << line << std::flush;
  drawn_ = true;
}

void CliJobs::Erase() {
  if (!drawn_) return;
  err_ << "\r\x1b[K" << std::flush;
  drawn_ = false;
}

}  // namespace sorimu
