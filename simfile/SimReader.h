#pragma once

#include <string>

#include "RunRecords.h"
#include "SimFormat.h"

namespace sorimu {

enum class SimReadStatus {
  Ok,
  CannotOpen,  // missing, unreadable or a folder: the command ends silently
  NotSimFile,  // wrong mark, too short, or not a single complete row
  TooLarge,    // more rows than a list can index
  OutOfMemory,
  ReadError,  // the device failed while reading
};

struct SimReadResult {
  SimReadStatus status = SimReadStatus::CannotOpen;
  SimFileHeader header;
};

// Reads a simulation file into `records`. Once the file is open the rows are
// emptied first; on any failure they stay empty and the start stocks keep
// their values. A tail of 1 to 47 bytes after the last row is dropped.
SimReadResult ReadSimFile(const std::string& path, RunRecords& records);

// The same from bytes in memory, for tests and the fuzzer.
SimReadResult ReadSimBytes(const void* data, size_t size, RunRecords& records);

// The message the Open command shows for a failed read ("" when none).
const char* SimReadMessage(SimReadStatus status);

}  // namespace sorimu
