#include "AnalyzeCommand.h"

#include <ctime>

#include "AnalysisInputs.h"
#include "AnalysisTable.h"
#include "CliJobs.h"
#include "CliTexts.h"
#include "CommandOptions.h"
#include "InputText.h"
#include "LongRequest.h"
#include "ManyRunAnalysis.h"
#include "Messages.h"
#include "Report.h"
#include "RunFiguresCsv.h"
#include "SafeSave.h"

namespace sorimu {

namespace {

// Fills `request` from the options; false after writing the first problem.
bool ReadRequest(const CommandOptions& options, AnalysisRequest& request, std::ostream& err) {
  for (const char* required : {"--games", "--trials"}) {
    if (!options.Has(required)) {
      err << required << kRequired << kAnalyzeUsage;
      return false;
    }
  }
  AnalysisTexts texts;
  texts.Games = options.ValueOr("--games", "");
  texts.Trials = options.ValueOr("--trials", "");
  texts.BigStock = options.ValueOr("--big", texts.BigStock);
  texts.RegStock = options.ValueOr("--reg", texts.RegStock);
  texts.Seed = options.Has("--seed") ? options.ValueOr("--seed", "")
                                     : std::to_string(static_cast<uint32_t>(std::time(nullptr)));

  const std::optional<int32_t> setting = ParseSettingChoice(options.ValueOr("--setting", "all"));
  if (!setting) {
    err << kCliSettingMessage << '\n';
    return false;
  }
  texts.Setting = *setting;
  if (options.Has("--jobs")) {
    // The window always takes every core; here 0 is no choice to offer.
    const CountResult jobs =
        ParseCount(options.ValueOr("--jobs", ""), 1, kMaxJobs, kCliJobsMessage);
    if (!jobs.status.Ok()) {
      err << jobs.status.Message << '\n';
      return false;
    }
    texts.Jobs = jobs.value;
  }

  const AnalysisRequestRead read = ReadAnalysisRequest(texts);
  if (!read.status.Ok()) {
    err << (read.field == AnalysisField::Seed ? kCliSeedMessage : read.status.Message) << '\n';
    return false;
  }
  request = read.request;
  return true;
}

}  // namespace

int RunAnalyzeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      CliJobs& jobs) {
  CommandOptions options;
  if (!ParseCommandOptions(
          args, 1,
          {"--games", "--trials", "--setting", "--big", "--reg", "--seed", "--jobs", "--csv"},
          {"--yes"}, kAnalyzeUsage, options, err)) {
    return kBadUsage;
  }
  if (!options.positional.empty()) {
    err << kExtraArgument << options.positional.front() << '\n' << kAnalyzeUsage;
    return kBadUsage;
  }
  if (options.Has("--csv") && options.ValueOr("--csv", "").empty()) {
    err << "--csv" << kEmptyPath << kAnalyzeUsage;
    return kBadUsage;
  }
  AnalysisRequest request;
  if (!ReadRequest(options, request, err)) return kBadUsage;
  const int settings = request.Setting == kAllSettings ? kSettingCount : 1;
  const double games = static_cast<double>(request.Games) * request.Trials * settings;
  if (const auto tooLong = LongRequestMessage(games, request.Jobs, kAnalyzeSmaller);
      tooLong && !options.HasFlag("--yes")) {
    err << *tooLong;
    return kBadUsage;
  }

  AnalysisOutcome outcome;
  jobs.Run(kGamesUnit, [&](Job& job) { outcome = RunAnalysis(request, job); });
  if (outcome.status.Kind == StatusKind::Cancelled) return Interrupted(err);
  if (!outcome.status.Ok()) {
    err << outcome.status.Message << '\n';
    return ExitStatusOf(outcome.status);
  }
  const AnalysisResult& result = outcome.Result;

  // The seed goes first: with it and the inputs the table can be made again.
  out << "Play数:" << request.Games << "  試行回数:" << request.Trials
      << "  BIGストック:" << request.BigStock << "  REGストック:" << request.RegStock
      << "  seed:" << request.Seed << '\n';
  out << "\n[複数回分析]\n";
  for (const TableRow& row : AnalysisTableRows(result)) WriteTabRow(out, row);
  out << "\n[差枚分布]\n";
  for (const TableRow& row : HistogramTableRows(result)) WriteTabRow(out, row);

  if (options.Has("--csv")) {
    SaveOptions save;
    save.headline = kCsvSaveFailedMessage;
    const Status saved =
        SaveFile(options.ValueOr("--csv", ""),
                 TextContent([&](std::ostream& file) { WriteRunFiguresCsv(file, result); }), save);
    if (!saved.Ok()) {
      err << saved.Message << '\n';
      return ExitStatusOf(saved);
    }
  }
  return kOk;
}

}  // namespace sorimu
