#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "Status.h"

namespace sorimu {

// "--name value" options and bare arguments of one sorimu-cli command.
struct CommandOptions {
  std::map<std::string, std::string> values;
  std::vector<std::string> flags;  // options without a value that were given
  std::vector<std::string> positional;

  bool Has(const std::string& name) const { return values.count(name) != 0; }
  bool HasFlag(const std::string& name) const;
  std::string ValueOr(const std::string& name, const std::string& fallback) const;
};

// Splits args[first..]; false, with the message and `usage` on `err`, for an
// unknown option or one without its value.
bool ParseCommandOptions(const std::vector<std::string>& args, size_t first,
                         const std::vector<std::string>& valued,
                         const std::vector<std::string>& flags, const char* usage,
                         CommandOptions& options, std::ostream& err);

// A path on a line of its own, as the commands list the files they wrote:
// as it is, or in double quotes with C's escapes (\n, \t, \", \\, \xHH)
// where it holds a control character or starts with a quote, so that one
// line is always one file.
std::string PathLine(std::string_view path);

// Exit statuses of every command.
inline constexpr int kOk = 0;
inline constexpr int kFileFailed = 1;
inline constexpr int kBadUsage = 2;
inline constexpr int kInterrupted = 130;  // as a shell reports a program Ctrl-C ended

// The exit status for a failure: 2 for what the user typed, 130 for work
// Ctrl-C stopped, 1 for the rest.
int ExitStatusOf(const Status& status);

// Work Ctrl-C stopped: says so, and gives its exit status.
int Interrupted(std::ostream& err);

}  // namespace sorimu
