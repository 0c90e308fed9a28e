#include <gtest/gtest.h>

#include <cstdio>
#include <numeric>

#include "RtLengthModel.h"
#include "SettingEstimate.h"
#include "SingleRun.h"
#include "TestSupport.h"

using namespace sorimu;

using testing_support::Fill;
using testing_support::NormalRow;

namespace {

// A short BIG's last game as the rows show it, with both stocks still filled.
RunRow BonusEndRow(int32_t playCount, int32_t gamesSinceBonus) {
  RunRow row = NormalRow(playCount, gamesSinceBonus, 0, 11);
  row.BonusKind = 1;
  row.BonusGames = 30;
  row.BigStock = 5;
  row.RegStock = 5;
  return row;
}

struct Quality {
  double truth = 0;    // mean probability given to the true setting
  double squares = 0;  // mean sum of the squared probabilities
};

// For honest probabilities the two agree on average: the chance that s is
// true, given the rows, is exactly the probability given to s.
Quality MeanQuality(int32_t games, int runsPerSetting, uint32_t seedBase) {
  Quality q;
  for (int32_t truth = 1; truth <= 6; ++truth) {
    for (int i = 0; i < runsPerSetting; ++i) {
      Slot slot(seedBase + 1000 * truth + i);
      RunRecords records;
      Simulate(slot, records, testing_support::Inputs(games, truth));
      const SettingEstimate e = EstimateSetting(records);
      q.truth += e.Probability[truth - 1];
      for (double p : e.Probability) q.squares += p * p;
    }
  }
  q.truth /= 6 * runsPerSetting;
  q.squares /= 6 * runsPerSetting;
  return q;
}

}  // namespace

// Known answers: the mean RT lengths that follow from the weight tables, as
// published to a tenth of a game (466.646 and 368.648 appear as .7, hence the
// tolerance).
TEST(RtLengthModel, MeanLengthsAndCancelRatesAreThoseOfTheTables) {
  const RtLengthModel& model = MachineRtModel();
  const double mode0[] = {484.9, 466.7, 437.2, 419.3, 399.4, 399.4};
  const double mode1[] = {403.5, 403.5, 368.7, 368.7, 333.9, 326.0};
  for (int s = 1; s <= 6; ++s) {
    SCOPED_TRACE(s);
    for (int mode = 0; mode < 2; ++mode) {
      const auto& p = model.Length[mode][s - 1];
      EXPECT_NEAR(std::accumulate(p.begin(), p.end(), 0.0), 1.0, 1e-12);
      EXPECT_EQ(p[0], 0.0);
    }
    EXPECT_NEAR(model.MeanLength(0, s), mode0[s - 1], 0.06);
    EXPECT_NEAR(model.MeanLength(1, s), mode1[s - 1], 0.06);
  }
  EXPECT_DOUBLE_EQ(model.CancelProbability[0], 30 / 256.0);
  EXPECT_DOUBLE_EQ(model.CancelProbability[5], 105 / 256.0);
  EXPECT_DOUBLE_EQ(model.ModeProbability[0], 151 / 256.0);
}

// Hand-built stretches whose likelihood ratios can be read off the tables.
TEST(SettingEstimate, SingleStretchesGiveTheRatiosOfTheTables) {
  RunRecords records;
  records.SetStartStocks(255, 255);

  // An RT of exactly 1490 games (mode 0's last class): weights 7 7 6 5 5 5.
  records.ClearRows();
  for (int32_t g = 1; g < 1490; ++g) records.AppendRow(NormalRow(g, g, 0));
  records.AppendRow(NormalRow(1490, 1490, 0, 9, 1));
  SettingEstimate e = EstimateSetting(records);
  const double expected[] = {7, 7, 6, 5, 5, 5};
  for (int s = 0; s < 6; ++s) EXPECT_NEAR(e.Probability[s], expected[s] / 35, 1e-12);
  EXPECT_EQ(e.UsedStretches, 1);

  // A 4-cherry B cutting the RT on the first game: settings 5 and 6 share the
  // mode-0 lengths, so only their cancel weights 64 and 105 tell them apart.
  Fill(records, {NormalRow(1, 1, 0, 3, 3), NormalRow(2, 2, 0, 0, 3), NormalRow(3, 3, 0, 9, 3)});
  e = EstimateSetting(records);
  EXPECT_NEAR(e.Probability[5] / e.Probability[4], 105.0 / 64.0, 1e-12);

  // A 4-cherry B that did not cut an RT with more than 128 left: 151 / 192.
  records.ClearRows();
  records.AppendRow(NormalRow(1, 1, 0, 3));
  for (int32_t g = 2; g < 300; ++g) records.AppendRow(NormalRow(g, g, 0));
  records.AppendRow(NormalRow(300, 300, 0, 9, 1));
  e = EstimateSetting(records);
  EXPECT_NEAR(e.Probability[5] / e.Probability[4], (256.0 - 105) / (256.0 - 64), 1e-12);
}

TEST(SettingEstimate, LeavesOutWhatCarriesNoSettingOrContradictsTheMachine) {
  RunRecords records;
  records.SetStartStocks(255, 255);
  // A 1G連 after a bonus says nothing about the setting.
  Fill(records, {NormalRow(1, 1, 0, 10, 1), BonusEndRow(1, 1), NormalRow(2, 1, 0, 9, 6)});
  SettingEstimate e = EstimateSetting(records);
  EXPECT_EQ(e.UsedStretches, 1);  // the first RT, one game long
  EXPECT_EQ(e.SkippedStretches, 1);

  // A 2-cherry with 40 games left would have cut the RT: no setting plays this.
  records.ClearRows();
  records.AppendRow(NormalRow(1, 1, 0, 1));
  for (int32_t g = 2; g < 41; ++g) records.AppendRow(NormalRow(g, g, 0));
  records.AppendRow(NormalRow(41, 41, 0, 9, 1));
  e = EstimateSetting(records);
  EXPECT_EQ(e.UsedStretches, 0);
  EXPECT_EQ(e.SkippedStretches, 1);
  for (double p : e.Probability) EXPECT_DOUBLE_EQ(p, 1.0 / 6);

  // Empty stocks at the start: an RT may have ended unseen.
  records.SetStartStocks(0, 0);
  Fill(records, {NormalRow(1, 1, 0), NormalRow(2, 2, 0)});
  e = EstimateSetting(records);
  EXPECT_EQ(e.UsedStretches, 0);
  for (double p : e.Probability) EXPECT_DOUBLE_EQ(p, 1.0 / 6);

  records.ClearRows();
  for (double p : EstimateSetting(records).Probability) EXPECT_DOUBLE_EQ(p, 1.0 / 6);
}

// Where the truth is known: seeded runs at each setting. The true setting
// must draw more than a uniform guess's 1/6, and more as runs get longer;
// and the estimate must be no more sure of itself than it has reason to be.
TEST(SettingEstimate, FavoursTheTrueSettingAndSharpensWithLongerRuns) {
  constexpr int kRuns = 40;
  const Quality short2000 = MeanQuality(2000, kRuns, 500);
  const Quality mid8000 = MeanQuality(8000, kRuns, 500);
  const Quality long32000 = MeanQuality(32000, kRuns, 500);
  std::printf(
      "mean probability of the true setting (mean sum of squares): 2000 games %.3f (%.3f), "
      "8000 %.3f (%.3f), 32000 %.3f (%.3f)\n",
      short2000.truth, short2000.squares, mid8000.truth, mid8000.squares, long32000.truth,
      long32000.squares);
  EXPECT_GT(mid8000.truth, 1.0 / 6 + 0.02);
  EXPECT_GT(mid8000.truth, short2000.truth);
  EXPECT_GT(long32000.truth, mid8000.truth);
  for (const Quality& q : {short2000, mid8000, long32000}) EXPECT_NEAR(q.truth, q.squares, 0.04);
}

TEST(SettingEstimate, AllStretchesOfAMachineRunAreUsable) {
  Slot slot(77);
  RunRecords records;
  Simulate(slot, records, testing_support::Inputs(8000, 3));
  const SettingEstimate e = EstimateSetting(records);
  EXPECT_GT(e.UsedStretches, 5);
  EXPECT_NEAR(std::accumulate(e.Probability.begin(), e.Probability.end(), 0.0), 1.0, 1e-12);
  // Only 1G連 and 3G連 are left out of a run with full stocks.
  int32_t chained = 0;
  for (size_t i = 0; i < records.RowCount(); ++i) {
    const RunRow& row = records.Row(i);
    chained += IsBonusRow(row) && (row.RTCancel == 6 || row.RTCancel == 7);
  }
  EXPECT_EQ(e.SkippedStretches, chained);
}
