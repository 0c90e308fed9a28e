#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "BonusHistory.h"
#include "HallTables.h"
#include "HistoryEstimate.h"
#include "SettingEstimate.h"

// What the 実戦データ box works out of a history beside its estimate, without
// widgets: the ハマリ/天井 table and the やめ時 curve, made as one job.
namespace sorimu {

struct HallFigures {
  HallMix Mix;
  // What the stretch under way follows: the last bonus's kind, the start,
  // or either kind where the history does not tell.
  size_t After = theory::kAfterEither;
  // The bonus the やめ時 curve starts from: the last one, a BIG when none is
  // known.
  size_t QuitAfter = theory::kBig;
  theory::DryTable Dry;
  theory::QuitCurve Quit;
};

// The figures of a history under a prior (a valid one).
HallFigures ComputeHallFigures(const SettingWeights& prior, const BonusHistory& history);

// The normal games since the history's last bonus: the stretch still open.
inline int32_t CurrentGames(const BonusHistory& history) { return history.OpenGames.value_or(0); }

// The exchange-rate preset of this name, where there is one.
std::optional<size_t> RateIndex(std::string_view name);

}  // namespace sorimu
