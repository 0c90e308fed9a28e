#include <gtest/gtest.h>

#include "RandomSource.h"
#include "RangeClasses.h"
#include "Slot.h"

using namespace sorimu;

TEST(RandomSource, WorkedValuesForSeedsZeroAndOne) {
  RandomSource random;
  random.Seed(0);
  EXPECT_EQ(random.Next(), 346);
  EXPECT_EQ(random.Next(), 13854878);
  EXPECT_EQ(random.Next(), 1621890440);
  random.Seed(1);
  EXPECT_EQ(random.Next(), 1410184549);
  EXPECT_EQ(random.Next(), 672584604);
  EXPECT_EQ(random.Next(), 1915668986);
}

TEST(RandomSource, SeedRestartsTheSequenceAndValuesStayNonNegative) {
  RandomSource a;
  RandomSource b;
  a.Seed(4242);
  for (int i = 0; i < 1000; ++i) EXPECT_GE(a.Next(), 0);
  a.Seed(4242);
  b.Seed(4242);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(a.Next(), b.Next());
}

TEST(RandomSource, MachinesWithTheSameSeedPlayTheSameGames) {
  Slot a(77);
  Slot b(77);
  a.SetFlevel(3);
  b.SetFlevel(3);
  for (int i = 0; i < 20000; ++i) {
    a.Play();
    b.Play();
    ASSERT_EQ(a.Medal, b.Medal);
    ASSERT_EQ(a.LastOutcome, b.LastOutcome);
  }
}

// Mean RT length of a table when every class range is drawn uniformly.
double MeanRtLength(const Rate_TBL<int>& table, const RangeClass* classes) {
  double sum = 0;
  for (size_t i = 0; i < table.size(); ++i) {
    const RangeClass& c = classes[i];
    const double mean = c.width == 0 ? c.base : c.base + (c.width - 1) / 2.0;
    sum += table[i] * mean;
  }
  return sum / 256.0;
}

// The published figures were rounded twice (466.646 shows as 466.7), hence 0.06.
TEST(RangeClasses, MeanRtLengthsMatchThePublishedFigures) {
  const Slot slot(0);
  EXPECT_NEAR(MeanRtLength(slot.Mode0RtTbl1, kRtLottery0Classes), 484.9, 0.06);
  EXPECT_NEAR(MeanRtLength(slot.Mode0RtTbl2, kRtLottery0Classes), 466.7, 0.06);
  EXPECT_NEAR(MeanRtLength(slot.Mode0RtTbl3, kRtLottery0Classes), 437.2, 0.06);
  EXPECT_NEAR(MeanRtLength(slot.Mode0RtTbl4, kRtLottery0Classes), 419.3, 0.06);
  EXPECT_NEAR(MeanRtLength(slot.Mode0RtTbl56, kRtLottery0Classes), 399.4, 0.06);
  EXPECT_NEAR(MeanRtLength(slot.Mode1RtTbl12, kRtLottery1Classes), 403.5, 0.06);
  EXPECT_NEAR(MeanRtLength(slot.Mode1RtTbl34, kRtLottery1Classes), 368.7, 0.06);
  EXPECT_NEAR(MeanRtLength(slot.Mode1RtTbl5, kRtLottery1Classes), 333.9, 0.06);
  EXPECT_NEAR(MeanRtLength(slot.Mode1RtTbl6, kRtLottery1Classes), 326.0, 0.06);
}

// Finds a seed whose first draw of width 256 lands in [low, high].
uint32_t SeedWithFirstDraw(int low, int high) {
  RandomSource random;
  for (uint32_t seed = 0;; ++seed) {
    random.Seed(seed);
    const int draw = random.Next() % 256;
    if (draw >= low && draw <= high) return seed;
  }
}

TEST(RangeClasses, FixedClassesTakeNoSecondDraw) {
  Slot slot(0);
  // Setting 1, mode 0: classes 0..11 cover draws 0..210, class 12 is 211..216,
  // class 17 is 249..255.
  for (const auto& [low, high, games] : {std::tuple{211, 216, 999}, std::tuple{249, 255, 1490}}) {
    const uint32_t seed = SeedWithFirstDraw(low, high);
    slot.Random().Seed(seed);
    EXPECT_EQ(slot.RtLottery0(1), games);
    RandomSource reference;
    reference.Seed(seed);
    reference.Next();
    EXPECT_EQ(slot.Random().Next(), reference.Next()) << "a fixed class must not draw";
  }
}

TEST(RangeClasses, EveryDrawnClassStaysInItsRangeAndClassNineReaches835) {
  Slot slot(9);
  bool saw835 = false;
  for (int i = 0; i < 200000; ++i) {
    const int games = slot.RtLottery0(1 + i % 6);
    ASSERT_GE(games, 1);
    ASSERT_LE(games, 1490);
    const int mode1 = slot.RtLottery1(1 + i % 6);
    ASSERT_GE(mode1, 1);
    ASSERT_LE(mode1, 999);
    saw835 = saw835 || games == 835;
  }
  EXPECT_TRUE(saw835);
  EXPECT_EQ(kRtLottery0Classes[9].width, 142);
  for (int i = 0; i < 10000; ++i) {
    const int games = slot.ShortRtLottery();
    ASSERT_GE(games, 1);
    ASSERT_LE(games, 32);
  }
}
