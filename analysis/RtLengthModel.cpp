#include "RtLengthModel.h"

#include <cstddef>

#include "RangeClasses.h"
#include "Slot.h"

namespace sorimu {

namespace {

constexpr double kDrawWidth = 256.0;

// A class is picked by its weight out of 256; a draw beyond all weights falls
// to the last class, as the machine's lottery does. Within a class every
// count of its range is equally likely.
template <size_t N>
std::vector<double> LengthDistribution(const Rate_TBL<int>& table, const RangeClass (&classes)[N]) {
  std::vector<double> p(RtLengthModel::kMaxRt + 1, 0.0);
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

RtLengthModel Build() {
  const Slot machine(0);
  RtLengthModel model;
  model.ModeProbability = {machine.ModeTbl[0] / kDrawWidth, machine.ModeTbl[1] / kDrawWidth};
  for (size_t s = 0; s < RtLengthModel::kSettings; ++s) {
    const int32_t setting = static_cast<int32_t>(s) + 1;
    model.Length[0][s] = LengthDistribution(machine.Mode0RtTblFor(setting), kRtLottery0Classes);
    model.Length[1][s] = LengthDistribution(machine.Mode1RtTblFor(setting), kRtLottery1Classes);
    model.CancelProbability[s] = machine.CancelTblFor(setting)[0] / kDrawWidth;
  }
  return model;
}

}  // namespace

double RtLengthModel::MeanLength(int mode, int setting) const {
  const std::vector<double>& p = LengthOf(mode, setting);
  double mean = 0;
  for (size_t g = 0; g < p.size(); ++g) mean += static_cast<double>(g) * p[g];
  return mean;
}

const RtLengthModel& MachineRtModel() {
  static const RtLengthModel model = Build();
  return model;
}

}  // namespace sorimu
