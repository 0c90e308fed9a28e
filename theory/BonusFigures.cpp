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
// Beside each, the medals paid and bet so far summed with their chances (for
// all: also the squares and the product); the clean ones as if every JAC
// game paid, since only those end without a 1G連.
struct Mass {
  Real all = 0;
  Real clean = 0;
  Real paid = 0, bet = 0, paidPaid = 0, paidBet = 0, betBet = 0;
  Real cleanPaid = 0, cleanBet = 0;

  Mass& operator+=(const Mass& m) {
    all += m.all;
    clean += m.clean;
    paid += m.paid;
    bet += m.bet;
    paidPaid += m.paidPaid;
    paidBet += m.paidBet;
    betBet += m.betBet;
    cleanPaid += m.cleanPaid;
    cleanBet += m.cleanBet;
    return *this;
  }

  // Every BIG in the state plays medals of its own: paid with the given mean
  // and mean square, drawn apart from what came before; bet fixed; the clean
  // ones paid `cleanPay`.
  void Add(Real pay, Real paySquare, Real bets, Real cleanPay) {
    paidPaid += 2 * pay * paid + paySquare * all;
    paidBet += pay * bet + bets * paid + pay * bets * all;
    betBet += 2 * bets * bet + bets * bets * all;
    paid += pay * all;
    bet += bets * all;
    cleanPaid += cleanPay * clean;
    cleanBet += bets * clean;
  }
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
  // A set pays kJacPayout on each of its games that wins: a binomial count.
  const Real setPaidSquare =
      kJacPayout * kJacPayout * kJacSetGames * odds.JacWin * (1 - odds.JacWin) + setPaid * setPaid;
  constexpr Real kSetBet = kJacSetGames * kJacGameBet;
  constexpr Real kCleanSetPaid = kJacSetGames * kJacPayout;

  BonusFigures f;
  std::array<Mass, kMaxSets + 1> ended{};
  BigStates now{};
  now[0][0].all = 1;
  now[0][0].clean = 1;
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
          Mass moved = m;
          moved.all *= role.chance;
          moved.clean = role.clean ? m.clean * role.chance : 0;
          for (Real* sum : {&moved.paid, &moved.bet, &moved.paidPaid, &moved.paidBet, &moved.betBet,
                            &moved.cleanPaid, &moved.cleanBet}) {
            *sum *= role.chance;
          }
          if (!role.clean) moved.cleanPaid = moved.cleanBet = 0;
          const Real rolePay = role.clean ? kBigRolePayout : 0;
          moved.Add(rolePay, rolePay * rolePay, kBigGameBet, rolePay);
          if (!role.startsSet) {
            (last ? ended[sets] : next[role.ins][sets]) += moved;
            continue;
          }
          const size_t played = sets + 1;
          f.JacGames += moved.all * kJacSetGames;
          f.Paid += moved.all * setPaid;
          f.Bet += moved.all * kJacSetGames * kJacGameBet;
          f.Games += moved.all * kJacSetGames;
          moved.Add(setPaid, setPaidSquare, kSetBet, kCleanSetPaid);
          (last || played == kMaxSets ? ended[played] : next[role.ins][played]) += moved;
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
    f.PaidSquare += ended[sets].paidPaid;
    f.PaidBet += ended[sets].paidBet;
    f.BetSquare += ended[sets].betBet;
  }
  f.RenChance = 1 - noRen;
  f.PaidNoRen = ended[kMaxSets].cleanPaid * Power(odds.JacWin, kMaxJacGames);
  f.BetNoRen = ended[kMaxSets].cleanBet * Power(odds.JacWin, kMaxJacGames);
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
  // The pay is kJacPayout times a binomial count; the bet is fixed.
  f.PaidSquare =
      kJacPayout * kJacPayout * kRegGames * odds.JacWin * (1 - odds.JacWin) + f.Paid * f.Paid;
  f.PaidBet = f.Paid * f.Bet;
  f.BetSquare = f.Bet * f.Bet;
  f.PaidNoRen = kRegGames * kJacPayout * Power(odds.JacWin, kRegGames);
  f.BetNoRen = f.Bet * Power(odds.JacWin, kRegGames);
  return f;
}

}  // namespace sorimu::theory
