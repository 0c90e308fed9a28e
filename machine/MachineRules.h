#pragma once

#include <cstdint>

#include "Outcome.h"

// The machine's fixed rules that are not weights: payouts, bets, counts and
// thresholds. The weights live in SlotTables.cpp; everything that reasons
// about the machine (the statistics, the estimate, the exact figures) takes
// its numbers from here or from those tables, never from a copy.
namespace sorimu {

// Medals bet per game: a normal game (none right after a replay), a BIG
// small-role game, a JAC game.
inline constexpr int32_t kNormalGameBet = 3;
inline constexpr int32_t kBigGameBet = 3;
inline constexpr int32_t kJacGameBet = 1;

// Medals paid.
inline constexpr int32_t kCherry2Payout = 2;
inline constexpr int32_t kCherry4Payout = 4;  // A and B alike
inline constexpr int32_t kPlumPayout = 8;
inline constexpr int32_t kBellPayout = 14;
inline constexpr int32_t kLineUpPayout = 15;   // the normal game that lines a bonus up
inline constexpr int32_t kBigRolePayout = 15;  // a plum or JAC-IN inside a BIG
inline constexpr int32_t kJacPayout = 15;

// Medals a normal game's role pays (0 for Miss, nCherry, Replay, Hazure).
constexpr int32_t RolePayout(Outcome role) {
  switch (role) {
    case Outcome::Cherry2: return kCherry2Payout;
    case Outcome::Cherry4A:
    case Outcome::Cherry4B: return kCherry4Payout;
    case Outcome::Plum: return kPlumPayout;
    case Outcome::Bell: return kBellPayout;
    case Outcome::BIG:
    case Outcome::REG: return kLineUpPayout;
    default: return 0;
  }
}

// Early cancels: a role can cut an untouched RT only while at least
// kCancelFloor games are left; a 4-cherry B draws the setting's cancel
// lottery from kCancelLotteryFrom games left on, and cancels for sure below.
inline constexpr int32_t kCancelFloor = 32;
inline constexpr int32_t kCancelLotteryFrom = 129;

// Whether `role` is the one that cuts an RT with `cause`.
constexpr bool RoleCausesCancel(int32_t role, int32_t cause) {
  switch (cause) {
    case Code(RtCancelCause::Cherry2): return role == Code(Outcome::Cherry2);
    case Code(RtCancelCause::Cherry4B1):
    case Code(RtCancelCause::Cherry4B2): return role == Code(Outcome::Cherry4B);
    case Code(RtCancelCause::Hazure): return role == Code(Outcome::Hazure);
    default: return false;
  }
}

// After an early cancel by a 2-cherry or a pure miss, and after a 1G連, the
// RT has this many games left: the bonus comes on the next normal game.
inline constexpr int32_t kOneGameRt = 1;

// A 3G連 RT, by the mode drawn at the end of the BIG.
inline constexpr int32_t kRen3GamesMode0 = 4;
inline constexpr int32_t kRen3GamesMode1 = 3;

inline constexpr int32_t kZtGames = 30;
inline constexpr int32_t kMaxStock = 255;

// A machine reset with both stocks empty starts, with this chance out of
// 256, with an RT of 1 to kEmptyStartRtSpan games instead of a drawn one.
inline constexpr int32_t kEmptyStartShortRtWeight = 77;
inline constexpr int32_t kEmptyStartRtSpan = 16;

// A BIG: up to kBigRoleGames small-role games; a JAC set of kJacSetGames
// JAC games; the BIG ends at the latest after kMaxJacSets sets. Only the
// first kFreeJacIns JAC-INs start a set before the last small-role game.
inline constexpr int32_t kBigRoleGames = 30;
inline constexpr int32_t kJacSetGames = 8;
inline constexpr int32_t kMaxJacSets = 3;
inline constexpr int32_t kMaxJacGames = kJacSetGames * kMaxJacSets;  // 24: no パンク
inline constexpr int32_t kFreeJacIns = 2;
// A REG is one JAC set.
inline constexpr int32_t kRegGames = kJacSetGames;

// A bonus lined up with either cause is a chain (連チャン); any other is a
// first hit (初当り).
constexpr bool IsChainedBonus(int32_t rtCancel) {
  return rtCancel == Code(RtCancelCause::Ren1G) || rtCancel == Code(RtCancelCause::Ren3G);
}
constexpr bool IsFirstHit(int32_t rtCancel) { return !IsChainedBonus(rtCancel); }

}  // namespace sorimu
