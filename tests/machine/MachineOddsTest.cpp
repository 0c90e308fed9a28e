#include <gtest/gtest.h>

#include <numeric>

#include "MachineOdds.h"

namespace sorimu {
namespace {

TEST(PickChances, CoverTheHalfOpenRangesAndTheRestBeyond) {
  Rate_TBL<int> stock;
  stock.assign({275, 183});
  EXPECT_EQ(PickChances(stock, 65536),
            (std::vector<Real>{275.0L / 65536, 183.0L / 65536, 65078.0L / 65536}));
  // Weights past the draw width are cut at the width; an empty table always yields 0.
  Rate_TBL<int> over;
  over.assign({200, 100});
  EXPECT_EQ(PickChances(over, 256), (std::vector<Real>{200.0L / 256, 56.0L / 256, 0}));
  EXPECT_EQ(PickChances(Rate_TBL<int>{}, 256), std::vector<Real>{1});
}

// The chances every lottery has by the machine's tables, worked out by hand.
TEST(MachineOdds, RoleAndLotteryChancesAreThoseOfTheTables) {
  const MachineOdds odds = ReadMachineOdds(Slot(0), 3);
  EXPECT_EQ(odds.Role[Code(Outcome::Cherry2)], 8.0L / 65536);
  EXPECT_EQ(odds.Role[Code(Outcome::Cherry4B)], 144.0L / 65536);
  EXPECT_EQ(odds.Replay(), 8979.0L / 65536);
  EXPECT_EQ(odds.Role[Code(Outcome::Hazure)], 1.0L / 65536);
  EXPECT_EQ(odds.Role[Code(Outcome::Miss)], 48017.0L / 65536);
  EXPECT_EQ(std::accumulate(odds.Role.begin(), odds.Role.end(), Real(0)), 1);
  EXPECT_EQ(odds.RolePay, (8 * 2 + 504 * 4 + 6795 * 8 + 720 * 14) / 65536.0L);
  EXPECT_EQ(odds.Mode0, 151.0L / 256);
  EXPECT_EQ(odds.Cancel, 39.0L / 256);
  EXPECT_EQ(odds.BigHazure, 68.0L / 65536);
  EXPECT_NEAR(odds.BigJacIn, 65468.0L / 65536 * 83 / 256, 1e-18);
  EXPECT_EQ(odds.JacWin, 65535.0L / 65536);
  EXPECT_NEAR(odds.ShortRt[32], 112.0L / 256 / 8, 1e-18);
  EXPECT_EQ(odds.ZtOnCut, 192.0L / 256);
  EXPECT_EQ(odds.ZtOnKeep, 200.0L / 256);
  EXPECT_EQ(odds.EmptyStartShort, 77.0L / 256);
}

// Known answers: the mean RT lengths that follow from the tables, published
// to a tenth of a game and rounded twice on the way (466.646 shows as 466.7).
TEST(MachineOdds, MeanRtLengthsAreThoseOfTheTables) {
  const Slot machine(0);
  auto mean = [&](int mode, int setting) {
    const MachineOdds odds = ReadMachineOdds(machine, setting);
    const std::vector<Real>& p = odds.RtLength[mode];
    Real sum = 0, total = 0;
    for (size_t g = 0; g < p.size(); ++g) {
      sum += g * p[g];
      total += p[g];
    }
    EXPECT_NEAR(total, 1, 1e-17);
    return static_cast<double>(sum);
  };
  const double mode0[] = {484.9, 466.7, 437.2, 419.3, 399.4, 399.4};
  const double mode1[] = {403.5, 403.5, 368.7, 368.7, 333.9, 326.0};
  for (int s = 1; s <= 6; ++s) {
    EXPECT_NEAR(mean(0, s), mode0[s - 1], 0.06) << "setting " << s;
    EXPECT_NEAR(mean(1, s), mode1[s - 1], 0.06) << "setting " << s;
  }
  // The ranges overlap on purpose: 999 is both in class 11 and class 12.
  EXPECT_NEAR(ReadMachineOdds(machine, 1).RtLength[0][999], 10.0L / 256 / 128 + 6.0L / 256, 1e-18);
}

}  // namespace
}  // namespace sorimu
