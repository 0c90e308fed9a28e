#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "AnalysisTable.h"
#include "JobService.h"
#include "ManyRunAnalysis.h"
#include "Outcome.h"
#include "SingleRun.h"
#include "TestSupport.h"

using namespace sorimu;

namespace {

// Every analysis on the threads of one service, as the programs run them.
AnalysisOutcome Analyse(const AnalysisRequest& request) {
  static JobService service;
  Job job(&service);
  return RunAnalysis(request, job);
}

AnalysisRequest SmallRequest(int32_t setting, int jobs) {
  AnalysisRequest request;
  request.Games = 1500;
  request.Trials = 24;
  request.Setting = setting;
  request.Seed = 20240601;
  request.Jobs = jobs;
  return request;
}

// Medals a game pays, from the machine's payout table: a normal game and a
// bonus game pay differently for the same plum.
int32_t Payout(const RunRow& row) {
  if (IsBonusGameRow(row)) {
    return row.LastOutcome == Code(Outcome::Plum) || row.LastOutcome == Code(Outcome::JACIN) ||
                   row.LastOutcome == Code(Outcome::JAC)
               ? 15
               : 0;
  }
  switch (row.LastOutcome) {
    case Code(Outcome::Cherry2): return 2;
    case Code(Outcome::Cherry4A):
    case Code(Outcome::Cherry4B): return 4;
    case Code(Outcome::Plum): return 8;
    case Code(Outcome::Bell): return 14;
    case Code(Outcome::BIG):
    case Code(Outcome::REG): return 15;
    default: return 0;
  }
}

}  // namespace

// The tight loop keeps no rows, so hold its figures against the rows of the
// very same run played as a single run with the derived seed.
TEST(RunFigures, MatchTheRowsOfTheSameRunPlayedAsASingleRun) {
  for (int32_t setting : {1, 4, 6}) {
    for (auto [big, reg] : {std::pair{255, 255}, std::pair{0, 0}}) {
      SCOPED_TRACE(testing::Message() << "setting " << setting << " stocks " << big);
      RunPlan plan{setting, 6000, big, reg, DeriveRunSeed(7, setting, 3)};
      RunFigures figures;
      const std::vector<int32_t> checkpoints = FanCheckpoints(6000, 1);
      std::vector<int32_t> along(checkpoints.size());
      ASSERT_TRUE(PlayRunFigures(plan, figures, nullptr, nullptr, checkpoints, along.data()));

      Slot slot(plan.Seed);
      RunRecords records;
      ASSERT_EQ(Simulate(slot, records, testing_support::Inputs(6000, setting, big, reg)),
                RunStatus::Completed);
      int64_t paid = 0;
      int32_t peak = 0, longest = 0, bigs = 0, regs = 0, firstBigs = 0;
      int64_t drawdown = 0;
      size_t point = 0;
      for (size_t i = 0; i < records.RowCount(); ++i) {
        const RunRow& row = records.Row(i);
        if (IsNormalGameRow(row) && point < checkpoints.size() &&
            row.PlayCount == checkpoints[point]) {
          EXPECT_EQ(along[point++], row.Medal) << "at game " << row.PlayCount;
        }
        paid += Payout(row);
        peak = std::max(peak, row.Medal);
        drawdown = std::max<int64_t>(drawdown, peak - row.Medal);
        if (IsNormalGameRow(row)) longest = std::max(longest, row.GamesSinceBonus);
        bigs += IsBonusRow(row) && row.LastOutcome == Code(Outcome::BIG);
        regs += IsBonusRow(row) && row.LastOutcome == Code(Outcome::REG);
        firstBigs += IsBonusRow(row) && row.LastOutcome == Code(Outcome::BIG) &&
                     row.RTCancel != 6 && row.RTCancel != 7;
      }
      EXPECT_EQ(figures.Games, 6000);
      EXPECT_EQ(figures.FinalMedal, records.LastRow().Medal);
      EXPECT_EQ(figures.Bets + figures.FinalMedal, paid) << "medals in minus medals out";
      EXPECT_EQ(figures.MaxDrawdown, drawdown);
      EXPECT_EQ(figures.LongestDrought, longest);
      EXPECT_EQ(figures.BigCount, bigs);
      EXPECT_EQ(figures.RegCount, regs);
      EXPECT_EQ(figures.BigFirstCount, firstBigs);
      EXPECT_GT(figures.BigCount + figures.RegCount, 0);
    }
  }
}

// The figures are a function of the runs, so equal runs in equal order and
// equal tables say that the thread count changed nothing.
TEST(ManyRunAnalysis, FiguresDoNotDependOnTheNumberOfThreads) {
  const AnalysisOutcome one = Analyse(SmallRequest(kAllSettings, 1));
  ASSERT_EQ(one.status.Kind, StatusKind::Ok);
  for (int jobs : {2, 3}) {
    SCOPED_TRACE(jobs);
    const AnalysisOutcome many = Analyse(SmallRequest(kAllSettings, jobs));
    ASSERT_EQ(many.status.Kind, StatusKind::Ok);
    EXPECT_EQ(many.Result.Request.Jobs, jobs);
    EXPECT_TRUE(many.Result.Runs == one.Result.Runs);
    EXPECT_EQ(AnalysisTableRows(many.Result), AnalysisTableRows(one.Result));
    EXPECT_EQ(HistogramTableRows(many.Result), HistogramTableRows(one.Result));
    for (size_t s = 0; s < 6; ++s) {
      const BalanceBands& a = one.Result.Settings[s].Fan;
      const BalanceBands& b = many.Result.Settings[s].Fan;
      EXPECT_EQ(a.Mean, b.Mean);
      EXPECT_EQ(a.P5, b.P5);
      EXPECT_EQ(a.Median, b.Median);
      EXPECT_EQ(a.P95, b.P95);
    }
  }
}

// The fan: the runs' balances at a hundred points, their last point the
// final balances, and the exact expected line through their mean. Without
// stocks to guarantee the model there is no exact line.
TEST(ManyRunAnalysis, FanBandsFollowTheRunsAndTheExactLineTheirMean) {
  AnalysisRequest request;
  request.Games = 3000;
  request.Trials = 400;
  request.Setting = 3;
  request.Seed = 8;
  request.Jobs = 2;
  const SettingFigures f = Analyse(request).Result.Settings[0];
  ASSERT_EQ(f.Fan.Games.size(), 100u);
  EXPECT_EQ(f.Fan.Games.front(), 30);
  EXPECT_EQ(f.Fan.Games.back(), 3000);
  EXPECT_EQ(f.Fan.Median.back(), f.Balance.Median);
  EXPECT_EQ(f.Fan.P5.back(), f.Balance.P5);
  EXPECT_DOUBLE_EQ(f.Fan.Mean.back(), f.Balance.Mean);
  ASSERT_EQ(f.ExpectedBalance.size(), 100u);
  const double error = f.Balance.Sd / std::sqrt(400.0);
  EXPECT_NEAR(f.Fan.Mean.back(), f.ExpectedBalance.back(), 4 * error);
  for (size_t k = 0; k < 100; ++k) {
    EXPECT_LE(f.Fan.P5[k], f.Fan.P25[k]);
    EXPECT_LE(f.Fan.P75[k], f.Fan.P95[k]);
    EXPECT_LT(f.Fan.P5[k], f.ExpectedBalance[k]);
    EXPECT_GT(f.Fan.P95[k], f.ExpectedBalance[k]);
  }

  request.BigStock = 0;
  request.RegStock = 0;
  request.Trials = 20;
  const AnalysisOutcome empty = Analyse(request);
  for (double v : empty.Result.Settings[0].ExpectedBalance) EXPECT_TRUE(std::isnan(v));
}

TEST(BalanceBands, CheckpointsAreEvenAndFewerForVeryManyRuns) {
  EXPECT_EQ(FanCheckpoints(1, 1), std::vector<int32_t>{1});
  const std::vector<int32_t> fifty = FanCheckpoints(50, 10);
  ASSERT_EQ(fifty.size(), 50u);
  EXPECT_EQ(fifty.front(), 1);
  EXPECT_EQ(fifty.back(), 50);
  const std::vector<int32_t> many = FanCheckpoints(8000, 6 * kMaxTrials);
  EXPECT_EQ(many, (std::vector<int32_t>{1600, 3200, 4800, 6400, 8000}));
  EXPECT_EQ(FanCheckpoints(1000, 1).size(), 100u);
  EXPECT_EQ(FanCheckpoints(1001, 1)[0], 11);  // rounded up, the last at 1001
}

TEST(ManyRunAnalysis, OneSettingAloneGivesItsColumnOfAllSix) {
  const AnalysisOutcome all = Analyse(SmallRequest(kAllSettings, 2));
  const AnalysisOutcome four = Analyse(SmallRequest(4, 2));
  ASSERT_EQ(four.status.Kind, StatusKind::Ok);
  ASSERT_EQ(four.Result.Runs.size(), 24u);
  EXPECT_TRUE(std::equal(four.Result.Runs.begin(), four.Result.Runs.end(),
                         all.Result.Runs.begin() + 3 * 24));

  AnalysisRequest other = SmallRequest(4, 2);
  other.Seed += 1;
  EXPECT_NE(Analyse(other).Result.Runs[0].Seed, four.Result.Runs[0].Seed);
}

TEST(ManyRunAnalysis, RunsAreKeptInSettingAndTrialOrderAndAddUp) {
  const AnalysisResult result = Analyse(SmallRequest(kAllSettings, 2)).Result;
  ASSERT_EQ(result.Runs.size(), 6u * 24u);
  for (size_t i = 0; i < result.Runs.size(); ++i) {
    const RunFigures& run = result.Runs[i];
    EXPECT_EQ(run.Setting, static_cast<int32_t>(i / 24) + 1);
    EXPECT_EQ(run.Trial, static_cast<int32_t>(i % 24));
    EXPECT_EQ(run.Seed, DeriveRunSeed(20240601, run.Setting, run.Trial));
  }
  for (size_t s = 0; s < 6; ++s) {
    const SettingFigures& f = result.Settings[s];
    int64_t inHistogram = 0;
    for (int64_t count : result.FinalBalance.Counts[s]) inHistogram += count;
    EXPECT_EQ(inHistogram, 24);
    EXPECT_LE(f.Balance.Min, f.Balance.P5);
    EXPECT_LE(f.Balance.P95, f.Balance.Max);
    EXPECT_EQ(f.BalanceYen.Median, 20 * f.Balance.Median);
  }
}

// Higher settings pay more; with a few hundred long runs the gap between the
// lowest and the highest is far outside the intervals.
TEST(ManyRunAnalysis, SettingSixPaysMoreThanSettingOne) {
  AnalysisRequest request;
  request.Games = 8000;
  request.Trials = 300;
  request.Seed = 99;
  request.Jobs = 2;
  request.Setting = 1;
  const SettingFigures low = Analyse(request).Result.Settings[0];
  request.Setting = 6;
  const SettingFigures high = Analyse(request).Result.Settings[0];
  EXPECT_LT(low.PayoutRate.High, high.PayoutRate.Low);
  EXPECT_GT(high.FirstRate, 0);
  EXPECT_LT(high.FirstRate, low.FirstRate) << "first hits come sooner at setting 6";
}

TEST(ManyRunAnalysis, CancelStopsInMidRun) {
  // Runs of two million games: hours of work, and a cancel in mid-run. A
  // cancel that did not land would run into the test's time limit.
  AnalysisRequest huge;
  huge.Games = 2000000;
  huge.Trials = 1000;
  huge.Jobs = 2;
  JobService service;
  AnalysisOutcome outcome;
  const std::shared_ptr<Job> job = service.Start([&](Job& j) { outcome = RunAnalysis(huge, j); });
  while (job->Progress().Done == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const JobProgress seen = job->Progress();
  job->Cancel();
  const auto cancelled = std::chrono::steady_clock::now();
  ASSERT_TRUE(job->WaitFor(std::chrono::seconds(60)));
  EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::milliseconds(200));
  EXPECT_EQ(outcome.status.Kind, StatusKind::Cancelled);
  EXPECT_TRUE(outcome.Result.Runs.empty());
  EXPECT_EQ(seen.Total, 6000 * int64_t{2000000});
  EXPECT_EQ(seen.PartsTotal, 6000);
  EXPECT_EQ(seen.Parts, 0) << "the bar moves before the first run ends";

  Job already;
  already.Cancel();
  EXPECT_EQ(RunAnalysis(SmallRequest(1, 2), already).status.Kind, StatusKind::Cancelled);
}

TEST(RunFigures, CancelChecksStayInRangeForTheLongestRun) {
  EXPECT_EQ(NextCancelCheck(0), kCancelCheckGames);
  // Past 2147479552 games the next check lies beyond int32: no wrap, no overflow.
  EXPECT_EQ(NextCancelCheck(INT32_MAX), int64_t{INT32_MAX} + kCancelCheckGames);
  EXPECT_GT(NextCancelCheck(2147479552), int64_t{INT32_MAX});
}

TEST(ManyRunAnalysis, ProgressRisesToTheTotal) {
  AnalysisRequest request = SmallRequest(kAllSettings, 2);
  request.Games = 30000;
  JobService service;
  Job job(&service);
  const AnalysisOutcome outcome = RunAnalysis(request, job);
  ASSERT_EQ(outcome.status.Kind, StatusKind::Ok);
  const JobProgress last = job.Progress();
  EXPECT_EQ(last.Parts, 6 * 24);
  EXPECT_EQ(last.PartsTotal, 6 * 24);
  EXPECT_EQ(last.Done, 6 * 24 * 30000);
  EXPECT_EQ(last.PerMille(), 1000);
}

TEST(ManyRunAnalysis, RejectsEveryInputOutOfRange) {
  struct Case {
    AnalysisRequest request;
    const char* message;
  };
  auto with = [](auto change) {
    AnalysisRequest r = SmallRequest(1, 1);
    change(r);
    return r;
  };
  const Case cases[] = {
      {with([](auto& r) { r.Games = 0; }), "Play数は、1以上にしてください。"},
      {with([](auto& r) { r.Trials = 0; }), "試行回数は、1～1000000にしてください。"},
      {with([](auto& r) { r.Trials = kMaxTrials + 1; }), "試行回数は、1～1000000にしてください。"},
      {with([](auto& r) { r.Setting = 7; }), "設定は、1～6または全設定にしてください。"},
      {with([](auto& r) { r.BigStock = 256; }), "BIGストック数は、0～255にしてください。"},
      {with([](auto& r) { r.RegStock = -1; }), "REGストック数は、0～255にしてください。"},
      {with([](auto& r) { r.Jobs = -1; }), "スレッド数は、0～256にしてください。"},
  };
  for (const Case& c : cases) {
    const AnalysisOutcome outcome = Analyse(c.request);
    EXPECT_EQ(outcome.status.Kind, StatusKind::BadInput);
    EXPECT_EQ(outcome.status.Message, c.message);
  }
}

TEST(FigureSummary, PercentilesInterpolateBetweenOrderStatistics) {
  std::vector<double> values;
  for (int v = 101; v >= 1; --v) values.push_back(v);
  const Spread s = SummariseValues(values);
  EXPECT_DOUBLE_EQ(s.Mean, 51);
  EXPECT_DOUBLE_EQ(s.P5, 6);
  EXPECT_DOUBLE_EQ(s.P25, 26);
  EXPECT_DOUBLE_EQ(s.Median, 51);
  EXPECT_DOUBLE_EQ(s.P95, 96);
  EXPECT_DOUBLE_EQ(s.Min, 1);
  EXPECT_DOUBLE_EQ(s.Max, 101);
  EXPECT_NEAR(s.Sd, 29.3002, 1e-4);

  std::vector<double> pair{10, 20};
  EXPECT_DOUBLE_EQ(SummariseValues(pair).Median, 15);
  std::vector<double> single{-7};
  const Spread one = SummariseValues(single);
  EXPECT_DOUBLE_EQ(one.P95, -7);
  EXPECT_DOUBLE_EQ(one.Sd, 0);
  const MeanWithInterval m = MeanInterval({5});
  EXPECT_DOUBLE_EQ(m.Low, 5);
  EXPECT_DOUBLE_EQ(m.High, 5);
}

TEST(FigureSummary, HistogramBinsAreRoundAndHoldEveryValue) {
  const Histogram h = BuildHistogram({{-1234, 0, 5678}, {-3, 2999}}, 30);
  EXPECT_EQ(h.Width, 500);
  EXPECT_EQ(h.Lower, -1500);
  ASSERT_EQ(h.Counts.size(), 2u);
  ASSERT_EQ(h.Counts[0].size(), h.Counts[1].size());
  EXPECT_EQ(h.Counts[0].size(), 15u);  // -1500 .. 6000
  EXPECT_EQ(h.Counts[0][0], 1);        // -1234
  EXPECT_EQ(h.Counts[0][3], 1);        // 0 lies in [0, 500)
  EXPECT_EQ(h.Counts[1][2], 1);        // -3 lies in [-500, 0)
  EXPECT_EQ(h.Counts[0][14], 1);

  const Histogram same = BuildHistogram({{42, 42}}, 30);
  EXPECT_EQ(same.Width, 1);
  EXPECT_EQ(same.Lower, 42);
  EXPECT_EQ(same.Counts[0], std::vector<int64_t>{2});
}
