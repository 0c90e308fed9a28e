#include "PlainFilter.h"

#include <cmath>
#include <limits>

#include "MachineRules.h"
#include "Outcome.h"
#include "RangeClasses.h"
#include "Slot.h"

using namespace sorimu;

namespace testing_support {

namespace {

constexpr int kMaxRt = 1490;
constexpr int kCauses = 8;
constexpr size_t kStates = 2 * (kMaxRt + 1) * kCauses;

size_t At(int mode, int rtCount, int cause) {
  return (static_cast<size_t>(mode) * (kMaxRt + 1) + static_cast<size_t>(rtCount)) * kCauses +
         static_cast<size_t>(cause);
}

// A table's chance of entry `index` for a draw of `width`; the draws beyond
// all weights for index == size().
double Chance(const Rate_TBL<int>& table, size_t index, double width) {
  double weight = width;
  if (index < table.size()) {
    weight = table[index];
  } else {
    for (int w : table) weight -= w;
  }
  return weight / width;
}

// The chance of each RT length a lottery over these classes draws; a draw
// beyond all weights falls to the last class.
template <size_t N>
std::vector<double> Lengths(const Rate_TBL<int>& table, const RangeClass (&classes)[N]) {
  std::vector<double> p(kMaxRt + 1, 0.0);
  double left = 1.0;
  for (size_t k = 0; k < N; ++k) {
    double chance = k < table.size() ? table[k] / 256.0 : 0.0;
    left -= chance;
    if (k + 1 == N) chance += left;
    const RangeClass& c = classes[k];
    if (c.width == 0) {
      p[static_cast<size_t>(c.base)] += chance;
    } else {
      for (int g = 0; g < c.width; ++g) p[static_cast<size_t>(c.base + g)] += chance / c.width;
    }
  }
  return p;
}

struct Machine {
  explicit Machine(int setting) : slot(0), flevel(setting) {
    rt[0] = Lengths(slot.Mode0RtTblFor(setting), kRtLottery0Classes);
    rt[1] = Lengths(slot.Mode1RtTblFor(setting), kRtLottery1Classes);
    mode = {Chance(slot.ModeTbl, 0, 256), Chance(slot.ModeTbl, 1, 256)};
    cancel = Chance(slot.CancelTblFor(setting), 0, 256);
    for (size_t k = 0; k < 3; ++k) {
      const RangeClass& c = kShortRtClasses[k];
      for (int g = 0; g < c.width; ++g) {
        shortRt[static_cast<size_t>(c.base + g)] += Chance(slot.ShortRtTbl, k, 256) / c.width;
      }
    }
    ztAfterCut = Chance(slot.ZtCancelTbl, 0, 256);
    ztAfterKeep = Chance(slot.ZtKeepTbl, 1, 256);
    ren3 = Chance(slot.Ren3Tbl, 0, 256);
  }

  // NewRt: a mode, then a count by that mode's lottery, RTCancel None.
  void NewRt(std::vector<double>& into, double weight) const {
    for (int m = 0; m < 2; ++m) {
      for (int r = 1; r <= kMaxRt; ++r) {
        into[At(m, r, 0)] += weight * mode[static_cast<size_t>(m)] * rt[m][static_cast<size_t>(r)];
      }
    }
  }

  Slot slot;
  int flevel;
  std::array<std::vector<double>, 2> rt;
  std::array<double, 2> mode{};
  double cancel = 0;
  std::array<double, 33> shortRt{};
  double ztAfterCut = 0, ztAfterKeep = 0, ren3 = 0;
};

// The bonus an RT of `mode` running out lines up with these stocks (0: none).
int Lined(int mode, const RunRow& row) {
  if (mode == 0 && row.BigStock > 0) return Code(Outcome::BIG);
  if (row.RegStock > 0) return Code(Outcome::REG);
  return 0;
}

// One normal game from every state, kept where it shows what `row` shows.
// Returns the chance of a bonus lined up as the row shows one (0 for a row
// without one), and leaves in `next` the states after a row without one.
double PlayGame(const Machine& machine, const std::vector<double>& now, const RunRow& row,
                std::vector<double>& next) {
  next.assign(kStates, 0.0);
  const bool lineUp = IsBonusRow(row);
  const bool ztShown = row.ZtCount == kZtGames;
  double lined = 0;
  double redrawn = 0;
  auto land = [&](int m, int r, int cause, bool zt, double p) {
    if (p == 0 || zt != ztShown) return;
    if (r == 0) {
      const int bonus = Lined(m, row);
      if (bonus != 0) {
        const int shown = cause == 0 ? Code(RtCancelCause::Expired) : cause;
        if (lineUp && row.LastOutcome == bonus && row.RTCancel == shown) lined += p;
      } else if (!lineUp && row.RTCancel == 0) {
        redrawn += p;  // a new RT, drawn at once
      }
      return;
    }
    if (!lineUp && row.RTCancel == cause) next[At(m, r, cause)] += p;
  };
  for (int m = 0; m < 2; ++m) {
    for (int rc = 1; rc <= kMaxRt; ++rc) {
      for (int cause = 0; cause < kCauses; ++cause) {
        const double p = now[At(m, rc, cause)];
        if (p == 0) continue;
        const int left = rc - 1;
        // A line-up game shows no role; no role can cut an RT on it anyway.
        const int role = lineUp ? Code(Outcome::Miss) : row.LastOutcome;
        if (cause != 0 || left < kCancelFloor) {
          land(m, left, cause, false, p);
        } else if (role == Code(Outcome::Cherry2)) {
          land(m, 1, Code(RtCancelCause::Cherry2), false, p);
        } else if (role == Code(Outcome::Hazure)) {
          land(m, 1, Code(RtCancelCause::Hazure), false, p);
        } else if (role == Code(Outcome::Cherry4B)) {
          const bool lottery = left >= kCancelLotteryFrom;
          const double cut = lottery ? machine.cancel : 1.0;
          const int cause4B =
              lottery ? Code(RtCancelCause::Cherry4B1) : Code(RtCancelCause::Cherry4B2);
          for (int k = 1; k <= 32; ++k) {
            const double q = p * cut * machine.shortRt[static_cast<size_t>(k)];
            land(m, k, cause4B, true, q * machine.ztAfterCut);
            land(m, k, cause4B, false, q * (1 - machine.ztAfterCut));
          }
          if (lottery) {
            land(m, left, 0, true, p * (1 - machine.cancel) * machine.ztAfterKeep);
            land(m, left, 0, false, p * (1 - machine.cancel) * (1 - machine.ztAfterKeep));
          }
        } else {
          land(m, left, 0, false, p);
        }
      }
    }
  }
  if (redrawn > 0) machine.NewRt(next, redrawn);
  return lined;
}

enum class Opening { Reset, ResetEmpty, AfterBig, AfterReg, Ren1G };

std::vector<double> Start(const Machine& machine, Opening opening) {
  std::vector<double> state(kStates, 0.0);
  switch (opening) {
    case Opening::Reset:
    case Opening::AfterReg: machine.NewRt(state, 1.0); break;
    case Opening::ResetEmpty:
      machine.NewRt(state, 1 - 77 / 256.0);
      for (int m = 0; m < 2; ++m) {
        for (int r = 1; r <= 16; ++r) state[At(m, r, 0)] += machine.mode[m] * 77 / 256.0 / 16;
      }
      break;
    case Opening::AfterBig:
      machine.NewRt(state, 1 - machine.ren3);
      state[At(0, 4, 7)] += machine.mode[0] * machine.ren3;
      state[At(1, 3, 7)] += machine.mode[1] * machine.ren3;
      break;
    case Opening::Ren1G: state[At(0, 1, 6)] = 1.0; break;
  }
  return state;
}

double Total(const std::vector<double>& state) {
  double sum = 0;
  for (double p : state) sum += p;
  return sum;
}

// Runs the filter over every stretch; `onEnd` sees the state after the last
// row when the records end inside a stretch.
template <typename OnStretch, typename OnEnd>
void Walk(const RunRecords& records, const Machine& machine, OnStretch onStretch, OnEnd onEnd) {
  Opening next = records.StartBigStock == 0 && records.StartRegStock == 0 ? Opening::ResetEmpty
                                                                          : Opening::Reset;
  std::vector<double> state, after;
  bool open = false, inBonus = false, ren = false;
  int kind = 0;
  double logScale = 0;
  for (size_t i = 0; i < records.RowCount(); ++i) {
    const RunRow& row = records.Row(i);
    if (IsBonusGameRow(row)) {
      ren = ren || row.RenCause != 0 || row.Punk != 0;
      kind = row.BonusKind;
      inBonus = true;
      continue;
    }
    if (inBonus) {
      inBonus = false;
      next = ren ? Opening::Ren1G : kind == 1 ? Opening::AfterBig : Opening::AfterReg;
    }
    if (!open) {
      state = Start(machine, next);
      open = true;
      logScale = 0;
    }
    const double lined = PlayGame(machine, state, row, after);
    if (IsBonusRow(row)) {
      onStretch(std::log(lined) + logScale);
      open = false;
      inBonus = true;
      ren = false;
      kind = row.LastOutcome == Code(Outcome::BIG) ? 1 : 2;
      continue;
    }
    state.swap(after);
    const double total = Total(state);
    if (total > 0 && total < 1e-100) {
      for (double& p : state) p /= total;
      logScale += std::log(total);
    }
  }
  if (open) {
    onStretch(std::log(Total(state)) + logScale);
    onEnd(state);
  }
}

}  // namespace

std::array<double, 6> PlainLogLikelihood(const RunRecords& records) {
  std::array<double, 6> sum{};
  std::vector<std::array<double, 6>> stretches;
  for (int s = 1; s <= 6; ++s) {
    const Machine machine(s);
    size_t k = 0;
    Walk(
        records, machine,
        [&](double logLikelihood) {
          if (stretches.size() <= k) stretches.emplace_back();
          stretches[k++][static_cast<size_t>(s - 1)] = logLikelihood;
        },
        [](const std::vector<double>&) {});
  }
  // As the estimate does: a stretch no setting could have played is left out.
  for (const auto& stretch : stretches) {
    bool any = false;
    for (double v : stretch) any = any || std::isfinite(v);
    if (!any) continue;
    for (size_t s = 0; s < 6; ++s) sum[s] += stretch[s];
  }
  return sum;
}

std::array<double, 6> PlainPosterior(const RunRecords& records) {
  const std::array<double, 6> logLikelihood = PlainLogLikelihood(records);
  double best = -std::numeric_limits<double>::infinity();
  for (double v : logLikelihood) best = std::max(best, v);
  std::array<double, 6> posterior{};
  double total = 0;
  for (size_t s = 0; s < 6; ++s) total += posterior[s] = std::exp(logLikelihood[s] - best);
  for (double& p : posterior) p /= total;
  return posterior;
}

std::vector<double> PlainFinalState(const RunRecords& records, int setting) {
  const Machine machine(setting);
  std::vector<double> last;
  Walk(
      records, machine, [](double) {}, [&](const std::vector<double>& state) { last = state; });
  const double total = Total(last);
  for (double& p : last) p /= total;
  return last;
}

}  // namespace testing_support
