#pragma once

#include <cstdint>
#include <memory>

#include "RunRecords.h"
#include "SimFileHeader.h"

namespace sorimu {

enum class RecordsSource { None, Played, Batch, Opened };

// One finished run as the session published it: its rows, the header a save
// of it writes, and where it came from. It never changes once published;
// whoever reads it (the views, a worker, an export, the command line) holds
// a reference of its own, so nothing that comes after can change or free it
// under them, and the reference, not an address, says which run it is.
struct RunSnapshot {
  RunRecords Records;
  SimFileHeader Header;  // level, normal games, start stocks
  RecordsSource Source = RecordsSource::None;
  bool HiddenLevel = false;  // played with "?"
};

using RunRef = std::shared_ptr<const RunSnapshot>;

}  // namespace sorimu
