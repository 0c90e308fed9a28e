#include "DryStretch.h"

#include <algorithm>
#include <cassert>

#include "LongRun.h"

namespace sorimu::theory {

namespace {

// P(a fresh RT, its mode drawn, lasts at least n games).
Real FreshAtLeast(const CycleModel& model, int64_t n) {
  Real tail = 0;
  for (size_t mode = 0; mode < kModeCount; ++mode) {
    const std::vector<Real>& atLeast = model.Fresh[mode].AtLeast;
    const size_t index = static_cast<size_t>(std::max<int64_t>(n, 0));
    tail += model.Odds.Mode(mode) * (index < atLeast.size() ? atLeast[index] : 0);
  }
  return tail;
}

// The chained games before the fresh RT that ends a first-hit stretch: after
// a first hit of kind k (mode drawn, so kind k with the mode's chance), zero
// or more chained releases follow, each after a fixed few games.
struct ChainedPart {
  std::vector<Real> endsFresh;  // [t]: t chained games, then a fresh RT starts
  std::vector<Real> passes;     // [n]: the chained games alone reach n or more
  Real mean = 0;                // mean chained games
};

ChainedPart Chained(const CycleModel& model, int32_t maxGames) {
  const size_t size = static_cast<size_t>(maxGames) + 1;
  ChainedPart part;
  part.endsFresh.assign(size, 0);
  part.passes.assign(size, 0);
  // at[kind][t]: a bonus of this kind ended after t chained games.
  std::vector<Real> at[kKindCount] = {std::vector<Real>(size, 0), std::vector<Real>(size, 0)};
  at[kBig][0] = model.Odds.Mode(0);
  at[kReg][0] = model.Odds.Mode(1);
  for (size_t t = 0; t < size; ++t) {
    for (size_t kind = 0; kind < kKindCount; ++kind) {
      const Real mass = at[kind][t];
      if (mass == 0) continue;
      part.endsFresh[t] += mass * model.After[kind].Fresh;
      for (const ChainedRelease& chain : model.After[kind].Chains) {
        const size_t next = t + static_cast<size_t>(chain.Games);
        // A chain that crosses game n counts once towards every n it passes.
        for (size_t n = t + 1; n <= std::min(next, size - 1); ++n)
          part.passes[n] += mass * chain.Chance;
        if (next < size) at[chain.Kind][next] += mass * chain.Chance;
      }
    }
  }
  // Mean chained games: m_k = sum over chains of chance × (games + m_next),
  // two linear equations in m_BIG and m_REG.
  Real a[kKindCount][kKindCount] = {{1, 0}, {0, 1}};
  Real b[kKindCount] = {0, 0};
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    for (const ChainedRelease& chain : model.After[kind].Chains) {
      a[kind][chain.Kind] -= chain.Chance;
      b[kind] += chain.Chance * chain.Games;
    }
  }
  const Real det = a[0][0] * a[1][1] - a[0][1] * a[1][0];
  const Real meanBig = (b[0] * a[1][1] - a[0][1] * b[1]) / det;
  const Real meanReg = (a[0][0] * b[1] - b[0] * a[1][0]) / det;
  part.mean = model.Odds.Mode(0) * meanBig + model.Odds.Mode(1) * meanReg;
  return part;
}

}  // namespace

Real DryStretchTail::BetweenBonusesAtLeast(int64_t games) const {
  if (games <= 0) return 1;
  const size_t n = static_cast<size_t>(games);
  return n < BetweenBonuses.size() ? BetweenBonuses[n] : 0;
}

Real DryStretchTail::BetweenFirstHitsAtLeast(int64_t games) const {
  if (games <= 0) return 1;
  const size_t n = static_cast<size_t>(games);
  return n < BetweenFirstHits.size() ? BetweenFirstHits[n] : 0;
}

DryStretchTail ComputeDryStretchTail(const CycleModel& model, int32_t maxGames) {
  assert(maxGames >= 0);
  maxGames = std::min(maxGames, kTailHorizon);
  const size_t size = static_cast<size_t>(maxGames) + 1;
  const std::array<Real, kKindCount> share = KindShares(model);
  DryStretchTail tail;
  tail.Setting = model.Odds.Setting;
  tail.BetweenBonuses.assign(size, 0);
  tail.BetweenFirstHits.assign(size, 0);

  for (size_t n = 0; n < size; ++n) {
    for (size_t from = 0; from < kKindCount; ++from) {
      const AfterBonus& after = model.After[from];
      Real p = after.Fresh * FreshAtLeast(model, static_cast<int64_t>(n));
      for (const ChainedRelease& chain : after.Chains) {
        if (static_cast<size_t>(chain.Games) >= n) p += chain.Chance;
      }
      tail.BetweenBonuses[n] += share[from] * p;
    }
  }
  for (size_t from = 0; from < kKindCount; ++from) {
    tail.MeanBetweenBonuses += share[from] * MeanGamesAfter(model, model.After[from]);
  }

  // A first-hit stretch is its chained games T plus one fresh RT: it reaches
  // n when T does, or when T = t < n and the fresh RT lasts n - t more. Only
  // the last longest-RT's worth of t can contribute, and only while the
  // chance of T = t has not run below what a long double holds.
  const ChainedPart chained = Chained(model, maxGames);
  const size_t freshLongest = std::max(model.Fresh[0].Games.size(), model.Fresh[1].Games.size());
  size_t chainEnd = size;
  while (chainEnd > 0 && chained.endsFresh[chainEnd - 1] == 0) --chainEnd;
  for (size_t n = 0; n < size; ++n) {
    Real p = chained.passes[n];
    const size_t first = n > freshLongest ? n - freshLongest : 0;
    for (size_t t = first; t < std::min(n, chainEnd); ++t) {
      p += chained.endsFresh[t] *
           FreshAtLeast(model, static_cast<int64_t>(n) - static_cast<int64_t>(t));
    }
    tail.BetweenFirstHits[n] = p;
  }
  tail.BetweenFirstHits[0] = 1;
  tail.MeanBetweenFirstHits = chained.mean + model.Odds.Mode(0) * model.Fresh[0].Mean +
                              model.Odds.Mode(1) * model.Fresh[1].Mean;
  return tail;
}

}  // namespace sorimu::theory
