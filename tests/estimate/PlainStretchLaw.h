#pragma once

#include <array>
#include <vector>

#include "BonusHistory.h"

// A second, deliberately plain route to the law of a stretch between two
// bonuses, for the tests: the hidden state after a bonus (mode, RT count,
// whether a role may still cut it) as chances read straight from a Slot's
// weight tables, moved game by game with the normal game's rules until the
// RT releases its bonus. Nothing is shared with theory/ but the machine's
// tables and constants.
namespace testing_support {

struct PlainStretchLaws {
  // [what the stretch follows: BIG, REG, reset][kind lined up][games]
  std::array<std::array<std::vector<double>, 2>, 3> Games;
};

PlainStretchLaws PlainLaws(int setting);

// The history's log-likelihood under the plain laws, counted as a history
// is counted: from the reset when it starts with one, the open stretch as
// "more than G games", stretches that may have met an empty stock left out.
double PlainHistoryLogLikelihood(const sorimu::BonusHistory& history, const PlainStretchLaws& laws);

}  // namespace testing_support
