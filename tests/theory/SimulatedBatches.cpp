#include "SimulatedBatches.h"

#include <cmath>

#include "MachineRules.h"
#include "Slot.h"

namespace sorimu::theory_check {

std::vector<BatchCounts> PlayBatches(const BatchPlan& plan) {
  Slot slot(plan.Seed);
  slot.SetFlevel(plan.Setting);
  slot.SetStock(kMaxStock, kMaxStock);
  slot.Reset();
  std::vector<BatchCounts> batches(static_cast<size_t>(plan.Batches));
  // The first stretches begin at the start, not after a bonus: not counted.
  bool bonusSeen = false;
  bool firstHitSeen = false;
  int32_t sinceFirstHit = 0;
  int previousKind = -1;
  for (BatchCounts& b : batches) {
    const int32_t end = slot.PlayCount + plan.GamesPerBatch;
    while (slot.PlayCount < end) {
      const bool afterReplay = slot.LastOutcome == Code(Outcome::Replay);
      const int32_t medal = slot.Medal;
      slot.Play();
      const bool bonusGame = slot.BonusGames != 0;
      const bool jacGame =
          slot.LastOutcome == Code(Outcome::JAC) || slot.LastOutcome == Code(Outcome::JACHazure);
      const double bet =
          bonusGame ? (jacGame ? kJacGameBet : kBigGameBet) : (afterReplay ? 0 : kNormalGameBet);
      b.Bet += bet;
      b.Paid += bet + (slot.Medal - medal);
      if (bonusGame) continue;
      ++b.Games;
      ++sinceFirstHit;
      if (!IsBonusOutcome(slot.LastOutcome)) continue;
      const bool big = slot.LastOutcome == Code(Outcome::BIG);
      const bool first = IsFirstHit(slot.RTCancel);
      (big ? b.Big : b.Reg) += 1;
      if (first) (big ? b.BigFirst : b.RegFirst) += 1;
      b.Cause[slot.RTCancel] += 1;
      if (previousKind == 0 && slot.RTCancel == Code(RtCancelCause::Ren1G)) ++b.RenAfterBig;
      previousKind = big ? 0 : 1;
      if (bonusSeen) {
        ++b.Stretches;
        if (slot.GamesSinceBonus >= plan.LongStretch) ++b.LongStretches;
      }
      bonusSeen = true;
      if (first) {
        if (firstHitSeen) {
          ++b.FirstStretches;
          if (sinceFirstHit >= plan.LongStretch) ++b.LongFirstStretches;
        }
        firstHitSeen = true;
        sinceFirstHit = 0;
      }
    }
  }
  return batches;
}

Check CheckRatio(const std::vector<BatchCounts>& batches,
                 const std::function<double(const BatchCounts&)>& numerator,
                 const std::function<double(const BatchCounts&)>& denominator, double exact) {
  double top = 0;
  double bottom = 0;
  for (const BatchCounts& b : batches) {
    top += numerator(b);
    bottom += denominator(b);
  }
  Check check;
  check.Estimate = top / bottom;
  double squares = 0;
  for (const BatchCounts& b : batches) {
    const double residual = numerator(b) - check.Estimate * denominator(b);
    squares += residual * residual;
  }
  const double n = static_cast<double>(batches.size());
  check.StandardError = std::sqrt(squares / (n - 1) / n) / (bottom / n);
  check.Z = (check.Estimate - exact) / check.StandardError;
  return check;
}

}  // namespace sorimu::theory_check
