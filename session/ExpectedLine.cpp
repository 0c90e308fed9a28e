#include "ExpectedLine.h"

#include <array>
#include <cassert>

#include "MachineRules.h"
#include "StockBound.h"

namespace sorimu {

// The run and the model play alike until a stock is found empty; from there
// each row moves either by at most kLargestRowChange, so the two expected
// balances after n games differ by at most 2 n kLargestRowChange times the
// chance that a stock runs out within them.
LineOffer OfferExpectedLine(const ShownRun& shown) {
  LineOffer offer;
  if (!shown.Present || shown.Games < 1) return offer;
  const std::optional<int32_t> level = shown.KnownLevel();
  if (!level) {
    offer.Absence = LineAbsence::LevelHidden;
    return offer;
  }
  offer.Setting = *level;
  offer.Games = shown.Games;
  offer.Start.BigStock = shown.BigStock;
  offer.Start.RegStock = shown.RegStock;
  offer.Start.FirstGameBets = shown.FirstBet == kNormalGameBet;
  const bool knownBet = shown.FirstBet == 0 || shown.FirstBet == kNormalGameBet;
  if (!IsSettingLevel(*level) || !knownBet || theory::CheckExpectedRun(offer.Start, offer.Games)) {
    offer.Absence = LineAbsence::NotThisMachine;
    return offer;
  }
  const theory::Real leave = theory::RunLeaveBound(theory::DefaultStockBound(offer.Setting),
                                                   shown.BigStock, shown.RegStock, offer.Games);
  offer.LeaveError = static_cast<double>(2 * leave * offer.Games * kLargestRowChange);
  offer.Absence =
      offer.LeaveError <= kLineTolerance ? LineAbsence::None : LineAbsence::StocksMayRunOut;
  return offer;
}

ExpectedLine ComputeExpectedLine(const LineOffer& offer) {
  assert(offer.Absence == LineAbsence::None);
  const theory::ExpectedRun run =
      theory::DefaultExpectedRun(offer.Setting, offer.Start, offer.Games);
  ExpectedLine line;
  line.Setting = offer.Setting;
  line.Points.reserve(static_cast<size_t>(run.ExactGames) + 1);
  for (int32_t n = 1; n <= run.ExactGames; ++n) {
    line.Points.push_back({n, static_cast<double>(run.BalanceAt(n))});
  }
  if (run.Games > run.ExactGames) {
    line.Points.push_back({run.Games, static_cast<double>(run.BalanceAt(run.Games))});
  }
  line.ErrorBound =
      offer.LeaveError + static_cast<double>(run.SlopeError * (run.Games - run.ExactGames));
  return line;
}

}  // namespace sorimu
