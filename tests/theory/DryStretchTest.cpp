#include <gtest/gtest.h>

#include "DryStretch.h"
#include "LongRun.h"

namespace sorimu::theory {
namespace {

TEST(DryStretch, TailsFallFromOneAndAddUpToTheirMeans) {
  for (int s : {1, 4, 6}) {
    SCOPED_TRACE(s);
    const DryStretchTail tail = ComputeDryStretchTail(DefaultCycleModel(s), 2000);
    ASSERT_EQ(tail.BetweenBonuses.size(), 2001u);
    EXPECT_NEAR(tail.BetweenBonuses[0], 1, 1e-18);
    EXPECT_NEAR(tail.BetweenBonuses[1], 1, 1e-18);
    EXPECT_NEAR(tail.BetweenFirstHits[1], 1, 1e-18);
    Real sumBonuses = 0, sumFirstHits = 0;
    for (size_t n = 1; n < tail.BetweenBonuses.size(); ++n) {
      EXPECT_LE(tail.BetweenBonuses[n], tail.BetweenBonuses[n - 1] + 1e-18);
      EXPECT_LE(tail.BetweenFirstHits[n], tail.BetweenFirstHits[n - 1] + 1e-18);
      EXPECT_GE(tail.BetweenFirstHits[n] + 1e-18, tail.BetweenBonuses[n]);
      sumBonuses += tail.BetweenBonuses[n];
      sumFirstHits += tail.BetweenFirstHits[n];
    }
    // No bonus stretch outlasts the longest RT; a first-hit stretch can, by
    // the chains before it, though hardly ever.
    EXPECT_EQ(tail.BetweenBonuses[kMaxRtGames + 1], 0);
    EXPECT_GT(tail.BetweenFirstHits[kMaxRtGames + 1], 0);
    EXPECT_LT(tail.BetweenFirstHits[2000], 1e-30);
    EXPECT_NEAR(sumBonuses / tail.MeanBetweenBonuses, 1, 1e-16);
    EXPECT_NEAR(sumFirstHits / tail.MeanBetweenFirstHits, 1, 1e-16);
  }
}

// Any length can be asked for; past the horizon no chance is left to hold.
TEST(DryStretch, AskingForAnyLengthEndsAtTheHorizon) {
  const DryStretchTail tail = ComputeDryStretchTail(DefaultCycleModel(6), INT32_MAX);
  ASSERT_EQ(tail.BetweenFirstHits.size(), static_cast<size_t>(kTailHorizon) + 1);
  EXPECT_EQ(tail.BetweenFirstHits.back(), 0);
  EXPECT_EQ(tail.BetweenFirstHitsAtLeast(1000000000), 0);
  EXPECT_EQ(tail.BetweenBonusesAtLeast(-5), 1);
  EXPECT_EQ(tail.BetweenFirstHitsAtLeast(2000), tail.BetweenFirstHits[2000]);
}

}  // namespace
}  // namespace sorimu::theory
