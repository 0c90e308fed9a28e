#pragma once

#include <functional>

#include "RunRecords.h"
#include "Slot.h"
#include "StartInputs.h"

namespace sorimu {

enum class RunStatus { Completed, OutOfMemory };

inline constexpr const char* kOutOfMemoryMessage =
    "メモリが不足したため、シミュレーションを中断しました。";

// Plays one run into `records`: the hidden-level draw for "?", SetFlevel
// (whose Reset still sees the previous run's stocks), then `messagePoint` -
// the one moment at which a window may process its messages - then the start
// stocks, Reset, and Play until the Play数-th normal game. Runs one after
// another continue the machine's random sequence. When memory runs out the
// rows are cleared and OutOfMemory is returned.
RunStatus Simulate(Slot& slot, RunRecords& records, const StartInputs& inputs,
                   const std::function<void()>& messagePoint = {});

// The level a run with these inputs plays at: drawn from the machine for "?".
int32_t ChooseFlevel(Slot& slot, const StartInputs& inputs);

}  // namespace sorimu
