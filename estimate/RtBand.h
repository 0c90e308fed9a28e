#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "MachineOdds.h"

namespace sorimu {

// Weights kept per setting and mode side by side, setting-major.
inline constexpr size_t kRtLanes = static_cast<size_t>(kSettingCount) * kModeCount;
using RtLanes = std::array<double, kRtLanes>;
using SettingValues = std::array<double, kSettingCount>;

constexpr size_t LaneOf(size_t setting, size_t mode) { return setting * kModeCount + mode; }

// The uncut RTs an estimate follows, over one band of the games they have
// left (low..high), kept by the game of the stretch on which each would run
// out: what came down from the band above as weights, plus the RTs drawn
// into the band.
//
// What the rows do to the RTs in a band is the same for all of them: a role
// scales the band by a factor per setting or empties it. Both are kept
// lazily, a scale per lane and an epoch that marks every slot stale at once,
// so no row costs more than a few steps whatever it holds.
class RtBand {
 public:
  enum class Kind {
    // Draws are kept as they came and summed over windows of the games they
    // were drawn after, one window per run of equal chances, without ever
    // taking one away: for the lowest band, whose weights may shrink fast,
    // so that no running sum carries old rounding into them.
    Windowed,
    // Draws are kept as steps of a running sum (a drawn length is piecewise
    // constant, so a draw costs a few steps, not a table).
    Stepped,
    // Stepped, and each draw is kept as well, for exact totals without a
    // scan: for the band above the others, which nothing comes down into.
    SteppedWithDraws,
  };

  // `lengths[r]`: per lane, the chance that a drawn RT has r games left
  // (r = 0..kMaxRtGames + 1, the last 0).
  RtBand(int32_t low, int32_t high, const std::vector<RtLanes>& lengths, Kind kind);

  void Clear();
  bool Empty() const { return empty_; }
  // Multiplies each setting's weights (both modes) by its factor; with the
  // factors' reciprocals (0 for a factor of 0) where the caller has them.
  void Scale(const SettingValues& factor);
  void Scale(const SettingValues& factor, const SettingValues& reciprocal);

  // After game `games`: a new RT drawn with a weight per setting.
  void Draw(int32_t games, const SettingValues& weight);
  // The stretch moved on to game `games`: the weights on the band's lowest
  // game before the move, which leave the band.
  RtLanes Leave(int32_t games);
  // Weights that came down onto game `position`, now the band's highest.
  void Enter(int32_t position, const RtLanes& weight);

  // The band's weights summed, exactly (a scan, or the draws' tails).
  RtLanes Total(int32_t games) const;
  // The same, or a running figure that may drift by rounding: enough to keep
  // the weights in range.
  RtLanes RoughTotal(int32_t games) const;
  // The weight of each game left low..high, per lane, into `into[r]`.
  void Read(int32_t games, std::vector<RtLanes>& into) const;

  // Puts the running sum's rounding to rest: folds it into the weights (or,
  // for kept draws, works the sum out again) and the rough total with it.
  void Settle(int32_t games);

 private:
  size_t Index(int32_t position) const { return static_cast<size_t>(position) & mask_; }
  bool Live(size_t index) const { return epochs_[index] == epoch_; }
  // The slot's index, its weights and steps set to 0 if they were stale.
  size_t Fresh(int32_t position) {
    const size_t index = Index(position);
    if (epochs_[index] != epoch_) {
      mass_[index].fill(0);
      step_[index].fill(0);
      epochs_[index] = epoch_;
    }
    return index;
  }
  void Rebase();
  void Multiply(const RtLanes& factor);

  int32_t low_;
  int32_t high_;
  const std::vector<RtLanes>& lengths_;
  Kind kind_;
  size_t mask_;
  // The steps of one draw: by games left from the draw, and the change, kept
  // apart so that the changes lie back to back for the vector loads.
  std::vector<int32_t> stepGames_;
  std::vector<RtLanes> stepChanges_;
  RtLanes bandMass_{};  // of one draw, per lane
  // Chance, per lane, of games left x..high_ (index x), for kept draws.
  std::vector<RtLanes> tail_;

  std::vector<RtLanes> mass_;
  std::vector<RtLanes> step_;
  std::vector<uint64_t> epochs_;
  // Kept draws, by the game drawn after, as stored.
  struct Drawn {
    RtLanes stored;
    uint64_t epoch = 0;
    int32_t games = 0;
  };
  RtLanes DrawnAfter(int32_t games) const;
  std::vector<Drawn> draws_;

  // A sum over the last `Length` draws with no subtraction: the newer ones
  // as a plain sum, the older ones as sums from each to the newest of them,
  // rebuilt from the newer ones when they run out.
  struct Window {
    int32_t first = 0;  // games left: the draws from `first` to `last` games ago
    int32_t last = 0;
    RtLanes chance{};  // of each of those games left
    std::vector<RtLanes> newer;
    RtLanes newerSum{};
    std::vector<RtLanes> older;  // back(): the sum of them all
    size_t count = 0;

    void Clear();
    void Push(const RtLanes& draw);
    RtLanes Sum() const;
  };
  std::vector<Window> windows_;

  uint64_t epoch_ = 1;
  // The lowest game written, and the first draw, since the band was cleared:
  // a role that cuts the RT on every other game must not cost a scan of the
  // whole band each time.
  static constexpr int32_t kNothingYet = std::numeric_limits<int32_t>::max();
  int32_t firstPosition_ = kNothingYet;
  int32_t firstDraw_ = kNothingYet;
  int32_t latest_ = 0;  // the game of the last draw or move
  RtLanes running_{};
  RtLanes scale_{};
  RtLanes inverse_{};
  RtLanes total_{};  // rough, as stored
  bool empty_ = true;
};

}  // namespace sorimu
