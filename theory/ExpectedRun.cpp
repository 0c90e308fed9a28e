#include "ExpectedRun.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

#include "LongRun.h"
#include "StockBound.h"

namespace sorimu::theory {

namespace {

// Both modes' game distributions side by side, so that one pass over the
// fresh-RT starts feeds both sums.
struct KernelPair {
  Real mode0 = 0;
  Real mode1 = 0;
};

std::vector<KernelPair> Kernel(const CycleModel& model) {
  const size_t length = std::max(model.Fresh[0].Games.size(), model.Fresh[1].Games.size());
  std::vector<KernelPair> kernel(length);
  for (size_t n = 0; n < length; ++n) {
    if (n < model.Fresh[0].Games.size())
      kernel[n].mode0 = model.Odds.Mode(0) * model.Fresh[0].Games[n];
    if (n < model.Fresh[1].Games.size())
      kernel[n].mode1 = model.Odds.Mode(1) * model.Fresh[1].Games[n];
  }
  return kernel;
}

// Once every value that later ones are built from lies within this share of
// its long-run value, so do all later ones, and the rest of the line is
// straight.
constexpr Real kSettled = 1e-15L;

// What game k adds, given the chances that it and the game before line up
// each kind of bonus.
struct GameStep {
  Real balance = 0;
  Real bets = 0;
};

GameStep Step(const CycleModel& model, const std::array<Real, kKindCount>& now,
              const std::array<Real, kKindCount>& before, Real bet) {
  const MachineOdds& odds = model.Odds;
  GameStep step;
  const Real pay = now[kBig] * RolePayout(Outcome::BIG) + now[kReg] * RolePayout(Outcome::REG) +
                   (1 - now[kBig] - now[kReg]) * odds.RolePay;
  step.balance = pay - bet;
  step.bets = bet;
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    step.balance += before[kind] * model.Bonus[kind].Net();
    step.bets += before[kind] * model.Bonus[kind].Bet;
  }
  return step;
}

// The game before a normal game shows its own role, a replay with the role's
// chance, unless it lined up a bonus (whose games came in between).
Real NormalBet(const CycleModel& model, const std::array<Real, kKindCount>& before) {
  return kNormalGameBet * (1 - model.Odds.Replay() * (1 - before[kBig] - before[kReg]));
}

}  // namespace

std::optional<std::string> CheckExpectedRun(const RunStart& start, int32_t games) {
  if (games < 1) return "Play数は、1以上にしてください。";
  if (start.BigStock < 0 || start.BigStock > kMaxStock)
    return "BIGストック数は、0～255にしてください。";
  if (start.RegStock < 0 || start.RegStock > kMaxStock)
    return "REGストック数は、0～255にしてください。";
  return std::nullopt;
}

Real ExpectedRun::BalanceAt(int32_t games) const {
  assert(games >= 0 && games <= Games);
  if (games <= ExactGames) return Balance[static_cast<size_t>(games)];
  return Balance[static_cast<size_t>(ExactGames)] + BalanceSlope * (games - ExactGames);
}

Real ExpectedRun::BetsAt(int32_t games) const {
  assert(games >= 0 && games <= Games);
  if (games <= ExactGames) return Bets[static_cast<size_t>(games)];
  return Bets[static_cast<size_t>(ExactGames)] + BetSlope * (games - ExactGames);
}

Real ExpectedRun::PayoutRate(int32_t games) const {
  const Real bets = BetsAt(games);
  return (bets + BalanceAt(games)) / bets;
}

// Renewal equations over the normal games: release[kind][k] is the chance
// that game k lines up a bonus of that kind, and fresh[t] the chance that a
// freshly drawn RT begins with game t + 1 (t = 0: the one Reset draws). A
// release comes either from a fresh RT, by its mode's game distribution, or
// from a chain a fixed number of games after an earlier release.
//
// Every value is a positive combination of earlier ones that the long-run
// rates solve exactly, so the largest relative deviation from them over the
// last `window` values never grows. Once it is below kSettled, the rest of the
// line follows from the long-run rates.
ExpectedRun ComputeExpectedRun(const CycleModel& model, const RunStart& start, int32_t games) {
  const std::vector<KernelPair> kernel = Kernel(model);
  const size_t width = kernel.size();
  int32_t longestChain = 0;
  for (const AfterBonus& after : model.After) {
    for (const ChainedRelease& chain : after.Chains)
      longestChain = std::max(longestChain, chain.Games);
  }
  const size_t window = std::max(width, static_cast<size_t>(longestChain) + 1);
  const LongRunFigures longRun = ComputeLongRun(model);
  const std::array<Real, kKindCount> settled = {longRun.BigPerGame, longRun.RegPerGame};

  std::array<std::vector<Real>, kKindCount> release;
  std::vector<Real> fresh{model.AtStart.Fresh};
  for (std::vector<Real>& r : release) r.assign(1, 0);
  ExpectedRun run;
  run.Games = games;
  run.Balance.assign(1, 0);
  run.Bets.assign(1, 0);

  size_t calm = 0;         // games in a row within kSettled
  Real calmDeviation = 0;  // the largest deviation among them
  size_t k = 1;
  for (; k <= static_cast<size_t>(games); ++k) {
    // Two partial sums per mode keep the long double adds from waiting on
    // each other.
    Real a0 = 0, b0 = 0, a1 = 0, b1 = 0;
    const size_t last = std::min(k, width - 1);
    size_t d = 1;
    for (; d + 1 <= last; d += 2) {
      const Real f = fresh[k - d];
      const Real g = fresh[k - d - 1];
      a0 += f * kernel[d].mode0;
      a1 += f * kernel[d].mode1;
      b0 += g * kernel[d + 1].mode0;
      b1 += g * kernel[d + 1].mode1;
    }
    if (d <= last) {
      a0 += fresh[k - d] * kernel[d].mode0;
      a1 += fresh[k - d] * kernel[d].mode1;
    }
    std::array<Real, kKindCount> now = {a0 + b0, a1 + b1};
    for (size_t from = 0; from < kKindCount; ++from) {
      for (const ChainedRelease& chain : model.After[from].Chains) {
        const size_t chainGames = static_cast<size_t>(chain.Games);
        if (k > chainGames) now[chain.Kind] += release[from][k - chainGames] * chain.Chance;
      }
    }
    const std::array<Real, kKindCount> before = {release[kBig][k - 1], release[kReg][k - 1]};
    const Real bet = k == 1 ? (start.FirstGameBets ? kNormalGameBet : 0) : NormalBet(model, before);
    const GameStep step = Step(model, now, before, bet);
    run.Balance.push_back(run.Balance.back() + step.balance);
    run.Bets.push_back(run.Bets.back() + step.bets);
    for (size_t kind = 0; kind < kKindCount; ++kind) release[kind].push_back(now[kind]);
    fresh.push_back(now[kBig] * model.After[kBig].Fresh + now[kReg] * model.After[kReg].Fresh);

    const Real deviation = std::max(std::fabs(now[kBig] / settled[kBig] - 1),
                                    std::fabs(now[kReg] / settled[kReg] - 1));
    if (deviation <= kSettled) {
      calmDeviation = std::max(calmDeviation, deviation);
      if (++calm >= window && k > window) break;
    } else {
      calm = 0;
      calmDeviation = 0;
    }
  }
  run.ExactGames = static_cast<int32_t>(std::min(k, static_cast<size_t>(games)));
  const GameStep stepAfter = Step(model, settled, settled, NormalBet(model, settled));
  run.BalanceSlope = stepAfter.balance;
  run.BetSlope = stepAfter.bets;
  // How far one game's amounts can move when each chance moves by its share.
  Real sensitivity = 0;
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    const Real linePay = RolePayout(kind == kBig ? Outcome::BIG : Outcome::REG);
    sensitivity += settled[kind] *
                   (std::fabs(linePay - model.Odds.RolePay) + kNormalGameBet * model.Odds.Replay() +
                    std::fabs(model.Bonus[kind].Net()) + model.Bonus[kind].Bet);
  }
  run.SlopeError = calmDeviation * sensitivity;
  run.LeaveBound = RunLeaveBound(ComputeStockBound(model), start.BigStock, start.RegStock, games);
  return run;
}

}  // namespace sorimu::theory
