#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisTable.h"
#include "PooledRate.h"

namespace sorimu {
namespace {

RunFigures OneRun(int64_t bets, int32_t finalMedal) {
  RunFigures r;
  r.Bets = bets;
  r.FinalMedal = finalMedal;
  return r;
}

// By hand: 420 paid for 400 bet is 105 %, while the runs' own rates (90 %
// and 110 %) average 100 %. Residuals -15 and +15 over a mean bet of 200
// give a standard error of 7.5 points.
TEST(PooledRate, WeighsRunsByTheirBetsWithTheRatioEstimatorsInterval) {
  const MeanWithInterval m = PooledPayoutRate({OneRun(100, -10), OneRun(300, 30)});
  EXPECT_DOUBLE_EQ(m.Mean, 105);
  EXPECT_NEAR(m.Low, 105 - 1.959963984540054 * 7.5, 1e-9);
  EXPECT_NEAR(m.High, 105 + 1.959963984540054 * 7.5, 1e-9);
  EXPECT_TRUE(OutsideInterval(119.8, m));
  EXPECT_FALSE(OutsideInterval(119.6, m));

  const MeanWithInterval one = PooledPayoutRate({OneRun(300, 30)});
  EXPECT_EQ(one.Low, one.High);
  EXPECT_DOUBLE_EQ(PooledPayoutRate({}).Mean, 0);
  EXPECT_DOUBLE_EQ(PooledPayoutRate({OneRun(0, 0)}).Mean, 0);
}

TEST(PooledRate, TheAnalysisTableShowsBothRatesAndTheTheoryMarkedWhereItFallsOutside) {
  AnalysisRequest request;
  request.Games = 1500;
  request.Trials = 40;
  request.Setting = 6;
  request.Seed = 5;
  request.Jobs = 2;
  AnalysisOutcome outcome = RunAnalysis(request);
  ASSERT_TRUE(outcome.status.Ok());
  SettingFigures& f = outcome.Result.Settings[0];
  const PayoutTheory exact = ExactPayout(6, 1500, 255, 255);
  EXPECT_EQ(f.Theory.ForRuns, exact.ForRuns);
  EXPECT_NEAR(f.Theory.LongRun, 121.82, 0.005);

  auto cell = [&](const std::string& caption) {
    for (const TableRow& row : AnalysisTableRows(outcome.Result)) {
      if (row[0] == caption) return row[1];
    }
    return std::string("no such row");
  };
  EXPECT_EQ(cell("機械割(%) 各回平均"), FormatFixed(f.PayoutRate.Mean, 2));
  EXPECT_EQ(cell("機械割(%) 全体"), FormatFixed(f.PooledPayoutRate.Mean, 2));
  EXPECT_EQ(cell("機械割(%) 理論値 長期"), "121.82");
  f.Theory.ForRuns = f.PooledPayoutRate.High + 0.5;
  EXPECT_EQ(cell("機械割(%) 理論値 1500G"), FormatFixed(f.Theory.ForRuns, 2) + " ※区間外");
  f.Theory.ForRuns = f.PooledPayoutRate.Mean;
  EXPECT_EQ(cell("機械割(%) 理論値 1500G"), FormatFixed(f.Theory.ForRuns, 2));

  // Stocks that could run out within the runs leave the exact figure out.
  EXPECT_TRUE(std::isnan(ExactPayout(6, 1500, 3, 255).ForRuns));
}

}  // namespace
}  // namespace sorimu
