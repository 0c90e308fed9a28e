#pragma once

#include <functional>
#include <memory>
#include <string>

#include "OutputStream.h"
#include "RunRecords.h"
#include "SimFormat.h"
#include "Slot.h"

namespace sorimu {

// The header a save writes: the machine's level and normal games, the
// records' start stocks.
SimFileHeader HeaderFor(const Slot& slot, const RunRecords& records);

// Writes the header and every row to a stream the caller opened. False when
// the stream refused a byte.
bool WriteSimFile(OutputStream& out, const SimFileHeader& header, const RunRecords& records);

// Lets tests put a failing stream between the writer and the file.
using StreamFilter = std::function<std::unique_ptr<OutputStream>(OutputStream& file)>;

// Saves to `path` without ever leaving a half-written file there: the bytes
// go to a temporary file in the same folder, which replaces the target only
// after everything was written and flushed to disk. False (target untouched,
// temporary removed) when the file cannot be created or written.
bool SaveSimFile(const std::string& path, const SimFileHeader& header, const RunRecords& records,
                 const StreamFilter& filter = {});

}  // namespace sorimu
