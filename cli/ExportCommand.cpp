#include "ExportCommand.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "CliTexts.h"
#include "CommandOptions.h"
#include "Messages.h"
#include "RunExports.h"
#include "Session.h"

namespace sorimu {

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
    err << kRowsAndCsv << kExportUsage;
    return kBadUsage;
  }
  if (options.positional.size() != 1) {
    err << kExportUsage;
    return kBadUsage;
  }
  const std::string& path = options.positional.front();
  const std::filesystem::path folder = options.ValueOr("--csv", "");
  if (folder.empty()) {
    err << "--csv" << kEmptyPath << kExportUsage;
    return kBadUsage;
  }

  Session session;
  const CommandOutcome opened = session.Open(path);
  if (!opened.status.Ok()) {
    err << opened.status.Message << '\n';
    return ExitStatusOf(opened.status);
  }

  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder)) {
    // A link to a folder that is not there stands in the way as "File exists".
    std::error_code ignored;
    const bool dangling =
        std::filesystem::is_symlink(folder, ignored) && !std::filesystem::exists(folder, ignored);
    err << FileFailureMessage(kCannotMakeFolder, folder.string(),
                              dangling ? std::string(kDanglingFolderLinkReason)
                                       : FileErrorReason(error ? error.value() : ENOTDIR))
        << '\n';
    return kFileFailed;
  }

  // Named as the window names them: the file's name without its extension.
  const std::string chosen = (folder / std::filesystem::path(path).filename()).string();
  const ExportResult result = ExportRunLists(session.Records(), chosen);
  if (!result.status.Ok()) {
    err << result.status.Message << '\n';
    return ExitStatusOf(result.status);
  }
  for (const std::string& written : result.written) out << PathLine(written) << '\n';
  return kOk;
}

}  // namespace sorimu
