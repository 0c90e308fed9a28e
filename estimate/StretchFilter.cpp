#include "StretchFilter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "MachineRules.h"
#include "Outcome.h"
#include "StretchRules.h"

namespace sorimu {

namespace {

// Every so many games the running sums' rounding is put to rest, and the
// weights are brought back near 1 (by powers of two, so that the scaling is
// exact) once they fall below 2^kSmallExponent: roles on every game could
// shrink them past the smallest double within a thousand games.
constexpr int32_t kSettleEvery = 1024;
constexpr int32_t kTidyEvery = 16;
constexpr int kSmallExponent = -64;

// The chance, per lane, that a drawn RT runs out with each count of games
// left: its mode's chance times its length's.
std::vector<RtLanes> LaneLengths(const StretchOdds& odds) {
  std::vector<RtLanes> lengths(static_cast<size_t>(kMaxRtGames) + 2, RtLanes{});
  for (size_t g = 1; g <= static_cast<size_t>(kMaxRtGames); ++g) {
    for (size_t s = 0; s < kSettingCount; ++s) {
      for (size_t m = 0; m < kModeCount; ++m) {
        lengths[g][LaneOf(s, m)] = odds.Mode[m] * odds.Length[m][s][g];
      }
    }
  }
  return lengths;
}

void Add(RtLanes& to, const RtLanes& from) {
  for (size_t l = 0; l < kRtLanes; ++l) to[l] += from[l];
}

}  // namespace

StretchFilter::StretchFilter(const StretchOdds& odds)
    : odds_(odds),
      lengths_(LaneLengths(odds)),
      low_(1, kCancelFloor - 1, lengths_, RtBand::Kind::Windowed),
      middle_(kCancelFloor, kCancelLotteryFrom - 1, lengths_, RtBand::Kind::Stepped),
      top_(kCancelLotteryFrom, kMaxRtGames, lengths_, RtBand::Kind::SteppedWithDraws) {
  // A 4-cherry B that kept an RT with kCancelLotteryFrom or more games left
  // lost the cancel lottery and then drew the ZT lottery, with or without a
  // ZT (index 1, 0).
  for (size_t zt = 0; zt < 2; ++zt) {
    const double ztChance = zt != 0 ? odds_.ZtOnKeep : 1.0 - odds_.ZtOnKeep;
    for (size_t s = 0; s < kSettingCount; ++s) {
      kept_[zt][s] = (1.0 - odds_.Cancel[s]) * ztChance;
      keptReciprocal_[zt][s] = kept_[zt][s] == 0 ? 0.0 : 1.0 / kept_[zt][s];
    }
  }
}

void StretchFilter::Begin(StretchOpening opening) {
  games_ = 0;
  for (RtBand* band : {&low_, &middle_, &top_}) band->Clear();
  drawnAlive_ = false;
  for (RtLanes& lanes : short_) lanes.fill(0);
  shortCause_ = 0;
  logScale_.fill(0);
  SettingValues drawn;
  drawn.fill(1.0);
  switch (opening) {
    case StretchOpening::Reset:
    case StretchOpening::AfterReg: Draw(drawn); break;
    case StretchOpening::ResetEmpty: {
      drawn.fill(1.0 - odds_.EmptyStartShort);
      Draw(drawn);
      const double each = odds_.EmptyStartShort / kEmptyStartRtSpan;
      RtLanes first;
      for (size_t s = 0; s < kSettingCount; ++s) {
        for (size_t m = 0; m < kModeCount; ++m) first[LaneOf(s, m)] = odds_.Mode[m] * each;
      }
      for (int32_t g = 1; g <= kEmptyStartRtSpan; ++g) low_.Enter(g, first);
      break;
    }
    case StretchOpening::AfterBig: {
      drawn.fill(1.0 - odds_.Ren3);
      Draw(drawn);
      shortCause_ = Code(RtCancelCause::Ren3G);
      for (size_t s = 0; s < kSettingCount; ++s) {
        ShortAt(kRen3GamesMode0)[LaneOf(s, 0)] = odds_.Mode[0] * odds_.Ren3;
        ShortAt(kRen3GamesMode1)[LaneOf(s, 1)] = odds_.Mode[1] * odds_.Ren3;
      }
      break;
    }
    case StretchOpening::Ren1G:
      shortCause_ = Code(RtCancelCause::Ren1G);
      for (size_t s = 0; s < kSettingCount; ++s) ShortAt(kOneGameRt)[LaneOf(s, 0)] = 1.0;
      break;
  }
}

void StretchFilter::Play(const RunRow& row) {
  RtLanes endDrawn{}, endShort{};
  Advance(endDrawn, endShort);
  const int32_t cause = row.RTCancel;
  const bool zt = row.ZtCount == kZtGames;
  if (cause == Code(RtCancelCause::None)) {
    if (drawnAlive_) KeepDrawn(row.LastOutcome, zt);
    ClearShort();
    // An RT that ran out with no stock for its mode draws the next one at
    // once; no ZT lottery comes with it.
    if (!zt) {
      SettingValues redrawn{};
      bool any = false;
      for (size_t s = 0; s < kSettingCount; ++s) {
        for (size_t m = 0; m < kModeCount; ++m) {
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
  RtLanes endDrawn{}, endShort{};
  Advance(endDrawn, endShort);
  RtLanes released{};
  const RtLanes* ends = nullptr;
  if (row.RTCancel == Code(RtCancelCause::Expired)) {
    ends = &endDrawn;
  } else if (row.RTCancel != 0 && row.RTCancel == shortCause_) {
    ends = &endShort;
  }
  if (ends != nullptr && row.ZtCount != kZtGames) {
    for (size_t s = 0; s < kSettingCount; ++s) {
      for (size_t m = 0; m < kModeCount; ++m) {
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
  RtLanes left{};
  if (drawnAlive_) {
    for (const RtBand* band : {&low_, &middle_, &top_}) Add(left, band->Total(games_));
  }
  for (const RtLanes& lanes : short_) Add(left, lanes);
  return Likelihood(left);
}

RtBelief StretchFilter::Belief() {
  RtBelief belief;
  belief.ShortCause = shortCause_;
  std::vector<RtLanes> drawn(static_cast<size_t>(kMaxRtGames) + 1, RtLanes{});
  if (drawnAlive_) {
    for (const RtBand* band : {&low_, &middle_, &top_}) band->Read(games_, drawn);
  }
  for (size_t s = 0; s < kSettingCount; ++s) {
    for (size_t m = 0; m < kModeCount; ++m) {
      std::vector<double>& into = belief.Drawn[s][m];
      into.assign(static_cast<size_t>(kMaxRtGames) + 1, 0.0);
      for (size_t r = 1; r < drawn.size(); ++r) into[r] = drawn[r][LaneOf(s, m)];
      for (int32_t r = 1; r <= kMaxShortRt; ++r) {
        belief.Short[s][m][static_cast<size_t>(r)] = ShortAt(r)[LaneOf(s, m)];
      }
    }
  }
  return belief;
}

// Moves on by one game and takes out what runs out on it; each band hands
// its lowest game down to the band below.
void StretchFilter::Advance(RtLanes& endDrawn, RtLanes& endShort) {
  ++games_;
  if (drawnAlive_) {
    endDrawn = low_.Leave(games_);
    low_.Enter(games_ + kCancelFloor - 1, middle_.Leave(games_));
    middle_.Enter(games_ + kCancelLotteryFrom - 1, top_.Leave(games_));
  }
  if (shortCause_ != 0) {
    RtLanes& ending = ShortAt(1);
    endShort = ending;
    ending.fill(0);
    shortBase_ = (shortBase_ + 1) & (kShortRing - 1);
  }
}

// A new RT drawn after the game just played, with a weight per setting.
void StretchFilter::Draw(const SettingValues& weight) {
  for (RtBand* band : {&low_, &middle_, &top_}) band->Draw(games_, weight);
  drawnAlive_ = true;
}

void StretchFilter::ClearDrawn() {
  if (!drawnAlive_) return;
  for (RtBand* band : {&low_, &middle_, &top_}) band->Clear();
  drawnAlive_ = false;
}

void StretchFilter::ClearShort() {
  if (shortCause_ == 0) return;  // nothing is held then
  for (RtLanes& lanes : short_) lanes.fill(0);
  shortCause_ = 0;
}

// A role that did not cut the RT says how many games it may have had left:
// a 4-cherry B fewer than kCancelFloor (with no ZT then) or, having drawn the
// cancel lottery and kept the RT, kCancelLotteryFrom or more; a 2-cherry or
// a pure miss fewer than kCancelFloor.
void StretchFilter::KeepDrawn(int32_t role, bool zt) {
  if (role == Code(Outcome::Cherry4B)) {
    if (zt) low_.Clear();
    middle_.Clear();
    top_.Scale(kept_[zt], keptReciprocal_[zt]);
  } else if (zt) {
    ClearDrawn();  // only a 4-cherry B starts a ZT
  } else if (CutsAnyRt(role)) {
    middle_.Clear();
    top_.Clear();
  }
}

// The role on this game cut the RT: only the RTs with the games left that
// such a cut needs go on, as short RTs.
void StretchFilter::CutDrawn(int32_t cause, bool zt) {
  SettingValues factor;
  factor.fill(1.0);
  const bool fourB =
      cause == Code(RtCancelCause::Cherry4B1) || cause == Code(RtCancelCause::Cherry4B2);
  if (fourB) {
    const double ztChance = zt ? odds_.ZtOnCut : 1.0 - odds_.ZtOnCut;
    for (double& f : factor) f = ztChance;
  } else if (zt) {
    factor.fill(0);
  }
  RtLanes cut{};
  if (cause == Code(RtCancelCause::Cherry4B1)) {
    for (size_t s = 0; s < kSettingCount; ++s) factor[s] *= odds_.Cancel[s];
    cut = top_.Total(games_);
  } else if (cause == Code(RtCancelCause::Cherry4B2)) {
    cut = middle_.Total(games_);
  } else {
    cut = middle_.Total(games_);
    Add(cut, top_.Total(games_));
  }
  ClearDrawn();
  ClearShort();
  for (size_t s = 0; s < kSettingCount; ++s) {
    for (size_t m = 0; m < kModeCount; ++m) cut[LaneOf(s, m)] *= factor[s];
  }
  if (fourB) {
    // Game by game, every lane at once: this comes on every other row of
    // some files.
    for (int32_t k = 1; k <= kMaxShortRt; ++k) {
      const double chance = odds_.ShortRt[static_cast<size_t>(k)];
      RtLanes& lanes = ShortAt(k);
      for (size_t lane = 0; lane < kRtLanes; ++lane) lanes[lane] = cut[lane] * chance;
    }
  } else {
    ShortAt(kOneGameRt) = cut;
  }
  shortCause_ = cause;
}

// Now and then the bands put their rounding to rest, and each setting's
// weights are scaled back towards 1 when they grew small.
void StretchFilter::Tidy() {
  if (drawnAlive_ && games_ % kSettleEvery == 0) {
    for (RtBand* band : {&low_, &middle_, &top_}) band->Settle(games_);
  }
  if (games_ % kTidyEvery != 0) return;
  RtLanes rough{};
  if (drawnAlive_) {
    for (const RtBand* band : {&low_, &middle_, &top_}) Add(rough, band->RoughTotal(games_));
  }
  if (shortCause_ != 0) {
    for (const RtLanes& lanes : short_) Add(rough, lanes);
  }
  SettingValues scale;
  bool any = false;
  for (size_t s = 0; s < kSettingCount; ++s) {
    scale[s] = 1.0;
    const double total = rough[LaneOf(s, 0)] + rough[LaneOf(s, 1)];
    if (total <= 0 || total >= std::ldexp(1.0, kSmallExponent)) continue;
    int exponent = 0;
    std::frexp(total, &exponent);
    scale[s] = std::ldexp(1.0, -exponent);
    logScale_[s] += exponent * std::log(2.0);
    any = true;
  }
  if (!any) return;
  for (RtBand* band : {&low_, &middle_, &top_}) band->Scale(scale);
  for (RtLanes& lanes : short_) {
    for (size_t s = 0; s < kSettingCount; ++s) {
      for (size_t m = 0; m < kModeCount; ++m) lanes[LaneOf(s, m)] *= scale[s];
    }
  }
}

SettingLikelihood StretchFilter::Likelihood(const RtLanes& lanes) const {
  SettingLikelihood result;
  for (size_t s = 0; s < kSettingCount; ++s) {
    const double value = lanes[LaneOf(s, 0)] + lanes[LaneOf(s, 1)];
    result.Log[s] =
        value > 0 ? std::log(value) + logScale_[s] : -std::numeric_limits<double>::infinity();
  }
  return result;
}

}  // namespace sorimu
