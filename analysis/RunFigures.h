#pragma once

#include <atomic>
#include <cstdint>
#include <span>

namespace sorimu {

// What one run of a many-run analysis is reduced to as soon as it ends. The
// rows themselves are never kept: a thousand runs of 8000 games would need
// hundreds of megabytes, while these figures take a few dozen bytes.
struct RunFigures {
  int32_t Setting = 0;
  int32_t Trial = 0;        // 0-based number of the run within its setting
  uint32_t Seed = 0;        // replays the run: a Slot built with it, as a single run
  int32_t Games = 0;        // normal games played
  int32_t FinalMedal = 0;   // payouts minus bets
  int64_t Bets = 0;         // medals put in, bonus games included
  int64_t MaxDrawdown = 0;  // deepest fall of the balance below its earlier peak
  int32_t BigCount = 0;
  int32_t RegCount = 0;
  int32_t BigFirstCount = 0;  // lined up neither as 1G連 nor as 3G連
  int32_t RegFirstCount = 0;
  int32_t LongestDrought = 0;  // most normal games without a bonus (ハマリ)

  bool operator==(const RunFigures&) const = default;

  // 機械割 in percent: medals paid out per medal bet.
  double PayoutRate() const {
    return Bets == 0 ? 0.0
                     : 100.0 * static_cast<double>(Bets + FinalMedal) / static_cast<double>(Bets);
  }
};

struct RunPlan {
  int32_t Setting = 1;   // a level
  int32_t Games = 8000;  // >= 1
  int32_t BigStock = 255;
  int32_t RegStock = 255;
  uint32_t Seed = 0;
};

// Plays one run on a machine of its own, prepared exactly as a single run
// with a known level prepares it (SetFlevel, SetStock, Reset), so that
// `sorimu-cli run --seed <Seed>` shows the same run game for game. Every few
// thousand normal games it adds the games played to `gamesDone` and looks at
// `cancel`; it returns false, with partial figures, once that is true. With
// `checkpoints` (rising normal-game counts, the last at most plan.Games) it
// writes the balance on each one's row to `balances`, one value each.
bool PlayRunFigures(const RunPlan& plan, RunFigures& figures,
                    const std::atomic<bool>* cancel = nullptr,
                    std::atomic<int64_t>* gamesDone = nullptr,
                    std::span<const int32_t> checkpoints = {}, int32_t* balances = nullptr);

// Often enough that a cancel lands within a millisecond or so, rarely enough
// that the relaxed load does not show in the game loop.
inline constexpr int32_t kCancelCheckGames = 4096;

// The game count at which a run next looks at its cancel flag; in 64 bits,
// since a run of nearly 2^31 games carries it past the int32 range.
constexpr int64_t NextCancelCheck(int32_t playCount) {
  return int64_t{playCount} + kCancelCheckGames;
}

// A 64-bit mix with every input bit reaching every output bit: seeds derived
// from one base seed share nothing a run could show.
uint64_t SplitMix64(uint64_t x);

// The seed of run `trial` at `setting`, derived from the analysis's base
// seed alone: whichever thread plays a run, it plays the same games.
uint32_t DeriveRunSeed(uint32_t baseSeed, int32_t setting, int64_t trial);

}  // namespace sorimu
