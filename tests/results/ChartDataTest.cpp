#include <gtest/gtest.h>

#include <vector>

#include "ChartData.h"
#include "SingleRun.h"
#include "TestSupport.h"

using namespace sorimu;

TEST(ChartData, MarkersBarsAndSlumpPointsFollowTheRows) {
  Slot slot(2024);
  RunRecords records;
  Simulate(slot, records, testing_support::Inputs(8000, 6));
  std::vector<size_t> markers(kMarkerSeriesCount, 0);
  std::vector<int32_t> barHeights;
  std::vector<uint32_t> barColours;
  size_t slumpPoints = 0;
  int32_t lastSlumpX = 0;
  ForEachChartPoint(
      records, [&](int series, int32_t, int32_t) { ++markers[series]; },
      [&](int32_t k, int32_t height, uint32_t colour) {
        EXPECT_EQ(k, static_cast<int32_t>(barHeights.size()));
        barHeights.push_back(height);
        barColours.push_back(colour);
      },
      [&](int32_t x, int32_t) {
        EXPECT_EQ(x, lastSlumpX + 1);
        lastSlumpX = x;
        ++slumpPoints;
      });
  const ResultStats stats = ComputeResultStats(records);
  EXPECT_EQ(slumpPoints, 8000u);
  EXPECT_EQ(markers[kMarkerBIG], static_cast<size_t>(stats.BigCount));
  EXPECT_EQ(markers[kMarkerREG], static_cast<size_t>(stats.RegCount));
  EXPECT_EQ(markers[kMarkerCherry2], static_cast<size_t>(stats.KoyakuCount[0]));
  EXPECT_EQ(markers[kMarkerBell], static_cast<size_t>(stats.KoyakuCount[5]));
  EXPECT_GT(markers[kMarkerPlum], static_cast<size_t>(stats.KoyakuCount[4]))
      << "BIG plums are marked too";
  ASSERT_EQ(barHeights.size(), static_cast<size_t>(stats.BigCount + stats.RegCount));
  size_t bar = 0;
  for (size_t i = 0; i < records.RowCount(); ++i) {
    if (!IsBonusRow(records.Row(i))) continue;
    EXPECT_EQ(barHeights[bar], records.Row(i).GamesSinceBonus);
    EXPECT_EQ(barColours[bar],
              records.Row(i).LastOutcome == Code(Outcome::BIG) ? kBigBarColour : kRegBarColour);
    ++bar;
  }
}

TEST(ChartData, PureMissInsideABigGetsNoMarker) {
  RunRow normalMiss = testing_support::NormalRow(3, 3, 0, Code(Outcome::Hazure));
  RunRow bigMiss = normalMiss;
  bigMiss.BonusKind = 1;
  bigMiss.BonusGames = 4;
  EXPECT_EQ(MarkerSeriesOf(normalMiss), kMarkerHazure);
  EXPECT_EQ(MarkerSeriesOf(bigMiss), -1);
  RunRow replay = testing_support::NormalRow(3, 3, 0, Code(Outcome::Replay));
  EXPECT_EQ(MarkerSeriesOf(replay), -1);
}

TEST(ChartData, PieSlicesCarryTheCountsInTableOrder) {
  ResultStats stats;
  stats.KoyakuCount = {1, 2, 3, 4, 5, 6, 7, 8};
  stats.RTCancelCount = {9, 8, 7, 6, 5, 4, 3};
  stats.RenHazureCount = 1;
  stats.RenJacHazureCount = 2;
  stats.RenPunkCount = 3;
  const auto koyaku = KoyakuPieSlices(stats);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(koyaku[i].value, i + 1);
  EXPECT_STREQ(koyaku[3].label, "非出現チェリー");
  EXPECT_EQ(koyaku[3].colour, 0x008000u);
  EXPECT_STREQ(RTCancelPieSlices(stats)[1].label, "2枚チェリー");
  EXPECT_EQ(RTCancelPieSlices(stats)[6].value, 3);
  EXPECT_EQ(RenPieSlices(stats)[2].value, 3);
  stats.Ren3BigCount = 4;
  stats.Ren3RegCount = 5;
  EXPECT_STREQ(Ren3PieSlices(stats)[1].label, "REG");
  EXPECT_EQ(Ren3PieSlices(stats)[1].value, 5);
  EXPECT_EQ(Ren3PieSlices(stats)[0].colour, kBigBarColour);
}

TEST(ChartData, AxisLabelsReadInManAndOkuWhereTheStepAllows) {
  struct Case {
    double value, step;
    const char* label;
  };
  const Case cases[] = {
      {0, 1, "0"},
      {9999, 1, "9,999"},
      {-5000, 1000, "-5,000"},
      {10000, 1000, "1万"},
      {15000, 5000, "1.5万"},
      {-20000, 10000, "-2万"},
      // A step finer than a tenth of the unit keeps every digit.
      {10500, 500, "10,500"},
      {29999990, 10, "29,999,990"},
      {30000000, 5000000, "3,000万"},
      {120000000, 1000000, "12,000万"},
      {120000000, 10000000, "1.2億"},
      {2100000000, 100000000, "21億"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AxisTickLabel(c.value, c.step), c.label) << c.value << " every " << c.step;
  }
}
