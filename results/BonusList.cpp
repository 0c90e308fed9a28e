#include "BonusList.h"

#include "MachineRules.h"
#include "NumberFormat.h"
#include "Outcome.h"
#include "RoleCaptions.h"

namespace sorimu {

namespace {

std::string CauseCell(int32_t code) {
  if (!IsKnownRtCancelCause(code)) return FormatInt(code);
  return std::string(RtCancelCauseText(code));
}

// Medal differences wrap like the 32-bit figures they come from.
int32_t GainedMedals(int32_t lastBonusGameMedal, int32_t lineUpMedal) {
  return static_cast<int32_t>(static_cast<uint32_t>(lastBonusGameMedal) -
                              static_cast<uint32_t>(lineUpMedal) +
                              static_cast<uint32_t>(kLineUpPayout));
}

}  // namespace

std::vector<TableRow> BonusListItems(const RunRecords& records) {
  std::vector<TableRow> items;
  bool pending = false;
  int32_t pendingMedal = 0;
  int32_t previousMedal = 0;
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      const RunRow& row = rows[i];
      if (IsNormalGameRow(row)) {
        if (pending && row.GamesSinceBonus == 1) {
          items.back().push_back(FormatInt(GainedMedals(previousMedal, pendingMedal)));
          pending = false;
        }
        if (IsBonusRow(row)) {
          items.push_back({FormatInt(row.PlayCount), FormatInt(row.GamesSinceBonus),
                           std::string(OutcomeText(row.LastOutcome)), CauseCell(row.RTCancel)});
          pending = true;
          pendingMedal = row.Medal;
        }
      }
      previousMedal = row.Medal;
    }
  });
  return items;
}

}  // namespace sorimu
