#include <gtest/gtest.h>

#include <cmath>

#include "BonusFigures.h"

namespace sorimu::theory {
namespace {

MachineOdds RealOdds() { return ReadMachineOdds(Slot(0), 1); }

Real Binomial(int n, int k, Real p) {
  Real c = 1;
  for (int i = 0; i < k; ++i) c = c * (n - i) / (i + 1);
  return c * std::pow(p, k) * std::pow(1 - p, n - k);
}

// Known answers: a BIG with three full sets and no miss of either kind gains
// 30 × (15 − 3) + 24 × (15 − 1) = 696 medals, a clean REG 8 × 14 = 112.
TEST(BonusFigures, CleanBonusesGainTheirKnownMedals) {
  MachineOdds clean = RealOdds();
  clean.BigHazure = 0;
  clean.BigJacIn = 1;  // every small-role game draws the JAC-IN role
  clean.JacWin = 1;
  const BonusFigures big = BigFigures(clean);
  EXPECT_EQ(big.Net(), 696);
  EXPECT_EQ(big.Games, 54);
  EXPECT_EQ(big.RenChance, 0);
  EXPECT_EQ(big.PunkChance, 0);
  EXPECT_EQ(RegFigures(clean).Net(), 112);

  // Without any JAC-IN role no set starts: a パンク of 30 small-role games.
  clean.BigJacIn = 0;
  const BonusFigures dry = BigFigures(clean);
  EXPECT_EQ(dry.Net(), 360);
  EXPECT_EQ(dry.PunkChance, 1);
  EXPECT_EQ(dry.RenChance, 1);
}

TEST(BonusFigures, RegEndsInA1GRenWhenAnyOfItsEightJacGamesMisses) {
  const BonusFigures reg = RegFigures(RealOdds());
  EXPECT_NEAR(reg.RenChance, 1 - std::pow(65535.0L / 65536, 8), 1e-19);
  EXPECT_NEAR(reg.JacMisses, 8.0L / 65536, 1e-19);
}

// By hand: K JAC-IN roles in small-role games 1..29 start min(K, 2) sets;
// game 30 starts the third on a JAC-IN role, or on a plum once K >= 3. No
// 1G連 needs no pure miss in 30 games, K >= 2 and a set on game 30, and no
// missed JAC game in 24.
TEST(BonusFigures, BigMatchesTheBinomialCountOfJacInRoles) {
  const MachineOdds odds = RealOdds();
  const BonusFigures big = BigFigures(odds);
  const Real h = odds.BigHazure;
  const Real a = odds.BigJacIn / (1 - h);  // JAC-IN role among non-misses
  Real atLeast3 = 1;
  for (int k = 0; k < 3; ++k) atLeast3 -= Binomial(29, k, a);
  const Real noRen =
      std::pow(1 - h, 30) * (Binomial(29, 2, a) * a + atLeast3) * std::pow(odds.JacWin, 24);
  EXPECT_NEAR(big.RenChance, 1 - noRen, 1e-16);

  const Real q = odds.BigJacIn;  // K ~ Binomial(29, q) counting misses too
  Real kAtLeast3 = 1;
  for (int k = 0; k < 3; ++k) kAtLeast3 -= Binomial(29, k, q);
  const Real setsBefore30 = Binomial(29, 1, q) + 2 * (1 - Binomial(29, 0, q) - Binomial(29, 1, q));
  const Real setOn30 = q + (1 - h - q) * kAtLeast3;
  EXPECT_NEAR(big.JacGames, 8 * (setsBefore30 + setOn30), 1e-13);
  const Real fullSets =
      (1 - Binomial(29, 0, q) - Binomial(29, 1, q) - Binomial(29, 2, q)) * (1 - h) +
      Binomial(29, 2, q) * q;
  EXPECT_NEAR(big.PunkChance, 1 - fullSets, 1e-16);
  EXPECT_NEAR(big.Paid - big.Bet, 30 * (15 * (1 - h) - 3) + big.JacGames * (15 * odds.JacWin - 1),
              1e-12);
  EXPECT_NEAR(big.HazureGames, 30 * h, 1e-18);
}

}  // namespace
}  // namespace sorimu::theory
