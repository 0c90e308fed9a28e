#include "RtBand.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstring>

#include "WideVectors.h"

namespace sorimu {

namespace {

// A lazy scale is put into the weights before it could leave the range of a
// double, by powers of two so that nothing is rounded on the way.
const double kScaleFloor = std::ldexp(1.0, -900);
const double kScaleCeiling = std::ldexp(1.0, 900);

// The lanes four at a time: lane by lane the same steps as a plain loop, so
// the same figures, but without leaving the compiler to prove that the
// arrays do not overlap.
using Quad = double __attribute__((vector_size(4 * sizeof(double))));
static_assert(kRtLanes % 4 == 0);

void AddScaled(RtLanes& to, const RtLanes& from, const RtLanes& factor) {
  for (size_t q = 0; q < kRtLanes; q += 4) {
    Quad sum, add, by;
    std::memcpy(&sum, &to[q], sizeof sum);
    std::memcpy(&add, &from[q], sizeof add);
    std::memcpy(&by, &factor[q], sizeof by);
    sum += add * by;
    std::memcpy(&to[q], &sum, sizeof sum);
  }
}

void Add(RtLanes& to, const RtLanes& from) {
  for (size_t q = 0; q < kRtLanes; q += 4) {
    Quad sum, add;
    std::memcpy(&sum, &to[q], sizeof sum);
    std::memcpy(&add, &from[q], sizeof add);
    sum += add;
    std::memcpy(&to[q], &sum, sizeof sum);
  }
}

void MultiplyBy(RtLanes& lanes, const RtLanes& factor) {
  for (size_t q = 0; q < kRtLanes; q += 4) {
    Quad product, by;
    std::memcpy(&product, &lanes[q], sizeof product);
    std::memcpy(&by, &factor[q], sizeof by);
    product *= by;
    std::memcpy(&lanes[q], &product, sizeof product);
  }
}

}  // namespace

void RtBand::Window::Clear() {
  newer.clear();
  newerSum.fill(0);
  older.clear();
  count = 0;
}

void RtBand::Window::Push(const RtLanes& draw) {
  newer.push_back(draw);
  Add(newerSum, draw);
  if (++count <= static_cast<size_t>(last - first) + 1) return;
  // The oldest draw leaves the window.
  if (older.empty()) {
    RtLanes suffix{};
    for (size_t i = newer.size(); i-- > 0;) {
      Add(suffix, newer[i]);
      older.push_back(suffix);
    }
    newer.clear();
    newerSum.fill(0);
  }
  older.pop_back();
  --count;
}

RtLanes RtBand::Window::Sum() const {
  RtLanes sum = newerSum;
  if (!older.empty()) Add(sum, older.back());
  return sum;
}

RtBand::RtBand(int32_t low, int32_t high, const std::vector<RtLanes>& lengths, Kind kind)
    : low_(low), high_(high), lengths_(lengths), kind_(kind) {
  assert(low >= 1 && low <= high && static_cast<size_t>(high) + 1 < lengths.size());
  // The band's games, the one above them for a draw's closing steps, and one
  // more for the weights that come down.
  const size_t ring = std::bit_ceil(static_cast<size_t>(high - low) + 3);
  mask_ = ring - 1;
  mass_.resize(ring);
  step_.resize(ring);
  epochs_.assign(ring, 0);
  if (kind_ != Kind::Stepped) draws_.resize(ring);
  scale_.fill(1);
  inverse_.fill(1);

  // A draw's steps within the band: up to its chance on the lowest game,
  // the changes between classes, and back to 0 above the highest. They mark
  // the runs of equal chances too.
  RtLanes before{};
  for (int32_t r = low; r <= high + 1; ++r) {
    RtLanes change{};
    bool changes = false;
    for (size_t l = 0; l < kRtLanes; ++l) {
      const double at = r <= high ? lengths[static_cast<size_t>(r)][l] : 0.0;
      change[l] = at - before[l];
      changes = changes || at != before[l];
      before[l] = at;
      if (r <= high) bandMass_[l] += at;
    }
    if (!changes) continue;
    stepGames_.push_back(r);
    stepChanges_.push_back(change);
    if (kind_ != Kind::Windowed) continue;
    if (!windows_.empty()) windows_.back().last = r - 1;
    if (r <= high)
      windows_.push_back(Window{r, high, lengths[static_cast<size_t>(r)], {}, {}, {}, 0});
  }
  if (kind_ != Kind::Stepped) {
    tail_.assign(static_cast<size_t>(high) + 2, RtLanes{});
    for (int32_t x = high; x >= low; --x) {
      tail_[static_cast<size_t>(x)] = tail_[static_cast<size_t>(x) + 1];
      Add(tail_[static_cast<size_t>(x)], lengths[static_cast<size_t>(x)]);
    }
  }
}

void RtBand::Clear() {
  ++epoch_;
  running_.fill(0);
  total_.fill(0);
  scale_.fill(1);
  inverse_.fill(1);
  for (Window& window : windows_) window.Clear();
  firstPosition_ = kNothingYet;
  firstDraw_ = kNothingYet;
  empty_ = true;
}

RtLanes RtBand::DrawnAfter(int32_t games) const {
  const Drawn& draw = draws_[Index(games)];
  return draw.epoch == epoch_ && draw.games == games ? draw.stored : RtLanes{};
}

void RtBand::Scale(const SettingValues& factor) {
  SettingValues reciprocal;
  for (size_t s = 0; s < kSettingCount; ++s) reciprocal[s] = factor[s] == 0 ? 0.0 : 1.0 / factor[s];
  Scale(factor, reciprocal);
}

SORIMU_WIDE_VECTORS void RtBand::Scale(const SettingValues& factor,
                                       const SettingValues& reciprocal) {
  if (empty_) return;
  bool anyZero = false;
  bool allZero = true;
  for (const double f : factor) {
    anyZero = anyZero || f == 0;
    allZero = allZero && f == 0;
  }
  if (allZero) {
    Clear();
    return;
  }
  if (!anyZero) {
    // Every role on every game comes this way: lane by lane, no branches.
    RtLanes by;
    RtLanes byReciprocal;
    for (size_t s = 0; s < kSettingCount; ++s) {
      for (size_t m = 0; m < kModeCount; ++m) {
        by[LaneOf(s, m)] = factor[s];
        byReciprocal[LaneOf(s, m)] = reciprocal[s];
      }
    }
    MultiplyBy(scale_, by);
    MultiplyBy(inverse_, byReciprocal);
  } else {
    // Where a setting's factor is 0 and another's is not (a machine whose
    // tables make a role rule out some settings but not all), its weights go
    // at once.
    RtLanes zero;
    for (size_t s = 0; s < kSettingCount; ++s) {
      for (size_t m = 0; m < kModeCount; ++m) {
        const size_t l = LaneOf(s, m);
        zero[l] = factor[s] == 0 ? 0.0 : 1.0;
        scale_[l] = factor[s] == 0 ? 1.0 : scale_[l] * factor[s];
        inverse_[l] = factor[s] == 0 ? 1.0 : inverse_[l] * reciprocal[s];
      }
    }
    Multiply(zero);
  }
  // The scale of the others may need putting into the weights.
  bool outOfRange = false;
  for (const double scale : scale_) outOfRange |= (scale < kScaleFloor) | (scale > kScaleCeiling);
  if (outOfRange) Rebase();
}

// Puts the lazy scale into every weight held; rare, as it takes a pass.
void RtBand::Rebase() {
  Multiply(scale_);
  scale_.fill(1);
  inverse_.fill(1);
}

// Everything the band holds, times `factor`. Only the games the band now
// spans, and the draws they come from, can hold anything live.
SORIMU_WIDE_VECTORS void RtBand::Multiply(const RtLanes& factor) {
  for (int32_t position = latest_ + low_ - 1; position <= latest_ + high_ + 1; ++position) {
    const size_t i = Index(position);
    if (!Live(i)) continue;
    // Nothing comes down into the band that keeps its draws.
    if (kind_ != Kind::SteppedWithDraws) MultiplyBy(mass_[i], factor);
    if (kind_ != Kind::Windowed) MultiplyBy(step_[i], factor);
  }
  if (!draws_.empty()) {
    for (int32_t d = std::max(0, latest_ + low_ - high_ - 1); d <= latest_; ++d) {
      Drawn& draw = draws_[Index(d)];
      if (draw.epoch == epoch_ && draw.games == d) MultiplyBy(draw.stored, factor);
    }
  }
  for (Window& window : windows_) {
    for (RtLanes& lanes : window.newer) MultiplyBy(lanes, factor);
    for (RtLanes& lanes : window.older) MultiplyBy(lanes, factor);
    MultiplyBy(window.newerSum, factor);
  }
  MultiplyBy(running_, factor);
  MultiplyBy(total_, factor);
}

SORIMU_WIDE_VECTORS void RtBand::Draw(int32_t games, const SettingValues& weight) {
  latest_ = games;
  RtLanes stored;
  for (size_t s = 0; s < kSettingCount; ++s) {
    for (size_t m = 0; m < kModeCount; ++m) {
      stored[LaneOf(s, m)] = weight[s] * inverse_[LaneOf(s, m)];
    }
  }
  if (kind_ != Kind::Windowed) {
    firstPosition_ = std::min(firstPosition_, games + stepGames_.front());
    // The slots as Fresh keeps them, with the band's members read once: the
    // loop runs for every step of every draw.
    RtLanes* const steps = step_.data();
    RtLanes* const masses = mass_.data();
    uint64_t* const epochs = epochs_.data();
    const uint64_t epoch = epoch_;
    const size_t mask = mask_;
    const int32_t* const offsets = stepGames_.data();
    const RtLanes* const changes = stepChanges_.data();
    const size_t count = stepGames_.size();
    for (size_t k = 0; k < count; ++k) {
      const size_t index = static_cast<size_t>(games + offsets[k]) & mask;
      if (epochs[index] != epoch) {
        masses[index].fill(0);
        steps[index].fill(0);
        epochs[index] = epoch;
      }
      AddScaled(steps[index], stored, changes[k]);
    }
    AddScaled(total_, stored, bandMass_);
  }
  if (kind_ != Kind::Stepped) {
    firstDraw_ = std::min(firstDraw_, games);
    Drawn& draw = draws_[Index(games)];
    if (draw.epoch != epoch_ || draw.games != games) draw = Drawn{RtLanes{}, epoch_, games};
    Add(draw.stored, stored);
  }
  empty_ = false;
}

SORIMU_WIDE_VECTORS RtLanes RtBand::Leave(int32_t games) {
  RtLanes out{};
  latest_ = games;
  if (empty_) return out;
  const size_t index = Index(games - 1 + low_);
  RtLanes value = running_;
  if (Live(index)) {
    for (size_t l = 0; l < kRtLanes; ++l) {
      running_[l] += step_[index][l];
      value[l] = mass_[index][l] + running_[l];
    }
    epochs_[index] = 0;
  }
  // The game leaving is `games - 1 + low_`: the draws from `first` to `last`
  // games before it, as each window now holds them.
  for (Window& window : windows_) {
    window.Push(DrawnAfter(games - 1 + low_ - window.first));
    AddScaled(value, window.Sum(), window.chance);
  }
  for (size_t l = 0; l < kRtLanes; ++l) {
    total_[l] -= value[l];
    // Steps that cancel leave rounding behind, of either sign.
    out[l] = std::max(0.0, value[l] * scale_[l]);
  }
  return out;
}

SORIMU_WIDE_VECTORS void RtBand::Enter(int32_t position, const RtLanes& weight) {
  if (std::all_of(weight.begin(), weight.end(), [](double w) { return w == 0; })) return;
  firstPosition_ = std::min(firstPosition_, position);
  RtLanes& mass = mass_[Fresh(position)];
  for (size_t l = 0; l < kRtLanes; ++l) {
    const double stored = weight[l] * inverse_[l];
    mass[l] += stored;
    total_[l] += stored;
  }
  empty_ = false;
}

SORIMU_WIDE_VECTORS RtLanes RtBand::Total(int32_t games) const {
  RtLanes sum{};
  if (empty_) return sum;
  const int32_t bottom = games + low_;
  if (kind_ != Kind::Stepped) {
    // The kept draws' chances of games left from the band's lowest game on.
    for (int32_t d = std::max({0, bottom - high_, firstDraw_}); d <= games; ++d) {
      AddScaled(sum, DrawnAfter(d), tail_[static_cast<size_t>(bottom - d)]);
    }
  }
  if (kind_ != Kind::SteppedWithDraws) {
    // Below the lowest game written since the band was cleared, the running
    // sum is still 0 and so is what those games hold.
    RtLanes running = running_;
    for (int32_t position = std::max(bottom, firstPosition_); position <= games + high_;
         ++position) {
      const size_t index = Index(position);
      if (!Live(index)) {
        Add(sum, running);
        continue;
      }
      Add(running, step_[index]);
      Add(sum, running);
      Add(sum, mass_[index]);
    }
  }
  MultiplyBy(sum, scale_);
  return sum;
}

RtLanes RtBand::RoughTotal(int32_t games) const {
  // A windowed band's weights shrink as fast as the rows make them: a
  // running figure could drift past them, and its few games are cheap.
  if (kind_ == Kind::Windowed) return Total(games);
  RtLanes rough{};
  if (empty_) return rough;
  rough = total_;
  MultiplyBy(rough, scale_);
  return rough;
}

SORIMU_WIDE_VECTORS void RtBand::Read(int32_t games, std::vector<RtLanes>& into) const {
  if (empty_) return;
  RtLanes running = running_;
  for (int32_t r = low_; r <= high_; ++r) {
    const int32_t position = games + r;
    const size_t index = Index(position);
    RtLanes at{};
    if (Live(index)) {
      Add(running, step_[index]);
      at = mass_[index];
    }
    Add(at, running);
    if (kind_ == Kind::Windowed) {
      for (int32_t d = std::max(0, position - high_); d <= std::min(games, position - low_); ++d) {
        AddScaled(at, DrawnAfter(d), lengths_[static_cast<size_t>(position - d)]);
      }
    }
    MultiplyBy(at, scale_);
    into[static_cast<size_t>(r)] = at;
  }
}

SORIMU_WIDE_VECTORS void RtBand::Settle(int32_t games) {
  if (empty_ || kind_ == Kind::Windowed) return;
  const int32_t bottom = games + low_;
  if (kind_ == Kind::SteppedWithDraws) {
    // The running sum and the total, worked out again from the draws.
    RtLanes atBottom{};
    total_.fill(0);
    for (int32_t d = std::max({0, bottom - high_, firstDraw_}); d <= games; ++d) {
      const RtLanes draw = DrawnAfter(d);
      AddScaled(atBottom, draw, lengths_[static_cast<size_t>(bottom - d)]);
      AddScaled(total_, draw, tail_[static_cast<size_t>(bottom - d)]);
    }
    const size_t index = Index(bottom);
    const bool live = Live(index);
    for (size_t l = 0; l < kRtLanes; ++l) {
      running_[l] = atBottom[l] - (live ? step_[index][l] : 0.0);
    }
    return;
  }
  RtLanes running = running_;
  total_.fill(0);
  for (int32_t position = std::max(bottom, firstPosition_); position <= games + high_; ++position) {
    const size_t index = Fresh(position);
    Add(running, step_[index]);
    Add(mass_[index], running);
    Add(total_, mass_[index]);
    step_[index].fill(0);
  }
  // The closing steps above the band only bring the sum back to 0.
  if (const size_t above = Index(games + high_ + 1); Live(above)) step_[above].fill(0);
  running_.fill(0);
}

}  // namespace sorimu
