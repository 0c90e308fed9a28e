#pragma once

#include <array>
#include <cstdint>
#include <vector>

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
// shared by all six; -infinity where the setting could not have played it.
struct SettingLikelihood {
  std::array<double, kSettingCount> Log{};
};

// What the rows of a stretch leave known about the RT after its last game,
// per setting, as weights that need not sum to 1.
struct RtBelief {
  // The cause the rows show for a cut RT or a chain (RtCancelCause); 0 when
  // the RT may still be cut.
  int32_t ShortCause = 0;
  // Drawn[setting - 1][mode][games left], games 1..kMaxRtGames: an RT no role cut.
  std::array<std::array<std::vector<double>, 2>, kSettingCount> Drawn;
  // Short[setting - 1][mode][games left], games 1..kMaxShortRt: the RT of
  // ShortCause.
  std::array<std::array<std::array<double, kMaxShortRt + 1>, 2>, kSettingCount> Short{};
};

// The exact likelihood of a stretch, game by game, for stretches in which an
// RT may run out without a stock for its mode: then the machine silently
// draws a new one, and the rows no longer show where an RT ended. It follows
// the hidden state (mode, games left, and whether a role may still cut the
// RT) forward through the rows, for all six settings at once.
//
// An RT that no role cut is kept by the game on which it will run out, so
// that a game costs nothing until a role or a silent new RT needs it. A new
// RT's length is piecewise constant over the lottery's classes, so it enters
// as steps in a running sum rather than as a whole table.
class StretchFilter {
 public:
  explicit StretchFilter(const StretchOdds& odds = MachineStretchOdds());

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
  static constexpr int kLanes = 2 * kSettingCount;  // setting-major, then mode
  static constexpr int32_t kRing = 2048;            // > kMaxRtGames + 1, a power of 2
  using Lanes = std::array<double, kLanes>;
  using PerSetting = std::array<double, kSettingCount>;

  struct Step {
    int32_t games;  // after the draw
    Lanes change;   // of the chance of ending on that game
  };

  Lanes& MassAt(int32_t game) { return mass_[static_cast<size_t>(game & (kRing - 1))]; }
  Lanes& StepAt(int32_t game) { return steps_[static_cast<size_t>(game & (kRing - 1))]; }

  void Advance(Lanes& endDrawn, Lanes& endShort);
  void Draw(const PerSetting& weight);
  void Fold();
  void ClearDrawn();
  void ClearShort();
  void KeepDrawn(int32_t role, bool zt);
  void ScaleDrawn(int32_t first, int32_t last, const PerSetting& factor);
  void CutDrawn(int32_t cause, bool zt);
  void Tidy();
  SettingLikelihood Likelihood(const Lanes& lanes) const;

  const StretchOdds& odds_;
  std::vector<Step> drawSteps_;
  // The ring of games on which a drawn RT runs out, as weights (mass_) plus
  // steps of a running sum not yet folded in (steps_, running_).
  std::vector<Lanes> mass_;
  std::vector<Lanes> steps_;
  Lanes running_{};
  bool drawnAlive_ = false;
  std::array<Lanes, kMaxShortRt + 1> short_{};
  int32_t shortCause_ = 0;
  int32_t games_ = 0;
  bool folded_ = false;  // since the last Tidy
  PerSetting logScale_{};
};

}  // namespace sorimu
