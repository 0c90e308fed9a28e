#include "BonusFigures.h"

#include <algorithm>
#include <array>

namespace sorimu::theory {

namespace {

Real Power(Real base, int exponent) {
  Real result = 1;
  for (int i = 0; i < exponent; ++i) result *= base;
  return result;
}

// Chance mass of the BIGs in one state: all of them, and those that have not
// yet had a pure miss (a 1G連 then still hangs on the JAC games and the sets).
struct Mass {
  Real all = 0;
  Real clean = 0;
};

// JAC-IN roles drawn so far matter only up to one past the free ones. Both
// counts index the states.
constexpr size_t kFreeIns = kFreeJacIns;
constexpr size_t kJacInStates = kFreeIns + 2;
constexpr size_t kMaxSets = kMaxJacSets;
using BigStates = std::array<std::array<Mass, kMaxSets + 1>, kJacInStates>;

}  // namespace

// Walks the small-role games of a BIG with the rules of Slot::BonusGame:
// state = JAC-IN roles seen (capped) and JAC sets played. A BIG ends after
// its last small-role game, or after the set that game starts, or once the
// last set is played.
BonusFigures BigFigures(const MachineOdds& odds) {
  const Real hazure = odds.BigHazure;
  const Real jacIn = odds.BigJacIn;
  const Real plum = 1 - hazure - jacIn;
  const Real setPaid = kJacSetGames * kJacPayout * odds.JacWin;

  BonusFigures f;
  std::array<Mass, kMaxSets + 1> ended{};
  BigStates now{};
  now[0][0] = {1, 1};
  for (int game = 1; game <= kBigRoleGames; ++game) {
    const bool last = game == kBigRoleGames;
    BigStates next{};
    for (size_t ins = 0; ins < kJacInStates; ++ins) {
      for (size_t sets = 0; sets <= kMaxSets; ++sets) {
        const Mass m = now[ins][sets];
        if (m.all == 0) continue;
        f.Bet += m.all * kBigGameBet;
        f.Paid += m.all * (1 - hazure) * kBigRolePayout;
        f.HazureGames += m.all * hazure;
        f.Games += m.all;
        // The role of this game, and whether it starts a JAC set.
        const size_t moreIns = std::min(ins + 1, kJacInStates - 1);
        const struct {
          Real chance;
          bool clean;
          size_t ins;
          bool startsSet;
        } roles[] = {
            {hazure, false, ins, false},
            {plum, true, ins, last && ins > kFreeIns},
            {jacIn, true, moreIns, ins + 1 <= kFreeIns || last},
        };
        for (const auto& role : roles) {
          const Mass moved{m.all * role.chance, role.clean ? m.clean * role.chance : 0};
          if (!role.startsSet) {
            Mass& to = last ? ended[sets] : next[role.ins][sets];
            to.all += moved.all;
            to.clean += moved.clean;
            continue;
          }
          const size_t played = sets + 1;
          f.JacGames += moved.all * kJacSetGames;
          f.Paid += moved.all * setPaid;
          f.Bet += moved.all * kJacSetGames * kJacGameBet;
          f.Games += moved.all * kJacSetGames;
          Mass& to = last || played == kMaxSets ? ended[played] : next[role.ins][played];
          to.all += moved.all;
          to.clean += moved.clean;
        }
      }
    }
    now = next;
  }
  // Fewer JAC games than the full sets is a パンク; any miss makes a 1G連.
  Real noRen = 0;
  for (size_t sets = 0; sets <= kMaxSets; ++sets) {
    if (sets != kMaxSets) {
      f.PunkChance += ended[sets].all;
    } else {
      noRen += ended[sets].clean * Power(odds.JacWin, kMaxJacGames);
    }
  }
  f.RenChance = 1 - noRen;
  f.JacMisses = f.JacGames * (1 - odds.JacWin);
  return f;
}

BonusFigures RegFigures(const MachineOdds& odds) {
  BonusFigures f;
  f.Games = kRegGames;
  f.JacGames = kRegGames;
  f.Bet = kRegGames * kJacGameBet;
  f.Paid = kRegGames * kJacPayout * odds.JacWin;
  f.RenChance = 1 - Power(odds.JacWin, kRegGames);
  f.JacMisses = kRegGames * (1 - odds.JacWin);
  return f;
}

}  // namespace sorimu::theory
