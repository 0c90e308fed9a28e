#include "RowRules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "MachineRules.h"
#include "Messages.h"
#include "Outcome.h"
#include "RangeClasses.h"
#include "Setting.h"

namespace sorimu {

namespace {

constexpr int32_t kNone = Code(RtCancelCause::None);
constexpr int32_t kBig = Code(BonusKindCode::Big);
constexpr int32_t kReg = Code(BonusKindCode::Reg);
// A normal game shows a role or the bonus it lines up, never a bonus game's.
constexpr int32_t kLastNormalOutcome = Code(Outcome::REG);
constexpr int32_t kLastRole = Code(Outcome::Hazure);

// The values the machine could have written in one field: up to four spans.
class Spans {
 public:
  Spans() = default;
  Spans(long long low, long long high) { Add(low, high); }
  static Spans One(long long value) { return Spans(value, value); }

  Spans& Add(long long low, long long high) {
    if (count_ < spans_.size()) spans_[count_++] = {low, high};
    return *this;
  }
  Spans& Add(long long value) { return Add(value, value); }

  bool Contains(long long value) const {
    for (size_t i = 0; i < count_; ++i) {
      if (value >= spans_[i].first && value <= spans_[i].second) return true;
    }
    return false;
  }

  std::string Text() const {
    std::string text;
    for (size_t i = 0; i < count_; ++i) {
      if (i > 0) text += "、";
      text += std::to_string(spans_[i].first);
      if (spans_[i].second != spans_[i].first) text += "～" + std::to_string(spans_[i].second);
    }
    return text;
  }

 private:
  std::array<std::pair<long long, long long>, 4> spans_{};
  size_t count_ = 0;
};

FieldFault Fault(long long row, const char* field, long long value, const Spans& allowed) {
  return FieldFault{row, field, value, allowed.Text()};
}

// The shortest and longest RT a 4-cherry B's cut leaves, from its classes.
constexpr std::pair<int32_t, int32_t> ShortRtSpan() {
  int32_t shortest = INT32_MAX;
  int32_t longest = 0;
  for (const RangeClass& c : kShortRtClasses) {
    shortest = std::min(shortest, c.base);
    longest = std::max(longest, c.base + std::max(c.width, 1) - 1);
  }
  return {shortest, longest};
}

// The normal games, counted from the game that gave the RT `cause`, on one
// of which that RT runs out: at once for a 1-game RT, on the 3rd or 4th
// game for a 3G連 (by the mode drawn), within the short RT after a cut.
std::pair<int32_t, int32_t> RunsOutWithin(int32_t cause) {
  switch (cause) {
    case Code(RtCancelCause::Cherry4B1):
    case Code(RtCancelCause::Cherry4B2): return ShortRtSpan();
    case Code(RtCancelCause::Ren3G): return {kRen3GamesMode1, kRen3GamesMode0};
    default: return {kOneGameRt, kOneGameRt};  // a 2-cherry, a pure miss, a 1G連
  }
}

// A stock after a game's stock lottery: as it was, or one more below the cap.
Spans StockAfter(int32_t before, bool winPossible) {
  return Spans(before, winPossible ? std::min(before + 1, kMaxStock) : before);
}

}  // namespace

std::optional<FieldFault> CheckHeader(const SimFileHeader& header) {
  struct Range {
    const char* field;
    int32_t value;
    int32_t low, high;
  };
  const Range ranges[] = {
      {kHeaderFlevelField, header.Flevel, 1, kSettingCount},
      {kHeaderGamesField, header.Games, 1, INT32_MAX},
      {kHeaderBigStockField, header.BigStock, 0, kMaxStock},
      {kHeaderRegStockField, header.RegStock, 0, kMaxStock},
  };
  for (const Range& r : ranges) {
    if (r.value < r.low || r.value > r.high) return Fault(0, r.field, r.value, {r.low, r.high});
  }
  return std::nullopt;
}

RowChecker::RowChecker(const SimFileHeader& header) : games_(header.Games) {
  // The machine right after the reset that starts every run.
  last_.BigStock = header.BigStock;
  last_.RegStock = header.RegStock;
}

std::optional<FieldFault> RowChecker::Check(const RunRow& row) {
  ++rows_;
  auto above = [](int32_t value, int32_t high) {
    return static_cast<uint32_t>(value) > static_cast<uint32_t>(high);  // negatives too
  };
  if (above(row.BonusKind, kReg) || above(row.LastOutcome, kOutcomeCount - 1) ||
      above(row.RTCancel, kRtCancelCauseCount - 1) || above(row.BonusGames, kBigRoleGames) ||
      above(row.RenCause, Code(RenCauseCode::JacHazure)) || above(row.Punk, 1) ||
      above(row.ZtCount, kZtGames) || above(row.BigStock, kMaxStock) ||
      above(row.RegStock, kMaxStock)) [[unlikely]] {
    return FieldOutOfRange(row);
  }
  return bonusDue_ ? BonusGame(row) : NormalGame(row);
}

// Each field on its own, so that a wild value is named with its range.
FieldFault RowChecker::FieldOutOfRange(const RunRow& row) const {
  struct Range {
    const char* field;
    int32_t value;
    int32_t high;
  };
  const Range ranges[] = {
      {kBonusKindField, row.BonusKind, kReg},
      {kLastOutcomeField, row.LastOutcome, kOutcomeCount - 1},
      {kRtCancelField, row.RTCancel, kRtCancelCauseCount - 1},
      {kBonusGamesField, row.BonusGames, kBigRoleGames},
      {kRenCauseField, row.RenCause, Code(RenCauseCode::JacHazure)},
      {kPunkField, row.Punk, 1},
      {kZtCountField, row.ZtCount, kZtGames},
      {kBigStockField, row.BigStock, kMaxStock},
      {kRegStockField, row.RegStock, kMaxStock},
  };
  for (const Range& r : ranges) {
    if (r.value < 0 || r.value > r.high) return Fault(rows_, r.field, r.value, {0, r.high});
  }
  return FieldFault{};
}

std::optional<FieldFault> RowChecker::NormalGame(const RunRow& row) {
  if (row.BonusGames != 0) return Fault(rows_, kBonusGamesField, row.BonusGames, Spans::One(0));
  const long long playCount = last_.PlayCount + 1LL;
  if (row.PlayCount != playCount) {
    return Fault(rows_, kPlayCountField, row.PlayCount, Spans::One(playCount));
  }
  const long long sinceBonus = bonusEnded_ ? 1 : last_.GamesSinceBonus + 1LL;
  if (row.GamesSinceBonus != sinceBonus) {
    return Fault(rows_, kGamesSinceBonusField, row.GamesSinceBonus, Spans::One(sinceBonus));
  }
  const int32_t role = row.LastOutcome;
  if (role > kLastNormalOutcome) {
    return Fault(rows_, kLastOutcomeField, role, {0, kLastNormalOutcome});
  }
  const bool lineUp = IsBonusOutcome(role);
  const int32_t kind = !lineUp ? 0 : role == Code(Outcome::BIG) ? kBig : kReg;
  if (row.BonusKind != kind) return Fault(rows_, kBonusKindField, row.BonusKind, Spans::One(kind));

  // The RT: a role cuts only an untouched one; a cut or chained RT keeps
  // its cause until it runs out, lining up a bonus or starting afresh.
  const int32_t carried = last_.RTCancel;
  const int32_t since = carried == kNone ? 0 : gamesSinceCause_ + 1;
  if (carried != kNone || lineUp || row.RTCancel != kNone) {  // most games go on untouched
    if (std::optional<FieldFault> fault = RtCause(row, carried, since)) return fault;
  }

  const int32_t ztLeft = std::max(last_.ZtCount - 1, 0);
  if (row.ZtCount != ztLeft) {
    Spans zt = Spans::One(ztLeft);
    if (role == Code(Outcome::Cherry4B) && carried == kNone) zt.Add(kZtGames);
    if (!zt.Contains(row.ZtCount)) return Fault(rows_, kZtCountField, row.ZtCount, zt);
  }

  // One stock lottery per normal game: at most one of the stocks grows.
  if (row.BigStock != last_.BigStock || row.RegStock != last_.RegStock) {
    const Spans bigs = StockAfter(last_.BigStock, true);
    if (!bigs.Contains(row.BigStock)) return Fault(rows_, kBigStockField, row.BigStock, bigs);
    const Spans regs = StockAfter(last_.RegStock, row.BigStock == last_.BigStock);
    if (!regs.Contains(row.RegStock)) return Fault(rows_, kRegStockField, row.RegStock, regs);
  }
  if ((kind == kBig && row.BigStock == 0) || (kind == kReg && row.RegStock == 0)) {
    return Fault(rows_, kLastOutcomeField, role, {0, kLastRole});  // nothing in stock to release
  }
  if (row.RenCause != 0) return Fault(rows_, kRenCauseField, row.RenCause, Spans::One(0));
  if (row.Punk != 0) return Fault(rows_, kPunkField, row.Punk, Spans::One(0));

  gamesSinceCause_ = row.RTCancel != kNone && row.RTCancel == carried ? since : 0;
  bonusEnded_ = false;
  if (lineUp) {
    bonusDue_ = true;
    bonus_ = Bonus{};
    bonus_.Kind = kind;
    bonus_.BigStock = row.BigStock;
    bonus_.RegStock = row.RegStock;
  }
  last_ = row;
  return std::nullopt;
}

std::optional<FieldFault> RowChecker::RtCause(const RunRow& row, int32_t carried,
                                              int32_t since) const {
  const int32_t role = row.LastOutcome;
  const bool lineUp = IsBonusOutcome(role);
  Spans causes;
  if (carried == kNone) {
    if (lineUp) {
      causes.Add(Code(RtCancelCause::Expired));
    } else {
      causes.Add(kNone);
      for (int32_t c = Code(RtCancelCause::Cherry2); c <= Code(RtCancelCause::Hazure); ++c) {
        if (RoleCausesCancel(role, c)) causes.Add(c);
      }
    }
  } else {
    const auto [first, last] = RunsOutWithin(carried);
    if (lineUp && since < first) {
      // Too soon after a 3G連 was drawn for its RT to have run out.
      return Fault(rows_, kLastOutcomeField, role, {0, kLastRole});
    }
    if (!lineUp && since >= first) causes.Add(kNone);
    if (lineUp || since < last) causes.Add(carried);
  }
  if (!causes.Contains(row.RTCancel)) return Fault(rows_, kRtCancelField, row.RTCancel, causes);
  return std::nullopt;
}

std::optional<FieldFault> RowChecker::BonusGame(const RunRow& row) {
  const bool big = bonus_.Kind == kBig;
  if (row.BonusKind != bonus_.Kind) {
    return Fault(rows_, kBonusKindField, row.BonusKind, Spans::One(bonus_.Kind));
  }
  if (row.PlayCount != last_.PlayCount) {
    return Fault(rows_, kPlayCountField, row.PlayCount, Spans::One(last_.PlayCount));
  }
  if (row.GamesSinceBonus != last_.GamesSinceBonus) {
    return Fault(rows_, kGamesSinceBonusField, row.GamesSinceBonus,
                 Spans::One(last_.GamesSinceBonus));
  }
  const bool jacGame = !big || bonus_.JacMode;
  const int32_t smallGames = big ? bonus_.SmallGames + (jacGame ? 0 : 1) : 1;
  if (row.BonusGames != smallGames) {
    return Fault(rows_, kBonusGamesField, row.BonusGames, Spans::One(smallGames));
  }
  const int32_t role = row.LastOutcome;
  Spans roles;
  if (jacGame) {
    roles.Add(Code(Outcome::JAC), Code(Outcome::JACHazure));
  } else {
    roles.Add(Code(Outcome::Plum)).Add(Code(Outcome::Hazure));
    // Past the second, a JAC-IN starts a set only on the last small-role game.
    if (bonus_.ShownJacIns < kFreeJacIns || smallGames == kBigRoleGames) {
      roles.Add(Code(Outcome::JACIN));
    }
  }
  if (!roles.Contains(role)) return Fault(rows_, kLastOutcomeField, role, roles);

  const bool jacIn = role == Code(Outcome::JACIN);
  const int32_t jacGames = bonus_.JacGames + (jacGame ? 1 : 0);
  bool ended;
  if (!big) {
    ended = jacGames == kRegGames;
  } else if (jacGame) {
    ended =
        jacGames % kJacSetGames == 0 && (jacGames == kMaxJacGames || smallGames == kBigRoleGames);
  } else {
    ended = smallGames == kBigRoleGames && !jacIn;
  }
  const int32_t renCause = role == Code(Outcome::Hazure)      ? Code(RenCauseCode::Hazure)
                           : role == Code(Outcome::JACHazure) ? Code(RenCauseCode::JacHazure)
                                                              : 0;
  if (row.RenCause != renCause) {
    return Fault(rows_, kRenCauseField, row.RenCause, Spans::One(renCause));
  }
  const int32_t punk = ended && big && jacGames != kMaxJacGames ? 1 : 0;
  if (row.Punk != punk) return Fault(rows_, kPunkField, row.Punk, Spans::One(punk));

  // The cause of the next RT shows on the bonus's last game.
  const bool renDue = bonus_.RenDue || renCause != 0 || punk != 0;
  Spans causes;
  if (ended && renDue) {
    causes.Add(Code(RtCancelCause::Ren1G));
  } else {
    causes.Add(kNone);
    if (ended && big) causes.Add(Code(RtCancelCause::Ren3G));
  }
  if (!causes.Contains(row.RTCancel)) return Fault(rows_, kRtCancelField, row.RTCancel, causes);
  if (row.ZtCount != 0) return Fault(rows_, kZtCountField, row.ZtCount, Spans::One(0));

  // The bonus's stock is used up on its last game; no lottery draws in a bonus.
  const int32_t bigStock = bonus_.BigStock - (ended && big ? 1 : 0);
  const int32_t regStock = bonus_.RegStock - (ended && !big ? 1 : 0);
  if (row.BigStock != bigStock) {
    return Fault(rows_, kBigStockField, row.BigStock, Spans::One(bigStock));
  }
  if (row.RegStock != regStock) {
    return Fault(rows_, kRegStockField, row.RegStock, Spans::One(regStock));
  }

  bonus_.SmallGames = smallGames;
  bonus_.JacGames = jacGames;
  bonus_.RenDue = renDue;
  if (jacIn) {
    ++bonus_.ShownJacIns;
    bonus_.JacMode = true;
  } else if (big && jacGame && jacGames % kJacSetGames == 0) {
    bonus_.JacMode = false;
  }
  if (ended) {
    bonusDue_ = false;
    bonusEnded_ = true;
    gamesSinceCause_ = 0;
  }
  last_ = row;
  return std::nullopt;
}

std::optional<FieldFault> RowChecker::Finish() const {
  // A file cut short holds fewer games than its header says, never more.
  if (rows_ > 0 && games_ < last_.PlayCount) {
    return Fault(0, kHeaderGamesField, games_, {last_.PlayCount, INT32_MAX});
  }
  return std::nullopt;
}

std::optional<FieldFault> CheckRun(const SimFileHeader& header, const RunRecords& records) {
  std::optional<FieldFault> fault = CheckHeader(header);
  RowChecker checker(header);
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count && !fault; ++i) fault = checker.Check(rows[i]);
  });
  return fault ? fault : checker.Finish();
}

}  // namespace sorimu
