// Whatever file reads, the next-games prediction from it comes to an end
// with figures that are numbers: a few draws of a few games each, on one
// thread. The reader lets through only rows a run could have left, so every
// state a draw starts from is one the machine reaches; a draw that does not
// end (libFuzzer's -timeout) is a loop the machine's rules fail to bound.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "NextGames.h"
#include "SimReader.h"

using namespace sorimu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RunRecords records;
  if (!ReadSimBytes(data, size, records).status.Ok()) return 0;

  NextGamesRequest request;
  request.Games = 60;
  request.Draws = 4;
  request.Jobs = 1;
  request.Seed = static_cast<uint32_t>(size);
  const NextGamesOutcome outcome = PredictNextGames(records, request);
  if (!outcome.status.Ok()) std::abort();
  const NextGamesPrediction& p = outcome.Prediction;
  // A draw of 60 normal games moves the balance by a few hundred medals at
  // most, a few bonuses included; anything wider is a loop gone astray.
  for (double value : {p.Balance.Mean, p.Balance.P5, p.Balance.P95}) {
    if (!std::isfinite(value) || std::fabs(value) > 10000) std::abort();
  }
  if (!(p.AheadChance >= 0 && p.AheadChance <= 1)) std::abort();
  return 0;
}
