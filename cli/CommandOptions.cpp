#include "CommandOptions.h"

#include <algorithm>

#include "CliTexts.h"
#include "ManyRunAnalysis.h"
#include "Setting.h"

namespace sorimu {

bool CommandOptions::HasFlag(const std::string& name) const {
  return std::find(flags.begin(), flags.end(), name) != flags.end();
}

std::string CommandOptions::ValueOr(const std::string& name, const std::string& fallback) const {
  const auto found = values.find(name);
  return found == values.end() ? fallback : found->second;
}

bool ParseCommandOptions(const std::vector<std::string>& args, size_t first,
                         const std::vector<std::string>& valued,
                         const std::vector<std::string>& flags, const char* usage,
                         CommandOptions& options, std::ostream& err) {
  auto contains = [](const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  for (size_t i = first; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) != 0) {
      options.positional.push_back(arg);
    } else if (contains(flags, arg)) {
      options.flags.push_back(arg);
    } else if (!contains(valued, arg)) {
      err << kUnknownOption << arg << '\n' << usage;
      return false;
    } else if (i + 1 >= args.size()) {
      err << arg << kNeedsValue << usage;
      return false;
    } else {
      options.values[arg] = args[++i];
    }
  }
  return true;
}

int ExitStatusOf(const Status& status) {
  switch (status.Kind) {
    case StatusKind::Ok: return kOk;
    case StatusKind::BadInput:
    case StatusKind::NotInteger: return kBadUsage;
    default: return kFileFailed;
  }
}

std::optional<int32_t> ParseSettingOption(const std::string& text) {
  if (text == "all") return kAllSettings;
  const std::optional<Setting> setting = ParseSetting(text);
  if (!setting || setting->Hidden()) return std::nullopt;
  return setting->Level;
}

}  // namespace sorimu
