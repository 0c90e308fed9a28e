#pragma once

#include <cstdint>
#include <functional>

#include "RunRecords.h"
#include "Slot.h"
#include "StartInputs.h"

namespace sorimu {

enum class RunStatus { Completed, OutOfMemory, Cancelled };

// How often a run reports, in normal games: often enough for a progress bar
// to move smoothly and a cancel to land within milliseconds, rarely enough
// not to show in the game loop.
inline constexpr int32_t kRunProgressGames = 1 << 16;

// Told the normal games played so far; false stops the run.
using RunProgress = std::function<bool(int32_t gamesPlayed)>;

// Plays one run into `records`: the hidden-level draw for "?", SetFlevel
// (whose Reset still sees the previous run's stocks), then `messagePoint` -
// the one moment at which a window may process its messages - then the start
// stocks, Reset, and Play until the Play数-th normal game. Runs one after
// another continue the machine's random sequence. When memory runs out the
// rows are cleared and OutOfMemory is returned; when `progress` says stop,
// the rows played so far stay and Cancelled is returned.
RunStatus Simulate(Slot& slot, RunRecords& records, const StartInputs& inputs,
                   const std::function<void()>& messagePoint = {},
                   const RunProgress& progress = {});

// The level a run with these inputs plays at: drawn from the machine for "?".
int32_t ChooseFlevel(Slot& slot, const StartInputs& inputs);

}  // namespace sorimu
