#pragma once

#include <string>

#include "BonusHistory.h"
#include "Status.h"

namespace sorimu {

struct HistoryRead {
  Status status;
  BonusHistory history;  // empty unless Ok
};

// A bonus history from a file: a simulation file (its bonus list, counted
// from the run's start), a bonus list CSV or a history text (see
// estimate/HistoryText.h). Pipes and devices are refused without waiting on
// them. A bad line gives BadInput with "<headline>\n<path>\n<n>行目: ...",
// and nothing of the file is used.
HistoryRead ReadHistoryFile(const std::string& path);

}  // namespace sorimu
