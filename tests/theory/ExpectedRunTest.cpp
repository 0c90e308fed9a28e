#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "ExpectedRun.h"
#include "LongRun.h"

namespace sorimu::theory {
namespace {

// The run played game by game as a distribution over (mode, games left,
// whether a role may still cut the RT), with the bonus ends spelt out as
// Slot plays them: a second way to the expected line that shares neither
// the fresh-RT distribution nor the renewal sums.
struct GameByGame {
  std::vector<Real> balance{0};
  std::vector<Real> bets{0};
};

GameByGame PlayGameByGame(const CycleModel& model, int32_t games) {
  const MachineOdds& o = model.Odds;
  const Real cherry2 = o.Role[Code(Outcome::Cherry2)] + o.Role[Code(Outcome::Hazure)];
  const Real cherry4B = o.Role[Code(Outcome::Cherry4B)];
  using Left = std::array<std::vector<Real>, kModeCount>;
  auto empty = [] {
    return Left{std::vector<Real>(kMaxRtGames + 1, 0), std::vector<Real>(kMaxRtGames + 1, 0)};
  };
  Left open = empty(), closed = empty();  // open: untouched; closed: cut or chained
  auto drawRt = [&](Left& to, Real mass) {
    for (size_t m = 0; m < kModeCount; ++m) {
      for (int c = 1; c <= kMaxRtGames; ++c) to[m][c] += mass * o.Mode(m) * o.RtLength[m][c];
    }
  };
  drawRt(open, 1);
  GameByGame run;
  std::array<Real, kModeCount> before{0, 0};
  for (int32_t k = 1; k <= games; ++k) {
    Left nextOpen = empty(), nextClosed = empty();
    std::array<Real, kModeCount> released{0, 0};
    for (size_t m = 0; m < kModeCount; ++m) {
      released[m] = open[m][1] + closed[m][1];
      Real shortRt = 0;
      for (int r = 2; r <= kMaxRtGames; ++r) {
        nextClosed[m][r - 1] += closed[m][r];
        const int x = r - 1;
        if (x < kCancelFloor) {
          nextOpen[m][x] += open[m][r];
          continue;
        }
        const Real cut4B = x >= kCancelLotteryFrom ? cherry4B * o.Cancel : cherry4B;
        nextClosed[m][1] += open[m][r] * cherry2;
        shortRt += open[m][r] * cut4B;
        nextOpen[m][x] += open[m][r] * (1 - cherry2 - cut4B);
      }
      for (int l = 1; l <= kMaxShortRt; ++l) nextClosed[m][l] += shortRt * o.ShortRt[l];
    }
    // The bonuses lined up now are played before the next game; their ends.
    const BonusFigures& big = model.Bonus[kBig];
    const BonusFigures& reg = model.Bonus[kReg];
    nextClosed[0][kOneGameRt] += released[0] * big.RenChance + released[1] * reg.RenChance;
    const Real quietBig = released[0] * (1 - big.RenChance);
    nextClosed[0][kRen3GamesMode0] += quietBig * o.Ren3 * o.Mode(0);
    nextClosed[1][kRen3GamesMode1] += quietBig * o.Ren3 * o.Mode(1);
    drawRt(nextOpen, quietBig * (1 - o.Ren3) + released[1] * (1 - reg.RenChance));

    const Real bet = k == 1 ? 3 : 3 * (1 - o.Replay() * (1 - before[0] - before[1]));
    const Real pay = 15 * (released[0] + released[1]) + o.RolePay * (1 - released[0] - released[1]);
    run.balance.push_back(run.balance.back() - bet + pay + before[0] * big.Net() +
                          before[1] * reg.Net());
    run.bets.push_back(run.bets.back() + bet + before[0] * big.Bet + before[1] * reg.Bet);
    before = released;
    open = nextOpen;
    closed = nextClosed;
  }
  return run;
}

TEST(ExpectedRun, MatchesTheRunPlayedGameByGame) {
  constexpr int32_t kGames = 16000;
  const CycleModel& model = DefaultCycleModel(6);
  const ExpectedRun line = ComputeExpectedRun(model, RunStart{}, kGames);
  ASSERT_LT(line.ExactGames, kGames) << "the straight part is checked too";
  const GameByGame played = PlayGameByGame(model, kGames);
  for (int32_t n = 1; n <= kGames; n += n < 100 ? 1 : 97) {
    EXPECT_NEAR(line.BalanceAt(n), played.balance[n], 1e-9) << "game " << n;
    EXPECT_NEAR(line.BetsAt(n) / played.bets[n], 1, 1e-15) << "game " << n;
  }
  EXPECT_LT(line.SlopeError, 1e-13);
  EXPECT_LT(line.LeaveBound, 1e-12);
  // Runs start with a fresh RT and drop a bonus lined up on their last game:
  // short ones pay measurably less; long ones tend to the long-run rate.
  const Real longRun = ComputeLongRun(model).Payout;
  EXPECT_NEAR(line.BalanceSlope / line.BetSlope, longRun - 1, 1e-15);
  EXPECT_GT(line.PayoutRate(8000), longRun + 0.0002);
  const ExpectedRun long1 = ComputeExpectedRun(DefaultCycleModel(1), RunStart{}, 1000000000);
  EXPECT_LT(long1.PayoutRate(8000), ComputeLongRun(DefaultCycleModel(1)).Payout - 0.002);
  EXPECT_NEAR(long1.PayoutRate(1000000000), ComputeLongRun(DefaultCycleModel(1)).Payout, 1e-7);
}

TEST(ExpectedRun, StartsAsTheRunStarts) {
  const CycleModel& model = DefaultCycleModel(3);
  // After a replay only the first game's bet is missing.
  RunStart afterReplay;
  afterReplay.FirstGameBets = false;
  const ExpectedRun line = ComputeExpectedRun(model, afterReplay, 10);
  const ExpectedRun fresh = ComputeExpectedRun(model, RunStart{}, 10);
  EXPECT_EQ(line.BetsAt(1), 0);
  EXPECT_NEAR(fresh.BetsAt(10) - line.BetsAt(10), 3, 1e-15);
  EXPECT_NEAR(line.BalanceAt(10) - fresh.BalanceAt(10), 3, 1e-15);

  RunStart empty;
  empty.BigStock = 0;
  EXPECT_EQ(ComputeExpectedRun(model, empty, 10).LeaveBound, 1);
  EXPECT_EQ(CheckExpectedRun(RunStart{}, 0), "Play数は、1以上にしてください。");
  RunStart bad;
  bad.RegStock = 256;
  EXPECT_EQ(CheckExpectedRun(bad, 10), "REGストック数は、0～255にしてください。");
  EXPECT_FALSE(CheckExpectedRun(RunStart{}, 1).has_value());
}

}  // namespace
}  // namespace sorimu::theory
