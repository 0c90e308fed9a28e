#pragma once

#include <cstdint>
#include <optional>

#include "RunRecords.h"

namespace sorimu {

// What is known of the run the views show. A batch replaces the records but
// not the views, so this is kept apart from the records and changes only
// when another run is shown or the setting check reveals its level.
struct ShownRun {
  bool Present = false;  // a run is on display
  int32_t Flevel = 1;
  bool HiddenLevel = false;    // played with "?"
  bool LevelRevealed = false;  // the setting check has shown it since
  int32_t Games = 0;           // normal games, as its last row counts them
  int32_t BigStock = 0;        // at its start
  int32_t RegStock = 0;
  // Medals its first game took, as its first row shows them; nothing when
  // the first row is no first normal game with a known role.
  std::optional<int32_t> FirstBet;

  // The level as the user may know it: nothing while it is hidden.
  std::optional<int32_t> KnownLevel() const {
    if (!Present || (HiddenLevel && !LevelRevealed)) return std::nullopt;
    return Flevel;
  }
};

// The records just shown, played (or written) at `flevel`.
ShownRun ShownRunOf(const RunRecords& records, int32_t flevel, bool hiddenLevel);

}  // namespace sorimu
