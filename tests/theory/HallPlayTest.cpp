#include <gtest/gtest.h>

#include <cmath>

#include "HallTables.h"
#include "LongRun.h"
#include "Volatility.h"

namespace sorimu::theory {
namespace {

// A machine whose every step is fixed but the mode: every role a bell (no
// replay, no cut), every RT 200 games, bonuses without misses or chains.
// Successive kinds are then independent draws, and everything follows by
// hand.
CycleModel FixedMachine() {
  MachineOdds odds = ReadMachineOdds(Slot(0), 1);
  odds.Role.fill(0);
  odds.Role[IndexOf(Outcome::Bell)] = 1;
  odds.RolePay = kBellPayout;
  for (std::vector<Real>& length : odds.RtLength) {
    std::fill(length.begin(), length.end(), 0);
    length[200] = 1;
  }
  odds.Mode0 = 0.6L;
  odds.Ren3 = 0;
  odds.BigHazure = 0;
  odds.BigJacIn = 1;
  odds.JacWin = 1;
  return BuildCycleModel(odds);
}

TEST(HallPlay, FixedMachineFollowsItsHandCounts) {
  const CycleModel model = FixedMachine();
  const std::array<StretchLaw, kStretchStarts> laws = {BuildStretchLaw(model, model.After[kBig]),
                                                       BuildStretchLaw(model, model.After[kReg]),
                                                       BuildStretchLaw(model, model.AtStart)};
  const SettingPlay play{&model, &laws};
  // 100 games left: 99 bells, 100 bets, the line-up, a BIG (+696) or a REG
  // (+112) as the mode draws.
  const Real net = 0.6L * 696 + 0.4L * 112;
  const SinceFigures at100 = FiguresSince(play, kBig, 100);
  EXPECT_NEAR(at100.Reach, 1, 1e-18);
  EXPECT_NEAR(at100.ExpectedGames, 100, 1e-15);
  EXPECT_NEAR(at100.Within[1], 1, 1e-18);  // within 100
  EXPECT_NEAR(at100.Within[0], 0, 1e-18);
  EXPECT_NEAR(at100.ToBonus, 99 * 14 - 300 + 15 + net, 1e-12);
  // No bonus within 4 games: the chain rule then plays 4 bells and stops.
  EXPECT_NEAR(at100.ThroughChain, at100.ToBonus + 4 * 11, 1e-12);
  EXPECT_NEAR(QuitValue(play, 150)[kReg], 150 * 11, 1e-12);
  EXPECT_FALSE(FiguresSince(play, kReg, 200).Reachable());
  EXPECT_TRUE(std::isnan(FiguresSince(play, kReg, 200).ToBonus));

  // Each cycle gains a fixed 2801 - 600 over its 200 games plus its bonus; the
  // bonuses are independent draws, 696 or 112 medals.
  const Volatility v = ComputeVolatility(model);
  EXPECT_NEAR(v.BalancePerGame, (2801 - 600 + net) / 200, 1e-15);
  EXPECT_NEAR(v.SdPerGame, std::sqrt(0.24L * (696 - 112) * (696 - 112) / 200), 1e-12);
}

// Wald's identity (no state) against the backward recursion over the
// stretch's state (count, cut, replay before) for the medals of a fresh RT.
TEST(HallPlay, ExpectedBalanceAgreesWithTheStateRecursion) {
  for (int setting : {1, 6}) {
    const SettingPlay play = DefaultSettingPlay(setting);
    const CycleModel& model = *play.Model;
    Real recursion = 0;
    for (size_t mode = 0; mode < kModeCount; ++mode) {
      const StretchSpread spread = FreshStretchSpread(model, mode);
      EXPECT_NEAR(spread.Games, model.Fresh[mode].Mean, 1e-12);
      recursion += model.Odds.Mode(mode) * (spread.Paid - spread.Bet + model.Bonus[mode].Net());
    }
    EXPECT_NEAR(FiguresSince(play, kAfterReset, 0).ToBonus, recursion, 1e-9);

    // The cycles' means are the long-run figures'.
    const Volatility v = ComputeVolatility(model);
    EXPECT_NEAR(v.Payout, ComputeLongRun(model).Payout, 1e-15);
  }
}

// The laws are laws, the mix weighs by reach and skips settings that cannot
// get there, and the table says from where the balance stays above 0.
TEST(HallPlay, TablesMixByReach) {
  for (int s = 1; s <= kSettingCount; ++s) {
    const auto& laws = DefaultStretchLaws(s);
    for (size_t after = 0; after < kStretchStarts; ++after) {
      EXPECT_NEAR(laws[after].Tail(0), 1, 1e-17);
      EXPECT_EQ(laws[after].Tail(laws[after].Longest), 0);
    }
    EXPECT_NEAR(laws[kBig].ExcessAt(0),
                MeanGamesAfter(DefaultCycleModel(s), DefaultCycleModel(s).After[kBig]), 1e-12);
  }
  SettingMix weights = {0, 0, 0, 0, 0, 1};
  const DryTable table = ComputeDryTable(kAfterEither, weights);
  EXPECT_EQ(table.Mix[700].ToBonus, table.Settings[5][700].ToBonus);
  EXPECT_FALSE(table.Mix[kDryTableLast].Reachable());
  EXPECT_FALSE(MixAt(table, 5000).Reachable());
  for (size_t s = 0; s < kSettingCount; ++s) {
    const int32_t from = table.PositiveToBonus[s];
    ASSERT_GT(from, 0);
    EXPECT_GT(table.Settings[s][static_cast<size_t>(from)].ToBonus, 0);
    EXPECT_LE(table.Settings[s][static_cast<size_t>(from - 1)].ToBonus, 0);
  }
  weights = {1, 1, 1, 1, 1, 1};
  const SettingMix given = WeightsAt(ComputeDryTable(kBig, weights), weights, 1000);
  EXPECT_GT(given[0], given[5]);  // a long ハマリ speaks for the low settings
}

}  // namespace
}  // namespace sorimu::theory
