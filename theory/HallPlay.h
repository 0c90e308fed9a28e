#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "StretchLaw.h"

// What playing a machine from a given point is worth, from the laws of its
// stretches: the ハマリ/天井 table (a machine showing G games since its last
// bonus) and the quitting rule after a bonus (やめ時). Values in, values out.
namespace sorimu::theory {

// The three stretch laws of one setting, with the model they come from.
struct SettingPlay {
  const CycleModel* Model = nullptr;
  const std::array<StretchLaw, kStretchStarts>* Laws = nullptr;
};

// Setting 1..6 of the machine as built.
SettingPlay DefaultSettingPlay(int setting);

// The chances of a bonus within this many more normal games.
inline constexpr std::array<int32_t, 4> kWithinGames = {50, 100, 300, 500};
inline constexpr size_t kWithinCount = kWithinGames.size();

// A machine that shows `Since` normal games since its last bonus, none of
// them having lined one up. Every figure is conditioned on that; where no
// stretch gets that far (Reach 0) they are NaN.
struct SinceFigures {
  int32_t Since = 0;
  // The chance that a stretch gets past Since games without its bonus.
  Real Reach = 0;
  // The chance that the next bonus lines up within the next w normal games.
  std::array<Real, kWithinCount> Within{};
  // Further normal games until it does, its line-up game included.
  Real ExpectedGames = 0;
  std::array<Real, kKindCount> NextKind{};
  // Expected medals of sitting down now and playing until that bonus has
  // been played out, and of playing on through its chain as well: to the
  // first run of kChainGames normal games after a bonus without another.
  Real ToBonus = 0;
  Real ThroughChain = 0;

  bool Reachable() const { return Reach > 0; }
};

// A 3G連 lines its bonus up on the fourth normal game at the latest.
inline constexpr int32_t kChainGames = kRen3GamesMode0;

// `after` is kBig, kReg or kAfterReset; since >= 0.
SinceFigures FiguresSince(const SettingPlay& play, size_t after, int32_t since);

// The same when the kind of the last bonus is not known: BIG and REG as they
// share the bonuses in the long run, weighed by how likely each is to have
// left the machine this far without one.
SinceFigures FiguresSinceEither(const SettingPlay& play, int32_t since);

// Figures of several settings (or kinds) mixed: each weighed by `weights`
// (a prior or a posterior, not all 0) times its Reach, as a player who knows
// only that the machine got this far would weigh them. Reach becomes the
// chance of getting this far under the weights.
SinceFigures MixSince(const std::vector<SinceFigures>& figures, const std::vector<Real>& weights);

// From the end of a bonus of each kind: the expected medals of playing until
// the first run of `games` (>= 1) normal games without a bonus, and then
// stopping; every bonus on the way is played out.
std::array<Real, kKindCount> QuitValue(const SettingPlay& play, int32_t games);

// The chance that, after a bonus of kind `after` ends, a 1G連 or 3G連 lines
// its bonus up within `games` normal games. The same at every setting.
Real ChainWithin(const SettingPlay& play, size_t after, int32_t games);

// The smallest G from which the figure is above 0 at every reachable G up to
// `figures`' last (figures in order of Since); -1 if at none.
int32_t PositiveFrom(const std::vector<SinceFigures>& figures, Real SinceFigures::*figure);

}  // namespace sorimu::theory
