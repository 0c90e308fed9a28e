#pragma once

#include "MachineOdds.h"

namespace sorimu::theory {

// What one bonus yields on average, from its first game to its last. A bonus
// draws only its own lotteries, so these do not depend on the setting or on
// anything before the bonus.
struct BonusFigures {
  Real Paid = 0;         // medals paid out
  Real Bet = 0;          // medals bet
  Real Games = 0;        // bonus games
  Real JacGames = 0;     // JAC games among them
  Real RenChance = 0;    // the bonus ends with a 1G連 due
  Real PunkChance = 0;   // a BIG ends with fewer than the full JAC games
  Real HazureGames = 0;  // small-role games with a pure miss (RenCause 1)
  Real JacMisses = 0;    // JAC games missed (RenCause 2)
  // For the spread of the balance: second moments of the medals paid and
  // bet, and their means over the bonuses that end without a 1G連 due (each
  // bonus counted with its chance, so that the means over all bonuses are
  // Paid and Bet): a JAC miss or a パンク both lowers the pay and makes a 1G連.
  Real PaidSquare = 0;
  Real PaidBet = 0;
  Real BetSquare = 0;
  Real PaidNoRen = 0;
  Real BetNoRen = 0;

  Real Net() const { return Paid - Bet; }
};

BonusFigures BigFigures(const MachineOdds& odds);
BonusFigures RegFigures(const MachineOdds& odds);

}  // namespace sorimu::theory
