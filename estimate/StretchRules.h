#pragma once

#include <cstdint>

#include "MachineRules.h"
#include "Outcome.h"
#include "RunRow.h"

// What a normal game's row tells about the RT, shared by the two ways the
// likelihood of a stretch is worked out.
namespace sorimu {

// The bonus an RT of `mode` that runs out on this game lines up, by the
// stocks the row shows after the game's stock lottery: Outcome::BIG or
// Outcome::REG, or 0 when no stock fits and a new RT is drawn instead.
inline int32_t ReleasedKind(int mode, const RunRow& row) {
  if (mode == 0 && row.BigStock > 0) return Code(Outcome::BIG);
  return row.RegStock > 0 ? Code(Outcome::REG) : 0;
}

// The roles that cut an RT with 32 or more games left whatever the setting.
inline bool CutsAnyRt(int32_t role) {
  return role == Code(Outcome::Cherry2) || role == Code(Outcome::Hazure);
}

}  // namespace sorimu
