#pragma once

#include <array>
#include <cstdint>

#include "BalanceBands.h"
#include "FigureSummary.h"
#include "Job.h"
#include "RunRecords.h"
#include "SettingEstimate.h"
#include "Status.h"

namespace sorimu {

inline constexpr int32_t kMaxNextGames = 10000000;
inline constexpr int32_t kMaxNextDraws = 1000000;

// What the next N normal games of a run may bring (期待収支).
struct NextGamesRequest {
  int32_t Games = 1000;  // normal games ahead
  int32_t Draws = 10000;
  uint32_t Seed = 0;  // every draw's own seed derives from it
  int Jobs = 0;       // worker threads; 0 for one per core
  SettingWeights Prior = UniformPrior();
};

// BadInput with the message for the first input out of range; Ok otherwise.
Status CheckNextGamesRequest(const NextGamesRequest& request);

struct NextGamesPrediction {
  NextGamesRequest Request;  // with Jobs as actually used
  SettingEstimate Estimate;  // what the settings were drawn from
  std::array<int32_t, kSettingCount> DrawsPerSetting{};
  // The balance (差枚) after the next Games normal games, counted from the
  // last row; a bonus lined up on the last of them is not played.
  Spread Balance;
  Spread BalanceYen;  // the same at 20 yen a medal
  // The Monte-Carlo standard error of Balance.Mean (of BalanceYen.Mean:
  // times 20): the draws' spread over the square root of their number.
  double MeanError = 0;
  double AheadChance = 0;  // share of the draws ending above 0 medals
  double PayoutRate = 0;   // exact long-run 機械割 (percent), weighted by the estimate
  BalanceBands Fan;        // the balance along the way
};

// Ok, Cancelled, BadInput (a request out of range, or a last state no
// machine reaches) or OutOfMemory.
struct NextGamesOutcome {
  Status status;
  NextGamesPrediction Prediction;  // filled only when Ok
};

// The posterior-predictive distribution of the balance over the next games:
// each draw takes a setting from the estimate (the prior times what the rows
// show), the RT from what the current stretch showed under that setting (or
// the bonus under way as its rows show it), the stocks from the last row,
// and plays the machine on from there with a seed of its own. The figures
// depend on the records and the request minus Jobs only. The draws run on
// up to request.Jobs threads of the job's service; the job counts them
// (Parts) and their games (Done), and its cancel stops even a single long
// draw within a few milliseconds. `weighed`, when given, is the setting
// estimate of these records under any prior, re-weighed (Reweigh) rather than
// worked out again.
NextGamesOutcome PredictNextGames(const RunRecords& records, const NextGamesRequest& request,
                                  Job& job, const SettingEstimate* weighed = nullptr);
// The same on the calling thread alone.
NextGamesOutcome PredictNextGames(const RunRecords& records, const NextGamesRequest& request);

}  // namespace sorimu
