#include "ManyRunAnalysis.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "MachineRules.h"
#include "Messages.h"
#include "PooledRate.h"

namespace sorimu {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(40);

int WorkerCount(int jobs, int64_t total) {
  int count = jobs;
  if (count <= 0) count = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return static_cast<int>(std::min<int64_t>(count, std::max<int64_t>(total, 1)));
}

// The runs waiting to be played: each worker takes the next index, plays it
// and writes its figures to that index alone, so no two threads touch the
// same memory and the game loop shares nothing.
struct Workload {
  const AnalysisRequest* request;
  const std::vector<int32_t>* settings;
  std::vector<RunFigures>* runs;
  const std::vector<int32_t>* checkpoints;
  std::vector<int32_t>* balances;  // each run's at the checkpoints, run after run
  const std::atomic<bool>* cancel;
  std::atomic<int64_t> next{0};
  std::atomic<int64_t> done{0};
  std::atomic<int64_t> games{0};
  std::mutex mutex;
  std::condition_variable finished;
  int running = 0;

  bool Cancelled() const { return cancel != nullptr && cancel->load(std::memory_order_relaxed); }

  void Work() {
    const int64_t total = static_cast<int64_t>(runs->size());
    const int64_t trials = request->Trials;
    for (int64_t i = next.fetch_add(1); i < total; i = next.fetch_add(1)) {
      if (Cancelled()) break;
      const int32_t setting = (*settings)[static_cast<size_t>(i / trials)];
      const int32_t trial = static_cast<int32_t>(i % trials);
      RunPlan plan;
      plan.Setting = setting;
      plan.Games = request->Games;
      plan.BigStock = request->BigStock;
      plan.RegStock = request->RegStock;
      plan.Seed = DeriveRunSeed(request->Seed, setting, trial);
      RunFigures& figures = (*runs)[static_cast<size_t>(i)];
      int32_t* along = balances->data() + static_cast<size_t>(i) * checkpoints->size();
      if (!PlayRunFigures(plan, figures, cancel, &games, *checkpoints, along)) break;
      figures.Trial = trial;
      done.fetch_add(1, std::memory_order_relaxed);
    }
    std::lock_guard lock(mutex);
    --running;
    finished.notify_all();
  }
};

double Rate(int64_t games, int64_t hits) {
  return hits == 0 ? 0.0 : static_cast<double>(games) / static_cast<double>(hits);
}

}  // namespace

Status CheckAnalysisRequest(const AnalysisRequest& r) {
  const char* message = nullptr;
  if (r.Games < 1) {
    message = kPlayNumRangeMessage;
  } else if (r.Trials < 1 || r.Trials > kMaxTrials) {
    message = kTrialsRangeMessage;
  } else if (r.Setting != kAllSettings && !IsSettingLevel(r.Setting)) {
    message = kAnalysisSettingMessage;
  } else if (r.BigStock < 0 || r.BigStock > kMaxStock) {
    message = kBigStockRangeMessage;
  } else if (r.RegStock < 0 || r.RegStock > kMaxStock) {
    message = kRegStockRangeMessage;
  } else if (r.Jobs < 0 || r.Jobs > kMaxJobs) {
    message = kJobsRangeMessage;
  }
  return message == nullptr ? Status{} : Status::Fail(StatusKind::BadInput, message);
}

std::vector<int32_t> RequestedSettings(const AnalysisRequest& request) {
  if (request.Setting != kAllSettings) return {request.Setting};
  std::vector<int32_t> all;
  for (int32_t level = 1; level <= kSettingCount; ++level) all.push_back(level);
  return all;
}

SettingFigures SummariseSetting(int32_t setting, const std::vector<RunFigures>& runs) {
  SettingFigures f;
  f.Setting = setting;
  f.Runs = static_cast<int32_t>(runs.size());
  if (runs.empty()) return f;

  std::vector<double> values(runs.size());
  auto collect = [&](auto member) {
    for (size_t i = 0; i < runs.size(); ++i) values[i] = static_cast<double>(member(runs[i]));
  };

  collect([](const RunFigures& r) { return r.PayoutRate(); });
  f.PayoutRate = MeanInterval(values);
  f.PooledPayoutRate = PooledPayoutRate(runs);

  collect([](const RunFigures& r) { return r.FinalMedal; });
  f.Balance = SummariseValues(values);
  f.BalanceYen = f.Balance.Scaled(kYenPerMedal);

  collect([](const RunFigures& r) { return r.MaxDrawdown; });
  Spread drawdown = SummariseValues(values);
  f.DrawdownMean = drawdown.Mean;
  f.DrawdownP95 = drawdown.P95;

  collect([](const RunFigures& r) { return r.LongestDrought; });
  Spread drought = SummariseValues(values);
  f.DroughtMean = drought.Mean;
  f.DroughtP95 = drought.P95;

  int64_t games = 0, big = 0, reg = 0, bigFirst = 0, regFirst = 0, profit = 0;
  for (const RunFigures& r : runs) {
    games += r.Games;
    big += r.BigCount;
    reg += r.RegCount;
    bigFirst += r.BigFirstCount;
    regFirst += r.RegFirstCount;
    profit += r.FinalMedal > 0 ? 1 : 0;
  }
  const double n = static_cast<double>(runs.size());
  f.ProfitShare = static_cast<double>(profit) / n;
  f.BigCountMean = static_cast<double>(big) / n;
  f.RegCountMean = static_cast<double>(reg) / n;
  f.BigRate = Rate(games, big);
  f.RegRate = Rate(games, reg);
  f.BigFirstRate = Rate(games, bigFirst);
  f.RegFirstRate = Rate(games, regFirst);
  f.FirstRate = Rate(games, bigFirst + regFirst);
  return f;
}

AnalysisOutcome RunAnalysis(const AnalysisRequest& request, const AnalysisProgress& progress,
                            const std::atomic<bool>* cancel) {
  AnalysisOutcome outcome;
  outcome.status = CheckAnalysisRequest(request);
  if (!outcome.status.Ok()) return outcome;

  const std::vector<int32_t> settings = RequestedSettings(request);
  const int64_t total = static_cast<int64_t>(settings.size()) * request.Trials;
  std::vector<RunFigures> runs;
  // The balances along the way stay few: a hundred points per run at most,
  // fewer for very many runs; the rows themselves are never kept.
  const std::vector<int32_t> checkpoints = FanCheckpoints(request.Games, total);
  std::vector<int32_t> along;
  try {
    runs.resize(static_cast<size_t>(total));
    along.resize(static_cast<size_t>(total) * checkpoints.size());
  } catch (const std::bad_alloc&) {
    outcome.status = Status::Fail(StatusKind::OutOfMemory, kAnalysisOutOfMemoryMessage);
    return outcome;
  }

  Workload work;
  work.request = &request;
  work.settings = &settings;
  work.runs = &runs;
  work.checkpoints = &checkpoints;
  work.balances = &along;
  work.cancel = cancel;
  int workers = WorkerCount(request.Jobs, total);
  {
    std::vector<std::jthread> threads;
    for (int i = 0; i < workers; ++i) {
      {
        std::lock_guard lock(work.mutex);
        ++work.running;
      }
      try {
        threads.emplace_back([&work] { work.Work(); });
      } catch (const std::system_error&) {
        // Fewer threads than asked for still finish the work.
        std::lock_guard lock(work.mutex);
        --work.running;
        break;
      }
    }
    if (threads.empty()) {
      {
        std::lock_guard lock(work.mutex);
        ++work.running;
      }
      work.Work();
    }
    workers = std::max<int>(1, static_cast<int>(threads.size()));
    AnalysisProgressInfo info;
    info.RunsTotal = total;
    info.GamesTotal = total * request.Games;
    info.GamesDone = -1;
    std::unique_lock lock(work.mutex);
    while (work.running > 0) {
      work.finished.wait_for(lock, kProgressInterval);
      const int64_t games = work.games.load(std::memory_order_relaxed);
      if (progress && games != info.GamesDone && work.running > 0) {
        info.GamesDone = games;
        info.RunsDone = work.done.load(std::memory_order_relaxed);
        lock.unlock();
        progress(info);
        lock.lock();
      }
    }
  }

  if (work.done.load() != total) {
    outcome.status = Status::Fail(StatusKind::Cancelled, "");
    return outcome;
  }
  if (progress) progress({total, total, total * request.Games, total * request.Games});

  AnalysisResult& result = outcome.Result;
  result.Request = request;
  result.Request.Jobs = workers;
  try {
    std::vector<std::vector<int32_t>> balances;
    for (size_t s = 0; s < settings.size(); ++s) {
      const auto first =
          runs.begin() + static_cast<std::ptrdiff_t>(s * static_cast<size_t>(request.Trials));
      const std::vector<RunFigures> ofSetting(first, first + request.Trials);
      result.Settings.push_back(SummariseSetting(settings[s], ofSetting));
      SettingFigures& figures = result.Settings.back();
      figures.Theory = ExactPayout(settings[s], request.Games, request.BigStock, request.RegStock);
      const size_t width = static_cast<size_t>(request.Trials) * checkpoints.size();
      figures.Fan = BandsOf(checkpoints, std::span(along).subspan(s * width, width));
      figures.ExpectedBalance =
          ExpectedBalances(settings[s], checkpoints, request.BigStock, request.RegStock);
      auto& balance = balances.emplace_back();
      for (const RunFigures& r : ofSetting) balance.push_back(r.FinalMedal);
    }
    result.FinalBalance = BuildHistogram(balances);
  } catch (const std::bad_alloc&) {
    outcome = AnalysisOutcome{};
    outcome.status = Status::Fail(StatusKind::OutOfMemory, kAnalysisOutOfMemoryMessage);
    return outcome;
  }
  result.Runs = std::move(runs);
  return outcome;
}

}  // namespace sorimu
