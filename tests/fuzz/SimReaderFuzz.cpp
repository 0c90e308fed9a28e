// Any bytes at all must give a status, never a crash, a hang or a runaway
// allocation; a file that reads must have exactly its whole rows. The same
// bytes read as a bonus history give a history or a line's message, and a
// history that reads gives an estimate.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "HistoryEstimate.h"
#include "HistoryText.h"
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

  const HistoryParse parse =
      ParseHistoryText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (parse.status.Ok() != (parse.Line == 0)) std::abort();
  double total = 0;
  for (double p : EstimateFromHistory(parse.history).Probability) total += p;
  if (!(std::fabs(total - 1) <= 1e-9)) std::abort();
  return 0;
}
