#include <gtest/gtest.h>

#include <numeric>

#include "DryStretch.h"
#include "LongRun.h"

namespace sorimu::theory {
namespace {

// Different routes to the same quantities must meet.
TEST(LongRun, FiguresAgreeWithEachOther) {
  for (const LongRunFigures& f : DefaultLongRun()) {
    SCOPED_TRACE(f.Setting);
    EXPECT_NEAR(std::accumulate(f.CauseShare.begin(), f.CauseShare.end(), Real(0)), 1, 1e-17);
    EXPECT_EQ(f.CauseShare[Code(RtCancelCause::None)], 0);
    EXPECT_NEAR(f.BonusPerGame() * f.GamesPerBonus, 1, 1e-17);
    EXPECT_NEAR(f.FirstPerGame() * f.GamesPerFirstHit, 1, 1e-17);
    // The first-hit stretch's mean, built from the chains and one fresh RT,
    // is the first-hit rate's inverse.
    const DryStretchTail tail = ComputeDryStretchTail(DefaultCycleModel(f.Setting), 0);
    EXPECT_NEAR(tail.MeanBetweenFirstHits / f.GamesPerFirstHit, 1, 1e-16);
    // First hits are the bonuses lined up by neither chain.
    EXPECT_NEAR(f.FirstPerGame() / f.BonusPerGame(), 1 - f.RenShare() - f.Ren3Share(), 1e-17);
    EXPECT_NEAR(f.BigPerGame / f.BonusPerGame(), f.BigShare, 1e-17);
    EXPECT_NEAR(f.RenCauseShare[0] + f.RenCauseShare[1] + f.RenCauseShare[2], 1, 1e-17);
  }
}

// The signature of the theory: a change to a table, a rule or the method
// that moves any payout rate says so here.
TEST(LongRun, TheSixPayoutRatesArePinned) {
  const double pinned[] = {0.986187071972609, 1.015223719963384, 1.053281452701952,
                           1.109593246325303, 1.148522813332743, 1.218228031700774};
  const std::vector<LongRunFigures> all = DefaultLongRun();
  ASSERT_EQ(all.size(), 6u);
  for (int s = 0; s < 6; ++s) EXPECT_NEAR(all[s].Payout, pinned[s], 1e-14) << "setting " << s + 1;
}

// The figures read the machine they are given: another cancel weight is
// another machine.
TEST(MachineOdds, AChangedWeightChangesTheFigures) {
  Slot machine(0);
  const LongRunFigures before = ComputeLongRun(BuildCycleModel(ReadMachineOdds(machine, 6)));
  machine.CancelTbl6[0] = 0;
  const MachineOdds odds = ReadMachineOdds(machine, 6);
  EXPECT_EQ(odds.Cancel, 0);
  const LongRunFigures after = ComputeLongRun(BuildCycleModel(odds));
  EXPECT_EQ(after.CauseShare[Code(RtCancelCause::Cherry4B1)], 0);
  EXPECT_LT(after.Payout, before.Payout - 0.01);
}

}  // namespace
}  // namespace sorimu::theory
