#include "CliApp.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

#include "AnalyzeCommand.h"
#include "Batch.h"
#include "CommandOptions.h"
#include "ExportCommand.h"
#include "Report.h"
#include "SimReader.h"
#include "SimWriter.h"
#include "SingleRun.h"
#include "Slot.h"
#include "StartInputs.h"

namespace sorimu {

namespace {

constexpr const char* kUsage =
    "使い方:\n"
    "  sorimu-cli run  [--seed N] [--games N] [--setting S] [--big N] [--reg N] [--runs N]"
    " [--out FILE] [--rows]\n"
    "  sorimu-cli show FILE [--rows | --csv DIR]\n"
    "  sorimu-cli analyze --games N --trials K [--setting S|all] [--big B] [--reg R] [--seed X]"
    " [--jobs J] [--csv FILE]\n";

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandOptions options;
  if (!ParseCommandOptions(args, 1,
                           {"--seed", "--games", "--setting", "--big", "--reg", "--runs", "--out"},
                           {"--rows"}, kUsage, options, err)) {
    return kBadUsage;
  }
  if (!options.positional.empty()) {
    err << "余分な引数です: " << options.positional.front() << '\n' << kUsage;
    return kBadUsage;
  }

  StartTexts texts;
  texts.PlayNum = options.ValueOr("--games", texts.PlayNum);
  texts.Flevel = options.ValueOr("--setting", texts.Flevel);
  texts.SimNum = options.ValueOr("--runs", texts.SimNum);
  texts.BigStock = options.ValueOr("--big", texts.BigStock);
  texts.RegStock = options.ValueOr("--reg", texts.RegStock);
  const StartCheck check = CheckStartInputs(texts);
  if (check.failure != StartFailure::None) {
    err << check.message << '\n';
    return kBadUsage;
  }

  std::optional<uint32_t> seed;
  if (const auto found = options.values.find("--seed"); found != options.values.end()) {
    seed = ParseSeedText(found->second);
    if (!seed) {
      err << kSeedRangeMessage << '\n';
      return kBadUsage;
    }
  }
  const std::string outPath = options.ValueOr("--out", "");
  if (check.inputs.SimNum >= 2 && outPath.empty()) {
    err << "Sim回数が2以上のときは、--out で保存先を指定してください。\n";
    return kBadUsage;
  }

  // One process is one random sequence, like one session of the window.
  auto slot = seed ? std::make_unique<Slot>(*seed) : std::make_unique<Slot>();
  RunRecords records;

  if (check.inputs.SimNum == 1) {
    if (Simulate(*slot, records, check.inputs) == RunStatus::OutOfMemory) {
      err << kOutOfMemoryMessage << '\n';
      return kFileFailed;
    }
    if (!outPath.empty() && !SaveSimFile(outPath, HeaderFor(*slot, records), records)) {
      err << kSaveFailedMessage << '\n';
      return kFileFailed;
    }
    WriteReport(out, records, !options.flags.empty());
    return kOk;
  }

  BatchHooks hooks;
  hooks.writeFile = [&](const std::string& path) {
    if (!SaveSimFile(path, HeaderFor(*slot, records), records)) return false;
    out << path << '\n';
    return true;
  };
  switch (RunBatch(*slot, records, check.inputs, outPath, hooks)) {
    case BatchStatus::Completed: return kOk;
    case BatchStatus::WriteFailed: err << kBatchErrorStatus << '\n'; return kFileFailed;
    case BatchStatus::OutOfMemory: err << kOutOfMemoryMessage << '\n'; return kFileFailed;
  }
  return kFileFailed;
}

int Show(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandOptions options;
  if (!ParseCommandOptions(args, 1, {}, {"--rows"}, kUsage, options, err)) return kBadUsage;
  if (options.positional.size() != 1) {
    err << kUsage;
    return kBadUsage;
  }
  const std::string& path = options.positional.front();
  RunRecords records;
  const SimReadResult result = ReadSimFile(path, records);
  if (result.status == SimReadStatus::CannotOpen) {
    err << "ファイルを開けません: " << path << '\n';
    return kFileFailed;
  }
  if (result.status != SimReadStatus::Ok) {
    err << SimReadMessage(result.status) << '\n';
    return kFileFailed;
  }
  WriteReport(out, records, !options.flags.empty());
  return kOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    (args.empty() ? err : out) << kUsage;
    return args.empty() ? kBadUsage : kOk;
  }
  if (args[0] == "run") return Run(args, out, err);
  if (args[0] == "analyze") return RunAnalyzeCommand(args, out, err);
  if (WantsCsvExport(args)) return RunShowCsvCommand(args, out, err);
  if (args[0] == "show") return Show(args, out, err);
  err << "不明なコマンドです: " << args[0] << '\n' << kUsage;
  return kBadUsage;
}

}  // namespace sorimu
