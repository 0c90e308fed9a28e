#pragma once

#include <array>
#include <cstdint>

#include "CycleModel.h"

namespace sorimu::theory {

// The exact figures assume that every RT end finds a stock to release. A stock
// grows by the stock lottery on every normal game and loses one bonus at each
// bonus end of its kind. Where it grows faster than it is used, exp(-θ × stock),
// taken at the bonus ends, is a supermartingale for some θ > 0 (its mean over
// one cycle, from either kind of bonus end or from the start, is at most 1).
// Then a stock that is at some level falls by `d` more with a chance of at
// most exp(-θ d), and the chance of ever running out is bounded.
struct StockBound {
  // Per kind of stock: the chance of a win per normal game, and the long-run
  // bonuses of that kind per normal game. Drift is up where the first is larger.
  std::array<Real, kKindCount> Inflow{};
  std::array<Real, kKindCount> Outflow{};
  // The largest θ of the supermartingale; 0 when the stock does not drift up.
  std::array<Real, kKindCount> Theta{};
  // In the long run, the share of bonus cycles that begin with this stock
  // empty is at most this (1 when the stock does not drift up).
  std::array<Real, kKindCount> LongRunEmpty{};
};

StockBound ComputeStockBound(const CycleModel& model);

// The bound of a setting level of the machine with its own tables: a search
// over θ, the same for every run, so worked out once per process on first
// use; safe from any thread.
const StockBound& DefaultStockBound(int setting);

// The chance that, in a run started with these stocks, some RT end within
// `games` normal games finds the stock it should release empty, at most.
// Capped at 1; a start with an empty stock gets 1.
Real RunLeaveBound(const StockBound& bound, int32_t bigStock, int32_t regStock, int64_t games);

// The cycle's mean of exp(-θ × change of the stock of `kind`) from one bonus
// end (or the start) to the next: the quantity that must stay at most 1.
Real CycleExponentialMean(const CycleModel& model, const AfterBonus& after, size_t kind,
                          Real theta);

}  // namespace sorimu::theory
