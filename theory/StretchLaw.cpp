#include "StretchLaw.h"

#include <algorithm>
#include <cassert>

namespace sorimu::theory {

Real StretchLaw::Chance(size_t kind, int64_t games) const {
  if (games < 1 || games > Longest) return 0;
  return Games[kind][static_cast<size_t>(games)];
}

Real StretchLaw::TailOf(size_t kind, int64_t games) const {
  if (games >= Longest) return 0;
  return Beyond[kind][static_cast<size_t>(std::max<int64_t>(games, 0))];
}

Real StretchLaw::Tail(int64_t games) const {
  if (games < 0) return 1;
  return TailOf(kBig, games) + TailOf(kReg, games);
}

Real StretchLaw::ExcessAt(int64_t games) const {
  assert(games >= 0);
  return games >= Longest ? 0 : Excess[static_cast<size_t>(games)];
}

// The chained releases come after a fixed number of games whatever the
// roles; a fresh RT brings the bonus of its mode.
StretchLaw BuildStretchLaw(const CycleModel& model, const AfterBonus& after) {
  size_t longest = 0;
  for (const ChainedRelease& chain : after.Chains) {
    longest = std::max(longest, static_cast<size_t>(chain.Games));
  }
  if (after.Fresh > 0) {
    for (const FreshRt& fresh : model.Fresh) longest = std::max(longest, fresh.Games.size() - 1);
  }
  StretchLaw law;
  law.Longest = static_cast<int32_t>(longest);
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    law.Games[kind].assign(longest + 1, 0);
    law.Beyond[kind].assign(longest + 1, 0);
  }
  for (const ChainedRelease& chain : after.Chains) {
    law.Games[chain.Kind][static_cast<size_t>(chain.Games)] += chain.Chance;
  }
  for (size_t mode = 0; mode < kModeCount; ++mode) {
    const Real share = after.Fresh * model.Odds.Mode(mode);
    const std::vector<Real>& games = model.Fresh[mode].Games;
    // A mode releases the bonus of the same index while its stock lasts.
    for (size_t n = 1; n < games.size() && share > 0; ++n) law.Games[mode][n] += share * games[n];
  }
  // Suffix sums of positive terms keep the small tails' relative precision.
  law.Excess.assign(longest + 1, 0);
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    for (size_t n = longest; n-- > 0;) {
      law.Beyond[kind][n] = law.Beyond[kind][n + 1] + law.Games[kind][n + 1];
    }
  }
  for (size_t n = longest; n-- > 0;) {
    law.Excess[n] = law.Excess[n + 1] + law.Beyond[kBig][n] + law.Beyond[kReg][n];
  }
  return law;
}

const std::array<StretchLaw, kStretchStarts>& DefaultStretchLaws(int setting) {
  assert(setting >= 1 && setting <= kSettingCount);
  static const std::array<std::array<StretchLaw, kStretchStarts>, kSettingCount> laws = [] {
    std::array<std::array<StretchLaw, kStretchStarts>, kSettingCount> built;
    for (int s = 1; s <= kSettingCount; ++s) {
      const CycleModel& model = DefaultCycleModel(s);
      std::array<StretchLaw, kStretchStarts>& three = built[static_cast<size_t>(s - 1)];
      three[kBig] = BuildStretchLaw(model, model.After[kBig]);
      three[kReg] = BuildStretchLaw(model, model.After[kReg]);
      three[kAfterReset] = BuildStretchLaw(model, model.AtStart);
    }
    return built;
  }();
  return laws[static_cast<size_t>(setting - 1)];
}

}  // namespace sorimu::theory
