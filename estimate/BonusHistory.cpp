#include "BonusHistory.h"

namespace sorimu {

BonusHistory HistoryFromRecords(const RunRecords& records) {
  BonusHistory history;
  history.FromStart = true;
  int32_t open = 0;
  // A reset with both stocks empty may draw a short first RT.
  bool ranOut = records.StartBigStock == 0 && records.StartRegStock == 0;
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      const RunRow& row = rows[i];
      if (!IsNormalGameRow(row)) {
        open = 0;
        continue;
      }
      if (row.GamesSinceBonus == 1 && (row.BigStock == 0 || row.RegStock == 0)) ranOut = true;
      if (IsBonusRow(row)) {
        const bool big = row.LastOutcome == Code(Outcome::BIG);
        history.Bonuses.push_back({big ? theory::kBig : theory::kReg, row.GamesSinceBonus, ranOut});
        ranOut = false;
        open = 0;
      } else {
        open = row.GamesSinceBonus;
      }
    }
  });
  if (!ranOut) history.OpenGames = open;
  return history;
}

}  // namespace sorimu
