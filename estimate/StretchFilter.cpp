#include "StretchFilter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "MachineRules.h"
#include "Outcome.h"
#include "StretchRules.h"

namespace sorimu {

namespace {

constexpr size_t LaneOf(size_t setting, size_t mode) { return setting * 2 + mode; }

// Weights are brought back near 1 now and then, by powers of two so that the
// scaling itself is exact.
constexpr int32_t kTidyEvery = 1024;
constexpr int kSmallExponent = -64;

}  // namespace

StretchFilter::StretchFilter(const StretchOdds& odds) : odds_(odds), mass_(kRing), steps_(kRing) {
  // The chance that a drawn RT runs out on game g of its own, as steps.
  for (int32_t g = 1; g <= kMaxRtGames + 1; ++g) {
    Step step{g, {}};
    bool changes = false;
    for (size_t s = 0; s < kSettingCount; ++s) {
      for (size_t m = 0; m < 2; ++m) {
        const std::vector<double>& p = odds_.Length[m][s];
        const double now = g <= kMaxRtGames ? p[static_cast<size_t>(g)] : 0.0;
        const double before = p[static_cast<size_t>(g - 1)];
        step.change[LaneOf(s, m)] = odds_.Mode[m] * (now - before);
        changes = changes || now != before;
      }
    }
    if (changes) drawSteps_.push_back(step);
  }
}

void StretchFilter::Begin(StretchOpening opening) {
  ClearDrawn();
  ClearShort();
  games_ = 0;
  folded_ = false;
  logScale_.fill(0);
  PerSetting drawn;
  drawn.fill(1.0);
  switch (opening) {
    case StretchOpening::Reset:
    case StretchOpening::AfterReg: Draw(drawn); break;
    case StretchOpening::ResetEmpty: {
      drawn.fill(1.0 - odds_.EmptyStartShort);
      Draw(drawn);
      const double each = odds_.EmptyStartShort / kEmptyStartRtSpan;
      for (int32_t g = 1; g <= kEmptyStartRtSpan; ++g) {
        for (size_t s = 0; s < kSettingCount; ++s) {
          for (size_t m = 0; m < 2; ++m) MassAt(g)[LaneOf(s, m)] += odds_.Mode[m] * each;
        }
      }
      break;
    }
    case StretchOpening::AfterBig: {
      drawn.fill(1.0 - odds_.Ren3);
      Draw(drawn);
      shortCause_ = Code(RtCancelCause::Ren3G);
      for (size_t s = 0; s < kSettingCount; ++s) {
        short_[kRen3GamesMode0][LaneOf(s, 0)] = odds_.Mode[0] * odds_.Ren3;
        short_[kRen3GamesMode1][LaneOf(s, 1)] = odds_.Mode[1] * odds_.Ren3;
      }
      break;
    }
    case StretchOpening::Ren1G:
      shortCause_ = Code(RtCancelCause::Ren1G);
      for (size_t s = 0; s < kSettingCount; ++s) short_[kOneGameRt][LaneOf(s, 0)] = 1.0;
      break;
  }
}

void StretchFilter::Play(const RunRow& row) {
  Lanes endDrawn{}, endShort{};
  Advance(endDrawn, endShort);
  const int32_t cause = row.RTCancel;
  const bool zt = row.ZtCount == kZtGames;
  if (cause == Code(RtCancelCause::None)) {
    if (drawnAlive_) KeepDrawn(row.LastOutcome, zt);
    ClearShort();
    // An RT that ran out with no stock for its mode draws the next one at
    // once; no ZT lottery comes with it.
    if (!zt) {
      PerSetting redrawn{};
      bool any = false;
      for (size_t s = 0; s < kSettingCount; ++s) {
        for (size_t m = 0; m < 2; ++m) {
          if (ReleasedKind(static_cast<int>(m), row) != 0) continue;
          redrawn[s] += endDrawn[LaneOf(s, m)] + endShort[LaneOf(s, m)];
        }
        any = any || redrawn[s] > 0;
      }
      if (any) Draw(redrawn);
    }
  } else if (cause == shortCause_) {
    ClearDrawn();
    if (zt) ClearShort();  // a cut or chained RT draws no ZT
  } else if (IsEarlyCancel(cause) && drawnAlive_ && RoleCausesCancel(row.LastOutcome, cause)) {
    CutDrawn(cause, zt);
  } else {
    ClearDrawn();  // rows no machine writes
    ClearShort();
  }
  Tidy();
}

SettingLikelihood StretchFilter::Release(const RunRow& row) {
  Lanes endDrawn{}, endShort{};
  Advance(endDrawn, endShort);
  Lanes released{};
  const Lanes* ends = nullptr;
  if (row.RTCancel == Code(RtCancelCause::Expired)) {
    ends = &endDrawn;
  } else if (row.RTCancel != 0 && row.RTCancel == shortCause_) {
    ends = &endShort;
  }
  if (ends != nullptr && row.ZtCount != kZtGames) {
    for (size_t s = 0; s < kSettingCount; ++s) {
      for (size_t m = 0; m < 2; ++m) {
        if (ReleasedKind(static_cast<int>(m), row) == row.LastOutcome) {
          released[LaneOf(s, m)] = (*ends)[LaneOf(s, m)];
        }
      }
    }
  }
  ClearDrawn();
  ClearShort();
  return Likelihood(released);
}

SettingLikelihood StretchFilter::Open() {
  Lanes left{};
  if (drawnAlive_) {
    Fold();
    for (int32_t g = games_ + 1; g <= games_ + kMaxRtGames; ++g) {
      const Lanes& mass = MassAt(g);
      for (size_t l = 0; l < kLanes; ++l) left[l] += mass[l];
    }
  }
  for (const Lanes& lanes : short_) {
    for (size_t l = 0; l < kLanes; ++l) left[l] += lanes[l];
  }
  return Likelihood(left);
}

RtBelief StretchFilter::Belief() {
  RtBelief belief;
  belief.ShortCause = shortCause_;
  if (drawnAlive_) Fold();
  for (size_t s = 0; s < kSettingCount; ++s) {
    for (size_t m = 0; m < 2; ++m) {
      std::vector<double>& drawn = belief.Drawn[s][m];
      drawn.assign(kMaxRtGames + 1, 0.0);
      if (drawnAlive_) {
        for (int32_t r = 1; r <= kMaxRtGames; ++r) {
          drawn[static_cast<size_t>(r)] = MassAt(games_ + r)[LaneOf(s, m)];
        }
      }
      for (size_t r = 1; r <= kMaxShortRt; ++r) belief.Short[s][m][r] = short_[r][LaneOf(s, m)];
    }
  }
  return belief;
}

// Moves on by one game and takes out what runs out on it.
void StretchFilter::Advance(Lanes& endDrawn, Lanes& endShort) {
  ++games_;
  if (drawnAlive_) {
    Lanes& mass = MassAt(games_);
    Lanes& step = StepAt(games_);
    for (size_t l = 0; l < kLanes; ++l) {
      running_[l] += step[l];
      endDrawn[l] = mass[l] + running_[l];
    }
    mass.fill(0);
    step.fill(0);
  }
  if (shortCause_ != 0) {
    endShort = short_[1];
    for (size_t r = 1; r < kMaxShortRt; ++r) short_[r] = short_[r + 1];
    short_[kMaxShortRt].fill(0);
  }
}

// A new RT drawn after the game just played, with a weight per setting.
void StretchFilter::Draw(const PerSetting& weight) {
  for (const Step& step : drawSteps_) {
    Lanes& at = StepAt(games_ + step.games);
    for (size_t s = 0; s < kSettingCount; ++s) {
      for (size_t m = 0; m < 2; ++m) at[LaneOf(s, m)] += weight[s] * step.change[LaneOf(s, m)];
    }
  }
  drawnAlive_ = true;
}

// Adds the running sum into the weights, so that each game holds its own.
void StretchFilter::Fold() {
  Lanes running = running_;
  for (int32_t g = games_ + 1; g <= games_ + kMaxRtGames; ++g) {
    Lanes& mass = MassAt(g);
    Lanes& step = StepAt(g);
    for (size_t l = 0; l < kLanes; ++l) {
      running[l] += step[l];
      mass[l] += running[l];
    }
    step.fill(0);
  }
  // The last steps only bring the sum back to 0 (up to rounding).
  StepAt(games_ + kMaxRtGames + 1).fill(0);
  running_.fill(0);
  folded_ = true;
}

void StretchFilter::ClearDrawn() {
  if (!drawnAlive_) return;
  for (int32_t g = games_ + 1; g <= games_ + kMaxRtGames + 1; ++g) {
    MassAt(g).fill(0);
    StepAt(g).fill(0);
  }
  running_.fill(0);
  drawnAlive_ = false;
}

void StretchFilter::ClearShort() {
  if (shortCause_ == 0) return;  // nothing is held then
  for (Lanes& lanes : short_) lanes.fill(0);
  shortCause_ = 0;
}

// A role that did not cut the RT says how many games it may have had left.
void StretchFilter::KeepDrawn(int32_t role, bool zt) {
  PerSetting zero{}, one;
  one.fill(1.0);
  if (role == Code(Outcome::Cherry4B)) {
    PerSetting kept;
    const double ztChance = zt ? odds_.ZtOnKeep : 1.0 - odds_.ZtOnKeep;
    for (size_t s = 0; s < kSettingCount; ++s) kept[s] = (1.0 - odds_.Cancel[s]) * ztChance;
    Fold();
    ScaleDrawn(games_ + 1, games_ + kCancelFloor - 1, zt ? zero : one);
    ScaleDrawn(games_ + kCancelFloor, games_ + kCancelLotteryFrom - 1, zero);
    ScaleDrawn(games_ + kCancelLotteryFrom, games_ + kMaxRtGames, kept);
  } else if (zt) {
    ClearDrawn();  // only a 4-cherry B starts a ZT
  } else if (CutsAnyRt(role)) {
    Fold();
    ScaleDrawn(games_ + kCancelFloor, games_ + kMaxRtGames, zero);
  }
}

void StretchFilter::ScaleDrawn(int32_t first, int32_t last, const PerSetting& factor) {
  for (int32_t g = first; g <= last; ++g) {
    Lanes& mass = MassAt(g);
    for (size_t s = 0; s < kSettingCount; ++s) {
      mass[LaneOf(s, 0)] *= factor[s];
      mass[LaneOf(s, 1)] *= factor[s];
    }
  }
}

// The role on this game cut the RT: only the RTs with the games left that
// such a cut needs go on, as short RTs.
void StretchFilter::CutDrawn(int32_t cause, bool zt) {
  Fold();
  int32_t first = games_ + kCancelFloor;
  int32_t last = games_ + kMaxRtGames;
  PerSetting factor;
  factor.fill(1.0);
  const bool fourB =
      cause == Code(RtCancelCause::Cherry4B1) || cause == Code(RtCancelCause::Cherry4B2);
  if (fourB) {
    const double ztChance = zt ? odds_.ZtOnCut : 1.0 - odds_.ZtOnCut;
    for (double& f : factor) f = ztChance;
  } else if (zt) {
    factor.fill(0);
  }
  if (cause == Code(RtCancelCause::Cherry4B1)) {
    first = games_ + kCancelLotteryFrom;
    for (size_t s = 0; s < kSettingCount; ++s) factor[s] *= odds_.Cancel[s];
  } else if (cause == Code(RtCancelCause::Cherry4B2)) {
    last = games_ + kCancelLotteryFrom - 1;
  }
  Lanes cut{};
  for (int32_t g = first; g <= last; ++g) {
    const Lanes& mass = MassAt(g);
    for (size_t l = 0; l < kLanes; ++l) cut[l] += mass[l];
  }
  ClearDrawn();
  ClearShort();
  for (size_t s = 0; s < kSettingCount; ++s) {
    for (size_t m = 0; m < 2; ++m) {
      const size_t lane = LaneOf(s, m);
      cut[lane] *= factor[s];
      if (fourB) {
        for (size_t k = 1; k <= kMaxShortRt; ++k) short_[k][lane] = cut[lane] * odds_.ShortRt[k];
      } else {
        short_[kOneGameRt][lane] = cut[lane];
      }
    }
  }
  shortCause_ = cause;
}

// Every so many games the running sum is folded in (its rounding stays
// small), and whenever the weights are folded, each setting's are scaled
// back towards 1: roles on every game could shrink them past the smallest
// double within a thousand games.
void StretchFilter::Tidy() {
  if (games_ % kTidyEvery == 0 && drawnAlive_) Fold();
  if (!folded_ && games_ % kTidyEvery != 0) return;
  folded_ = false;
  PerSetting total{};
  for (int32_t g = games_ + 1; drawnAlive_ && g <= games_ + kMaxRtGames; ++g) {
    const Lanes& mass = MassAt(g);
    for (size_t s = 0; s < kSettingCount; ++s) total[s] += mass[LaneOf(s, 0)] + mass[LaneOf(s, 1)];
  }
  for (const Lanes& lanes : short_) {
    for (size_t s = 0; s < kSettingCount; ++s)
      total[s] += lanes[LaneOf(s, 0)] + lanes[LaneOf(s, 1)];
  }
  for (size_t s = 0; s < kSettingCount; ++s) {
    if (total[s] <= 0 || total[s] >= std::ldexp(1.0, kSmallExponent)) continue;
    int exponent = 0;
    std::frexp(total[s], &exponent);
    const double scale = std::ldexp(1.0, -exponent);
    logScale_[s] += exponent * std::log(2.0);
    // A new RT drawn since the fold sits in the steps.
    running_[LaneOf(s, 0)] *= scale;
    running_[LaneOf(s, 1)] *= scale;
    for (int32_t g = games_ + 1; drawnAlive_ && g <= games_ + kMaxRtGames + 1; ++g) {
      for (Lanes* lanes : {&MassAt(g), &StepAt(g)}) {
        (*lanes)[LaneOf(s, 0)] *= scale;
        (*lanes)[LaneOf(s, 1)] *= scale;
      }
    }
    for (Lanes& lanes : short_) {
      lanes[LaneOf(s, 0)] *= scale;
      lanes[LaneOf(s, 1)] *= scale;
    }
  }
}

SettingLikelihood StretchFilter::Likelihood(const Lanes& lanes) const {
  SettingLikelihood result;
  for (size_t s = 0; s < kSettingCount; ++s) {
    const double value = lanes[LaneOf(s, 0)] + lanes[LaneOf(s, 1)];
    result.Log[s] =
        value > 0 ? std::log(value) + logScale_[s] : -std::numeric_limits<double>::infinity();
  }
  return result;
}

}  // namespace sorimu
