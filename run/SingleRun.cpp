#include "SingleRun.h"

#include <limits>

#include "Setting.h"

namespace sorimu {

int32_t ChooseFlevel(Slot& slot, const StartInputs& inputs) {
  if (inputs.HiddenFlevel) return slot.Random().Next() % kSettingCount + 1;
  return inputs.Flevel;
}

RunStatus Simulate(Slot& slot, RunRecords& records, const StartInputs& inputs,
                   const std::function<void()>& messagePoint, const RunProgress& progress) {
  records.ClearRows();
  slot.SetFlevel(ChooseFlevel(slot, inputs));
  if (messagePoint) messagePoint();

  records.SetStartStocks(inputs.BigStock, inputs.RegStock);
  slot.SetStock(records.StartBigStock, records.StartRegStock);
  slot.Reset();

  const int32_t playNum = inputs.PlayNum;
  int64_t nextReport = progress ? kRunProgressGames : std::numeric_limits<int64_t>::max();
  while (slot.PlayCount < playNum) {
    slot.Play();
    const RunRow row{slot.GamesSinceBonus, slot.Medal,       slot.PlayCount,
                     slot.BonusKind,       slot.LastOutcome, slot.RTCancel,
                     slot.BonusGames,      slot.RenCause,    slot.Punk,
                     slot.ZtCount,         slot.BigStock,    slot.RegStock};
    if (!records.AppendRow(row)) [[unlikely]] {
      records.ClearRows();
      records.ReleaseMemory();
      return RunStatus::OutOfMemory;
    }
    if (slot.PlayCount >= nextReport) [[unlikely]] {
      nextReport += kRunProgressGames;
      if (!progress(slot.PlayCount)) return RunStatus::Cancelled;
    }
  }
  return RunStatus::Completed;
}

}  // namespace sorimu
