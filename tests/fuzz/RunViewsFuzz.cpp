// Whatever rows a file holds once it reads, every view made of them must
// come out without a crash, a hang or undefined behaviour: the report with
// its lists, the statistics and tables, the bonus list, the chart points,
// the setting estimate, the estimate from its bonus list and both CSV lists. Foreign files hold
// codes and counters no machine writes; the views must take them as they stand.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "BonusList.h"
#include "ChartData.h"
#include "CsvLists.h"
#include "HistoryEstimate.h"
#include "Report.h"
#include "ResultStats.h"
#include "SettingEstimate.h"
#include "SimReader.h"

using namespace sorimu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RunRecords records;
  if (!ReadSimBytes(data, size, records).status.Ok()) return 0;

  std::ostringstream sink;
  WriteReport(sink, records, /*withRows=*/true);
  const ResultStats stats = ComputeResultStats(records);
  for (const auto& rows :
       {KoyakuRows(stats), Ren3Rows(stats), RenRows(stats), RTCancelRows(stats)}) {
    for (const TableRow& row : rows) sink << row.size();
  }
  sink << BonusListItems(records).size() << SummaryText(stats);
  for (const PieSlice& slice : KoyakuPieSlices(stats)) sink << slice.value;

  size_t points = 0;
  ForEachChartPoint(
      records, [&](int, int32_t, int32_t) { ++points; },
      [&](int32_t, int32_t, uint32_t) { ++points; }, [&](int32_t, int32_t) { ++points; });
  if (points > 3 * records.RowCount()) std::abort();

  const SettingEstimate estimate = EstimateSetting(records);
  double total = 0;
  for (double p : estimate.Probability) {
    if (!(p >= 0 && p <= 1)) std::abort();
    total += p;
  }
  if (std::fabs(total - 1) > 1e-9) std::abort();

  // The file's bonus list as a history, whatever its counters say.
  total = 0;
  for (double p : EstimateFromHistory(HistoryFromRecords(records)).Probability) total += p;
  if (!(std::fabs(total - 1) <= 1e-9)) std::abort();

  WritePlayListCsv(sink, records);
  WriteBonusListCsv(sink, records);
  return 0;
}
