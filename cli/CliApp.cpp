#include "CliApp.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>

#include "AnalyzeCommand.h"
#include "Batch.h"
#include "ExportCommand.h"
#include "Report.h"
#include "SimReader.h"
#include "SimWriter.h"
#include "SingleRun.h"
#include "Slot.h"
#include "StartInputs.h"

namespace {

constexpr int kOk = 0;
constexpr int kFileFailed = 1;
constexpr int kBadUsage = 2;

constexpr const char* kUsage =
    "使い方:\n"
    "  sorimu-cli run  [--seed N] [--games N] [--setting S] [--big N] [--reg N] [--runs N]"
    " [--out FILE] [--rows]\n"
    "  sorimu-cli show FILE [--rows]\n";

struct Options {
  std::map<std::string, std::string> values;
  std::vector<std::string> positional;
  bool rows = false;
};

// Splits "--name value" pairs; false with a message for anything unknown.
bool ParseOptions(const std::vector<std::string>& args, size_t first,
                  const std::vector<std::string>& valued, Options& options, std::ostream& err) {
  for (size_t i = first; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--rows") {
      options.rows = true;
    } else if (arg.rfind("--", 0) == 0) {
      bool known = false;
      for (const std::string& name : valued) known = known || arg == name;
      if (!known) {
        err << "不明なオプションです: " << arg << '\n' << kUsage;
        return false;
      }
      if (i + 1 >= args.size()) {
        err << arg << " には値が必要です。\n" << kUsage;
        return false;
      }
      options.values[arg] = args[++i];
    } else {
      options.positional.push_back(arg);
    }
  }
  return true;
}

std::optional<uint32_t> ParseSeed(const std::string& text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(value);
}

std::string ValueOr(const Options& options, const std::string& name, const std::string& fallback) {
  const auto found = options.values.find(name);
  return found == options.values.end() ? fallback : found->second;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  if (!ParseOptions(args, 1, {"--seed", "--games", "--setting", "--big", "--reg", "--runs", "--out"},
                    options, err)) {
    return kBadUsage;
  }
  if (!options.positional.empty()) {
    err << "余分な引数です: " << options.positional.front() << '\n' << kUsage;
    return kBadUsage;
  }

  StartTexts texts;
  texts.PlayNum = ValueOr(options, "--games", texts.PlayNum);
  texts.Flevel = ValueOr(options, "--setting", texts.Flevel);
  texts.SimNum = ValueOr(options, "--runs", texts.SimNum);
  texts.BigStock = ValueOr(options, "--big", texts.BigStock);
  texts.RegStock = ValueOr(options, "--reg", texts.RegStock);
  const StartCheck check = CheckStartInputs(texts);
  if (check.failure != StartFailure::None) {
    err << check.message << '\n';
    return kBadUsage;
  }

  std::optional<uint32_t> seed;
  if (const auto found = options.values.find("--seed"); found != options.values.end()) {
    seed = ParseSeed(found->second);
    if (!seed) {
      err << "--seed は、0～4294967295の整数にしてください。\n";
      return kBadUsage;
    }
  }
  const std::string outPath = ValueOr(options, "--out", "");
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
    WriteReport(out, records, options.rows);
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
  Options options;
  if (!ParseOptions(args, 1, {}, options, err)) return kBadUsage;
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
  WriteReport(out, records, options.rows);
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
