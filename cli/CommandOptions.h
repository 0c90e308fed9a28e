#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sorimu {

// "--name value" options and bare arguments of one sorimu-cli command, as the
// analyze and CSV export commands read them.
struct CommandOptions {
  std::map<std::string, std::string> values;
  std::vector<std::string> flags;  // options without a value that were given
  std::vector<std::string> positional;

  bool Has(const std::string& name) const { return values.count(name) != 0; }
  std::string ValueOr(const std::string& name, const std::string& fallback) const;
};

// Splits args[first..]; false, with the message and `usage` on `err`, for an
// unknown option or one without its value.
bool ParseCommandOptions(const std::vector<std::string>& args, size_t first,
                         const std::vector<std::string>& valued,
                         const std::vector<std::string>& flags, const char* usage,
                         CommandOptions& options, std::ostream& err);

// 0..4294967295 in plain decimal digits.
std::optional<uint32_t> ParseSeedText(const std::string& text);

inline constexpr const char* kSeedRangeMessage = "--seed は、0～4294967295の整数にしてください。";

// Exit statuses of every command.
inline constexpr int kOk = 0;
inline constexpr int kFileFailed = 1;
inline constexpr int kBadUsage = 2;

}  // namespace sorimu
