#include <gtest/gtest.h>

#include "Slot.h"

using namespace sorimu;

// Plays a few hundred thousand games per setting and checks what every bonus
// and every game must satisfy, whatever the draws.
TEST(LongRun, BonusShapesMedalsAndCountersHoldAtEverySetting) {
  for (int32_t level = 1; level <= 6; ++level) {
    SCOPED_TRACE(level);
    Slot slot(1000 + level);
    slot.SetFlevel(level);
    slot.SetStock(0, 0);
    slot.Reset();
    int bigs = 0;
    int regs = 0;
    int32_t bonusStartMedal = 0;
    int smallRoleGames = 0;
    int misses = 0;
    int32_t normalGames = 0;
    for (int game = 0; game < 300000; ++game) {
      const bool wasBonus = slot.BonusKind != 0 && slot.BonusEnd == 0;
      const bool startsBonus = wasBonus && slot.BonusGames == 0;
      if (startsBonus) {
        bonusStartMedal = slot.Medal;
        smallRoleGames = 0;
        misses = 0;
      }
      const int32_t playBefore = slot.PlayCount;
      const int32_t jacBefore = slot.JacGames;
      slot.Play();
      ASSERT_GE(slot.BigStock, 0);
      ASSERT_LE(slot.BigStock, 255);
      ASSERT_GE(slot.RegStock, 0);
      ASSERT_LE(slot.RegStock, 255);
      if (!wasBonus) {
        ++normalGames;
        ASSERT_EQ(slot.PlayCount, playBefore + 1);
        continue;
      }
      ASSERT_EQ(slot.PlayCount, playBefore) << "bonus games are not normal games";
      if (slot.BonusKind == 1 && slot.JacGames == jacBefore) ++smallRoleGames;
      if (slot.RenCause != 0) ++misses;
      if (slot.BonusEnd != 1) continue;
      const int32_t gained = slot.Medal - bonusStartMedal;
      if (slot.BonusKind == 1) {
        ++bigs;
        ASSERT_EQ(smallRoleGames, 30);
        ASSERT_EQ(slot.BonusGames, 30);
        ASSERT_LE(slot.JacGames, 24);
        ASSERT_EQ(slot.Punk, slot.JacGames != 24 ? 1 : 0);
        if (slot.JacGames == 24 && misses == 0) {
          ASSERT_EQ(gained, 696);
        }
      } else {
        ++regs;
        ASSERT_EQ(slot.JacGames, 8);
        if (misses == 0) {
          ASSERT_EQ(gained, 112);
        }
      }
    }
    EXPECT_EQ(slot.PlayCount, normalGames);
    EXPECT_GT(bigs, 100);
    EXPECT_GT(regs, 50);
  }
}
