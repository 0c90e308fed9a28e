#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "MachineRules.h"
#include "Outcome.h"
#include "RangeClasses.h"
#include "RateTbl.h"
#include "Setting.h"
#include "Slot.h"

// The chances of everything the machine draws, in long double, read from a
// machine's own tables: the one layer that turns weights into odds. The
// exact figures (theory/) and the setting estimate (estimate/) both read it
// and nothing else derives a chance from a weight, so a changed weight
// changes every figure alike. It lives beside the tables because it knows
// how each lottery reads its table (the draw widths, what a draw beyond the
// weights means), which is the machine's business.
namespace sorimu {

using Real = long double;

namespace detail {
template <std::size_t N>
constexpr int32_t LongestClass(const RangeClass (&classes)[N]) {
  int32_t longest = 0;
  for (const RangeClass& range : classes) {
    const int32_t top = range.base + (range.width > 0 ? range.width - 1 : 0);
    longest = top > longest ? top : longest;
  }
  return longest;
}
constexpr int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }
}  // namespace detail

// The longest RT either mode can draw, and the longest short RT after a
// 4-cherry B cancel.
inline constexpr int32_t kMaxRtGames =
    detail::Max(detail::LongestClass(kRtLottery0Classes), detail::LongestClass(kRtLottery1Classes));
inline constexpr int32_t kMaxShortRt = detail::LongestClass(kShortRtClasses);

// Mode 0 releases a BIG, mode 1 a REG; a mode lottery that landed beyond its
// weights would act as mode 1, as the machine treats every mode but 0. Modes
// index the per-mode arrays.
inline constexpr size_t kModeCount = 2;

// The stored code of a role or a cause, as an index of the arrays kept by it.
template <typename Enum>
constexpr size_t IndexOf(Enum value) {
  return static_cast<size_t>(Code(value));
}

// The chances of everything the machine draws at one setting.
struct MachineOdds {
  int Setting = 1;
  // A normal game's role, by Outcome code (Miss .. Hazure; the rest are 0).
  std::array<Real, kOutcomeCount> Role{};
  // Mean medals the role of a normal game pays when it is not the line-up game.
  Real RolePay = 0;
  Real BigStockWin = 0;
  Real RegStockWin = 0;
  Real Mode0 = 0;
  // A 4-cherry B cancels an RT with kCancelLotteryFrom or more games left.
  Real Cancel = 0;
  // A ZT follows a 4-cherry B that cut the RT, or one that drew the cancel
  // lottery and kept it.
  Real ZtOnCut = 0;
  Real ZtOnKeep = 0;
  // A reset with both stocks empty replaces the drawn RT by one of
  // 1..kEmptyStartRtSpan games, each equally likely.
  Real EmptyStartShort = 0;
  // Games of a short RT (index 0 unused) and of a drawn RT per mode (index 0
  // unused), each count of a range class equally likely.
  std::array<Real, kMaxShortRt + 1> ShortRt{};
  std::array<std::vector<Real>, kModeCount> RtLength;
  Real Ren3 = 0;
  Real BigHazure = 0;  // pure miss on a BIG small-role game
  Real BigJacIn = 0;   // JAC-IN role on a BIG small-role game; the plum is the rest
  Real JacWin = 0;

  Real Replay() const { return Role[IndexOf(Outcome::Replay)]; }
  Real Mode(size_t mode) const { return mode == 0 ? Mode0 : 1 - Mode0; }
};

// The chance that Pick yields each index 0..n for a draw uniform over
// 0..width-1 (index n: beyond all weights).
std::vector<Real> PickChances(const Rate_TBL<int>& table, int32_t width);

// Requires a setting level (IsSettingLevel).
MachineOdds ReadMachineOdds(const Slot& machine, int setting);

}  // namespace sorimu

// The exact figures grew up with these names in their own namespace, where
// code written against them still finds them.
namespace sorimu::theory {
using sorimu::IndexOf;
using sorimu::kMaxRtGames;
using sorimu::kMaxShortRt;
using sorimu::kModeCount;
using sorimu::kSettingCount;
using sorimu::MachineOdds;
using sorimu::PickChances;
using sorimu::ReadMachineOdds;
using sorimu::Real;
}  // namespace sorimu::theory
