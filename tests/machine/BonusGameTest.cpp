#include <gtest/gtest.h>

#include "SlotScenario.h"

using namespace sorimu;

namespace {

constexpr int32_t kNone = 0;
constexpr int32_t kExpired = 1;
constexpr int32_t kRen1G = 6;
constexpr int32_t kRen3G = 7;

// A BIG in its small-role games: `played` of them over, `jacInCount` JAC-INs, `jacGames` played.
Slot InBig(int32_t played, int32_t jacInCount, int32_t jacGames) {
  Slot slot(0);
  slot.SetFlevel(2);
  slot.BonusKind = 1;
  slot.BonusGames = played;
  slot.JacInCount = jacInCount;
  slot.JacGames = jacGames;
  slot.JacMode = 0;
  slot.RenFlag = 0;
  slot.BigStock = 4;
  slot.RegStock = 4;
  slot.Medal = 0;
  return slot;
}

}  // namespace

TEST(BonusGame, CleanRegPlaysEightJacGamesForPlus112) {
  Slot slot(3);
  slot.SetFlevel(1);
  slot.BonusKind = 2;
  slot.RenFlag = 1;  // left from an earlier bonus: the first game clears it
  slot.RTCancel = kExpired;
  slot.RegStock = 2;
  slot.Medal = 0;
  slot.GamesSinceBonus = 40;
  for (int game = 1; game <= 8; ++game) {
    slot.Play();
    ASSERT_EQ(slot.LastOutcome, Code(Outcome::JAC));
    EXPECT_EQ(slot.BonusGames, 1);
    EXPECT_EQ(slot.JacGames, game);
    EXPECT_EQ(slot.BonusEnd, game == 8 ? 1 : 0);
  }
  EXPECT_EQ(slot.Medal, 112);
  EXPECT_EQ(slot.BonusKind, 2);
  EXPECT_EQ(slot.RegStock, 1);
  EXPECT_EQ(slot.RTCancel, kNone);
  EXPECT_GE(slot.RtCount, 1);
  EXPECT_EQ(slot.GamesSinceBonus, 40);

  const int32_t playCount = slot.PlayCount;
  slot.Play();
  EXPECT_EQ(slot.BonusKind, 0);
  EXPECT_EQ(slot.GamesSinceBonus, 1);
  EXPECT_EQ(slot.PlayCount, playCount + 1);
}

TEST(BonusGame, ThirdJacInBeforeGame30PaysAsPlum) {
  const Slot after = PlayUntil(InBig(11, 2, 16), [](const Slot& s) { return s.JacInCount == 3; });
  EXPECT_EQ(after.LastOutcome, Code(Outcome::Plum));
  EXPECT_EQ(after.JacMode, 0);
  EXPECT_EQ(after.Medal, 12);
  EXPECT_EQ(after.BonusGames, 12);
}

TEST(BonusGame, Game30PlumAfterAThirdJacInStartsTheLastSet) {
  const Slot after = PlayUntil(
      InBig(29, 3, 16), [](const Slot& s) { return s.LastOutcome != Code(Outcome::Hazure); });
  EXPECT_EQ(after.LastOutcome, Code(Outcome::JACIN));
  EXPECT_EQ(after.JacMode, 1);
  EXPECT_EQ(after.JacInCount, 4);
  EXPECT_EQ(after.BonusEnd, 0);
}

TEST(BonusGame, Game30PlumWithoutThirdJacInEndsInPunkAndA1GRen) {
  const Slot after = PlayUntil(InBig(29, 2, 16),
                               [](const Slot& s) { return s.LastOutcome == Code(Outcome::Plum); });
  EXPECT_EQ(after.BonusEnd, 1);
  EXPECT_EQ(after.Punk, 1);
  EXPECT_EQ(after.Mode, 0);
  EXPECT_EQ(after.RtCount, 1);
  EXPECT_EQ(after.RTCancel, kRen1G);
  EXPECT_EQ(after.BigStock, 3);
  EXPECT_EQ(after.JacGames, 16);

  // The 1G連 lines up the next BIG on the first normal game after it.
  Slot next = after;
  next.Play();
  EXPECT_EQ(next.LastOutcome, Code(Outcome::BIG));
  EXPECT_EQ(next.GamesSinceBonus, 1);
  EXPECT_EQ(next.RTCancel, kRen1G);
}

TEST(BonusGame, Game30JacInWithTwoSetsPlayedGivesTheFullThirdSet) {
  Slot slot = PlayUntil(InBig(29, 2, 16),
                        [](const Slot& s) { return s.LastOutcome == Code(Outcome::JACIN); });
  EXPECT_EQ(slot.JacMode, 1);
  for (int jac = 17; jac <= 24; ++jac) slot.Play();
  EXPECT_EQ(slot.JacGames, 24);
  EXPECT_EQ(slot.BonusEnd, 1);
  EXPECT_EQ(slot.Punk, 0);
}

TEST(BonusGame, PureMissAndJacMissMakeA1GRenDue) {
  const Slot miss = PlayUntil(InBig(5, 1, 8),
                              [](const Slot& s) { return s.LastOutcome == Code(Outcome::Hazure); });
  EXPECT_EQ(miss.RenCause, 1);
  EXPECT_EQ(miss.RenFlag, 1);
  EXPECT_EQ(miss.Medal, -3);

  Slot inSet = InBig(5, 1, 3);
  inSet.JacMode = 1;
  const Slot jacMiss =
      PlayUntil(inSet, [](const Slot& s) { return s.LastOutcome == Code(Outcome::JACHazure); });
  EXPECT_EQ(jacMiss.RenCause, 2);
  EXPECT_EQ(jacMiss.RenFlag, 1);
  EXPECT_EQ(jacMiss.Medal, -1);

  // The flag survives to the end of the BIG even after a clean last JAC game.
  Slot lastSet = InBig(30, 3, 23);
  lastSet.JacMode = 1;
  lastSet.RenFlag = 1;
  lastSet.Random().Seed(5);
  lastSet.Play();
  EXPECT_EQ(lastSet.BonusEnd, 1);
  EXPECT_EQ(lastSet.Punk, 0);
  EXPECT_EQ(lastSet.RTCancel, kRen1G);
  EXPECT_EQ(lastSet.RtCount, 1);
}

TEST(BonusGame, CleanBigEndsIn3GRenWithFourGamesInModeZeroAndThreeInModeOne) {
  Slot lastJac = InBig(30, 3, 23);
  lastJac.JacMode = 1;
  bool sawMode[2] = {false, false};
  for (uint32_t seed = 0; seed < 5000 && !(sawMode[0] && sawMode[1]); ++seed) {
    Slot trial = lastJac;
    trial.Random().Seed(seed);
    trial.Play();
    if (trial.RTCancel != kRen3G) continue;
    EXPECT_EQ(trial.RtCount, trial.Mode == 0 ? 4 : 3);
    sawMode[trial.Mode] = true;
  }
  EXPECT_TRUE(sawMode[0]);
  EXPECT_TRUE(sawMode[1]);
}

TEST(Reset, ShortFirstRtOnlyWithoutStock) {
  Slot slot(0);
  slot.SetFlevel(4);
  int replaced = 0;
  constexpr int kTrials = 20000;
  for (int seed = 0; seed < kTrials; ++seed) {
    Slot withStock = slot;
    withStock.SetStock(1, 0);
    withStock.Random().Seed(seed);
    withStock.Reset();
    Slot without = slot;
    without.SetStock(0, 0);
    without.Random().Seed(seed);
    without.Reset();
    // Both draw the same mode and RT first; only the stockless one may replace it.
    EXPECT_EQ(withStock.Mode, without.Mode);
    if (without.RtCount != withStock.RtCount) {
      ++replaced;
      ASSERT_LE(without.RtCount, 16);
    }
  }
  // 77/256 of resets replace the RT; a few replacements draw the same count.
  EXPECT_NEAR(replaced / double(kTrials), 77.0 / 256, 0.02);
}

TEST(Reset, KeepsLastOutcomeSoAReplayFreesTheNextRunsFirstBet) {
  Slot slot(11);
  slot.SetFlevel(1);
  slot.LastOutcome = Code(Outcome::Replay);
  slot.Medal = 500;
  slot.BonusKind = 1;
  slot.BonusEnd = 1;
  slot.Reset();
  EXPECT_EQ(slot.Medal, 0);
  EXPECT_EQ(slot.BonusKind, 0);
  EXPECT_EQ(slot.LastOutcome, Code(Outcome::Replay));
  Slot first = PlayUntil(slot, [](const Slot& s) { return s.LastOutcome == Code(Outcome::Miss); });
  EXPECT_EQ(first.Medal, 0);
  EXPECT_EQ(first.PlayCount, 1);
}
