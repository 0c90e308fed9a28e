#include "FilledStretch.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "MachineRules.h"
#include "Outcome.h"
#include "StretchRules.h"

namespace sorimu {

namespace {

bool IsFourBCause(int32_t cause) {
  return cause == Code(RtCancelCause::Cherry4B1) || cause == Code(RtCancelCause::Cherry4B2);
}

}  // namespace

void FilledStretch::Begin(StretchOpening opening) {
  opening_ = opening;
  phase_ = Phase::Drawn;
  // After a BIG the RT is drawn only when no 3G連 came.
  drawnWeight_ = opening == StretchOpening::AfterBig ? 1.0 - odds_.Ren3 : 1.0;
  chainCause_ = 0;
  if (opening == StretchOpening::Ren1G) {
    phase_ = Phase::Chain;
    chainCause_ = Code(RtCancelCause::Ren1G);
  }
  games_ = 0;
  firstCutRole_ = std::numeric_limits<int32_t>::max() - kCancelFloor;
  ztKeeps_ = 0;
  ztFloor_ = 1;
  keeps_.clear();
  cutCause_ = 0;
  cutAt_ = 0;
  cutZt_ = false;
}

void FilledStretch::Play(const RunRow& row) {
  const int32_t j = ++games_;
  const int32_t cause = row.RTCancel;
  const bool zt = row.ZtCount == kZtGames;
  if (j == 1 && opening_ == StretchOpening::AfterBig && cause == Code(RtCancelCause::Ren3G)) {
    phase_ = Phase::Chain;
    chainCause_ = cause;
  }
  switch (phase_) {
    case Phase::Drawn:
      if (cause == Code(RtCancelCause::None)) {
        const int32_t role = row.LastOutcome;
        if (role == Code(Outcome::Cherry4B)) {
          if (zt) {
            ++ztKeeps_;
            ztFloor_ = std::max(ztFloor_, j + kCancelLotteryFrom);
          } else {
            keeps_.push_back(j);
          }
        } else if (zt) {
          phase_ = Phase::Broken;
        } else if (CutsAnyRt(role)) {
          firstCutRole_ = std::min(firstCutRole_, j);
        }
        // No RT is that long: the rows cannot be the machine's.
        if (j >= kMaxRtGames) phase_ = Phase::Broken;
      } else if (IsEarlyCancel(cause) && RoleCausesCancel(row.LastOutcome, cause)) {
        phase_ = Phase::Cut;
        cutCause_ = cause;
        cutAt_ = j;
        cutZt_ = zt;
      } else {
        phase_ = Phase::Broken;
      }
      break;
    case Phase::Cut: {
      // The short RT would have run out and lined up a bonus by now.
      const int32_t longest = IsFourBCause(cutCause_) ? kMaxShortRt : kOneGameRt;
      if (cause != cutCause_ || zt || j - cutAt_ >= longest) phase_ = Phase::Broken;
      break;
    }
    case Phase::Chain:
      if (cause != chainCause_ || zt) phase_ = Phase::Broken;
      break;
    case Phase::Broken: break;
  }
}

SettingLikelihood FilledStretch::Release(const RunRow& row) {
  const int32_t j = ++games_;
  if (row.ZtCount == kZtGames) phase_ = Phase::Broken;
  std::array<double, kSettingCount> one;
  one.fill(1.0);
  switch (phase_) {
    case Phase::Drawn: {
      if (row.RTCancel != Code(RtCancelCause::Expired)) return None();
      const std::array<bool, 2> modes = {ReleasedKind(0, row) == row.LastOutcome,
                                         ReleasedKind(1, row) == row.LastOutcome};
      return Sum(j, j, one, modes);
    }
    case Phase::Cut:
      if (row.RTCancel != cutCause_) return None();
      return Cut(j - cutAt_, true, &row);
    case Phase::Chain: {
      SettingLikelihood flat;
      flat.Log.fill(row.RTCancel == chainCause_ ? 0.0 : -std::numeric_limits<double>::infinity());
      return flat;
    }
    case Phase::Broken: break;
  }
  return None();
}

SettingLikelihood FilledStretch::Open() {
  std::array<double, kSettingCount> one;
  one.fill(1.0);
  switch (phase_) {
    case Phase::Drawn: return Sum(games_ + 1, kMaxRtGames, one, {true, true});
    case Phase::Cut: return Cut(games_ - cutAt_, false, nullptr);
    case Phase::Chain: {
      SettingLikelihood flat;
      flat.Log.fill(0.0);
      return flat;
    }
    case Phase::Broken: break;
  }
  return None();
}

// The drawn RT was cut on game cutAt_; its short RT ran `games` more and
// then lined up the bonus of `row`, or is still under way.
SettingLikelihood FilledStretch::Cut(int32_t games, bool released, const RunRow* row) const {
  std::array<double, kSettingCount> factor;
  const bool fourB = IsFourBCause(cutCause_);
  double shortChance = 1.0;
  if (fourB) {
    // Released after `games` more, or still running after them.
    const int32_t fewest = released ? 1 : 0;
    if (games < fewest || games > kMaxShortRt - 1 + fewest) return None();
    shortChance =
        released ? odds_.ShortRt[static_cast<size_t>(games)] : odds_.ShortLongerThan(games);
    shortChance *= cutZt_ ? odds_.ZtOnCut : 1.0 - odds_.ZtOnCut;
  } else if (cutZt_ || (released && games != kOneGameRt)) {
    return None();
  }
  factor.fill(shortChance);
  int32_t first = cutAt_ + kCancelFloor;
  int32_t last = kMaxRtGames;
  if (cutCause_ == Code(RtCancelCause::Cherry4B1)) {
    first = cutAt_ + kCancelLotteryFrom;
    for (size_t s = 0; s < kSettingCount; ++s) factor[s] *= odds_.Cancel[s];
  } else if (cutCause_ == Code(RtCancelCause::Cherry4B2)) {
    last = cutAt_ + kCancelLotteryFrom - 1;
  }
  std::array<bool, 2> modes = {true, true};
  if (row != nullptr) {
    modes = {ReleasedKind(0, *row) == row->LastOutcome, ReleasedKind(1, *row) == row->LastOutcome};
  }
  return Sum(first, last, factor, modes);
}

// A sweep over the games on which the drawn RT may have run out. Every
// 4-cherry B kept without a ZT at game j rules out j+32..j+128 and costs
// (1 - cancel) × (no ZT) from j+129 on; between those edges the product is
// constant, so each piece is one difference of the cumulative table.
SettingLikelihood FilledStretch::Sum(int32_t first, int32_t last,
                                     const std::array<double, kSettingCount>& factor,
                                     const std::array<bool, 2>& modes) const {
  first = std::max({first, ztFloor_, 1});
  last = std::min({last, firstCutRole_ + kCancelFloor - 1, kMaxRtGames});

  std::array<double, kSettingCount> keep{}, ztKeep{}, total{};
  for (size_t s = 0; s < kSettingCount; ++s) {
    keep[s] = (1.0 - odds_.Cancel[s]) * (1.0 - odds_.ZtOnKeep);
    ztKeep[s] = std::pow((1.0 - odds_.Cancel[s]) * odds_.ZtOnKeep, ztKeeps_);
  }
  // keeps_ is in game order: those at or before e - 129 have cost a factor,
  // those in e - 128..e - 32 rule e out.
  size_t passed = 0;   // keeps_ with j + 129 <= e
  size_t entered = 0;  // keeps_ with j + 32 <= e
  for (int32_t e = first; e <= last;) {
    while (entered < keeps_.size() && keeps_[entered] + kCancelFloor <= e) ++entered;
    while (passed < keeps_.size() && keeps_[passed] + kCancelLotteryFrom <= e) ++passed;
    int32_t next = last + 1;
    if (entered < keeps_.size()) next = std::min(next, keeps_[entered] + kCancelFloor);
    if (passed < keeps_.size()) next = std::min(next, keeps_[passed] + kCancelLotteryFrom);
    if (entered == passed) {
      for (size_t s = 0; s < kSettingCount; ++s) {
        double chance = 0;
        for (size_t m = 0; m < kModeCount; ++m) {
          if (modes[m]) chance += odds_.Mode[m] * odds_.LengthBetween(m, s, e, next - 1);
        }
        total[s] += chance * std::pow(keep[s], static_cast<double>(passed));
      }
    }
    e = next;
  }
  SettingLikelihood result;
  for (size_t s = 0; s < kSettingCount; ++s) {
    const double value = total[s] * ztKeep[s] * factor[s] * drawnWeight_;
    result.Log[s] = value > 0 ? std::log(value) : -std::numeric_limits<double>::infinity();
  }
  return result;
}

SettingLikelihood FilledStretch::None() {
  SettingLikelihood none;
  none.Log.fill(-std::numeric_limits<double>::infinity());
  return none;
}

}  // namespace sorimu
