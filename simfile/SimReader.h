#pragma once

#include <cstddef>
#include <string>

#include "RunRecords.h"
#include "SimFileHeader.h"
#include "Status.h"

namespace sorimu {

// Ok, or CannotOpen (missing, unreadable, not a regular file), NotSimFile
// (wrong mark, too short, not a single complete row), Unreachable (a value
// the machine never writes, RowRules.h), TooLarge (more rows than a list can
// index or the memory can hold), OutOfMemory or ReadError, each with its
// message.
struct SimReadResult {
  Status status;
  SimFileHeader header;
};

// Reads a simulation file into `records`. Pipes and devices are refused
// without waiting on them. Once a regular file is open the rows are emptied
// first; on any failure after that they stay empty, and the start stocks
// keep their values. A tail of 1 to 47 bytes after the last row is dropped.
// `displayBytesPerRow` is what the caller will spend on each row besides the
// row itself: a file whose rows and display would not fit in the memory the
// system has free is refused at once rather than read into swap.
SimReadResult ReadSimFile(const std::string& path, RunRecords& records,
                          size_t displayBytesPerRow = 0);

// The same from bytes in memory, for tests and the fuzzers.
SimReadResult ReadSimBytes(const void* data, size_t size, RunRecords& records);

}  // namespace sorimu
