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
  for (int s = 1; s <= RtLengthModel::kSettings; ++s) {
    model.Length[0][s - 1] = LengthDistribution(machine.Mode0RtTblFor(s), kRtLottery0Classes);
    model.Length[1][s - 1] = LengthDistribution(machine.Mode1RtTblFor(s), kRtLottery1Classes);
    model.CancelProbability[s - 1] = machine.CancelTblFor(s)[0] / kDrawWidth;
  }
  return model;
}

}  // namespace

double RtLengthModel::MeanLength(int mode, int setting) const {
  const std::vector<double>& p = Length[mode][setting - 1];
  double mean = 0;
  for (size_t g = 0; g < p.size(); ++g) mean += static_cast<double>(g) * p[g];
  return mean;
}

const RtLengthModel& MachineRtModel() {
  static const RtLengthModel model = Build();
  return model;
}

}  // namespace sorimu
