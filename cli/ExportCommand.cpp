#include "ExportCommand.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "CommandOptions.h"
#include "CsvExport.h"
#include "SimReader.h"

namespace sorimu {

namespace {

constexpr const char* kExportUsage = "使い方:\n  sorimu-cli show FILE --csv DIR\n";

}  // namespace

bool WantsCsvExport(const std::vector<std::string>& args) {
  return !args.empty() && args[0] == "show" &&
         std::find(args.begin() + 1, args.end(), "--csv") != args.end();
}

int RunShowCsvCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandOptions options;
  if (!ParseCommandOptions(args, 1, {"--csv"}, {"--rows"}, kExportUsage, options, err)) {
    return kBadUsage;
  }
  if (!options.flags.empty()) {
    err << "--rows と --csv は同時に指定できません。\n" << kExportUsage;
    return kBadUsage;
  }
  if (options.positional.size() != 1) {
    err << kExportUsage;
    return kBadUsage;
  }
  const std::string& path = options.positional.front();
  const std::filesystem::path folder = options.ValueOr("--csv", "");
  if (folder.empty()) {
    err << "--csv には保存先のフォルダを指定してください。\n" << kExportUsage;
    return kBadUsage;
  }

  RunRecords records;
  const SimReadResult read = ReadSimFile(path, records);
  if (read.status == SimReadStatus::CannotOpen) {
    err << "ファイルを開けません: " << path << '\n';
    return kFileFailed;
  }
  if (read.status != SimReadStatus::Ok) {
    err << SimReadMessage(read.status) << '\n';
    return kFileFailed;
  }

  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder)) {
    err << "フォルダを作成できません: " << folder.string() << '\n';
    return kFileFailed;
  }

  const std::string stem = std::filesystem::path(path).stem().string();
  const std::string gamesPath = (folder / (stem + "_games.csv")).string();
  const std::string bonusesPath = (folder / (stem + "_bonuses.csv")).string();
  const struct {
    const std::string& path;
    void (*write)(std::ostream&, const RunRecords&);
  } files[] = {{gamesPath, WritePlayListCsv}, {bonusesPath, WriteBonusListCsv}};
  for (const auto& file : files) {
    const CsvSaveStatus status =
        SaveCsvFile(file.path, [&](std::ostream& stream) { file.write(stream, records); });
    if (status != CsvSaveStatus::Ok) {
      err << CsvSaveMessage(status, file.path) << '\n';
      return kFileFailed;
    }
    out << file.path << '\n';
  }
  return kOk;
}

}  // namespace sorimu
