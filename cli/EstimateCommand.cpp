#include "EstimateCommand.h"

#include <ctime>
#include <optional>

#include "CliJobs.h"
#include "CliTexts.h"
#include "CommandOptions.h"
#include "EstimateTable.h"
#include "HistoryEstimate.h"
#include "HistoryFile.h"
#include "InputText.h"
#include "LongRequest.h"
#include "ManyRunAnalysis.h"
#include "Messages.h"
#include "NextGames.h"
#include "NumberFormat.h"
#include "Report.h"
#include "Session.h"

namespace sorimu {

namespace {

// The count an option names, or nothing after writing its message.
std::optional<int32_t> Count(const CommandOptions& options, const char* name, int32_t fallback,
                             int32_t maximum, const char* rangeMessage, std::ostream& err) {
  if (!options.Has(name)) return fallback;
  const CountResult count = ParseCount(options.ValueOr(name, ""), 1, maximum, rangeMessage);
  if (!count.status.Ok()) {
    err << count.status.Message << '\n';
    return std::nullopt;
  }
  return count.value;
}

// Fills the prediction request from the options; false after writing the
// first problem.
bool ReadNextRequest(const CommandOptions& options, NextGamesRequest& request, std::ostream& err) {
  if (!options.Has("--next")) {
    for (const char* name : {"--draws", "--seed", "--jobs"}) {
      if (options.Has(name)) {
        err << name << kNeedsNext << kEstimateUsage;
        return false;
      }
    }
    return true;
  }
  const auto games =
      Count(options, "--next", request.Games, kMaxNextGames, kNextGamesRangeMessage, err);
  if (!games) return false;
  const auto draws =
      Count(options, "--draws", request.Draws, kMaxNextDraws, kNextDrawsRangeMessage, err);
  if (!draws) return false;
  const auto jobs = Count(options, "--jobs", 0, kMaxJobs, kCliJobsMessage, err);
  if (!jobs) return false;
  request.Games = *games;
  request.Draws = *draws;
  request.Jobs = *jobs;
  request.Seed = static_cast<uint32_t>(std::time(nullptr));
  if (options.Has("--seed")) {
    const std::optional<uint32_t> seed = ParseSeed(options.ValueOr("--seed", ""));
    if (!seed) {
      err << kCliSeedMessage << '\n';
      return false;
    }
    request.Seed = *seed;
  }
  return true;
}

void WriteTsv(std::ostream& out, const SettingEstimate& estimate,
              const std::optional<NextGamesPrediction>& next) {
  out << "setting\tprobability\n";
  for (size_t s = 0; s < kSettingCount; ++s)
    out << s + 1 << '\t' << FormatExact(estimate.Probability[s]) << '\n';
  if (!next) return;
  const NextGamesPrediction& p = *next;
  out << "\nfigure\tmedals\tyen\n";
  const std::pair<const char*, double Spread::*> parts[] = {
      {"mean", &Spread::Mean},  {"p5", &Spread::P5},   {"p25", &Spread::P25},
      {"p50", &Spread::Median}, {"p75", &Spread::P75}, {"p95", &Spread::P95},
  };
  for (const auto& [name, member] : parts) {
    out << name << '\t' << FormatExact(p.Balance.*member) << '\t'
        << FormatExact(p.BalanceYen.*member) << '\n';
    if (member == &Spread::Mean) {
      out << "mean_se\t" << FormatExact(p.MeanError) << '\t'
          << FormatExact(p.MeanError * kYenPerMedal) << '\n';
    }
  }
  out << "ahead\t" << FormatExact(p.AheadChance) << "\npayout\t" << FormatExact(p.PayoutRate)
      << '\n';
  out << "\ngames\tmean\tp5\tp25\tp50\tp75\tp95\n";
  const BalanceBands& fan = p.Fan;
  for (size_t k = 0; k < fan.Games.size(); ++k) {
    out << fan.Games[k] << '\t' << FormatExact(fan.Mean[k]) << '\t' << FormatExact(fan.P5[k])
        << '\t' << FormatExact(fan.P25[k]) << '\t' << FormatExact(fan.Median[k]) << '\t'
        << FormatExact(fan.P75[k]) << '\t' << FormatExact(fan.P95[k]) << '\n';
  }
}

// The estimate from a bonus history alone, and how sure it is.
int RunHistoryEstimate(const CommandOptions& options, const SettingWeights& prior,
                       std::ostream& out, std::ostream& err, CliJobs& jobs) {
  for (const char* name : {"--next", "--draws", "--seed", "--jobs"}) {
    if (options.Has(name)) {
      err << name << kNotInThisUse << kEstimateUsage;
      return kBadUsage;
    }
  }
  if (!options.positional.empty()) {
    err << kExtraArgument << options.positional.front() << '\n' << kEstimateUsage;
    return kBadUsage;
  }
  const HistoryRead read = ReadHistoryFile(options.ValueOr("--history", ""));
  if (!read.status.Ok()) {
    err << read.status.Message << '\n';
    return kFileFailed;
  }
  const SettingEstimate estimate = EstimateFromHistory(read.history, prior);
  if (options.HasFlag("--tsv")) {
    WriteTsv(out, estimate, std::nullopt);
    return kOk;
  }
  out << "[設定推測]\n";
  for (const TableRow& row : EstimateTableRows(estimate)) WriteTabRow(out, row);
  out << HistoryEstimateNote(estimate, read.history) << '\n';
  // A fixed seed: the same history gives the same figures.
  ForecastRequest request;
  request.Jobs = 0;  // every core
  HistoryForecast forecast;
  const bool whole = jobs.Run(
      kDrawsUnit, [&](Job& job) { forecast = ForecastHistory(read.history, prior, request, job); });
  if (!whole) return Interrupted(err);
  out << "\n[この先の推測]  予測回数:" << request.Draws << "  seed:" << request.Seed << '\n';
  for (const TableRow& row : ForecastTableRows(forecast)) WriteTabRow(out, row);
  return kOk;
}

}  // namespace

int RunEstimateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       CliJobs& jobs) {
  CommandOptions options;
  if (!ParseCommandOptions(args, 1,
                           {"--prior", "--next", "--draws", "--seed", "--jobs", "--history"},
                           {"--tsv", "--yes"}, kEstimateUsage, options, err)) {
    return kBadUsage;
  }
  if (options.positional.size() != 1 && !options.Has("--history")) {
    err << kEstimateUsage;
    return kBadUsage;
  }
  SettingWeights prior = UniformPrior();
  if (options.Has("--prior")) {
    const std::optional<SettingWeights> parsed = ParsePrior(options.ValueOr("--prior", ""));
    if (!parsed) {
      err << kPriorMessage << '\n';
      return kBadUsage;
    }
    prior = *parsed;
  }
  if (options.Has("--history")) return RunHistoryEstimate(options, prior, out, err, jobs);
  NextGamesRequest request;
  request.Prior = prior;
  if (!ReadNextRequest(options, request, err)) return kBadUsage;
  if (options.Has("--next") && !options.HasFlag("--yes")) {
    const double games = static_cast<double>(request.Games) * request.Draws;
    if (const auto tooLong = LongRequestMessage(games, request.Jobs, kNextSmaller)) {
      err << *tooLong;
      return kBadUsage;
    }
  }

  // The file is read as the window's Open reads it, and the estimate is the
  // one its 設定推測 box shows for the records on display.
  const std::string& path = options.positional.front();
  Session session;
  const CommandOutcome opened = session.Open(path);
  if (!opened.status.Ok()) {
    err << opened.status.Message << '\n';
    return ExitStatusOf(opened.status);
  }
  const RunRef run = session.Current();
  std::optional<SettingEstimate> weighed;
  jobs.Run(kRowsUnit, [&](Job& job) { weighed = EstimateSetting(run->Records, prior, job); });
  if (!weighed) return Interrupted(err);
  const SettingEstimate& estimate = *weighed;
  std::optional<NextGamesPrediction> next;
  if (options.Has("--next")) {
    NextGamesOutcome predicted;
    jobs.Run(kGamesUnit, [&](Job& job) {
      predicted = PredictNextGames(run->Records, request, job, &estimate);
    });
    if (predicted.status.Kind == StatusKind::Cancelled) return Interrupted(err);
    if (!predicted.status.Ok()) {
      err << predicted.status.Message << '\n';
      return ExitStatusOf(predicted.status);
    }
    next = predicted.Prediction;
  }

  if (options.HasFlag("--tsv")) {
    WriteTsv(out, estimate, next);
    return kOk;
  }
  out << "[設定推測]\n";
  for (const TableRow& row : EstimateTableRows(estimate)) WriteTabRow(out, row);
  out << EstimateNote(estimate) << '\n';
  if (next) {
    // The seed goes with the figures: with it they can be made again.
    out << "\n[次の" << request.Games << "ゲーム]  予測回数:" << request.Draws
        << "  seed:" << request.Seed << '\n';
    for (const TableRow& row : NextGamesTableRows(*next)) WriteTabRow(out, row);
  }
  return kOk;
}

}  // namespace sorimu
