#include "StockBound.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "KeptPerSetting.h"
#include "LongRun.h"

namespace sorimu::theory {

namespace {

// Mean of z^N over a fresh RT's games N.
Real Generating(const FreshRt& rt, Real z) {
  Real sum = 0;
  Real power = 1;
  for (size_t n = 0; n < rt.Games.size(); ++n) {
    sum += rt.Games[n] * power;
    power *= z;
  }
  return sum;
}

Real StockWin(const MachineOdds& odds, size_t kind) {
  return kind == kBig ? odds.BigStockWin : odds.RegStockWin;
}

// What a cycle mean takes at one θ, whatever the cycle's start: the stock's
// factor per normal game, per release of its kind, and each mode's fresh RT.
struct CycleFactors {
  Real perGame = 1;
  Real used = 1;
  std::array<Real, kModeCount> fresh{};
};

CycleFactors FactorsAt(const CycleModel& model, size_t kind, Real theta) {
  CycleFactors factors;
  factors.perGame = 1 - StockWin(model.Odds, kind) * (1 - std::exp(-theta));
  factors.used = std::exp(theta);
  for (size_t mode = 0; mode < kModeCount; ++mode) {
    factors.fresh[mode] = Generating(model.Fresh[mode], factors.perGame);
  }
  return factors;
}

Real MeanFrom(const CycleModel& model, const AfterBonus& after, size_t kind,
              const CycleFactors& factors) {
  Real mean = 0;
  for (const ChainedRelease& chain : after.Chains) {
    mean += chain.Chance * std::pow(factors.perGame, static_cast<Real>(chain.Games)) *
            (chain.Kind == kind ? factors.used : 1);
  }
  for (size_t mode = 0; mode < kModeCount; ++mode) {
    mean += after.Fresh * model.Odds.Mode(mode) * factors.fresh[mode] *
            (mode == kind ? factors.used : 1);
  }
  return mean;
}

// The worst (largest) cycle mean over every kind of cycle start; the fresh
// RTs' generating values are the same for all of them.
Real WorstMean(const CycleModel& model, size_t kind, Real theta) {
  const CycleFactors factors = FactorsAt(model, kind, theta);
  Real worst = MeanFrom(model, model.AtStart, kind, factors);
  for (const AfterBonus& after : model.After) {
    worst = std::max(worst, MeanFrom(model, after, kind, factors));
  }
  return worst;
}

// The largest θ with WorstMean <= 1. Each mean is convex in θ and 1 at 0,
// falling at first where the drift is up, so the set is an interval.
Real LargestTheta(const CycleModel& model, size_t kind) {
  const Real probe = 1e-6L;
  if (WorstMean(model, kind, probe) >= 1) return 0;
  Real low = probe;
  Real high = 2 * probe;
  while (WorstMean(model, kind, high) < 1) {
    low = high;
    high *= 2;
    if (high > 64) return low;
  }
  for (int i = 0; i < 100 && high - low > 1e-15L * high; ++i) {
    const Real mid = (low + high) / 2;
    (WorstMean(model, kind, mid) < 1 ? low : high) = mid;
  }
  return low;
}

// Stocks only fall at bonus ends, one at a time, and never below 0; a run
// that finds a stock empty has brought it down from the cap, or from where it
// started, without the cap ever acting since. See docs/theory.md.
constexpr int32_t kFallFromTop = kMaxStock - 1;

}  // namespace

Real CycleExponentialMean(const CycleModel& model, const AfterBonus& after, size_t kind,
                          Real theta) {
  return MeanFrom(model, after, kind, FactorsAt(model, kind, theta));
}

StockBound ComputeStockBound(const CycleModel& model) {
  const LongRunFigures longRun = ComputeLongRun(model);
  StockBound bound;
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    bound.Inflow[kind] = StockWin(model.Odds, kind);
    bound.Outflow[kind] = kind == kBig ? longRun.BigPerGame : longRun.RegPerGame;
    bound.Theta[kind] = LargestTheta(model, kind);
    // An excursion below the top reaches 0 with chance at most
    // exp(-θ (cap - 1)), at most one excursion starts per cycle, and one that
    // got there returns to 0 after t more cycles with chance at most m(θ')^t
    // for any smaller θ'.
    Real smallestMean = 1;
    for (int step = 1; step < 64; ++step) {
      smallestMean = std::min(smallestMean, WorstMean(model, kind, bound.Theta[kind] * step / 64));
    }
    bound.LongRunEmpty[kind] =
        smallestMean < 1
            ? std::min<Real>(1, std::exp(-bound.Theta[kind] * kFallFromTop) / (1 - smallestMean))
            : 1;
  }
  return bound;
}

const StockBound& DefaultStockBound(int setting) {
  static KeptPerSetting<StockBound> bounds;
  return bounds.Get(setting, [&] { return ComputeStockBound(DefaultCycleModel(setting)); });
}

Real RunLeaveBound(const StockBound& bound, int32_t bigStock, int32_t regStock, int64_t games) {
  const int32_t start[kKindCount] = {bigStock, regStock};
  Real total = 0;
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    const Real theta = bound.Theta[kind];
    total +=
        std::exp(-theta * start[kind]) + static_cast<Real>(games) * std::exp(-theta * kFallFromTop);
  }
  return std::min<Real>(total, 1);
}

}  // namespace sorimu::theory
