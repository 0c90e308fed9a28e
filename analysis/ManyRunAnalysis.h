#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "BalanceBands.h"
#include "FigureSummary.h"
#include "PayoutTheory.h"
#include "RunFigures.h"
#include "Setting.h"
#include "Status.h"

namespace sorimu {

inline constexpr int32_t kAllSettings = 0;
inline constexpr int32_t kMaxTrials = 1000000;
inline constexpr int kMaxJobs = 256;
inline constexpr int kYenPerMedal = 20;

// What to analyse: K runs of N normal games at one setting, or at each one,
// every run starting with the same stocks.
struct AnalysisRequest {
  int32_t Games = 8000;
  int32_t Trials = 1000;
  int32_t Setting = kAllSettings;  // a level, or kAllSettings
  int32_t BigStock = 255;
  int32_t RegStock = 255;
  uint32_t Seed = 0;  // base seed; every run's own seed derives from it
  int Jobs = 0;       // worker threads; 0 for one per core
};

// BadInput with the message for the first input out of range, in the order
// of the fields; Ok when the request can run.
Status CheckAnalysisRequest(const AnalysisRequest& request);

// The settings a request covers, in column order.
std::vector<int32_t> RequestedSettings(const AnalysisRequest& request);

// The figures of one setting over all its runs.
struct SettingFigures {
  int32_t Setting = 0;
  int32_t Runs = 0;
  MeanWithInterval PayoutRate;        // 機械割, percent, mean of the runs' rates
  MeanWithInterval PooledPayoutRate;  // 機械割, percent, all runs' payouts over all their bets
  PayoutTheory Theory;                // the exact rates, filled by RunAnalysis
  Spread Balance;                     // final medals
  Spread BalanceYen;                  // the same at 20 yen a medal
  double ProfitShare = 0;             // runs ending above 0 medals, 0..1
  double DrawdownMean = 0;
  double DrawdownP95 = 0;
  double BigCountMean = 0;
  double RegCountMean = 0;
  // Normal games per bonus over all runs together; 0 when none came.
  double BigRate = 0;
  double RegRate = 0;
  double BigFirstRate = 0;
  double RegFirstRate = 0;
  double FirstRate = 0;  // first hits of either kind
  double DroughtMean = 0;
  double DroughtP95 = 0;
  // The balance against games played over the runs, for a fan chart, and
  // the exact expected balance at the same games (NaN where there is none).
  BalanceBands Fan;
  std::vector<double> ExpectedBalance;
};

struct AnalysisResult {
  AnalysisRequest Request;               // with Jobs as actually used
  std::vector<SettingFigures> Settings;  // one per column
  Histogram FinalBalance;                // Counts in the same column order
  // Every run, setting by setting and trial by trial, for export.
  std::vector<RunFigures> Runs;
};

// Ok, Cancelled, BadInput (a request out of range) or OutOfMemory.
struct AnalysisOutcome {
  Status status;
  AnalysisResult Result;  // filled only when Ok
};

// How far an analysis has come. Normal games move even while a single very
// long run is being played; runs count only finished ones.
struct AnalysisProgressInfo {
  int64_t RunsDone = 0;
  int64_t RunsTotal = 0;
  int64_t GamesDone = 0;
  int64_t GamesTotal = 0;

  // 0..1000, for a progress bar.
  int PerMille() const {
    return GamesTotal == 0 ? 0 : static_cast<int>(1000 * GamesDone / GamesTotal);
  }
};

// Called on the thread that called RunAnalysis, never concurrently, about
// every 40 ms while anything moved and once more at the end.
using AnalysisProgress = std::function<void(const AnalysisProgressInfo&)>;

// Plays every run on request.Jobs worker threads and waits for them. A window
// calls it from a worker thread of its own and sets `cancel` to stop: the
// workers notice within a few milliseconds and the call returns Cancelled.
// The figures depend only on the request minus Jobs: run i of a setting is
// always played with the same derived seed, and the figures are gathered in
// run order once every run is done.
AnalysisOutcome RunAnalysis(const AnalysisRequest& request, const AnalysisProgress& progress = {},
                            const std::atomic<bool>* cancel = nullptr);

// The figures of one setting from its runs' figures.
SettingFigures SummariseSetting(int32_t setting, const std::vector<RunFigures>& runs);

}  // namespace sorimu
