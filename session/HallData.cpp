#include "HallData.h"

#include <iterator>

#include "HallText.h"

namespace sorimu {

HallFigures ComputeHallFigures(const SettingWeights& prior, const BonusHistory& history) {
  HallFigures figures;
  // Without a bonus nor a start, a history tells nothing of the settings:
  // the mix is the hall's own.
  const bool tells = !history.Bonuses.empty() || history.FromStart;
  figures.Mix = MixForHall(prior, tells ? &history : nullptr);
  if (figures.Mix.After) figures.After = *figures.Mix.After;
  if (!history.Bonuses.empty()) figures.QuitAfter = history.Bonuses.back().Kind;
  figures.Dry = theory::ComputeDryTable(figures.After, figures.Mix.Weights);
  figures.Quit =
      theory::ComputeQuitCurve(figures.QuitAfter, theory::kMaxQuitGames, figures.Mix.Weights);
  return figures;
}

std::optional<size_t> RateIndex(std::string_view name) {
  for (size_t r = 0; r < std::size(theory::kExchangeRates); ++r) {
    if (name == theory::kExchangeRates[r].Name) return r;
  }
  return std::nullopt;
}

}  // namespace sorimu
