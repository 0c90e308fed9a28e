#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "BonusHistory.h"
#include "Job.h"
#include "SettingEstimate.h"

namespace sorimu {

// How sure the estimate from a history is, and how soon that may change:
// what it is likely to say after K more normal games. Worked out by drawing
// the machine's next stretches from the stretch laws, each draw under a
// setting drawn from the current posterior, and estimating again.
struct ForecastRequest {
  std::vector<int32_t> Games = {1000, 3000, 8000};  // more normal games, ascending, >= 1
  int32_t Draws = 10000;
  uint32_t Seed = 1;  // every draw's own seed derives from it
  // Threads of the job's service (0 for one per core); 1 draws on the
  // caller's thread alone.
  int Jobs = 1;
};

struct ForecastPoint {
  int32_t Games = 0;
  // The mean probability the estimate will then give the setting on top now.
  // An estimate is a fair bet on what it will say later, so this stays at
  // today's figure up to the draws' error (a check of the draws more than
  // news).
  double TopProbability = 0;
  // The mean probability of whichever setting will then be on top: how sure
  // the estimate is likely to have become.
  double LeaderProbability = 0;
  // The chance that another setting will then be on top.
  double TopChangeChance = 0;
};

struct HistoryForecast {
  int32_t Top = 0;                    // the setting on top now, 1..6
  double TopProbability = 0;          // its probability now
  std::vector<ForecastPoint> Points;  // one per requested count, in order
};

// The figures depend on the history, the prior and the request minus Jobs.
// The job counts the draws (Done); its cancel stops them soon, and the
// figures are then incomplete (check the job). Requires Draws >= 1, Games
// ascending and >= 1, a valid prior.
HistoryForecast ForecastHistory(const BonusHistory& history, const SettingWeights& prior,
                                const ForecastRequest& request, Job& job);
// The same on the calling thread alone.
HistoryForecast ForecastHistory(const BonusHistory& history, const SettingWeights& prior,
                                const ForecastRequest& request);

}  // namespace sorimu
