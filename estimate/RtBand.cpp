#include "RtBand.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>

namespace sorimu {

namespace {

// A lazy scale is put into the weights before it could leave the range of a
// double, by powers of two so that nothing is rounded on the way.
const double kScaleFloor = std::ldexp(1.0, -900);
const double kScaleCeiling = std::ldexp(1.0, 900);

// Both loops run over lanes that cannot overlap what they write, so the
// compiler takes them a vector at a time.
void AddScaled(RtLanes& to, const RtLanes& from, const RtLanes& factor) {
  RtLanes product;
  for (size_t l = 0; l < kRtLanes; ++l) product[l] = from[l] * factor[l];
  for (size_t l = 0; l < kRtLanes; ++l) to[l] += product[l];
}

void Multiply(RtLanes& lanes, const RtLanes& factor) {
  for (size_t l = 0; l < kRtLanes; ++l) lanes[l] *= factor[l];
}

}  // namespace

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
  if (kind_ == Kind::SteppedWithDraws) draws_.resize(ring);
  scale_.fill(1);
  inverse_.fill(1);

  // A draw's steps within the band: up to its chance on the lowest game,
  // the changes between classes, and back to 0 above the highest.
  RtLanes before{};
  for (int32_t r = low; r <= high + 1; ++r) {
    Step step{r, {}};
    bool changes = false;
    for (size_t l = 0; l < kRtLanes; ++l) {
      const double at = r <= high ? lengths[static_cast<size_t>(r)][l] : 0.0;
      step.change[l] = at - before[l];
      changes = changes || at != before[l];
      before[l] = at;
      if (r <= high) bandMass_[l] += at;
    }
    if (changes) steps_.push_back(step);
  }
  if (kind_ == Kind::SteppedWithDraws) {
    tail_.assign(static_cast<size_t>(high) + 2, RtLanes{});
    for (int32_t x = high; x >= low; --x) {
      for (size_t l = 0; l < kRtLanes; ++l) {
        tail_[static_cast<size_t>(x)][l] =
            tail_[static_cast<size_t>(x) + 1][l] + lengths[static_cast<size_t>(x)][l];
      }
    }
  }
}

void RtBand::Clear() {
  ++epoch_;
  running_.fill(0);
  total_.fill(0);
  scale_.fill(1);
  inverse_.fill(1);
  empty_ = true;
}

const RtBand::Drawn* RtBand::LiveDraw(int32_t games) const {
  const Drawn& draw = draws_[Index(games)];
  return draw.epoch == epoch_ && draw.games == games ? &draw : nullptr;
}

void RtBand::Scale(int32_t games, const SettingValues& factor) {
  if (empty_) return;
  if (std::all_of(factor.begin(), factor.end(), [](double f) { return f == 0; })) {
    Clear();
    return;
  }
  std::array<bool, kRtLanes> zero{};
  bool anyZero = false;
  bool outOfRange = false;
  for (size_t s = 0; s < kSettingCount; ++s) {
    for (size_t m = 0; m < kModeCount; ++m) {
      const size_t l = LaneOf(s, m);
      scale_[l] *= factor[s];
      zero[l] = factor[s] == 0;
      anyZero = anyZero || zero[l];
      outOfRange =
          outOfRange || (!zero[l] && (scale_[l] < kScaleFloor || scale_[l] > kScaleCeiling));
    }
  }
  if (anyZero) ZeroLanes(zero);
  if (outOfRange) Rebase(games);
  for (size_t l = 0; l < kRtLanes; ++l) inverse_[l] = 1.0 / scale_[l];
}

// Puts the lazy scale into every weight held; rare, as it takes a pass.
void RtBand::Rebase(int32_t games) {
  for (int32_t position = games + low_; position <= games + high_ + 1; ++position) {
    const size_t i = Index(position);
    if (!Live(i)) continue;
    Multiply(mass_[i], scale_);
    Multiply(step_[i], scale_);
  }
  for (int32_t d = std::max(0, games + low_ - high_); kind_ == Kind::SteppedWithDraws && d <= games;
       ++d) {
    if (LiveDraw(d) != nullptr) Multiply(draws_[Index(d)].stored, scale_);
  }
  Multiply(running_, scale_);
  Multiply(total_, scale_);
  scale_.fill(1);
}

// Only where a setting's factor is 0 and another's is not: a machine whose
// tables make a role rule out some settings but not all.
void RtBand::ZeroLanes(const std::array<bool, kRtLanes>& lanes) {
  RtLanes keep;
  for (size_t l = 0; l < kRtLanes; ++l) keep[l] = lanes[l] ? 0.0 : 1.0;
  for (size_t i = 0; i < epochs_.size(); ++i) {
    Multiply(mass_[i], keep);
    Multiply(step_[i], keep);
  }
  for (Drawn& draw : draws_) Multiply(draw.stored, keep);
  Multiply(running_, keep);
  Multiply(total_, keep);
  for (size_t l = 0; l < kRtLanes; ++l) {
    if (lanes[l]) scale_[l] = 1;
  }
}

void RtBand::Draw(int32_t games, const SettingValues& weight) {
  RtLanes stored;
  for (size_t s = 0; s < kSettingCount; ++s) {
    for (size_t m = 0; m < kModeCount; ++m) {
      stored[LaneOf(s, m)] = weight[s] * inverse_[LaneOf(s, m)];
    }
  }
  if (kind_ == Kind::Dense) {
    for (int32_t r = low_; r <= high_; ++r) {
      AddScaled(mass_[Fresh(games + r)], stored, lengths_[static_cast<size_t>(r)]);
    }
  } else {
    for (const Step& step : steps_)
      AddScaled(step_[Fresh(games + step.games)], stored, step.change);
  }
  AddScaled(total_, stored, bandMass_);
  if (kind_ == Kind::SteppedWithDraws) {
    Drawn& draw = draws_[Index(games)];
    if (draw.epoch != epoch_ || draw.games != games) draw = Drawn{RtLanes{}, epoch_, games};
    for (size_t l = 0; l < kRtLanes; ++l) draw.stored[l] += stored[l];
  }
  empty_ = false;
}

RtLanes RtBand::Leave(int32_t games) {
  RtLanes out{};
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
  for (size_t l = 0; l < kRtLanes; ++l) {
    total_[l] -= value[l];
    // Steps that cancel leave rounding behind, of either sign.
    out[l] = std::max(0.0, value[l] * scale_[l]);
  }
  return out;
}

void RtBand::Enter(int32_t position, const RtLanes& weight) {
  if (std::all_of(weight.begin(), weight.end(), [](double w) { return w == 0; })) return;
  RtLanes& mass = mass_[Fresh(position)];
  for (size_t l = 0; l < kRtLanes; ++l) {
    const double stored = weight[l] * inverse_[l];
    mass[l] += stored;
    total_[l] += stored;
  }
  empty_ = false;
}

RtLanes RtBand::Total(int32_t games) const {
  RtLanes sum{};
  if (empty_) return sum;
  if (kind_ == Kind::SteppedWithDraws) {
    // The draws' chances of games left from the band's lowest game on.
    const int32_t bottom = games + low_;
    for (int32_t d = std::max(0, bottom - high_); d <= games; ++d) {
      if (const Drawn* draw = LiveDraw(d)) {
        AddScaled(sum, draw->stored, tail_[static_cast<size_t>(bottom - d)]);
      }
    }
  } else {
    RtLanes running = running_;
    for (int32_t position = games + low_; position <= games + high_; ++position) {
      const size_t index = Index(position);
      const bool live = Live(index);
      for (size_t l = 0; l < kRtLanes; ++l) {
        if (live) running[l] += step_[index][l];
        sum[l] += running[l] + (live ? mass_[index][l] : 0.0);
      }
    }
  }
  Multiply(sum, scale_);
  return sum;
}

RtLanes RtBand::RoughTotal(int32_t games) const {
  // A dense band's weights shrink as fast as the rows make them: its running
  // figure could drift past them, and a scan of its few games is cheap.
  if (kind_ == Kind::Dense) return Total(games);
  RtLanes rough{};
  if (empty_) return rough;
  rough = total_;
  Multiply(rough, scale_);
  return rough;
}

void RtBand::Read(int32_t games, std::vector<RtLanes>& into) const {
  if (empty_) return;
  RtLanes running = running_;
  for (int32_t r = low_; r <= high_; ++r) {
    const size_t index = Index(games + r);
    const bool live = Live(index);
    RtLanes& at = into[static_cast<size_t>(r)];
    for (size_t l = 0; l < kRtLanes; ++l) {
      if (live) running[l] += step_[index][l];
      at[l] = (running[l] + (live ? mass_[index][l] : 0.0)) * scale_[l];
    }
  }
}

void RtBand::Settle(int32_t games) {
  if (empty_ || kind_ == Kind::Dense) return;
  const int32_t bottom = games + low_;
  if (kind_ == Kind::SteppedWithDraws) {
    // The running sum and the total, worked out again from the draws.
    RtLanes atBottom{};
    total_.fill(0);
    for (int32_t d = std::max(0, bottom - high_); d <= games; ++d) {
      const Drawn* draw = LiveDraw(d);
      if (draw == nullptr) continue;
      AddScaled(atBottom, draw->stored, lengths_[static_cast<size_t>(bottom - d)]);
      AddScaled(total_, draw->stored, tail_[static_cast<size_t>(bottom - d)]);
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
  for (int32_t position = bottom; position <= games + high_; ++position) {
    const size_t index = Fresh(position);
    for (size_t l = 0; l < kRtLanes; ++l) {
      running[l] += step_[index][l];
      mass_[index][l] += running[l];
      total_[l] += mass_[index][l];
    }
    step_[index].fill(0);
  }
  // The closing steps above the band only bring the sum back to 0.
  if (const size_t above = Index(games + high_ + 1); Live(above)) step_[above].fill(0);
  running_.fill(0);
}

}  // namespace sorimu
