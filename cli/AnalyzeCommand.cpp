#include "AnalyzeCommand.h"

#include <ctime>
#include <optional>

#include "AnalysisTable.h"
#include "CommandOptions.h"
#include "CsvExport.h"
#include "IntegerText.h"
#include "ManyRunAnalysis.h"
#include "StartInputs.h"

namespace sorimu {

namespace {

constexpr const char* kAnalyzeUsage =
    "使い方:\n"
    "  sorimu-cli analyze --games N --trials K [--setting S|all] [--big N] [--reg N]"
    " [--seed N] [--jobs N] [--csv FILE]\n";

constexpr const char* kSettingMessage = "設定は、1～6またはallにしてください。";

void WriteCells(std::ostream& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out << '\t';
    out << cells[i];
  }
  out << '\n';
}

// A count checked as the window checks its numbers; the message on failure.
std::optional<int32_t> ParseCount(const std::string& text, int32_t minimum, int32_t maximum,
                                  const char* rangeMessage, std::ostream& err) {
  const std::optional<int32_t> value = ParseInteger(text);
  if (!value) {
    err << NotIntegerMessage(text) << '\n';
  } else if (*value < minimum || *value > maximum) {
    err << rangeMessage << '\n';
  } else {
    return value;
  }
  return std::nullopt;
}

// Fills `request` from the options; false after writing the first problem.
bool ReadRequest(const CommandOptions& options, AnalysisRequest& request, std::ostream& err) {
  for (const char* required : {"--games", "--trials"}) {
    if (!options.Has(required)) {
      err << required << " を指定してください。\n" << kAnalyzeUsage;
      return false;
    }
  }
  // Play数 and the stocks take the window's own checks and messages.
  StartTexts texts;
  texts.PlayNum = options.ValueOr("--games", "");
  texts.BigStock = options.ValueOr("--big", texts.BigStock);
  texts.RegStock = options.ValueOr("--reg", texts.RegStock);
  const StartCheck check = CheckStartInputs(texts);
  if (check.failure != StartFailure::None) {
    err << check.message << '\n';
    return false;
  }
  request.Games = check.inputs.PlayNum;
  request.BigStock = check.inputs.BigStock;
  request.RegStock = check.inputs.RegStock;

  const auto trials = ParseCount(options.ValueOr("--trials", ""), 1, kMaxTrials,
                                 "試行回数は、1～1000000にしてください。", err);
  if (!trials) return false;
  request.Trials = *trials;

  const std::string setting = options.ValueOr("--setting", "all");
  if (setting == "all") {
    request.Setting = kAllSettings;
  } else if (setting.size() == 1 && setting[0] >= '1' && setting[0] <= '6') {
    request.Setting = setting[0] - '0';
  } else {
    err << kSettingMessage << '\n';
    return false;
  }

  if (options.Has("--seed")) {
    const std::optional<uint32_t> seed = ParseSeedText(options.ValueOr("--seed", ""));
    if (!seed) {
      err << kSeedRangeMessage << '\n';
      return false;
    }
    request.Seed = *seed;
  } else {
    request.Seed = static_cast<uint32_t>(std::time(nullptr));
  }

  if (options.Has("--jobs")) {
    const auto jobs = ParseCount(options.ValueOr("--jobs", ""), 1, kMaxJobs,
                                 "--jobs は、1～256の整数にしてください。", err);
    if (!jobs) return false;
    request.Jobs = *jobs;
  }
  return true;
}

}  // namespace

int RunAnalyzeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandOptions options;
  if (!ParseCommandOptions(
          args, 1,
          {"--games", "--trials", "--setting", "--big", "--reg", "--seed", "--jobs", "--csv"}, {},
          kAnalyzeUsage, options, err)) {
    return kBadUsage;
  }
  if (!options.positional.empty()) {
    err << "余分な引数です: " << options.positional.front() << '\n' << kAnalyzeUsage;
    return kBadUsage;
  }
  AnalysisRequest request;
  if (!ReadRequest(options, request, err)) return kBadUsage;

  const AnalysisOutcome outcome = RunAnalysis(request);
  if (outcome.Status != AnalysisStatus::Completed) {
    err << outcome.Message << '\n';
    return outcome.Status == AnalysisStatus::InvalidRequest ? kBadUsage : kFileFailed;
  }
  const AnalysisResult& result = outcome.Result;

  // The seed goes first: with it and the inputs the table can be made again.
  out << "Play数:" << request.Games << "  試行回数:" << request.Trials
      << "  BIGストック:" << request.BigStock << "  REGストック:" << request.RegStock
      << "  seed:" << request.Seed << '\n';
  out << "\n[複数回分析]\n";
  for (const TableRow& row : AnalysisTableRows(result)) WriteCells(out, row);
  out << "\n[差枚分布]\n";
  for (const TableRow& row : HistogramTableRows(result)) WriteCells(out, row);

  if (options.Has("--csv")) {
    const std::string path = options.ValueOr("--csv", "");
    const CsvSaveStatus status =
        SaveCsvFile(path, [&](std::ostream& file) { WriteRunFiguresCsv(file, result); });
    if (status != CsvSaveStatus::Ok) {
      err << CsvSaveMessage(status, path) << '\n';
      return kFileFailed;
    }
  }
  return kOk;
}

}  // namespace sorimu
