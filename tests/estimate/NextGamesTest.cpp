#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "ExpectedRun.h"
#include "JobService.h"
#include "LongRun.h"
#include "Messages.h"
#include "NextGames.h"
#include "PlainFilter.h"
#include "RunState.h"
#include "SingleRun.h"
#include "TestSupport.h"

using namespace sorimu;

namespace {

// Plays `slot` into `records` until `stop` says so after a Play.
template <typename Stop>
void PlayUntil(Slot& slot, RunRecords& records, Stop stop) {
  do {
    slot.Play();
    records.AppendRow(testing_support::RowOf(slot));
  } while (!stop(slot));
}

void Start(Slot& slot, RunRecords& records, int32_t setting, int32_t big, int32_t reg) {
  slot.SetFlevel(setting);
  slot.SetStock(big, reg);
  slot.Reset();
  records.ClearRows();
  records.SetStartStocks(big, reg);
}

// The exact expected balance after `games` games from a freshly drawn RT,
// averaged over the settings as `weights` says.
double ExactMean(const std::array<double, 6>& weights, int32_t big, int32_t reg, int32_t games) {
  theory::RunStart start;
  start.BigStock = big;
  start.RegStock = reg;
  double mean = 0;
  for (int s = 1; s <= 6; ++s) {
    const theory::ExpectedRun run =
        theory::ComputeExpectedRun(theory::DefaultCycleModel(s), start, games);
    mean += weights[static_cast<size_t>(s - 1)] * static_cast<double>(run.BalanceAt(games));
  }
  return mean;
}

NextGamesPrediction Predict(const RunRecords& records, NextGamesRequest request) {
  static JobService service;
  Job job(&service);
  const NextGamesOutcome outcome = PredictNextGames(records, request, job);
  EXPECT_TRUE(outcome.status.Ok()) << outcome.status.Message;
  return outcome.Prediction;
}

}  // namespace

// Where the machine stands after a REG without a 1G連, it draws a new RT, as
// a reset does: then the mean of the next games is the exact expected
// balance of a run, for a setting the long run has made certain, and for
// records without rows, the uniform mix of all six.
TEST(NextGames, MeanMatchesTheExactExpectedBalance) {
  Slot slot(2024);
  RunRecords records;
  Start(slot, records, 6, 255, 255);
  PlayUntil(slot, records, [](const Slot& s) {
    return s.PlayCount >= 300000 && s.BonusEnd == 1 && s.BonusKind == 2 && s.RenFlag == 0;
  });
  NextGamesRequest request;
  request.Seed = 5;
  NextGamesPrediction p = Predict(records, request);
  EXPECT_GT(p.Estimate.Probability[5], 0.99);
  const RunRow& last = records.LastRow();
  double exact = ExactMean(p.Estimate.Probability, last.BigStock, last.RegStock, 1000);
  double error = p.Balance.Sd / std::sqrt(request.Draws);
  std::printf("after a long run: predicted %.1f, exact %.1f, sampling error %.1f\n", p.Balance.Mean,
              exact, error);
  EXPECT_NEAR(p.Balance.Mean, exact, 4 * error);
  EXPECT_EQ(p.Balance.Median, p.Fan.Median.back());
  // Setting 6's exact long-run rate, all but certainly.
  const double six = static_cast<double>(100 * theory::DefaultLongRun()[5].Payout);
  EXPECT_NEAR(p.PayoutRate, six, 0.01 * six);

  records.ClearRows();
  records.SetStartStocks(255, 255);
  p = Predict(records, request);
  exact = ExactMean(p.Estimate.Probability, 255, 255, 1000);
  error = p.Balance.Sd / std::sqrt(request.Draws);
  std::printf("no rows: predicted %.1f, exact %.1f, sampling error %.1f\n", p.Balance.Mean, exact,
              error);
  EXPECT_NEAR(p.Balance.Mean, exact, 4 * error);
  for (int32_t n : p.DrawsPerSetting) EXPECT_NEAR(n, request.Draws / 6.0, 200);
}

// The RT after the last row, as chances, against the plain game-by-game
// filter, at runs cut off in mid-stretch: with full stocks, with empty ones,
// and in a cut RT's short one.
TEST(RunState, TheRtIsKnownAsThePlainFilterKnowsIt) {
  struct Case {
    int32_t setting, big, reg;
    uint32_t seed;
    int32_t games;
  };
  for (const Case& c : {Case{6, 255, 255, 1, 700}, Case{2, 0, 0, 2, 450}, Case{4, 0, 0, 3, 3000}}) {
    Slot slot(c.seed);
    RunRecords records;
    Start(slot, records, c.setting, c.big, c.reg);
    PlayUntil(slot, records,
              [&](const Slot& s) { return s.PlayCount >= c.games && s.BonusKind == 0; });
    const RunState state = ReadRunState(records);
    ASSERT_EQ(state.Place, RunEnd::Place::Stretch);
    for (int32_t s = 1; s <= 6; ++s) {
      SCOPED_TRACE(testing::Message() << "seed " << c.seed << " setting " << s);
      const std::vector<double> plain = testing_support::PlainFinalState(records, s);
      const std::vector<double>& cumulative = state.Cumulative[static_cast<size_t>(s - 1)];
      double previous = 0, matched = 0;
      for (size_t k = 0; k < state.Choices.size(); ++k) {
        const RunState::RtChoice& choice = state.Choices[k];
        const double weight = (cumulative[k] - previous) / cumulative.back();
        previous = cumulative[k];
        const size_t at =
            (static_cast<size_t>(choice.Mode) * 1491 + static_cast<size_t>(choice.RtCount)) * 8 +
            static_cast<size_t>(choice.Cause);
        EXPECT_NEAR(weight, plain[at], 1e-9);
        matched += plain[at];
      }
      EXPECT_NEAR(matched, 1.0, 1e-9);  // nothing the plain filter holds is missed
      // The machine's own state is among those the rows allow.
      if (s == c.setting) {
        bool found = false;
        for (size_t k = 0; k < state.Choices.size(); ++k) {
          const RunState::RtChoice& choice = state.Choices[k];
          found = found || (choice.Mode == slot.Mode && choice.RtCount == slot.RtCount &&
                            choice.Cause == slot.RTCancel &&
                            cumulative[k] > (k == 0 ? 0 : cumulative[k - 1]));
        }
        EXPECT_TRUE(found);
      }
    }
  }
}

// A bonus under way is rebuilt from its rows exactly as the machine holds
// it, at every game of every bonus of a run; only a third JAC-IN that showed
// as a plum is a chance, and then the machine's count is one of the two.
TEST(RunState, ABonusUnderWayIsRebuiltFromItsRows) {
  Slot slot(99);
  RunRecords records;
  Start(slot, records, 3, 255, 255);
  int32_t checked = 0, hidden = 0;
  while (slot.PlayCount < 8000) {
    slot.Play();
    records.AppendRow(testing_support::RowOf(slot));
    if (slot.BonusKind == 0 || slot.BonusEnd == 1) continue;
    const RunState state = ReadRunState(records);
    Slot placed(1);
    PlaceMachine(placed, state, 3, 0.5, 0.999999);
    ASSERT_EQ(placed.BonusKind, slot.BonusKind);
    ASSERT_EQ(placed.BonusGames, slot.BonusGames);
    ASSERT_EQ(placed.JacGames, slot.JacGames);
    ASSERT_EQ(placed.JacMode, slot.JacMode);
    // A bonus lined up but not begun keeps the last one's flag until its first game.
    if (slot.BonusGames != 0) {
      ASSERT_EQ(placed.RenFlag, slot.RenFlag);
    }
    if (state.HiddenJacInChance == 0) {
      ASSERT_EQ(placed.JacInCount, slot.JacInCount);
    } else {
      ASSERT_GE(slot.JacInCount, state.JacInCount);
      ++hidden;
    }
    ASSERT_EQ(placed.BigStock, slot.BigStock);
    ++checked;
  }
  EXPECT_GT(checked, 500);
  EXPECT_GT(hidden, 0);
}

TEST(NextGames, TheSameSeedGivesTheSameFiguresOnAnyNumberOfThreads) {
  Slot slot(7);
  RunRecords records;
  Simulate(slot, records, testing_support::Inputs(5000, 2, 0, 0));
  NextGamesRequest request;
  request.Games = 300;
  request.Draws = 500;
  request.Seed = 11;
  request.Jobs = 1;
  const NextGamesPrediction one = Predict(records, request);
  request.Jobs = 2;
  const NextGamesPrediction two = Predict(records, request);
  EXPECT_EQ(one.Balance.Mean, two.Balance.Mean);
  EXPECT_EQ(one.Balance.P5, two.Balance.P5);
  EXPECT_EQ(one.AheadChance, two.AheadChance);
  EXPECT_EQ(one.DrawsPerSetting, two.DrawsPerSetting);
  EXPECT_EQ(one.Fan.P95, two.Fan.P95);
  EXPECT_EQ(two.Request.Jobs, 2);
  ASSERT_EQ(one.Fan.Games.size(), 100u);
  EXPECT_EQ(one.Fan.Games.front(), 3);
  EXPECT_EQ(one.Fan.Games.back(), 300);
  for (size_t k = 0; k < one.Fan.Games.size(); ++k) {
    EXPECT_LE(one.Fan.P5[k], one.Fan.P25[k]);
    EXPECT_LE(one.Fan.P25[k], one.Fan.Median[k]);
    EXPECT_LE(one.Fan.Median[k], one.Fan.P75[k]);
    EXPECT_LE(one.Fan.P75[k], one.Fan.P95[k]);
  }
  EXPECT_DOUBLE_EQ(one.BalanceYen.Mean, 20 * one.Balance.Mean);

  request.Seed = 12;
  EXPECT_NE(Predict(records, request).Balance.Mean, one.Balance.Mean);
  // A prior that rules settings out: no draw plays them.
  request.Prior = {0, 0, 0, 0, 1, 1};
  const NextGamesPrediction high = Predict(records, request);
  EXPECT_EQ(high.DrawsPerSetting[0] + high.DrawsPerSetting[3], 0);
}

TEST(NextGames, RefusesRequestsOutOfRangeAndStopsWhenCancelled) {
  RunRecords records;
  struct Bad {
    NextGamesRequest request;
    const char* message;
  };
  NextGamesRequest r;
  std::vector<Bad> bad;
  r.Games = 0;
  bad.push_back({r, kNextGamesRangeMessage});
  r = {};
  r.Games = kMaxNextGames + 1;
  bad.push_back({r, kNextGamesRangeMessage});
  r = {};
  r.Draws = 0;
  bad.push_back({r, kNextDrawsRangeMessage});
  r = {};
  r.Jobs = -1;
  bad.push_back({r, kJobsRangeMessage});
  r = {};
  r.Prior = {0, 0, 0, 0, 0, 0};
  bad.push_back({r, kPriorMessage});
  for (const Bad& b : bad) {
    const NextGamesOutcome outcome = PredictNextGames(records, b.request);
    EXPECT_EQ(outcome.status.Kind, StatusKind::BadInput);
    EXPECT_EQ(outcome.status.Message, b.message);
  }
  Job cancelled;
  cancelled.Cancel();
  EXPECT_EQ(PredictNextGames(records, NextGamesRequest{}, cancelled).status.Kind,
            StatusKind::Cancelled);
}

// A damaged file may leave the machine in a bonus whose game count is past
// its end (31 small-role games); no bonus game ever ends it. Each draw stops
// after the most games a bonus can take, and the prediction says why.
TEST(NextGames, AStateNoMachineReachesIsRefusedNotPlayedForever) {
  Slot slot(3);
  RunRecords records;
  Simulate(slot, records, testing_support::Inputs(100, 1));
  ASSERT_EQ(records.LastRow().PlayCount, 100);
  records.AppendRow(RunRow{101, -206, 101, 1, 9, 1, 0, 0, 0, 0, 255, 255});
  records.AppendRow(RunRow{101, -194, 101, 1, 5, 1, 31, 0, 0, 0, 255, 255});
  NextGamesRequest request;
  request.Games = 1;
  request.Draws = 4;
  request.Seed = 1;
  const NextGamesOutcome outcome = PredictNextGames(records, request);
  EXPECT_EQ(outcome.status.Kind, StatusKind::BadInput);
  EXPECT_EQ(outcome.status.Message, kPredictionUnplayableMessage);
}

// One draw of ten million games takes seconds; its cancel lands inside it.
TEST(NextGames, CancelLandsInsideOneLongDraw) {
  Slot slot(5);
  RunRecords records;
  Simulate(slot, records, testing_support::Inputs(2000, 3));
  NextGamesRequest request;
  request.Games = kMaxNextGames;
  request.Draws = 1;
  JobService service;
  NextGamesOutcome outcome;
  const std::shared_ptr<Job> job =
      service.Start([&](Job& j) { outcome = PredictNextGames(records, request, j); });
  while (job->Progress().Done == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  job->Cancel();
  const auto cancelled = std::chrono::steady_clock::now();
  ASSERT_TRUE(job->WaitFor(std::chrono::seconds(60)));
  EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::milliseconds(200));
  EXPECT_EQ(outcome.status.Kind, StatusKind::Cancelled);
  EXPECT_EQ(job->Progress().Parts, 0);
}
