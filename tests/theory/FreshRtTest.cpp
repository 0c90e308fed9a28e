#include <gtest/gtest.h>

#include <cmath>

#include "FreshRt.h"

namespace sorimu::theory {
namespace {

// By hand: an RT of 20 games is never cut; one of 100 games meets 68 games
// with 32 to 99 left, each cut by a 2-cherry, a pure miss or any 4-cherry B.
// (The full distribution is checked through the expected line, against the
// run played game by game.)
TEST(FreshRt, ShortRtsFollowTheirHandCounts) {
  MachineOdds odds = ReadMachineOdds(Slot(0), 1);
  odds.RtLength[0].assign(kMaxRtGames + 1, 0);
  odds.RtLength[0][20] = 1;
  EXPECT_EQ(ComputeFreshRt(odds, 0).Games[20], 1);

  odds.RtLength[0][20] = 0;
  odds.RtLength[0][100] = 1;
  const Real cut = (8 + 1 + 144) / 65536.0L;
  const FreshRt rt = ComputeFreshRt(odds, 0);
  EXPECT_NEAR(rt.Cause[Code(RtCancelCause::Expired)], std::pow(1 - cut, 68), 1e-17);
  EXPECT_EQ(rt.Cause[Code(RtCancelCause::Cherry4B1)], 0);
  EXPECT_NEAR(rt.Cause[Code(RtCancelCause::Cherry2)], (1 - rt.Cause[1]) * 8 / 153, 1e-17);
  // A cut on the first game leaves 99: a 2-cherry or a pure miss brings the
  // bonus on game 2, and so does a 4-cherry B drawing a short RT of 1.
  EXPECT_NEAR(rt.Games[2], (9 + 144 * odds.ShortRt[1]) / 65536, 1e-20);
  EXPECT_NEAR(rt.AtLeast[1], 1, 1e-17);
  EXPECT_EQ(rt.AtLeast[101], 0);
}

// An RT with more than 128 games left is cut by a 4-cherry B only through
// the setting's cancel lottery.
TEST(FreshRt, LongRtsMeetTheCancelLotteryFirst) {
  MachineOdds odds = ReadMachineOdds(Slot(0), 6);
  odds.RtLength[1].assign(kMaxRtGames + 1, 0);
  odds.RtLength[1][1000] = 1;
  const FreshRt rt = ComputeFreshRt(odds, 1);
  const Real upper = (9 + 144 * odds.Cancel) / 65536;
  const Real lower = 153 / 65536.0L;
  EXPECT_NEAR(rt.Cause[Code(RtCancelCause::Expired)],
              std::pow(1 - upper, 871) * std::pow(1 - lower, 97), 1e-16);
  EXPECT_NEAR(rt.Cause[Code(RtCancelCause::Cherry4B1)],
              (1 - std::pow(1 - upper, 871)) * 144 * odds.Cancel / (9 + 144 * odds.Cancel), 1e-16);
}

}  // namespace
}  // namespace sorimu::theory
