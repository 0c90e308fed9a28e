#include <gtest/gtest.h>

#include <cstdint>

#include "BatchNames.h"

using namespace sorimu;

TEST(BatchFileName, SuffixGoesBeforeTheFirstDotOfTheFileName) {
  EXPECT_EQ(BatchFileName("/data/run.sim", 3, 8000, 1), "/data/run3_8000_1.sim");
  EXPECT_EQ(BatchFileName("/data/run.sim", 3, 8000, 2), "/data/run3_8000_2.sim");
  EXPECT_EQ(BatchFileName("/my.data/run.sim", 3, 8000, 1), "/my.data/run3_8000_1.sim");
  EXPECT_EQ(BatchFileName("/data/run", 3, 8000, 1), "/data/3_8000_1run");
  EXPECT_EQ(BatchFileName("run.tar.sim", 6, 1, 12), "run6_1_12.tar.sim");
  EXPECT_EQ(BatchFileName("run", 1, 10, 3), "1_10_3run");
  EXPECT_EQ(BatchFileName("/a.b/c.d/.sim", 2, 5, 1), "/a.b/c.d/2_5_1.sim");
}

TEST(BatchProgress, RunsOneRepetitionAheadAndPasses100) {
  EXPECT_EQ(BatchProgressPosition(28, 100), 28);  // 29/100*100 truncates to 28
  EXPECT_EQ(BatchProgressPosition(1, 2), 100);
  EXPECT_EQ(BatchProgressPosition(1, 3), 66);
  EXPECT_EQ(BatchProgressPosition(2, 3), 100);
  EXPECT_EQ(BatchProgressPosition(3, 3), 133);
  EXPECT_EQ(BatchProgressPosition(INT32_MAX, INT32_MAX), 100);
}
