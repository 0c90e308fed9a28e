#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numeric>

#include "RunStretches.h"
#include "SettingEstimate.h"
#include "SingleRun.h"
#include "StretchOdds.h"
#include "TestSupport.h"

using namespace sorimu;

using testing_support::Fill;
using testing_support::NormalRow;

namespace {

// A normal-game row of a machine with stocks in hand.
RunRow Row(int32_t game, int32_t outcome = 0, int32_t rtCancel = 0, int32_t zt = 0) {
  RunRow row = NormalRow(game, game, 0, outcome, rtCancel);
  row.ZtCount = zt;
  row.BigStock = 5;
  row.RegStock = 5;
  return row;
}

// The last game of a REG that ended with a JAC miss: a 1G連 is due.
RunRow RegEndWithMissRow(int32_t playCount, int32_t gamesSinceBonus) {
  RunRow row = Row(playCount, 12);
  row.GamesSinceBonus = gamesSinceBonus;
  row.BonusKind = 2;
  row.BonusGames = 1;
  row.RenCause = 2;
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

// The estimate reads the machine's one layer of odds, in double: the same
// chances, whose own known answers are the machine's tests.
TEST(StretchOdds, AreTheMachinesOddsInDouble) {
  const StretchOdds& odds = MachineStretchOdds();
  const Slot machine(0);
  for (int32_t level = 1; level <= kSettingCount; ++level) {
    SCOPED_TRACE(level);
    const MachineOdds exact = ReadMachineOdds(machine, level);
    const size_t s = SettingIndex(level);
    for (size_t mode = 0; mode < kModeCount; ++mode) {
      const auto& p = odds.Length[mode][s];
      ASSERT_EQ(p.size(), exact.RtLength[mode].size());
      for (size_t g = 0; g < p.size(); ++g)
        EXPECT_EQ(p[g], static_cast<double>(exact.RtLength[mode][g]));
      EXPECT_NEAR(odds.LengthBetween(mode, s, 118, 128),
                  std::accumulate(p.begin() + 118, p.begin() + 129, 0.0), 1e-15);
    }
    EXPECT_EQ(odds.Cancel[s], static_cast<double>(exact.Cancel));
  }
  EXPECT_DOUBLE_EQ(odds.Mode[0], 151 / 256.0);
  EXPECT_NEAR(odds.ShortLongerThan(24), 112 / 256.0, 1e-15);
  EXPECT_DOUBLE_EQ(odds.ZtOnCut, 192 / 256.0);
  EXPECT_DOUBLE_EQ(odds.ZtOnKeep, 200 / 256.0);
  EXPECT_DOUBLE_EQ(odds.EmptyStartShort, 77 / 256.0);
  EXPECT_DOUBLE_EQ(odds.Ren3, 77 / 256.0);
  EXPECT_DOUBLE_EQ(odds.JacInRole, 83 / 256.0);
}

// Hand-built stretches whose likelihood ratios can be read off the tables.
TEST(SettingEstimate, SingleStretchesGiveTheRatiosOfTheTables) {
  RunRecords records;
  records.SetStartStocks(255, 255);

  // An RT of exactly 1490 games (mode 0's last class): weights 7 7 6 5 5 5.
  records.ClearRows();
  for (int32_t g = 1; g < 1490; ++g) records.AppendRow(Row(g));
  records.AppendRow(Row(1490, 9, 1));
  SettingEstimate e = EstimateSetting(records);
  const double expected[] = {7, 7, 6, 5, 5, 5};
  for (int s = 0; s < 6; ++s) EXPECT_NEAR(e.Probability[s], expected[s] / 35, 1e-12);
  EXPECT_EQ(e.UsedStretches, 1);

  // A 4-cherry B cutting the RT on the first game: settings 5 and 6 share the
  // mode-0 lengths, so only their cancel weights 64 and 105 tell them apart.
  Fill(records, {Row(1, 3, 3), Row(2, 0, 3), Row(3, 9, 3)});
  e = EstimateSetting(records);
  EXPECT_NEAR(e.Probability[5] / e.Probability[4], 105.0 / 64.0, 1e-12);

  // A 4-cherry B that did not cut an RT with more than 128 left: 151 / 192.
  records.ClearRows();
  records.AppendRow(Row(1, 3));
  for (int32_t g = 2; g < 300; ++g) records.AppendRow(Row(g));
  records.AppendRow(Row(300, 9, 1));
  e = EstimateSetting(records);
  EXPECT_NEAR(e.Probability[5] / e.Probability[4], (256.0 - 105) / (256.0 - 64), 1e-12);
}

// A ZT after a 4-cherry B that did not cut the RT comes only from the cancel
// lottery (200/256 after it kept the RT), so the RT had more than 128 games
// left; without a ZT it may also have had fewer than 32.
TEST(SettingEstimate, AZtAfterAKept4CherryBSaysTheRtHadMoreThan128Left) {
  const StretchOdds& odds = MachineStretchOdds();
  auto chance = [&](int mode, int s, int first, int last) {
    double sum = 0;
    for (int g = first; g <= last; ++g) sum += odds.Length[mode][s - 1][g];
    return sum;
  };
  for (bool zt : {true, false}) {
    SCOPED_TRACE(zt);
    RunRecords records;
    records.SetStartStocks(255, 255);
    records.AppendRow(Row(1, 3, 0, zt ? 30 : 0));
    for (int32_t g = 2; g <= 10; ++g) records.AppendRow(Row(g, 0, 0, zt ? 31 - g : 0));
    std::array<double, 6> likelihood{};
    double total = 0;
    for (int s = 1; s <= 6; ++s) {
      const double keep = 1 - odds.Cancel[s - 1];
      for (int m = 0; m < 2; ++m) {
        const double high = chance(m, s, 130, 1490) * keep;
        likelihood[s - 1] +=
            odds.Mode[m] * (zt ? high * 200 / 256 : chance(m, s, 11, 32) + high * 56 / 256);
      }
      total += likelihood[s - 1];
    }
    const SettingEstimate e = EstimateSetting(records);
    for (int s = 0; s < 6; ++s) EXPECT_NEAR(e.Probability[s], likelihood[s] / total, 1e-12);
  }
}

TEST(SettingEstimate, LeavesOutWhatCarriesNoSettingOrContradictsTheMachine) {
  RunRecords records;
  records.SetStartStocks(255, 255);
  // A 1G連 after a bonus says nothing about the setting.
  Fill(records, {Row(1, 10, 1), RegEndWithMissRow(1, 1), Row(2, 9, 6)});
  SettingEstimate e = EstimateSetting(records);
  EXPECT_EQ(e.UsedStretches, 1);  // the first RT, one game long
  EXPECT_EQ(e.SkippedStretches, 1);

  // A 2-cherry with 40 games left would have cut the RT: no setting plays this.
  records.ClearRows();
  records.AppendRow(Row(1, 1));
  for (int32_t g = 2; g < 41; ++g) records.AppendRow(Row(g));
  records.AppendRow(Row(41, 9, 1));
  e = EstimateSetting(records);
  EXPECT_EQ(e.UsedStretches, 0);
  EXPECT_EQ(e.SkippedStretches, 1);
  for (double p : e.Probability) EXPECT_DOUBLE_EQ(p, 1.0 / 6);

  // So does a BIG lined up without a BIG in stock.
  Fill(records, {Row(1), NormalRow(2, 2, 0, 9, 1)});
  e = EstimateSetting(records);
  EXPECT_EQ(e.UsedStretches, 0);

  // With both stocks empty nothing can be lined up: two games say nothing.
  records.SetStartStocks(0, 0);
  Fill(records, {NormalRow(1, 1, 0), NormalRow(2, 2, 0)});
  e = EstimateSetting(records);
  EXPECT_EQ(e.UsedStretches, 0);
  for (double p : e.Probability) EXPECT_NEAR(p, 1.0 / 6, 1e-12);

  records.ClearRows();
  for (double p : EstimateSetting(records).Probability) EXPECT_DOUBLE_EQ(p, 1.0 / 6);
}

TEST(SettingEstimate, APriorWeighsTheLikelihoodAndComesBackWhenTheRowsSayNothing) {
  Slot slot(77);
  RunRecords records;
  Simulate(slot, records, testing_support::Inputs(8000, 3));
  const SettingEstimate flat = EstimateSetting(records);
  const SettingWeights hall = {40, 25, 15, 10, 10, 0};
  const SettingEstimate weighed = EstimateSetting(records, hall);
  double total = 0;
  for (int s = 0; s < 6; ++s) total += hall[s] * flat.Probability[s];
  for (int s = 0; s < 6; ++s) {
    EXPECT_NEAR(weighed.Probability[s], hall[s] * flat.Probability[s] / total, 1e-12);
    EXPECT_DOUBLE_EQ(weighed.Prior[s], hall[s] / 100);
  }
  EXPECT_EQ(weighed.Probability[5], 0.0);
  EXPECT_EQ(weighed.UsedStretches, flat.UsedStretches);
  // Another prior is weighed against the likelihoods already read.
  EXPECT_EQ(Reweigh(weighed, UniformPrior()).Probability, flat.Probability);
  EXPECT_EQ(Reweigh(flat, {0, 0, 0, 0, 0, 0}).Probability, flat.Probability);

  records.ClearRows();
  const SettingEstimate nothing = EstimateSetting(records, hall);
  for (int s = 0; s < 6; ++s) EXPECT_DOUBLE_EQ(nothing.Probability[s], hall[s] / 100);

  EXPECT_TRUE(IsValidPrior(hall));
  EXPECT_TRUE(IsValidPrior({0, 0, 0, 0, 0, 1e-300}));
  for (const SettingWeights& bad :
       {SettingWeights{0, 0, 0, 0, 0, 0}, SettingWeights{1, 1, 1, 1, 1, -1},
        SettingWeights{1, 1, 1, 1, 1, NAN}, SettingWeights{1, 1, 1, 1, 1, INFINITY}}) {
    EXPECT_FALSE(IsValidPrior(bad));
    Simulate(slot, records, testing_support::Inputs(2000, 3));
    EXPECT_EQ(EstimateSetting(records, bad).Probability, EstimateSetting(records).Probability);
  }
}

// The estimate as a job gives the very figures of the plain one and counts
// the rows it read; a cancelled one gives nothing.
TEST(SettingEstimate, AsAJobCountsItsRowsAndGivesNothingWhenCancelled) {
  Slot slot(78);
  RunRecords records;
  Simulate(slot, records, testing_support::Inputs(20000, 4));
  const SettingWeights hall = {40, 25, 15, 10, 10, 0};
  Job job;
  const std::optional<SettingEstimate> weighed = EstimateSetting(records, hall, job);
  ASSERT_TRUE(weighed.has_value());
  EXPECT_EQ(job.Progress().Done, static_cast<int64_t>(records.RowCount()));
  EXPECT_EQ(weighed->Probability, EstimateSetting(records, hall).Probability);
  EXPECT_EQ(Reweigh(*weighed, UniformPrior()).Probability, EstimateSetting(records).Probability);
  Job cancelled;
  cancelled.Cancel();
  EXPECT_FALSE(EstimateSetting(records, hall, cancelled).has_value());
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

// Every stretch of a machine's run is one the machine could have played,
// from full stocks and from empty ones; only chains and stretches that give
// every setting the same chance are counted as left out.
TEST(SettingEstimate, EveryStretchOfAMachineRunIsReadAsPossible) {
  for (auto [big, reg] : {std::pair{255, 255}, std::pair{0, 0}, std::pair{3, 0}}) {
    SCOPED_TRACE(testing::Message() << big << "/" << reg);
    Slot slot(77);
    RunRecords records;
    Simulate(slot, records, testing_support::Inputs(8000, 3, big, reg));
    int32_t stretches = 0, impossible = 0;
    ScanStretches(records, [&](const SettingLikelihood& stretch) {
      ++stretches;
      for (double v : stretch.Log) impossible += std::isfinite(v) ? 0 : 1;
    });
    EXPECT_EQ(impossible, 0);
    const SettingEstimate e = EstimateSetting(records);
    EXPECT_GT(e.UsedStretches, 5);
    EXPECT_EQ(e.UsedStretches + e.SkippedStretches, stretches);
    EXPECT_NEAR(std::accumulate(e.Probability.begin(), e.Probability.end(), 0.0), 1.0, 1e-12);
    int32_t chained = 0;
    for (size_t i = 0; i < records.RowCount(); ++i) {
      const RunRow& row = records.Row(i);
      chained += IsBonusRow(row) && (row.RTCancel == 6 || row.RTCancel == 7);
    }
    if (big == 255) {
      EXPECT_GE(e.SkippedStretches, chained);
    }
  }
}
