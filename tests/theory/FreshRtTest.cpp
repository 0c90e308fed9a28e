#include <gtest/gtest.h>

#include <cmath>

#include "FreshRt.h"

namespace sorimu::theory {
namespace {

// The RT played game by game as a distribution over (count left, cause so
// far), as Slot::NormalGame plays it: a second, independent way to the same
// numbers.
FreshRt PlayGameByGame(const MachineOdds& odds, int mode) {
  const Real cherry2 = odds.Role[Code(Outcome::Cherry2)];
  const Real hazure = odds.Role[Code(Outcome::Hazure)];
  const Real cherry4B = odds.Role[Code(Outcome::Cherry4B)];
  // left[cause][r]: r games left before the game; cause None while untouched.
  std::vector<std::vector<Real>> left(kRtCancelCauseCount, std::vector<Real>(kMaxRtGames + 1, 0));
  left[0] = odds.RtLength[mode];
  FreshRt rt;
  rt.Games.assign(1, 0);
  for (int game = 1; game <= kMaxRtGames + kMaxShortRt; ++game) {
    std::vector<std::vector<Real>> next(kRtCancelCauseCount, std::vector<Real>(kMaxRtGames + 1, 0));
    Real released = 0;
    Real cut4B[kRtCancelCauseCount] = {};
    for (int cause = 0; cause < kRtCancelCauseCount; ++cause) {
      for (int r = 1; r <= kMaxRtGames; ++r) {
        const Real m = left[cause][r];
        if (m == 0) continue;
        const int x = r - 1;
        if (x == 0) {
          released += m;
          rt.Cause[cause == 0 ? Code(RtCancelCause::Expired) : cause] += m;
          continue;
        }
        if (cause != 0 || x < kCancelFloor) {
          next[cause][x] += m;
          continue;
        }
        next[Code(RtCancelCause::Cherry2)][1] += m * cherry2;
        next[Code(RtCancelCause::Hazure)][1] += m * hazure;
        const bool lottery = x >= kCancelLotteryFrom;
        const Real cut = lottery ? cherry4B * odds.Cancel : cherry4B;
        cut4B[Code(lottery ? RtCancelCause::Cherry4B1 : RtCancelCause::Cherry4B2)] += m * cut;
        next[0][x] += m * (1 - cherry2 - hazure - cut);
      }
    }
    for (int cause = 0; cause < kRtCancelCauseCount; ++cause) {
      for (int l = 1; l <= kMaxShortRt; ++l) next[cause][l] += cut4B[cause] * odds.ShortRt[l];
    }
    rt.Games.push_back(released);
    left = next;
  }
  return rt;
}

TEST(FreshRt, MatchesTheRtPlayedGameByGameAtEverySettingAndMode) {
  const Slot machine(0);
  for (int s = 1; s <= 6; ++s) {
    const MachineOdds odds = ReadMachineOdds(machine, s);
    for (int mode = 0; mode < kModeCount; ++mode) {
      SCOPED_TRACE(testing::Message() << "setting " << s << " mode " << mode);
      const FreshRt rt = ComputeFreshRt(odds, mode);
      const FreshRt played = PlayGameByGame(odds, mode);
      Real total = 0, mean = 0;
      for (size_t n = 0; n < played.Games.size(); ++n) {
        const Real p = n < rt.Games.size() ? rt.Games[n] : 0;
        ASSERT_NEAR(p, played.Games[n], 1e-15L * played.Games[n] + 1e-30L) << "game " << n;
        total += played.Games[n];
        mean += n * played.Games[n];
      }
      EXPECT_NEAR(total, 1, 1e-16);
      EXPECT_NEAR(rt.Mean, mean, 1e-13);
      EXPECT_NEAR(rt.AtLeast[1], 1, 1e-16);
      for (int cause = 0; cause < kRtCancelCauseCount; ++cause) {
        EXPECT_NEAR(rt.Cause[cause], played.Cause[cause], 1e-16) << "cause " << cause;
      }
    }
  }
}

// By hand: an RT of 20 games is never cut; one of 100 games meets 68 games
// with 32 to 99 left, each cut by a 2-cherry, a pure miss or any 4-cherry B.
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
  EXPECT_NEAR(rt.Cause[Code(RtCancelCause::Cherry4B1)], 0, 1e-30);
  // A cut on the first game leaves 99: a 2-cherry or a pure miss brings the
  // bonus on game 2, and so does a 4-cherry B drawing a short RT of 1.
  EXPECT_NEAR(rt.Games[2], (9 + 144 * odds.ShortRt[1]) / 65536, 1e-20);
}

}  // namespace
}  // namespace sorimu::theory
