#pragma once

#include <cstdint>
#include <vector>

#include "RunRow.h"
#include "StretchFilter.h"
#include "StretchOdds.h"

namespace sorimu {

// The likelihood of a stretch begun with a REG stock in hand. Then every RT
// that runs out lines up a bonus (stocks only grow between two bonuses), so
// the stretch holds a single drawn RT, or only a chain, and its likelihood is
// a sum over that RT's length alone: the rows are read once, the roles kept,
// and the sum is taken over the pieces of the length axis on which the roles
// say the same. Much faster than StretchFilter, and equal to it.
class FilledStretch {
 public:
  explicit FilledStretch(const StretchOdds& odds = MachineStretchOdds()) : odds_(odds) {}

  // Any opening but ResetEmpty, whose short first RT would need the filter.
  void Begin(StretchOpening opening);
  void Play(const RunRow& row);
  SettingLikelihood Release(const RunRow& row);
  // A chain says nothing: it gives every setting the same likelihood.
  SettingLikelihood Open();

 private:
  enum class Phase { Drawn, Cut, Chain, Broken };

  // The likelihood that the drawn RT ran out on a game in first..last (of the
  // stretch), with `factor` per setting and the modes `modes` allows.
  SettingLikelihood Sum(int32_t first, int32_t last,
                        const std::array<double, kSettingCount>& factor,
                        const std::array<bool, 2>& modes) const;
  SettingLikelihood Cut(int32_t shortFactorGames, bool released, const RunRow* row) const;
  static SettingLikelihood None();

  const StretchOdds& odds_;
  StretchOpening opening_ = StretchOpening::Reset;
  Phase phase_ = Phase::Drawn;
  int32_t games_ = 0;
  int32_t chainCause_ = 0;
  double drawnWeight_ = 1.0;
  // The earliest 2-cherry or pure miss that did not cut the RT: it had fewer
  // than 32 games left then.
  int32_t firstCutRole_ = 0;
  // 4-cherry B that did not cut it: with a ZT (more than 128 left for
  // sure), and without one (fewer than 32, or more than 128).
  int32_t ztKeeps_ = 0;
  int32_t ztFloor_ = 0;
  std::vector<int32_t> keeps_;
  int32_t cutCause_ = 0;
  int32_t cutAt_ = 0;
  bool cutZt_ = false;
};

}  // namespace sorimu
