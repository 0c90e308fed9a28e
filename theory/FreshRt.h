#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "MachineOdds.h"

namespace sorimu::theory {

// An RT drawn afresh (at the start of a run, or at the end of a bonus without
// a chain) in one mode, followed to the normal game that lines its bonus up,
// with both stocks filled. Only the count left and whether a role has already
// cut the RT short decide what happens on the way.
struct FreshRt {
  // Chance that the bonus is lined up on normal game n of the RT, n = 0 up to
  // the longest stretch possible (never on game 0), and of lasting at least n
  // games (one entry more, which is 0).
  std::vector<Real> Games;
  std::vector<Real> AtLeast;
  Real Mean = 0;
  // How the RT ends, by RtCancelCause code (Expired .. Hazure).
  std::array<Real, kRtCancelCauseCount> Cause{};
};

// Requires mode 0 or 1.
FreshRt ComputeFreshRt(const MachineOdds& odds, size_t mode);

}  // namespace sorimu::theory
