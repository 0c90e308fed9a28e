// Any bytes at all must give a status, never a crash, a hang or a runaway
// allocation; a file that reads must have exactly its whole rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "SimReader.h"

using namespace sorimu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RunRecords records;  // kept like the window keeps its records
  const SimReadResult result = ReadSimBytes(data, size, records);
  if (result.status.Ok()) {
    if (size < 68 || records.RowCount() != (size - 20) / 48) std::abort();
  } else if (records.RowCount() != 0) {
    std::abort();
  }
  return 0;
}
