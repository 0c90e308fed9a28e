#include "ShownRun.h"

#include "MachineRules.h"

namespace sorimu {

namespace {

// A run starts after Reset, which keeps the last outcome of the run before:
// after a replay the first game takes no bet. The first row shows what was
// paid and the balance after it; the difference is the bet.
std::optional<int32_t> FirstBetOf(const RunRecords& records) {
  if (records.RowCount() == 0) return std::nullopt;
  const RunRow& first = records.Row(0);
  if (first.PlayCount != 1 || !IsNormalGameRow(first) || !IsKnownOutcome(first.LastOutcome)) {
    return std::nullopt;
  }
  return RolePayout(static_cast<Outcome>(first.LastOutcome)) - first.Medal;
}

}  // namespace

ShownRun ShownRunOf(const RunRecords& records, int32_t flevel, bool hiddenLevel) {
  ShownRun shown;
  shown.Present = true;
  shown.Flevel = flevel;
  shown.HiddenLevel = hiddenLevel;
  shown.Games = records.RowCount() > 0 ? records.LastRow().PlayCount : 0;
  shown.BigStock = records.StartBigStock;
  shown.RegStock = records.StartRegStock;
  shown.FirstBet = FirstBetOf(records);
  return shown;
}

}  // namespace sorimu
