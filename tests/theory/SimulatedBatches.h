#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "Outcome.h"

// Plays one seeded machine for many normal games and counts, batch by batch,
// what the exact figures predict; the batches give the standard errors.
namespace sorimu::theory_check {

struct BatchCounts {
  double Paid = 0;
  double Bet = 0;
  double Games = 0;
  double Big = 0;
  double Reg = 0;
  double BigFirst = 0;
  double RegFirst = 0;
  std::array<double, kRtCancelCauseCount> Cause{};  // bonuses lined up by each cause
  double RenAfterBig = 0;                           // BIGs followed by a 1G連
  // Dry stretches that ended in the batch, and those of at least the long mark.
  double Stretches = 0;
  double LongStretches = 0;
  double FirstStretches = 0;
  double LongFirstStretches = 0;
};

struct BatchPlan {
  int Setting = 1;
  uint32_t Seed = 1;
  int Batches = 50;
  int32_t GamesPerBatch = 400000;
  int32_t LongStretch = 1000;
};

// Starts as a run starts (SetFlevel, SetStock 255/255, Reset); the machine
// carries on from batch to batch.
std::vector<BatchCounts> PlayBatches(const BatchPlan& plan);

struct Check {
  double Estimate = 0;
  double StandardError = 0;
  double Z = 0;
};

// sum(numerator) / sum(denominator) over the batches, its standard error by
// the ratio estimator over batch means, and its z-score against `exact`.
Check CheckRatio(const std::vector<BatchCounts>& batches,
                 const std::function<double(const BatchCounts&)>& numerator,
                 const std::function<double(const BatchCounts&)>& denominator, double exact);

}  // namespace sorimu::theory_check
