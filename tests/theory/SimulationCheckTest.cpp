#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "DryStretch.h"
#include "ExpectedRun.h"
#include "LongRun.h"
#include "MachineRules.h"
#include "SimulatedBatches.h"
#include "Slot.h"

namespace sorimu::theory {
namespace {

using theory_check::BatchCounts;
using theory_check::CheckRatio;

double Of(Real value) { return static_cast<double>(value); }

// A seeded long run per setting against every exact figure: within 4
// standard errors (batch means). A wrong table index or a dropped cancel
// rule moves a figure by many more.
TEST(SimulationCheck, LongRunsFallWithinFourStandardErrorsOfEveryFigure) {
  theory_check::BatchPlan plan;
  plan.Batches = 80;
  plan.GamesPerBatch = 500000;
  plan.LongStretch = 1000;
  for (int s = 1; s <= 6; ++s) {
    plan.Setting = s;
    plan.Seed = 20240700 + s;
    const std::vector<BatchCounts> b = theory_check::PlayBatches(plan);
    const LongRunFigures f = ComputeLongRun(DefaultCycleModel(s));
    const DryStretchTail tail = ComputeDryStretchTail(DefaultCycleModel(s), plan.LongStretch);
    auto games = [](const BatchCounts& c) { return c.Games; };
    auto bonuses = [](const BatchCounts& c) { return c.Big + c.Reg; };
    struct Figure {
      std::string name;
      theory_check::Check check;
    };
    std::vector<Figure> figures = {
        {"payout",
         CheckRatio(
             b, [](auto& c) { return c.Paid; }, [](auto& c) { return c.Bet; }, Of(f.Payout))},
        {"big", CheckRatio(
                    b, [](auto& c) { return c.Big; }, games, Of(f.BigPerGame))},
        {"reg", CheckRatio(
                    b, [](auto& c) { return c.Reg; }, games, Of(f.RegPerGame))},
        {"big first", CheckRatio(
                          b, [](auto& c) { return c.BigFirst; }, games, Of(f.BigFirstPerGame))},
        {"reg first", CheckRatio(
                          b, [](auto& c) { return c.RegFirst; }, games, Of(f.RegFirstPerGame))},
        {"1G after BIG", CheckRatio(
                             b, [](auto& c) { return c.RenAfterBig; },
                             [](auto& c) { return c.Big; }, Of(f.RenAfterBig))},
        {"3G after BIG", CheckRatio(
                             b, [](auto& c) { return c.Cause[Code(RtCancelCause::Ren3G)]; },
                             [](auto& c) { return c.Big; }, Of(f.Ren3AfterBig))},
        {"stretch>=1000", CheckRatio(
                              b, [](auto& c) { return c.LongStretches; },
                              [](auto& c) { return c.Stretches; }, Of(tail.BetweenBonuses[1000]))},
        {"first stretch>=1000",
         CheckRatio(
             b, [](auto& c) { return c.LongFirstStretches; },
             [](auto& c) { return c.FirstStretches; }, Of(tail.BetweenFirstHits[1000]))},
    };
    for (int cause = 1; cause < kRtCancelCauseCount; ++cause) {
      figures.push_back(
          {"cause " + std::to_string(cause),
           CheckRatio(
               b, [cause](auto& c) { return c.Cause[cause]; }, bonuses, Of(f.CauseShare[cause]))});
    }
    std::printf("setting %d z:", s);
    for (const Figure& figure : figures) {
      std::printf(" %s %+.2f", figure.name.c_str(), figure.check.Z);
      EXPECT_LT(std::fabs(figure.check.Z), 4) << "setting " << s << " " << figure.name;
    }
    std::printf("\n");
  }
}

// Many short runs started as the analysis starts them, against the expected
// slump line and bets: the fresh start and the replay's skipped bet as the
// machine plays them.
TEST(SimulationCheck, ShortRunsAverageToTheExpectedLine) {
  constexpr int kRuns = 12000;
  constexpr int32_t kGames = 2000;
  for (int s : {1, 6}) {
    const ExpectedRun line = ComputeExpectedRun(DefaultCycleModel(s), RunStart{}, kGames);
    // Per mark (games 1, 300, 2000, and the bets at 2000): sum and sum of squares.
    const int32_t marks[] = {1, 300, kGames};
    double sum[4] = {}, squares[4] = {};
    for (int run = 0; run < kRuns; ++run) {
      Slot slot(static_cast<uint32_t>(run * 7919 + s));
      slot.SetFlevel(s);
      slot.SetStock(kMaxStock, kMaxStock);
      slot.Reset();
      double value[4] = {};
      for (int mark = 0; slot.PlayCount < kGames;) {
        const bool afterReplay = slot.LastOutcome == Code(Outcome::Replay);
        const int32_t before = slot.PlayCount;
        slot.Play();
        const bool normal = slot.PlayCount != before;
        const bool jac =
            slot.LastOutcome == Code(Outcome::JAC) || slot.LastOutcome == Code(Outcome::JACHazure);
        value[3] += normal ? (afterReplay ? 0 : kNormalGameBet) : (jac ? kJacGameBet : kBigGameBet);
        if (normal && slot.PlayCount == marks[mark]) value[mark++] = slot.Medal;
      }
      for (int i = 0; i < 4; ++i) {
        sum[i] += value[i];
        squares[i] += value[i] * value[i];
      }
    }
    const double exact[4] = {Of(line.BalanceAt(1)), Of(line.BalanceAt(300)),
                             Of(line.BalanceAt(kGames)), Of(line.BetsAt(kGames))};
    for (int i = 0; i < 4; ++i) {
      const double mean = sum[i] / kRuns;
      const double sd = std::sqrt((squares[i] - kRuns * mean * mean) / (kRuns - 1));
      EXPECT_LT(std::fabs(mean - exact[i]) / (sd / std::sqrt(kRuns)), 4)
          << "setting " << s << " mark " << i;
    }
  }
}

}  // namespace
}  // namespace sorimu::theory
