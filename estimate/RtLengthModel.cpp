#include "RtLengthModel.h"

#include <algorithm>
#include <cstddef>

#include "MachineRules.h"
#include "RangeClasses.h"
#include "Slot.h"

namespace sorimu {

namespace {

constexpr double kDrawWidth = 256.0;

// A class is picked by its weight out of 256; a draw beyond all weights falls
// to the last class, as the machine's lottery does. Within a class every
// count of its range is equally likely.
template <size_t N>
std::vector<double> ClassDistribution(const Rate_TBL<int>& table, const RangeClass (&classes)[N],
                                      size_t size) {
  std::vector<double> p(size, 0.0);
  double left = kDrawWidth;
  for (size_t k = 0; k < N; ++k) {
    double weight = k < table.size() ? table[k] : 0;
    left -= weight;
    if (k + 1 == N) weight += left;
    const double classProbability = weight / kDrawWidth;
    const RangeClass& range = classes[k];
    if (range.width == 0) {
      p[static_cast<size_t>(range.base)] += classProbability;
      continue;
    }
    for (int32_t g = 0; g < range.width; ++g) {
      p[static_cast<size_t>(range.base + g)] += classProbability / range.width;
    }
  }
  return p;
}

std::vector<double> Cumulate(const std::vector<double>& p) {
  std::vector<double> c(p.size());
  double sum = 0;
  for (size_t g = 0; g < p.size(); ++g) c[g] = sum += p[g];
  return c;
}

RtLengthModel Build() {
  const Slot machine(0);
  constexpr size_t kSize = RtLengthModel::kMaxRt + 1;
  RtLengthModel model;
  model.ModeProbability = {machine.ModeTbl[0] / kDrawWidth, machine.ModeTbl[1] / kDrawWidth};
  for (size_t s = 0; s < RtLengthModel::kSettings; ++s) {
    const int32_t setting = static_cast<int32_t>(s) + 1;
    model.Length[0][s] =
        ClassDistribution(machine.Mode0RtTblFor(setting), kRtLottery0Classes, kSize);
    model.Length[1][s] =
        ClassDistribution(machine.Mode1RtTblFor(setting), kRtLottery1Classes, kSize);
    for (size_t m = 0; m < 2; ++m) model.Cumulative[m][s] = Cumulate(model.Length[m][s]);
    model.CancelProbability[s] = machine.CancelTblFor(setting)[0] / kDrawWidth;
  }
  const std::vector<double> shortRt =
      ClassDistribution(machine.ShortRtTbl, kShortRtClasses, RtLengthModel::kMaxShortRt + 1);
  std::copy(shortRt.begin(), shortRt.end(), model.ShortLength.begin());
  // ZtLotteryCancel starts a ZT on entry 0; ZtLotteryKeep on a draw beyond it.
  model.ZtAfterCut = machine.ZtCancelTbl[0] / kDrawWidth;
  model.ZtAfterKeep = 1.0 - machine.ZtKeepTbl[0] / kDrawWidth;
  model.EmptyStartShortChance = kEmptyStartShortRtWeight / kDrawWidth;
  model.Ren3Chance = machine.Ren3Tbl[0] / kDrawWidth;
  return model;
}

}  // namespace

double RtLengthModel::MeanLength(int mode, int setting) const {
  const std::vector<double>& p = LengthOf(mode, setting);
  double mean = 0;
  for (size_t g = 0; g < p.size(); ++g) mean += static_cast<double>(g) * p[g];
  return mean;
}

double RtLengthModel::LengthBetween(int mode, int setting, int32_t first, int32_t last) const {
  first = std::max(first, 1);
  last = std::min(last, kMaxRt);
  if (first > last) return 0;
  // A single length straight from the table keeps its last digits.
  if (first == last) return LengthOf(mode, setting)[static_cast<size_t>(first)];
  const std::vector<double>& c =
      Cumulative[static_cast<size_t>(mode)][static_cast<size_t>(setting - 1)];
  return c[static_cast<size_t>(last)] - c[static_cast<size_t>(first - 1)];
}

double RtLengthModel::ShortLongerThan(int32_t games) const {
  double sum = 0;
  for (int32_t k = std::max(games + 1, 1); k <= kMaxShortRt; ++k) {
    sum += ShortLength[static_cast<size_t>(k)];
  }
  return sum;
}

const RtLengthModel& MachineRtModel() {
  static const RtLengthModel model = Build();
  return model;
}

}  // namespace sorimu
