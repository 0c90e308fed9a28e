#include "RunState.h"

#include <algorithm>
#include <cmath>

#include "MachineRules.h"
#include "Outcome.h"
#include "StretchOdds.h"

namespace sorimu {

namespace {

bool IsJacGame(const RunRow& row) {
  return row.LastOutcome == Code(Outcome::JAC) || row.LastOutcome == Code(Outcome::JACHazure);
}

// The chances of the RT after the stretch's rows, as choices; where no
// setting could have played the rows (a file no machine wrote), a freshly
// drawn RT stands in.
void ReadRt(const RunRecords& records, const RunEnd& end, RunState& state) {
  StretchFilter filter;
  filter.Begin(end.opening);
  for (size_t i = end.firstRow; i < end.firstRow + end.rowCount; ++i) {
    filter.Play(records.Row(i));
  }
  RtBelief belief = filter.Belief();
  const StretchOdds& odds = MachineStretchOdds();
  for (size_t s = 0; s < kSettingCount; ++s) {
    double total = 0;
    for (size_t m = 0; m < 2; ++m) {
      for (double w : belief.Drawn[s][m]) total += w;
      for (double w : belief.Short[s][m]) total += w;
    }
    if (total > 0 && std::isfinite(total)) continue;
    for (size_t m = 0; m < 2; ++m) {
      belief.Short[s][m].fill(0);
      for (size_t r = 0; r < belief.Drawn[s][m].size(); ++r) {
        belief.Drawn[s][m][r] = odds.Mode[m] * odds.Length[m][s][r];
      }
    }
  }

  for (int32_t m = 0; m < 2; ++m) {
    for (int32_t r = 1; r <= kMaxRtGames; ++r) state.Choices.push_back({0, m, r});
    if (belief.ShortCause == 0) continue;
    for (int32_t r = 1; r <= kMaxShortRt; ++r) {
      state.Choices.push_back({belief.ShortCause, m, r});
    }
  }
  for (size_t s = 0; s < kSettingCount; ++s) {
    std::vector<double>& cumulative = state.Cumulative[s];
    double sum = 0;
    for (const RunState::RtChoice& c : state.Choices) {
      const size_t m = static_cast<size_t>(c.Mode);
      const size_t r = static_cast<size_t>(c.RtCount);
      sum += c.Cause == 0 ? belief.Drawn[s][m][r] : belief.Short[s][m][r];
      cumulative.push_back(sum);
    }
  }
}

// The bonus under way from its rows (the line-up row first). Returns false
// when the last row ended it.
bool ReadBonus(const RunRecords& records, const RunEnd& end, RunState& state) {
  const double jacInRole = MachineStretchOdds().JacInRole;
  const RunRow& lineUp = records.Row(end.firstRow);
  state.BonusKind = lineUp.LastOutcome == Code(Outcome::BIG) ? Code(BonusKindCode::Big)
                                                             : Code(BonusKindCode::Reg);
  int32_t shownJacIns = 0;
  int32_t plumsAfterSecond = 0;
  bool ended = false;
  for (size_t i = end.firstRow; i < end.firstRow + end.rowCount; ++i) {
    const RunRow& row = records.Row(i);
    if (!IsBonusGameRow(row)) continue;
    state.BonusKind = row.BonusKind;
    state.BonusGames = row.BonusGames;
    state.RenFlag = state.RenFlag != 0 || row.RenCause != 0 ? 1 : 0;
    const bool big = row.BonusKind == Code(BonusKindCode::Big);
    if (IsJacGame(row)) {
      ++state.JacGames;
      state.JacMode = big && state.JacGames % kJacSetGames == 0 ? 0 : 1;
      ended = big ? state.JacGames % kJacSetGames == 0 &&
                        (state.JacGames == kMaxJacGames || row.BonusGames == kBigRoleGames)
                  : state.JacGames == kRegGames;
      continue;
    }
    // A small-role game of a BIG.
    const bool jacIn = row.LastOutcome == Code(Outcome::JACIN);
    if (jacIn) ++shownJacIns;
    if (row.LastOutcome == Code(Outcome::Plum) && shownJacIns >= kFreeJacIns &&
        row.BonusGames < kBigRoleGames) {
      ++plumsAfterSecond;
    }
    state.JacMode = jacIn ? 1 : 0;
    ended = row.BonusGames == kBigRoleGames && !jacIn;
  }
  state.JacInCount = shownJacIns;
  state.HiddenJacInChance = 1.0 - std::pow(1.0 - jacInRole, plumsAfterSecond);
  if (state.BonusKind == Code(BonusKindCode::Reg)) state.JacMode = 1;
  return !ended;
}

}  // namespace

RunState ReadRunState(const RunRecords& records, Job* job) {
  RunState state;
  RunEnd end;
  ScanStretches(
      records, [](const SettingLikelihood&) {}, &end, StretchRoute::Fastest, job);
  if (records.RowCount() > 0) {
    state.Last = records.LastRow();
  } else {
    state.Last.BigStock = records.StartBigStock;
    state.Last.RegStock = records.StartRegStock;
  }
  state.Place = end.place;
  if (end.place == RunEnd::Place::BonusPending) {
    state.BonusKind = state.Last.LastOutcome == Code(Outcome::BIG) ? Code(BonusKindCode::Big)
                                                                   : Code(BonusKindCode::Reg);
    return state;
  }
  if (end.place == RunEnd::Place::InBonus) {
    if (ReadBonus(records, end, state)) return state;
    // The last row ended the bonus: the next stretch has not played a game.
    state = RunState{};
    state.Last = records.LastRow();
    state.Last.GamesSinceBonus = 0;  // as the next Play clears it
    state.Place = RunEnd::Place::Stretch;
    end.firstRow = records.RowCount();
    end.rowCount = 0;
  }
  ReadRt(records, end, state);
  return state;
}

void PlaceMachine(Slot& slot, const RunState& state, int32_t setting, double u, double v) {
  const RunRow& last = state.Last;
  slot.Flevel = setting;
  slot.BigStock = last.BigStock;
  slot.RegStock = last.RegStock;
  slot.ZtCount = last.ZtCount;
  slot.LastOutcome = last.LastOutcome;  // after a replay the next game takes no bet
  slot.GamesSinceBonus = last.GamesSinceBonus;
  slot.RTCancel = last.RTCancel;
  slot.PlayCount = 0;
  slot.Medal = 0;
  slot.Punk = 0;
  slot.RenCause = 0;
  slot.BonusEnd = 0;
  slot.BonusKind = 0;
  slot.BonusGames = 0;
  slot.JacGames = 0;
  slot.JacInCount = 0;
  slot.JacMode = 0;
  slot.RenFlag = 0;
  switch (state.Place) {
    case RunEnd::Place::Stretch: {
      const std::vector<double>& cumulative = state.Cumulative[SettingIndex(setting)];
      const double target = u * cumulative.back();
      const size_t k = static_cast<size_t>(
          std::upper_bound(cumulative.begin(), cumulative.end(), target) - cumulative.begin());
      const RunState::RtChoice& choice = state.Choices[std::min(k, state.Choices.size() - 1)];
      slot.Mode = choice.Mode;
      slot.RtCount = choice.RtCount;
      slot.RTCancel = choice.Cause;
      break;
    }
    case RunEnd::Place::BonusPending: slot.BonusKind = state.BonusKind; break;
    case RunEnd::Place::InBonus:
      slot.BonusKind = state.BonusKind;
      slot.BonusGames = state.BonusGames;
      slot.JacGames = state.JacGames;
      slot.JacInCount = state.JacInCount + (v < state.HiddenJacInChance ? 1 : 0);
      slot.JacMode = state.JacMode;
      slot.RenFlag = state.RenFlag;
      break;
  }
}

}  // namespace sorimu
