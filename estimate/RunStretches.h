#pragma once

#include <cstddef>
#include <functional>

#include "Job.h"
#include "RunRecords.h"
#include "StretchFilter.h"

namespace sorimu {

// Where the rows leave the machine after the last one.
struct RunEnd {
  enum class Place {
    Stretch,       // in an RT stretch, possibly one that has not played a game yet
    BonusPending,  // the last row lined up a bonus
    InBonus,       // the last rows are games of a bonus, the last one maybe its end
  };
  Place place = Place::Stretch;
  // Stretch: how it began. InBonus: how the stretch after the bonus begins.
  StretchOpening opening = StretchOpening::Reset;
  // The rows of the stretch under way, or of the bonus (its line-up row
  // first, then its games).
  size_t firstRow = 0;
  size_t rowCount = 0;
};

// How a stretch's likelihood is worked out: the fast sum wherever it
// applies, or the filter for every stretch (the same figures, slower; for
// checking one against the other).
enum class StretchRoute { Fastest, FilterOnly };

// Cuts the rows into RT stretches, from the draw of an RT (the reset, or the
// end of a bonus) to the bonus it lines up or to the last row, and hands the
// likelihood of each to `add` in row order. `end`, when given, is told where
// the rows stop. `job`, when given, counts the rows read and can stop the
// scan part way (false: it was cancelled, and `end` is not told).
bool ScanStretches(const RunRecords& records,
                   const std::function<void(const SettingLikelihood&)>& add, RunEnd* end = nullptr,
                   StretchRoute route = StretchRoute::Fastest, Job* job = nullptr);

}  // namespace sorimu
