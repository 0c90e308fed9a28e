#include "ManyRunAnalysis.h"

#include <algorithm>
#include <atomic>
#include <new>

#include "MachineRules.h"
#include "Messages.h"
#include "PooledRate.h"

namespace sorimu {

namespace {

// One run of the workload: it writes its figures and its balances along the
// way to its own index alone, so no two threads touch the same memory and
// the game loop shares nothing.
struct Workload {
  const AnalysisRequest* request;
  const std::vector<int32_t>* settings;
  std::vector<RunFigures>* runs;
  const std::vector<int32_t>* checkpoints;
  std::vector<int32_t>* balances;  // each run's at the checkpoints, run after run
  Job* job;
  std::atomic<int64_t> done{0};

  void Play(int64_t i) {
    const int64_t trials = request->Trials;
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
    if (!PlayRunFigures(plan, figures, job->CancelFlag(), job->DoneCounter(), *checkpoints,
                        along)) {
      return;
    }
    figures.Trial = trial;
    done.fetch_add(1, std::memory_order_relaxed);
    job->AdvanceParts();
  }
};

double Rate(int64_t games, int64_t hits) {
  return hits == 0 ? 0.0 : static_cast<double>(games) / static_cast<double>(hits);
}

}  // namespace

AnalysisField FirstBadField(const AnalysisRequest& r) {
  if (r.Games < 1) return AnalysisField::Games;
  if (r.Trials < 1 || r.Trials > kMaxTrials) return AnalysisField::Trials;
  if (r.Setting != kAllSettings && !IsSettingLevel(r.Setting)) return AnalysisField::Setting;
  if (r.BigStock < 0 || r.BigStock > kMaxStock) return AnalysisField::BigStock;
  if (r.RegStock < 0 || r.RegStock > kMaxStock) return AnalysisField::RegStock;
  if (r.Jobs < 0 || r.Jobs > kMaxJobs) return AnalysisField::Jobs;
  return AnalysisField::None;
}

Status CheckAnalysisRequest(const AnalysisRequest& r) {
  const char* message = nullptr;
  switch (FirstBadField(r)) {
    case AnalysisField::None:
    case AnalysisField::Seed: return Status{};  // any 32 bits are a seed
    case AnalysisField::Games: message = kPlayNumRangeMessage; break;
    case AnalysisField::Trials: message = kTrialsRangeMessage; break;
    case AnalysisField::Setting: message = kAnalysisSettingMessage; break;
    case AnalysisField::BigStock: message = kBigStockRangeMessage; break;
    case AnalysisField::RegStock: message = kRegStockRangeMessage; break;
    case AnalysisField::Jobs: message = kJobsRangeMessage; break;
  }
  return Status::Fail(StatusKind::BadInput, message);
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

AnalysisOutcome RunAnalysis(const AnalysisRequest& request) {
  Job job;
  return RunAnalysis(request, job);
}

AnalysisOutcome RunAnalysis(const AnalysisRequest& request, Job& job) {
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

  job.SetTotal(total * request.Games);
  job.SetPartsTotal(total);
  Workload work;
  work.request = &request;
  work.settings = &settings;
  work.runs = &runs;
  work.checkpoints = &checkpoints;
  work.balances = &along;
  work.job = &job;
  const int workers = job.ParallelFor(total, request.Jobs, [&work](int64_t i) { work.Play(i); });

  if (work.done.load() != total) {
    outcome.status = Status::Fail(StatusKind::Cancelled, "");
    return outcome;
  }

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
