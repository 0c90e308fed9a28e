#include "LongRun.h"

namespace sorimu::theory {

namespace {

Real FreshMean(const CycleModel& model) {
  return model.Odds.Mode(0) * model.Fresh[0].Mean + model.Odds.Mode(1) * model.Fresh[1].Mean;
}

}  // namespace

Real KindTransition(const CycleModel& model, size_t from, size_t to) {
  const AfterBonus& after = model.After[from];
  Real chance = after.Fresh * model.Odds.Mode(to);
  for (const ChainedRelease& chain : after.Chains) {
    if (chain.Kind == to) chance += chain.Chance;
  }
  return chance;
}

std::array<Real, kKindCount> KindShares(const CycleModel& model) {
  const Real toReg = KindTransition(model, kBig, kReg);
  const Real toBig = KindTransition(model, kReg, kBig);
  return {toBig / (toBig + toReg), toReg / (toBig + toReg)};
}

Real MeanGamesAfter(const CycleModel& model, const AfterBonus& after) {
  Real games = after.Fresh * FreshMean(model);
  for (const ChainedRelease& chain : after.Chains) games += chain.Chance * chain.Games;
  return games;
}

// A renewal-reward argument over the cycle from one bonus to the next. The
// kinds of successive bonuses form a two-state chain; a cycle's games,
// medals and cause depend only on the kind before it, and the bonus itself on
// its own kind. Every long-run ratio is then a ratio of means weighted by the
// kinds' shares.
LongRunFigures ComputeLongRun(const CycleModel& model) {
  const MachineOdds& odds = model.Odds;
  const std::array<Real, kKindCount> share = KindShares(model);
  LongRunFigures f;
  f.Setting = odds.Setting;
  f.BigShare = share[kBig];

  Real games = 0;
  Real firstHits[kKindCount] = {0, 0};
  for (size_t from = 0; from < kKindCount; ++from) {
    const AfterBonus& after = model.After[from];
    games += share[from] * MeanGamesAfter(model, after);
    for (const ChainedRelease& chain : after.Chains) {
      f.CauseShare[IndexOf(chain.Cause)] += share[from] * chain.Chance;
    }
    for (size_t mode = 0; mode < kModeCount; ++mode) {
      const Real fresh = share[from] * after.Fresh * odds.Mode(mode);
      firstHits[mode] += fresh;
      for (size_t cause = 0; cause < f.CauseShare.size(); ++cause) {
        f.CauseShare[cause] += fresh * model.Fresh[mode].Cause[cause];
      }
    }
  }
  f.GamesPerBonus = games;
  f.BigPerGame = share[kBig] / games;
  f.RegPerGame = share[kReg] / games;
  f.BigFirstPerGame = firstHits[kBig] / games;
  f.RegFirstPerGame = firstHits[kReg] / games;
  f.GamesPerFirstHit = games / (firstHits[kBig] + firstHits[kReg]);

  // Per bonus: the normal games before it (the first after a bonus always
  // bets; any later one unless the game before drew a replay, which the
  // line-up game never shows), the line-up payout, and the bonus itself.
  const BonusFigures& big = model.Bonus[kBig];
  const BonusFigures& reg = model.Bonus[kReg];
  const Real lineUpPay =
      share[kBig] * RolePayout(Outcome::BIG) + share[kReg] * RolePayout(Outcome::REG);
  const Real paid =
      lineUpPay + odds.RolePay * (games - 1) + share[kBig] * big.Paid + share[kReg] * reg.Paid;
  const Real bet = kNormalGameBet * (1 + (1 - odds.Replay()) * (games - 1)) +
                   share[kBig] * big.Bet + share[kReg] * reg.Bet;
  f.Payout = paid / bet;

  f.RenAfterBig = big.RenChance;
  f.RenAfterReg = reg.RenChance;
  f.Ren3AfterBig = (1 - big.RenChance) * odds.Ren3;
  const Real causes[3] = {share[kBig] * big.HazureGames,
                          share[kBig] * big.JacMisses + share[kReg] * reg.JacMisses,
                          share[kBig] * big.PunkChance};
  const Real allCauses = causes[0] + causes[1] + causes[2];
  for (size_t i = 0; i < f.RenCauseShare.size(); ++i) f.RenCauseShare[i] = causes[i] / allCauses;
  return f;
}

std::vector<LongRunFigures> DefaultLongRun() {
  std::vector<LongRunFigures> all;
  for (int s = 1; s <= kSettingCount; ++s) all.push_back(ComputeLongRun(DefaultCycleModel(s)));
  return all;
}

}  // namespace sorimu::theory
