#include "SettingEstimate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "MachineRules.h"
#include "Outcome.h"
#include "RtLengthModel.h"

namespace sorimu {

namespace {

constexpr int kSettings = RtLengthModel::kSettings;
constexpr int kMaxRt = RtLengthModel::kMaxRt;

// A 4-cherry B with more than this left draws the setting's cancel lottery;
// with less (and at least kCancelFloor) it always cancels.
constexpr int32_t kLotteryAbove = kCancelLotteryFrom - 1;

bool RoleCausesCancel(int32_t outcome, int32_t cause) {
  switch (cause) {
    case Code(RtCancelCause::Cherry2): return outcome == Code(Outcome::Cherry2);
    case Code(RtCancelCause::Cherry4B1):
    case Code(RtCancelCause::Cherry4B2): return outcome == Code(Outcome::Cherry4B);
    case Code(RtCancelCause::Hazure): return outcome == Code(Outcome::Hazure);
    default: return false;
  }
}

// One RT from the draw that started it to the bonus it released, or to the
// end of the run. Positions count the stretch's normal games from 1; after
// game j an RT drawn with R games has R - j left.
struct Stretch {
  bool usable = false;
  std::vector<int32_t> cherry4B;  // 4-cherry B roles before any cancel
  std::vector<int32_t> cutRoles;  // 2-cherries and pure misses before any cancel
  int32_t cancelCause = 0;
  int32_t cancelAt = 0;
  int32_t length = 0;
};

// The likelihood of a stretch under one setting and mode: the sum over the
// RT lengths R that fit what was seen of P(R) times the chance that each
// role on the way did what it did.
double StretchLikelihood(const Stretch& st, bool released, const RtLengthModel& model, int mode,
                         int setting) {
  const std::vector<double>& p = model.LengthOf(mode, setting);
  const double cancel = model.CancelOf(setting);
  int32_t first = st.length + 1;  // censored: still running after the last game
  int32_t last = kMaxRt;
  double extra = 1.0;
  if (st.cancelCause == Code(RtCancelCause::Cherry4B1)) {
    first = st.cancelAt + kLotteryAbove + 1;
    extra = cancel;
  } else if (st.cancelCause == Code(RtCancelCause::Cherry4B2)) {
    first = st.cancelAt + kCancelFloor;
    last = st.cancelAt + kLotteryAbove;
  } else if (st.cancelCause != 0) {
    first = st.cancelAt + kCancelFloor;
  } else if (released) {
    first = last = st.length;  // expired: the RT was exactly this long
  }
  last = std::min(last, kMaxRt);

  double sum = 0;
  for (int32_t r = first; r <= last; ++r) {
    double term = p[static_cast<size_t>(r)];
    if (term == 0) continue;
    for (int32_t at : st.cutRoles) {
      if (r - at >= kCancelFloor) term = 0;  // it would have cut the RT
    }
    for (int32_t at : st.cherry4B) {
      const int32_t left = r - at;
      if (left > kLotteryAbove) {
        term *= 1.0 - cancel;
      } else if (left >= kCancelFloor) {
        term = 0;  // it would have cut the RT for sure
      }
    }
    sum += term;
  }
  return sum * extra;
}

class Estimator {
 public:
  explicit Estimator(const RtLengthModel& model) : model_(model) { logLikelihood_.fill(0); }

  // `mode` is -1 when the stretch released nothing yet, so either may hold.
  void Add(const Stretch& st, bool released, int mode) {
    std::array<double, kSettings> f{};
    for (size_t s = 0; s < kSettings; ++s) {
      const int setting = static_cast<int>(s) + 1;
      if (mode >= 0) {
        f[s] = StretchLikelihood(st, released, model_, mode, setting);
      } else {
        for (int m = 0; m < 2; ++m) {
          f[s] += model_.ModeProbability[static_cast<size_t>(m)] *
                  StretchLikelihood(st, released, model_, m, setting);
        }
      }
    }
    if (*std::max_element(f.begin(), f.end()) <= 0) {
      ++estimate_.SkippedStretches;  // no setting could have played it
      return;
    }
    for (size_t s = 0; s < kSettings; ++s) {
      logLikelihood_[s] += f[s] > 0 ? std::log(f[s]) : -std::numeric_limits<double>::infinity();
    }
    ++estimate_.UsedStretches;
  }

  void Skip() { ++estimate_.SkippedStretches; }

  SettingEstimate Finish() {
    const double best = *std::max_element(logLikelihood_.begin(), logLikelihood_.end());
    if (!std::isfinite(best)) {
      estimate_.Probability.fill(1.0 / kSettings);
      return estimate_;
    }
    double total = 0;
    for (size_t s = 0; s < kSettings; ++s) {
      estimate_.Probability[s] = std::exp(logLikelihood_[s] - best);
      total += estimate_.Probability[s];
    }
    for (double& p : estimate_.Probability) p /= total;
    return estimate_;
  }

 private:
  const RtLengthModel& model_;
  std::array<double, kSettings> logLikelihood_{};
  SettingEstimate estimate_;
};

}  // namespace

SettingEstimate EstimateSetting(const RunRecords& records) {
  Estimator estimator(MachineRtModel());

  // Only stretches begun with both stocks filled: then every RT that runs
  // out releases a bonus (BIG in mode 0, REG in mode 1), so the bonus shows
  // the mode and no RT can end unseen. Stocks only grow during a stretch.
  Stretch st;
  st.usable = records.StartBigStock > 0 && records.StartRegStock > 0;
  bool open = true;
  bool stocksAfterBonus = false;
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      const RunRow& row = rows[i];
      if (IsBonusGameRow(row)) {
        stocksAfterBonus = row.BigStock > 0 && row.RegStock > 0;
        continue;
      }
      if (!open) {
        st = Stretch{};
        st.usable = stocksAfterBonus;
        stocksAfterBonus = false;
        open = true;
      }
      const int32_t j = ++st.length;
      if (IsBonusRow(row)) {
        open = false;
        const bool expired = st.cancelCause == 0 && row.RTCancel == Code(RtCancelCause::Expired);
        const bool afterCancel = st.cancelCause != 0 && row.RTCancel == st.cancelCause;
        if (!st.usable || !(expired || afterCancel)) {
          estimator.Skip();  // a 1G連 or 3G連, or an unreadable stretch
          continue;
        }
        estimator.Add(st, true, row.LastOutcome == Code(Outcome::BIG) ? 0 : 1);
        continue;
      }
      if (!st.usable || st.cancelCause != 0) continue;
      if (row.RTCancel == 0) {
        const int32_t role = row.LastOutcome;
        if (role == Code(Outcome::Cherry4B)) st.cherry4B.push_back(j);
        if (role == Code(Outcome::Cherry2) || role == Code(Outcome::Hazure))
          st.cutRoles.push_back(j);
      } else if (IsEarlyCancel(row.RTCancel) && RoleCausesCancel(row.LastOutcome, row.RTCancel)) {
        st.cancelCause = row.RTCancel;
        st.cancelAt = j;
      } else {
        st.usable = false;  // a 1G連 or 3G連 under way, or rows no machine wrote
      }
    }
  });
  if (open && st.length > 0) {
    if (st.usable) {
      estimator.Add(st, false, -1);
    } else {
      estimator.Skip();
    }
  }
  return estimator.Finish();
}

}  // namespace sorimu
