#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "BonusHistory.h"
#include "HallTables.h"
#include "Posterior.h"
#include "SettingEstimate.h"

// The setting estimate from a bonus history alone. While every release finds
// its stock, the machine starts afresh at the end of every bonus: the length
// of the next stretch and the kind of the next bonus depend only on the kind
// of the bonus that just ended and on the setting. So a history's likelihood
// is a product of exact terms of the stretch laws (theory/StretchLaw.h), an
// open stretch counting as "more than G games".
namespace sorimu {

// The log-chance of one stretch under each setting, after `after`
// (theory::kBig, theory::kReg or theory::kAfterReset): one that lined up a
// bonus of `kind` on its `games`-th normal game, or one still open after
// `games` normal games. -infinity where a setting cannot produce it.
SettingLikelihood ClosedStretchLikelihood(size_t after, size_t kind, int32_t games);
SettingLikelihood OpenStretchLikelihood(size_t after, int32_t games);

// What the stretch under way after the history follows: its last bonus's
// kind, or the reset for a history from the start without bonuses; nothing
// for a history without bonuses that starts mid-way.
std::optional<size_t> CurrentStretchStart(const BonusHistory& history);

// Every stretch the history tells about, as evidence; with `open` false the
// stretch still open is left out (a question about it adds it itself). A
// stretch that may have met an empty stock is left out: the decision rests
// on the stocks it began with, never on what it showed, so leaving it out
// loses what it would tell but does not bend the rest.
PosteriorSum HistoryEvidence(const BonusHistory& history, bool open = true);

// The prior times the history's likelihood. An invalid prior counts as
// uniform.
SettingEstimate EstimateFromHistory(const BonusHistory& history,
                                    const SettingWeights& prior = UniformPrior());

// The mix of settings the ハマリ and やめ時 tables show beside the six: with a
// history, its posterior against the prior (uniform without one) from its
// closed stretches, since the tables' own condition (the machine got to G)
// weighs the stretch under way; else the prior itself; else none.
struct HallMix {
  theory::SettingMix Weights{};  // all 1 with neither
  std::string Caption;           // the mix column's caption; empty with neither
  // What the history's stretch under way follows, where it tells.
  std::optional<size_t> After;
};
HallMix MixForHall(const std::optional<SettingWeights>& prior, const BonusHistory* history);

}  // namespace sorimu
