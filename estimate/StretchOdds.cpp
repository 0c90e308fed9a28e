#include "StretchOdds.h"

#include <algorithm>

namespace sorimu {

namespace {

void Narrow(const Real* from, size_t count, double* to) {
  for (size_t i = 0; i < count; ++i) to[i] = static_cast<double>(from[i]);
}

StretchOdds Read() {
  const Slot machine(0);
  StretchOdds odds;
  for (int32_t level = 1; level <= kSettingCount; ++level) {
    const MachineOdds read = ReadMachineOdds(machine, level);
    const size_t s = SettingIndex(level);
    for (size_t m = 0; m < kModeCount; ++m) {
      std::vector<double>& length = odds.Length[m][s];
      std::vector<double>& atMost = odds.AtMost[m][s];
      length.resize(read.RtLength[m].size());
      Narrow(read.RtLength[m].data(), length.size(), length.data());
      atMost.resize(length.size());
      double sum = 0;
      for (size_t g = 0; g < length.size(); ++g) atMost[g] = sum += length[g];
    }
    odds.Cancel[s] = static_cast<double>(read.Cancel);
    if (level > 1) continue;
    // The rest is common to every setting.
    for (size_t m = 0; m < kModeCount; ++m) odds.Mode[m] = static_cast<double>(read.Mode(m));
    Narrow(read.ShortRt.data(), read.ShortRt.size(), odds.ShortRt.data());
    odds.ZtOnCut = static_cast<double>(read.ZtOnCut);
    odds.ZtOnKeep = static_cast<double>(read.ZtOnKeep);
    odds.EmptyStartShort = static_cast<double>(read.EmptyStartShort);
    odds.Ren3 = static_cast<double>(read.Ren3);
    odds.JacInRole = static_cast<double>(read.BigJacIn / (1 - read.BigHazure));
  }
  return odds;
}

}  // namespace

double StretchOdds::LengthBetween(size_t mode, size_t setting, int32_t first, int32_t last) const {
  first = std::max(first, 1);
  last = std::min(last, kMaxRtGames);
  if (first > last) return 0;
  // A single length straight from the table keeps its last digits.
  if (first == last) return Length[mode][setting][static_cast<size_t>(first)];
  const std::vector<double>& atMost = AtMost[mode][setting];
  return atMost[static_cast<size_t>(last)] - atMost[static_cast<size_t>(first - 1)];
}

double StretchOdds::ShortLongerThan(int32_t games) const {
  double sum = 0;
  for (int32_t k = std::max(games + 1, 1); k <= kMaxShortRt; ++k) {
    sum += ShortRt[static_cast<size_t>(k)];
  }
  return sum;
}

const StretchOdds& MachineStretchOdds() {
  static const StretchOdds odds = Read();
  return odds;
}

}  // namespace sorimu
