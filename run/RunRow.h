#pragma once

#include <cstdint>

#include "Outcome.h"

namespace sorimu {

// One game as recorded after Play: twelve fields of the Slot, in the fixed
// column order that the simulation files store.
struct RunRow {
  int32_t GamesSinceBonus;
  int32_t Medal;
  int32_t PlayCount;
  int32_t BonusKind;
  int32_t LastOutcome;
  int32_t RTCancel;
  int32_t BonusGames;
  int32_t RenCause;
  int32_t Punk;
  int32_t ZtCount;
  int32_t BigStock;
  int32_t RegStock;
};

inline constexpr int kRunColumnCount = 12;
static_assert(sizeof(RunRow) == kRunColumnCount * sizeof(int32_t), "a row is twelve packed ints");

enum class RunColumn : int {
  GamesSinceBonus,
  Medal,
  PlayCount,
  BonusKind,
  LastOutcome,
  RTCancel,
  BonusGames,
  RenCause,
  Punk,
  ZtCount,
  BigStock,
  RegStock,
};

inline int32_t ColumnValue(const RunRow& row, RunColumn column) {
  switch (column) {
    case RunColumn::GamesSinceBonus: return row.GamesSinceBonus;
    case RunColumn::Medal: return row.Medal;
    case RunColumn::PlayCount: return row.PlayCount;
    case RunColumn::BonusKind: return row.BonusKind;
    case RunColumn::LastOutcome: return row.LastOutcome;
    case RunColumn::RTCancel: return row.RTCancel;
    case RunColumn::BonusGames: return row.BonusGames;
    case RunColumn::RenCause: return row.RenCause;
    case RunColumn::Punk: return row.Punk;
    case RunColumn::ZtCount: return row.ZtCount;
    case RunColumn::BigStock: return row.BigStock;
    case RunColumn::RegStock: return row.RegStock;
  }
  return 0;
}

// The three row classes that statistics, lists and charts speak of.
inline bool IsBonusGameRow(const RunRow& row) { return row.BonusGames != 0; }
inline bool IsNormalGameRow(const RunRow& row) { return row.BonusGames == 0; }
inline bool IsBonusRow(const RunRow& row) {
  return row.BonusGames == 0 && IsBonusOutcome(row.LastOutcome);
}

}  // namespace sorimu
