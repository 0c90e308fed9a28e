#include "RunFigures.h"

#include <algorithm>

#include "MachineRules.h"
#include "Outcome.h"
#include "Slot.h"

namespace sorimu {

uint64_t SplitMix64(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

uint32_t DeriveRunSeed(uint32_t baseSeed, int32_t setting, int64_t trial) {
  const uint64_t key =
      (static_cast<uint64_t>(static_cast<uint32_t>(setting)) << 40) ^ static_cast<uint64_t>(trial);
  return static_cast<uint32_t>(SplitMix64(SplitMix64(baseSeed) ^ key) >> 32);
}

bool PlayRunFigures(const RunPlan& plan, RunFigures& figures, const std::atomic<bool>* cancel,
                    std::atomic<int64_t>* gamesDone, std::span<const int32_t> checkpoints,
                    int32_t* balances) {
  figures = RunFigures{};
  figures.Setting = plan.Setting;
  figures.Seed = plan.Seed;

  // A fresh machine per run: Reset keeps the last outcome, so a machine
  // carried over from another run would skip the first bet after a replay.
  Slot slot(plan.Seed);
  slot.SetFlevel(plan.Setting);
  slot.SetStock(plan.BigStock, plan.RegStock);
  slot.Reset();

  int64_t bets = 0;
  int32_t peak = 0;
  int64_t maxDrawdown = 0;
  int32_t longest = 0;
  int64_t nextCheck = NextCancelCheck(0);
  size_t nextPoint = 0;
  int32_t counted = 0;
  auto count = [&] {
    if (gamesDone != nullptr)
      gamesDone->fetch_add(slot.PlayCount - counted, std::memory_order_relaxed);
    counted = slot.PlayCount;
  };
  while (slot.PlayCount < plan.Games) {
    if (slot.PlayCount >= nextCheck) {
      nextCheck = NextCancelCheck(slot.PlayCount);
      count();
      if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return false;
    }
    const bool afterReplay = slot.LastOutcome == Code(Outcome::Replay);
    slot.Play();
    if (slot.BonusGames != 0) {
      const bool jacGame =
          slot.LastOutcome == Code(Outcome::JAC) || slot.LastOutcome == Code(Outcome::JACHazure);
      bets += jacGame ? kJacGameBet : kBigGameBet;
    } else {
      if (!afterReplay) bets += kNormalGameBet;
      if (nextPoint < checkpoints.size() && slot.PlayCount == checkpoints[nextPoint]) {
        balances[nextPoint++] = slot.Medal;
      }
      longest = std::max(longest, slot.GamesSinceBonus);
      if (IsBonusOutcome(slot.LastOutcome)) {
        const bool first = IsFirstHit(slot.RTCancel);
        if (slot.LastOutcome == Code(Outcome::BIG)) {
          ++figures.BigCount;
          figures.BigFirstCount += first ? 1 : 0;
        } else {
          ++figures.RegCount;
          figures.RegFirstCount += first ? 1 : 0;
        }
      }
    }
    peak = std::max(peak, slot.Medal);
    maxDrawdown = std::max(maxDrawdown, static_cast<int64_t>(peak) - slot.Medal);
  }

  count();
  figures.Games = slot.PlayCount;
  figures.FinalMedal = slot.Medal;
  figures.Bets = bets;
  figures.MaxDrawdown = maxDrawdown;
  figures.LongestDrought = longest;
  return true;
}

}  // namespace sorimu
