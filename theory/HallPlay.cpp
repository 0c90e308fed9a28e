#include "HallPlay.h"

#include <cassert>
#include <cmath>
#include <limits>

#include "LongRun.h"

namespace sorimu::theory {

namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

// What lining up a bonus of this kind brings: the line-up game's payout and
// the bonus's mean net medals.
Real BonusWorth(const CycleModel& model, size_t kind) {
  const Outcome lineUp = kind == kBig ? Outcome::BIG : Outcome::REG;
  return RolePayout(lineUp) + model.Bonus[kind].Net();
}

// Why the expected medals of a stretch need no state: whether a normal game
// lines a bonus up is fixed before its role is drawn, and the role is drawn
// afresh on every game. So each game before the line-up pays the mean role
// pay, and each game after the first bets unless the one before drew a
// replay, whatever the stretch's length (Wald's identity). `roleGames` is the
// expected number of games that are not the line-up game, `laterBets` of
// games after the first that are played.
Real StretchMedals(const MachineOdds& odds, Real roleGames, Real firstBet, Real laterGames) {
  return odds.RolePay * roleGames - kNormalGameBet * (firstBet + (1 - odds.Replay()) * laterGames);
}

SinceFigures Unreachable(int32_t since) {
  SinceFigures f;
  f.Since = since;
  f.Within.fill(kNaN);
  f.NextKind.fill(kNaN);
  f.ExpectedGames = f.ToBonus = f.ThroughChain = kNaN;
  return f;
}

}  // namespace

SettingPlay DefaultSettingPlay(int setting) {
  return {&DefaultCycleModel(setting), &DefaultStretchLaws(setting)};
}

SinceFigures FiguresSince(const SettingPlay& play, size_t after, int32_t since) {
  assert(after < kStretchStarts && since >= 0);
  const StretchLaw& law = (*play.Laws)[after];
  const CycleModel& model = *play.Model;
  const Real reach = law.Tail(since);
  if (!(reach > 0)) return Unreachable(since);
  SinceFigures f;
  f.Since = since;
  f.Reach = reach;
  for (size_t w = 0; w < kWithinCount; ++w) {
    f.Within[w] = (reach - law.Tail(int64_t{since} + kWithinGames[w])) / reach;
  }
  f.ExpectedGames = law.ExcessAt(since) / reach;
  const std::array<Real, kKindCount> chain = QuitValue(play, kChainGames);
  // The game before the first one played (if any) was no line-up game, so it
  // drew a replay with the role's own chance.
  const Real firstBet = since == 0 ? 1 : 1 - model.Odds.Replay();
  f.ToBonus = StretchMedals(model.Odds, f.ExpectedGames - 1, firstBet, f.ExpectedGames - 1);
  f.ThroughChain = 0;
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    f.NextKind[kind] = law.TailOf(kind, since) / reach;
    f.ToBonus += f.NextKind[kind] * BonusWorth(model, kind);
    f.ThroughChain += f.NextKind[kind] * chain[kind];
  }
  f.ThroughChain += f.ToBonus;
  return f;
}

SinceFigures FiguresSinceEither(const SettingPlay& play, int32_t since) {
  const std::array<Real, kKindCount> share = KindShares(*play.Model);
  return MixSince({FiguresSince(play, kBig, since), FiguresSince(play, kReg, since)},
                  {share[kBig], share[kReg]});
}

SinceFigures MixSince(const std::vector<SinceFigures>& figures, const std::vector<Real>& weights) {
  assert(!figures.empty() && figures.size() == weights.size());
  Real total = 0, reached = 0;
  for (size_t i = 0; i < figures.size(); ++i) {
    total += weights[i];
    reached += weights[i] * figures[i].Reach;
  }
  const int32_t since = figures.front().Since;
  if (!(reached > 0)) return Unreachable(since);
  SinceFigures mix;
  mix.Since = since;
  mix.Reach = reached / total;
  for (size_t i = 0; i < figures.size(); ++i) {
    const Real share = weights[i] * figures[i].Reach / reached;
    if (share == 0) continue;  // its figures may be NaN
    const SinceFigures& f = figures[i];
    for (size_t w = 0; w < kWithinCount; ++w) mix.Within[w] += share * f.Within[w];
    for (size_t k = 0; k < kKindCount; ++k) mix.NextKind[k] += share * f.NextKind[k];
    mix.ExpectedGames += share * f.ExpectedGames;
    mix.ToBonus += share * f.ToBonus;
    mix.ThroughChain += share * f.ThroughChain;
  }
  return mix;
}

// V(k) = a(k) + sum over l of P(bonus of kind l within the games | k) V(l):
// what a stretch played up to the stop brings, then what the rule brings
// again after the bonus it may line up. Two linear equations.
std::array<Real, kKindCount> QuitValue(const SettingPlay& play, int32_t games) {
  assert(games >= 1);
  const CycleModel& model = *play.Model;
  Real a[kKindCount];
  Real p[kKindCount][kKindCount];
  for (size_t from = 0; from < kKindCount; ++from) {
    const StretchLaw& law = (*play.Laws)[from];
    // Games played that are not a line-up game: those of 1..games that the
    // stretch outlasts; games after the first: 2..games that it reaches.
    const Real roleGames = law.ExcessAt(1) - law.ExcessAt(int64_t{games} + 1);
    const Real laterGames = law.ExcessAt(1) - law.ExcessAt(games);
    a[from] = StretchMedals(model.Odds, roleGames, 1, laterGames);
    for (size_t to = 0; to < kKindCount; ++to) {
      p[from][to] = law.Within(to, games);
      a[from] += p[from][to] * BonusWorth(model, to);
    }
  }
  const Real m00 = 1 - p[kBig][kBig], m01 = -p[kBig][kReg];
  const Real m10 = -p[kReg][kBig], m11 = 1 - p[kReg][kReg];
  const Real det = m00 * m11 - m01 * m10;
  std::array<Real, kKindCount> value{};
  value[kBig] = (a[kBig] * m11 - m01 * a[kReg]) / det;
  value[kReg] = (m00 * a[kReg] - m10 * a[kBig]) / det;
  return value;
}

Real ChainWithin(const SettingPlay& play, size_t after, int32_t games) {
  assert(after < kKindCount);
  Real chance = 0;
  for (const ChainedRelease& chain : play.Model->After[after].Chains) {
    if (chain.Games <= games) chance += chain.Chance;
  }
  return chance;
}

int32_t PositiveFrom(const std::vector<SinceFigures>& figures, Real SinceFigures::*figure) {
  int32_t from = -1;
  for (size_t i = figures.size(); i-- > 0;) {
    const SinceFigures& f = figures[i];
    if (!f.Reachable()) continue;
    if (!(f.*figure > 0)) break;
    from = f.Since;
  }
  return from;
}

}  // namespace sorimu::theory
