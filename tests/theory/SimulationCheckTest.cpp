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
// slump line and the expected bets at a few points.
TEST(SimulationCheck, ShortRunsAverageToTheExpectedLine) {
  constexpr int kRuns = 12000;
  constexpr int32_t kGames = 2000;
  const int32_t marks[] = {1, 300, 1000, 2000};
  for (int s : {1, 6}) {
    const ExpectedRun line = ComputeExpectedRun(DefaultCycleModel(s), RunStart{}, kGames);
    double sum[4] = {}, squares[4] = {}, bets = 0, betSquares = 0;
    for (int run = 0; run < kRuns; ++run) {
      Slot slot(static_cast<uint32_t>(run * 7919 + s));
      slot.SetFlevel(s);
      slot.SetStock(kMaxStock, kMaxStock);
      slot.Reset();
      int mark = 0;
      double bet = 0;
      while (slot.PlayCount < kGames) {
        const bool afterReplay = slot.LastOutcome == Code(Outcome::Replay);
        const int32_t before = slot.PlayCount;
        slot.Play();
        if (slot.BonusGames != 0) {
          const bool jac = slot.LastOutcome == Code(Outcome::JAC) ||
                           slot.LastOutcome == Code(Outcome::JACHazure);
          bet += jac ? kJacGameBet : kBigGameBet;
        } else if (!afterReplay) {
          bet += kNormalGameBet;
        }
        if (slot.PlayCount != before && slot.PlayCount == marks[mark]) {
          sum[mark] += slot.Medal;
          squares[mark] += static_cast<double>(slot.Medal) * slot.Medal;
          ++mark;
        }
      }
      bets += bet;
      betSquares += bet * bet;
    }
    auto z = [](double total, double totalSquares, double exact) {
      const double mean = total / kRuns;
      const double sd = std::sqrt((totalSquares - kRuns * mean * mean) / (kRuns - 1));
      return sd == 0 ? (mean - exact) * 1e9 : (mean - exact) / (sd / std::sqrt(kRuns));
    };
    for (int i = 0; i < 4; ++i) {
      EXPECT_LT(std::fabs(z(sum[i], squares[i], Of(line.BalanceAt(marks[i])))), 4)
          << "setting " << s << " game " << marks[i];
    }
    EXPECT_LT(std::fabs(z(bets, betSquares, Of(line.BetsAt(kGames)))), 4)
        << "setting " << s << " bets";
  }
}

}  // namespace
}  // namespace sorimu::theory
