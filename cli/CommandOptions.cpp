#include "CommandOptions.h"

#include <algorithm>
#include <cstdint>

namespace sorimu {

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
      err << "不明なオプションです: " << arg << '\n' << usage;
      return false;
    } else if (i + 1 >= args.size()) {
      err << arg << " には値が必要です。\n" << usage;
      return false;
    } else {
      options.values[arg] = args[++i];
    }
  }
  return true;
}

std::optional<uint32_t> ParseSeedText(const std::string& text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(value);
}

}  // namespace sorimu
