#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Job.h"
#include "RunRecords.h"
#include "RunStretches.h"
#include "Setting.h"
#include "Slot.h"

namespace sorimu {

// What a run's records allow about the machine after their last row. The
// machine itself is never read: the stocks, the ZT and the last role are
// shown by the last row; the bonus under way is rebuilt from its rows; the
// RT (mode, games left, and whether a role may still cut it) is known only
// as chances, per setting, from what the current stretch showed.
struct RunState {
  RunEnd::Place Place = RunEnd::Place::Stretch;
  RunRow Last{};  // the last row; for records without rows, the start stocks

  // In an RT: every (RTCancel, mode, games left) the machine may be in, and
  // per setting the running total of their weights (the last is the sum).
  struct RtChoice {
    int32_t Cause = 0;
    int32_t Mode = 0;
    int32_t RtCount = 0;
  };
  std::vector<RtChoice> Choices;
  std::array<std::vector<double>, kSettingCount> Cumulative;

  // In a bonus: its fields as the machine holds them after the last row.
  int32_t BonusKind = 0;
  int32_t BonusGames = 0;
  int32_t JacGames = 0;
  int32_t JacInCount = 0;
  int32_t JacMode = 0;
  int32_t RenFlag = 0;
  // A JAC-IN role past the second one before game 30 shows as a plum, so
  // whether a third came is known only as a chance.
  double HiddenJacInChance = 0;
};

// `job`, when given, counts the rows read; once it is cancelled the scan
// stops and what comes back means nothing.
RunState ReadRunState(const RunRecords& records, Job* job = nullptr);

// Puts `slot` (its tables filled) into a state drawn from `state` for
// `setting`, by the uniform draws u and v in [0, 1), with its balance and
// game count at 0: the next Play plays on from the last row.
void PlaceMachine(Slot& slot, const RunState& state, int32_t setting, double u, double v);

}  // namespace sorimu
