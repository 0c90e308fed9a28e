#include "MachineOdds.h"

#include <algorithm>
#include <cassert>

namespace sorimu {

namespace {

constexpr int32_t kByteDraw = Slot::kByteDraw;
constexpr int32_t kWordDraw = Slot::kWordDraw;

// Spreads each class's chance evenly over the counts of its range. A Pick
// beyond the class table lands on the last class, as the machine's range
// draw clamps it.
template <size_t N, size_t Size>
void SpreadOverClasses(const std::vector<Real>& classChances, const RangeClass (&classes)[N],
                       Real* counts) {
  for (size_t index = 0; index < classChances.size(); ++index) {
    const RangeClass& range = classes[std::min(index, N - 1)];
    const int32_t width = range.width == 0 ? 1 : range.width;
    for (int32_t g = 0; g < width; ++g) {
      assert(range.base + g >= 1 && static_cast<size_t>(range.base + g) < Size);
      counts[range.base + g] += classChances[index] / width;
    }
  }
}

}  // namespace

std::vector<Real> PickChances(const Rate_TBL<int>& table, int32_t width) {
  std::vector<Real> chances(table.size() + 1, 0);
  int64_t covered = 0;
  int64_t cumulative = 0;
  for (size_t i = 0; i < table.size(); ++i) {
    assert(table[i] >= 0);
    const int64_t low = std::min<int64_t>(cumulative, width);
    const int64_t high = std::min<int64_t>(cumulative + table[i], width);
    chances[i] = static_cast<Real>(high - low) / width;
    covered += high - low;
    cumulative += table[i];
  }
  chances.back() = static_cast<Real>(width - covered) / width;
  return chances;
}

MachineOdds ReadMachineOdds(const Slot& machine, int setting) {
  assert(IsSettingLevel(setting));
  MachineOdds odds;
  odds.Setting = setting;

  // The role mapping of FlagLottery: a cherry's kind from a second draw,
  // anything beyond the flag weights a plain miss.
  const std::vector<Real> flag = PickChances(machine.FlagTbl, kWordDraw);
  const std::vector<Real> cherry = PickChances(machine.CherryTbl, kByteDraw);
  const Outcome cherryKinds[] = {Outcome::Cherry2, Outcome::Cherry4A, Outcome::Cherry4B};
  const Outcome flagRoles[] = {Outcome::Plum, Outcome::Bell, Outcome::Replay, Outcome::Hazure};
  for (size_t i = 0; i < cherry.size(); ++i) {
    const Outcome kind = i < std::size(cherryKinds) ? cherryKinds[i] : Outcome::nCherry;
    odds.Role[IndexOf(kind)] += flag[0] * cherry[i];
  }
  for (size_t i = 1; i < flag.size(); ++i) {
    const Outcome role = i - 1 < std::size(flagRoles) ? flagRoles[i - 1] : Outcome::Miss;
    odds.Role[IndexOf(role)] += flag[i];
  }
  for (size_t code = 0; code < odds.Role.size(); ++code) {
    odds.RolePay += odds.Role[code] * RolePayout(static_cast<Outcome>(code));
  }

  // StockLottery reads index 1 as a REG win whatever lies behind it.
  const std::vector<Real> stock = PickChances(machine.StockTbl, kWordDraw);
  odds.BigStockWin = stock[0];
  odds.RegStockWin = stock.size() > 1 ? stock[1] : 0;
  odds.Mode0 = PickChances(machine.ModeTbl, kByteDraw)[0];
  odds.Cancel = PickChances(machine.CancelTblFor(setting), kByteDraw)[0];
  odds.Ren3 = PickChances(machine.Ren3Tbl, kByteDraw)[0];
  // A ZT comes when ZtLotteryCancel picks 0 and when ZtLotteryKeep picks 1.
  odds.ZtOnCut = PickChances(machine.ZtCancelTbl, kByteDraw)[0];
  odds.ZtOnKeep = PickChances(machine.ZtKeepTbl, kByteDraw)[1];
  odds.EmptyStartShort = static_cast<Real>(kEmptyStartShortRtWeight) / kByteDraw;

  SpreadOverClasses<std::size(kShortRtClasses), kMaxShortRt + 1>(
      PickChances(machine.ShortRtTbl, kByteDraw), kShortRtClasses, odds.ShortRt.data());
  for (std::vector<Real>& length : odds.RtLength) length.assign(kMaxRtGames + 1, 0);
  SpreadOverClasses<std::size(kRtLottery0Classes), kMaxRtGames + 1>(
      PickChances(machine.Mode0RtTblFor(setting), kByteDraw), kRtLottery0Classes,
      odds.RtLength[0].data());
  SpreadOverClasses<std::size(kRtLottery1Classes), kMaxRtGames + 1>(
      PickChances(machine.Mode1RtTblFor(setting), kByteDraw), kRtLottery1Classes,
      odds.RtLength[1].data());

  odds.BigHazure = PickChances(machine.BigHazureTbl, kWordDraw)[0];
  odds.BigJacIn = (1 - odds.BigHazure) * (1 - PickChances(machine.BigGameTbl, kByteDraw)[0]);
  odds.JacWin = PickChances(machine.JacTbl, kWordDraw)[0];
  return odds;
}

}  // namespace sorimu
