#include "TheoryCommand.h"

#include <optional>

#include "AnalysisInputs.h"
#include "CliTexts.h"
#include "CommandOptions.h"
#include "DryStretch.h"
#include "HallCommand.h"
#include "HallText.h"
#include "InputText.h"
#include "LongRun.h"
#include "ManyRunAnalysis.h"
#include "Report.h"
#include "TheoryTable.h"

namespace sorimu {

namespace {

void WriteSection(std::ostream& out, const char* caption, const std::vector<TableRow>& rows) {
  out << '[' << caption << "]\n";
  for (const TableRow& row : rows) WriteTabRow(out, row);
}

// The settings asked for, in order; nothing after writing the problem.
std::optional<std::vector<int>> ReadSettings(const CommandOptions& options, std::ostream& err) {
  // "?" means nothing here: the figures belong to a known setting.
  const std::optional<int32_t> setting = ParseSettingChoice(options.ValueOr("--setting", "all"));
  if (!setting) {
    err << kCliSettingMessage << '\n';
    return std::nullopt;
  }
  if (*setting != kAllSettings) return std::vector<int>{*setting};
  std::vector<int> settings;
  for (int s = 1; s <= kSettingCount; ++s) settings.push_back(s);
  return settings;
}

void WriteSpecSheet(std::ostream& out, const std::vector<int>& settings, bool tsv) {
  const std::vector<theory::LongRunFigures> all = theory::DefaultLongRun();
  std::vector<theory::LongRunFigures> chosen;
  for (int s : settings) chosen.push_back(all[static_cast<size_t>(s - 1)]);
  std::vector<theory::Volatility> volatility;
  for (int s : settings)
    volatility.push_back(theory::ComputeVolatility(theory::DefaultCycleModel(s)));
  if (!tsv) {
    WriteSection(out, theory::kSpecSheetCaption, theory::SpecSheetRows(chosen));
    WriteSection(out, theory::kVolatilityCaption, theory::VolatilityRows(volatility));
    return;
  }
  out << theory::SpecSheetTsvHeader() << '\n';
  for (size_t i = 0; i < chosen.size(); ++i) {
    out << theory::SpecSheetTsvLine(chosen[i], volatility[i]) << '\n';
  }
}

void WriteTail(std::ostream& out, const std::vector<int>& settings, int32_t games, bool tsv) {
  std::vector<theory::DryStretchTail> tails;
  for (int s : settings) {
    tails.push_back(theory::ComputeDryStretchTail(theory::DefaultCycleModel(s), games));
  }
  if (!tsv) {
    WriteSection(out, theory::kTailCaption, theory::TailTableRows(tails, games));
    return;
  }
  out << theory::TailTsvHeader() << '\n';
  for (const theory::DryStretchTail& tail : tails) out << theory::TailTsvLine(tail, games) << '\n';
}

}  // namespace

int RunTheoryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandOptions options;
  if (!ParseCommandOptions(args, 1,
                           {"--setting", "--tail", "--since", "--after", "--prior", "--history",
                            "--quit-after", "--games", "--line", "--big", "--reg"},
                           {"--tsv"}, kTheoryUsage, options, err)) {
    return kBadUsage;
  }
  if (!options.positional.empty()) {
    err << kExtraArgument << options.positional.front() << '\n' << kTheoryUsage;
    return kBadUsage;
  }
  if (options.Has("--line")) return RunLineQuestion(options, out, err);
  if (options.Has("--since")) return RunSinceQuestion(options, out, err);
  if (options.Has("--quit-after")) return RunQuitQuestion(options, out, err);
  for (const char* name : {"--after", "--prior", "--history", "--games", "--big", "--reg"}) {
    if (options.Has(name)) {
      err << name << kNotInThisUse << kTheoryUsage;
      return kBadUsage;
    }
  }
  const std::optional<std::vector<int>> settings = ReadSettings(options, err);
  if (!settings) return kBadUsage;
  const bool tsv = options.HasFlag("--tsv");
  if (!options.Has("--tail")) {
    WriteSpecSheet(out, *settings, tsv);
    return kOk;
  }
  // Beyond the horizon every chance is below what a long double holds.
  const CountResult games =
      ParseCount(options.ValueOr("--tail", ""), 1, theory::kTailHorizon, kCliTailMessage);
  if (!games.status.Ok()) {
    err << games.status.Message << '\n';
    return ExitStatusOf(games.status);
  }
  WriteTail(out, *settings, games.value, tsv);
  return kOk;
}

}  // namespace sorimu
