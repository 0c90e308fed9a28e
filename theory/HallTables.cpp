#include "HallTables.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace sorimu::theory {

namespace {

SinceFigures FiguresOf(const SettingPlay& play, size_t after, int32_t since) {
  return after == kAfterEither ? FiguresSinceEither(play, since) : FiguresSince(play, after, since);
}

std::vector<Real> Weights(const SettingMix& mix) { return {mix.begin(), mix.end()}; }

int32_t BestGames(const std::vector<Real>& balance) {
  return static_cast<int32_t>(std::max_element(balance.begin(), balance.end()) - balance.begin()) +
         1;
}

}  // namespace

DryTable ComputeDryTable(size_t after, const SettingMix& weights) {
  assert(after <= kAfterEither);
  DryTable table;
  table.After = after;
  const size_t rows = static_cast<size_t>(kDryTableLast) + 1;
  for (int s = 1; s <= kSettingCount; ++s) {
    const SettingPlay play = DefaultSettingPlay(s);
    std::vector<SinceFigures>& column = table.Settings[static_cast<size_t>(s - 1)];
    column.reserve(rows);
    for (int32_t g = 0; g <= kDryTableLast; ++g) column.push_back(FiguresOf(play, after, g));
    table.PositiveToBonus[static_cast<size_t>(s - 1)] =
        PositiveFrom(column, &SinceFigures::ToBonus);
    table.PositiveThroughChain[static_cast<size_t>(s - 1)] =
        PositiveFrom(column, &SinceFigures::ThroughChain);
  }
  const std::vector<Real> mixWeights = Weights(weights);
  table.Mix.reserve(rows);
  std::vector<SinceFigures> at(kSettingCount);
  for (size_t g = 0; g < rows; ++g) {
    for (size_t s = 0; s < kSettingCount; ++s) at[s] = table.Settings[s][g];
    table.Mix.push_back(MixSince(at, mixWeights));
  }
  table.MixPositiveToBonus = PositiveFrom(table.Mix, &SinceFigures::ToBonus);
  table.MixPositiveThroughChain = PositiveFrom(table.Mix, &SinceFigures::ThroughChain);
  return table;
}

SinceFigures FiguresAt(const DryTable& table, int setting, int32_t since) {
  assert(setting >= 1 && setting <= kSettingCount && since >= 0);
  if (since <= kDryTableLast) {
    return table.Settings[static_cast<size_t>(setting - 1)][static_cast<size_t>(since)];
  }
  return FiguresOf(DefaultSettingPlay(setting), table.After, since);
}

SinceFigures MixAt(const DryTable& table, int32_t since) {
  assert(since >= 0);
  if (since <= kDryTableLast) return table.Mix[static_cast<size_t>(since)];
  return FiguresAt(table, 1, since);  // unreachable at every setting alike
}

SettingMix WeightsAt(const DryTable& table, const SettingMix& weights, int32_t since) {
  SettingMix given{};
  Real total = 0;
  for (int s = 1; s <= kSettingCount; ++s) {
    const size_t i = static_cast<size_t>(s - 1);
    given[i] = weights[i] * FiguresAt(table, s, since).Reach;
    total += given[i];
  }
  for (Real& w : given) w = total > 0 ? w / total : std::numeric_limits<Real>::quiet_NaN();
  return given;
}

QuitCurve ComputeQuitCurve(size_t after, int32_t games, const SettingMix& weights) {
  assert(after < kKindCount && games >= 1 && games <= kMaxQuitGames);
  QuitCurve curve;
  curve.After = after;
  curve.Games = games;
  Real total = 0;
  for (Real w : weights) total += w;
  curve.Mix.assign(static_cast<size_t>(games), 0);
  for (int s = 1; s <= kSettingCount; ++s) {
    const SettingPlay play = DefaultSettingPlay(s);
    std::vector<Real>& balance = curve.Balance[static_cast<size_t>(s - 1)];
    for (int32_t k = 1; k <= games; ++k) {
      balance.push_back(QuitValue(play, k)[after]);
      curve.Mix[static_cast<size_t>(k - 1)] +=
          weights[static_cast<size_t>(s - 1)] / total * balance.back();
      if (s == 1) curve.ChainChance.push_back(ChainWithin(play, after, k));
    }
    curve.Best[static_cast<size_t>(s - 1)] = BestGames(balance);
  }
  curve.MixBest = BestGames(curve.Mix);
  return curve;
}

}  // namespace sorimu::theory
