#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Batch.h"
#include "TestSupport.h"

using namespace sorimu;

using testing_support::Inputs;

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

TEST(RunBatch, WritesEveryRepetitionUnderItsNameAndReportsProgress) {
  Slot slot(12345);
  RunRecords records;
  std::vector<std::string> written;
  std::vector<std::pair<std::string, int>> reports;
  std::vector<int32_t> levels;
  int messagePoints = 0;
  BatchHooks hooks;
  hooks.messagePoint = [&] { ++messagePoints; };
  hooks.report = [&](const std::string& status, int progress) {
    reports.emplace_back(status, progress);
  };
  hooks.writeFile = [&](const std::string& path) {
    written.push_back(path);
    levels.push_back(slot.GetFlevel());
    EXPECT_EQ(slot.PlayCount, 8000);
    return true;
  };
  ASSERT_EQ(RunBatch(slot, records, Inputs(8000, 0, 255, 255, 3), "/out/run.sim", hooks),
            BatchStatus::Completed);
  ASSERT_EQ(written.size(), 3u);
  EXPECT_EQ(written[0], "/out/run5_8000_1.sim");
  EXPECT_EQ(written[1], "/out/run4_8000_2.sim");
  EXPECT_EQ(messagePoints, 3);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_EQ(reports[0].first, std::string(kBatchSavingStatus) + written[0]);
  EXPECT_EQ(reports[0].second, 66);
  EXPECT_EQ(reports[1].second, 100);
  EXPECT_EQ(reports[2].second, 133);
  EXPECT_EQ(reports[3].first, kBatchDoneStatus);
}

TEST(RunBatch, StopsAtTheFirstFileThatFailsAndKeepsItsRun) {
  Slot slot(1);
  RunRecords records;
  int attempts = 0;
  std::string lastStatus;
  BatchHooks hooks;
  hooks.report = [&](const std::string& status, int) { lastStatus = status; };
  hooks.writeFile = [&](const std::string&) { return ++attempts < 2; };
  EXPECT_EQ(RunBatch(slot, records, Inputs(50, 2, 0, 0, 5), "x.sim", hooks),
            BatchStatus::WriteFailed);
  EXPECT_EQ(attempts, 2);
  EXPECT_EQ(lastStatus, kBatchErrorStatus);
  EXPECT_EQ(records.LastRow().PlayCount, 50) << "the records hold the failed repetition";
}
