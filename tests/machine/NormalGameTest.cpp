#include <gtest/gtest.h>

#include "SlotScenario.h"

using namespace sorimu;

namespace {
constexpr int32_t kNone = 0;
constexpr int32_t kExpired = 1;
constexpr int32_t kByCherry2 = 2;
constexpr int32_t kByCherry4B1 = 3;
constexpr int32_t kByCherry4B2 = 4;
constexpr int32_t kByHazure = 5;
}  // namespace

TEST(NormalGame, Cherry2CancelsOnlyWith32OrMoreGamesLeft) {
  const Slot short31 =
      PlayUntil(MidRt(31), [](const Slot& s) { return s.LastOutcome == Code(Outcome::Cherry2); });
  EXPECT_EQ(short31.RtCount, 30);
  EXPECT_EQ(short31.RTCancel, kNone);

  const Slot long33 =
      PlayUntil(MidRt(33), [](const Slot& s) { return s.LastOutcome == Code(Outcome::Cherry2); });
  EXPECT_EQ(long33.RtCount, 1);
  EXPECT_EQ(long33.RTCancel, kByCherry2);
  EXPECT_EQ(long33.Medal, -3 + 2);

  // The next normal game releases the stocked BIG and keeps the cause.
  Slot next = long33;
  next.Play();
  EXPECT_EQ(next.LastOutcome, Code(Outcome::BIG));
  EXPECT_EQ(next.RTCancel, kByCherry2);
  EXPECT_EQ(next.BonusKind, 1);
}

TEST(NormalGame, Cherry4BAt129LeftDrawsTheCancelAndAt128AlwaysCancels) {
  bool sawCancel = false;
  bool sawKeep = false;
  Slot prototype = MidRt(130, 6);
  for (uint32_t first = 0; !(sawCancel && sawKeep) && first < 40; ++first) {
    const Slot after = PlayUntil(prototype, [&](const Slot& s) {
      return s.LastOutcome == Code(Outcome::Cherry4B) &&
             (s.RTCancel == kByCherry4B1 ? !sawCancel : !sawKeep);
    });
    if (after.RTCancel == kByCherry4B1) {
      sawCancel = true;
      EXPECT_GE(after.RtCount, 1);
      EXPECT_LE(after.RtCount, 32);
    } else {
      sawKeep = true;
      EXPECT_EQ(after.RTCancel, kNone);
      EXPECT_EQ(after.RtCount, 129);
    }
  }
  EXPECT_TRUE(sawCancel);
  EXPECT_TRUE(sawKeep);

  Slot at128 = MidRt(129);
  for (uint32_t seed = 0; seed < 300000; ++seed) {
    Slot trial = at128;
    trial.Random().Seed(seed);
    trial.Play();
    if (trial.LastOutcome != Code(Outcome::Cherry4B)) continue;
    ASSERT_EQ(trial.RTCancel, kByCherry4B2);
    ASSERT_GE(trial.RtCount, 1);
    ASSERT_LE(trial.RtCount, 32);
  }
}

TEST(NormalGame, ZtStartsAt30AndCountsDownOnTheNextGame) {
  const Slot started = PlayUntil(MidRt(500), [](const Slot& s) { return s.ZtCount == 30; });
  EXPECT_EQ(started.LastOutcome, Code(Outcome::Cherry4B));
  Slot next = started;
  next.Play();
  EXPECT_EQ(next.ZtCount, 29);
}

TEST(NormalGame, PureMissCancelsAndReleasesOnTheNextGame) {
  const Slot after =
      PlayUntil(MidRt(400), [](const Slot& s) { return s.LastOutcome == Code(Outcome::Hazure); });
  EXPECT_EQ(after.RtCount, 1);
  EXPECT_EQ(after.RTCancel, kByHazure);
  EXPECT_EQ(after.Medal, -3);
}

TEST(NormalGame, ExpiredRtReleasesBigInModeZeroAndPays15) {
  Slot slot = MidRt(1);
  slot.Play();
  EXPECT_EQ(slot.LastOutcome, Code(Outcome::BIG));
  EXPECT_EQ(slot.BonusKind, 1);
  EXPECT_EQ(slot.RTCancel, kExpired);
  EXPECT_EQ(slot.RtCount, 0);
  EXPECT_EQ(slot.Medal, -3 + 15);
  EXPECT_GE(slot.BigStock, 5);  // the stock is used up only when the bonus ends
}

TEST(NormalGame, ReplayDrawnOnTheReleasingGameIsLost) {
  Slot prototype = MidRt(1);
  prototype.LastOutcome = Code(Outcome::Replay);  // this game takes no bet
  // Find a game whose role would have been a replay: the same seed with a long RT shows it.
  Slot probe = MidRt(500);
  probe.LastOutcome = Code(Outcome::Replay);
  uint32_t seed = 0;
  for (;; ++seed) {
    Slot trial = probe;
    trial.Random().Seed(seed);
    trial.Play();
    if (trial.LastOutcome == Code(Outcome::Replay)) break;
  }
  prototype.Random().Seed(seed);
  prototype.Play();
  EXPECT_EQ(prototype.LastOutcome, Code(Outcome::BIG));
  EXPECT_EQ(prototype.Medal, 15);
  prototype.Play();  // first BIG game takes its own bet
  EXPECT_EQ(prototype.BonusGames, 1);
  EXPECT_TRUE(prototype.Medal == 12 || prototype.Medal == 27) << prototype.Medal;
}

TEST(NormalGame, ModeOneWithOnlyBigStockReleasesNothing) {
  Slot slot = MidRt(1);
  slot.Mode = 1;
  slot.BigStock = 3;
  slot.RegStock = 0;
  slot.RTCancel = kByCherry2;
  slot = PlayUntil(slot, [](const Slot& s) { return s.RegStock == 0; });  // no REG won on the way
  EXPECT_EQ(slot.BonusKind, 0);
  EXPECT_EQ(slot.RTCancel, kNone);
  EXPECT_GE(slot.RtCount, 1);
  EXPECT_NE(slot.LastOutcome, Code(Outcome::BIG));
}

TEST(NormalGame, ReplayTakesItsOwnBetButFreesTheNext) {
  const Slot replay =
      PlayUntil(MidRt(500), [](const Slot& s) { return s.LastOutcome == Code(Outcome::Replay); });
  EXPECT_EQ(replay.Medal, -3);
  const Slot free =
      PlayUntil(replay, [](const Slot& s) { return s.LastOutcome == Code(Outcome::Miss); });
  EXPECT_EQ(free.Medal, -3);
}

TEST(NormalGame, StockAt255IgnoresAnotherWinAndAWinOnTheLastRtGameIsReleased) {
  Slot nearlyFull = MidRt(500);
  nearlyFull.BigStock = 254;
  uint32_t seed = 0;
  for (;; ++seed) {
    Slot trial = nearlyFull;
    trial.Random().Seed(seed);
    trial.Play();
    if (trial.BigStock == 255) break;
  }
  Slot full = nearlyFull;
  full.BigStock = 255;
  full.Random().Seed(seed);
  full.Play();
  EXPECT_EQ(full.BigStock, 255);

  Slot empty = MidRt(1);
  empty.BigStock = 0;
  empty.RegStock = 0;
  empty.Random().Seed(seed);
  empty.Play();
  EXPECT_EQ(empty.BigStock, 1);
  EXPECT_EQ(empty.LastOutcome, Code(Outcome::BIG));
}
