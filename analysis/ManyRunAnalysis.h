#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "BalanceBands.h"
#include "FigureSummary.h"
#include "Job.h"
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

// The inputs of an analysis, as a window or the command line names them to
// the user.
enum class AnalysisField { None, Games, Trials, BigStock, RegStock, Setting, Seed, Jobs };

// The first input out of range, in the order of the fields; None when the
// request can run.
AnalysisField FirstBadField(const AnalysisRequest& request);

// BadInput with the message for the first input out of range; Ok when the
// request can run.
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

// Plays every run on up to request.Jobs threads of the job's service (one
// per core for 0; the calling thread alone for a job without a service) and
// returns when they are done. It counts normal games (Done, moving even
// inside one very long run) and finished runs (Parts), and returns Cancelled
// within a few milliseconds of the job's cancel. The figures depend only on
// the request minus Jobs: run i of a setting is always played with the same
// derived seed, and the figures are gathered in run order once every run is
// done.
AnalysisOutcome RunAnalysis(const AnalysisRequest& request, Job& job);
// The same on the calling thread alone.
AnalysisOutcome RunAnalysis(const AnalysisRequest& request);

// The figures of one setting from its runs' figures.
SettingFigures SummariseSetting(int32_t setting, const std::vector<RunFigures>& runs);

}  // namespace sorimu
