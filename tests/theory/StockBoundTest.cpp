#include <gtest/gtest.h>

#include "StockBound.h"

namespace sorimu::theory {
namespace {

// Both stocks fill faster than the bonuses use them, at every setting, so an
// empty stock is a rare event that the figures can leave out.
TEST(StockBound, StocksDriftUpAndRunningOutIsNegligible) {
  for (int s = 1; s <= 6; ++s) {
    SCOPED_TRACE(s);
    const CycleModel& model = DefaultCycleModel(s);
    const StockBound bound = ComputeStockBound(model);
    for (size_t kind = 0; kind < kKindCount; ++kind) {
      EXPECT_GT(bound.Inflow[kind], 1.4 * bound.Outflow[kind]);
      ASSERT_GT(bound.Theta[kind], 0.1);
      // The supermartingale's cycle means stay at most 1 up to θ, and not beyond.
      for (const AfterBonus* after : {&model.AtStart, &model.After[kBig], &model.After[kReg]}) {
        EXPECT_LE(CycleExponentialMean(model, *after, kind, bound.Theta[kind]), 1);
      }
      EXPECT_LT(bound.LongRunEmpty[kind], 1e-15);
    }
    EXPECT_LT(RunLeaveBound(bound, 255, 255, 1000000), 1e-12);
    EXPECT_EQ(RunLeaveBound(bound, 0, 255, 100), 1);
    EXPECT_GT(RunLeaveBound(bound, 10, 255, 8000), 1e-6);
  }
}

TEST(StockBound, AStockThatDrainsGivesNoGuarantee) {
  Slot machine(0);
  machine.StockTbl[0] = 20;  // a BIG stock win 1 in 3277 games: fewer than BIGs
  const StockBound bound = ComputeStockBound(BuildCycleModel(ReadMachineOdds(machine, 6)));
  EXPECT_LT(bound.Inflow[kBig], bound.Outflow[kBig]);
  EXPECT_EQ(bound.Theta[kBig], 0);
  EXPECT_EQ(bound.LongRunEmpty[kBig], 1);
  EXPECT_EQ(RunLeaveBound(bound, 255, 255, 1000), 1);
}

}  // namespace
}  // namespace sorimu::theory
