#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "RtBand.h"
#include "RunRow.h"
#include "StretchOdds.h"

namespace sorimu {

// How an RT stretch begins: what the reset of the machine or the end of the
// bonus before it leaves.
enum class StretchOpening {
  Reset,       // a drawn RT
  ResetEmpty,  // a drawn RT, or with both stocks empty sometimes a very short one
  AfterBig,    // a drawn RT, or a 3G連
  AfterReg,    // a drawn RT
  Ren1G,       // a 1G連
};

// The log-likelihood of one stretch under each setting, up to a constant
// shared by all of them; -infinity where the setting could not have played it.
struct SettingLikelihood {
  std::array<double, kSettingCount> Log{};
};

// What the rows of a stretch leave known about the RT after its last game,
// per setting, as weights that need not sum to 1.
struct RtBelief {
  // The cause the rows show for a cut RT or a chain (RtCancelCause); 0 when
  // the RT may still be cut.
  int32_t ShortCause = 0;
  // Drawn[setting index][mode][games left], games 1..kMaxRtGames: an RT no role cut.
  std::array<std::array<std::vector<double>, kModeCount>, kSettingCount> Drawn;
  // Short[setting index][mode][games left], games 1..kMaxShortRt: the RT of
  // ShortCause.
  std::array<std::array<std::array<double, kMaxShortRt + 1>, kModeCount>, kSettingCount> Short{};
};

// The exact likelihood of a stretch, game by game, for stretches in which an
// RT may run out without a stock for its mode: then the machine silently
// draws a new one, and the rows no longer show where an RT ended. It follows
// the hidden state (mode, games left, and whether a role may still cut the
// RT) forward through the rows, for every setting at once.
//
// An RT that no role cut is kept by the game on which it will run out, in
// three bands of games left: below kCancelFloor, up to kCancelLotteryFrom,
// and beyond. Every role acts on whole bands (a 4-cherry B rules out the
// middle one and scales the top one, a 2-cherry rules out all but the
// lowest), so a row costs a few steps whatever it holds.
class StretchFilter {
 public:
  explicit StretchFilter(const StretchOdds& odds = MachineStretchOdds());
  // The bands read the filter's own table of lengths.
  StretchFilter(const StretchFilter&) = delete;
  StretchFilter& operator=(const StretchFilter&) = delete;

  void Begin(StretchOpening opening);
  // A normal game of the stretch that lined up no bonus.
  void Play(const RunRow& row);
  // The normal game that lined up the bonus ending the stretch.
  SettingLikelihood Release(const RunRow& row);
  // The stretch still under way after the last game played.
  SettingLikelihood Open();
  // The RT after the last game played. Valid until the next Begin or Play.
  RtBelief Belief();

  int32_t Games() const { return games_; }

 private:
  static constexpr int32_t kShortRing = 64;  // > kMaxShortRt, a power of 2

  RtLanes& ShortAt(int32_t games) {
    return short_[static_cast<size_t>((shortBase_ + games) & (kShortRing - 1))];
  }

  void Advance(RtLanes& endDrawn, RtLanes& endShort);
  void Draw(const SettingValues& weight);
  void ClearDrawn();
  void ClearShort();
  void KeepDrawn(int32_t role, bool zt);
  void CutDrawn(int32_t cause, bool zt);
  void Tidy();
  SettingLikelihood Likelihood(const RtLanes& lanes) const;

  const StretchOdds& odds_;
  std::vector<RtLanes> lengths_;  // per lane, by games: mode chance times length chance
  RtBand low_;
  RtBand middle_;
  RtBand top_;
  std::array<SettingValues, 2> kept_{};  // by whether a ZT came
  std::array<SettingValues, 2> keptReciprocal_{};
  bool drawnAlive_ = false;
  std::array<RtLanes, kShortRing> short_{};
  int32_t shortBase_ = 0;
  int32_t shortCause_ = 0;
  int32_t games_ = 0;
  SettingValues logScale_{};
};

}  // namespace sorimu
