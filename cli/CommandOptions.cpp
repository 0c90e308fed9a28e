#include "CommandOptions.h"

#include <algorithm>

#include "CliTexts.h"

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

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

}  // namespace

std::string PathLine(std::string_view path) {
  const bool plain =
      std::none_of(path.begin(), path.end(), IsControl) && (path.empty() || path.front() != '"');
  if (plain) return std::string(path);
  std::string line = "\"";
  for (const char c : path) {
    switch (c) {
      case '\n': line += "\\n"; break;
      case '\t': line += "\\t"; break;
      case '\r': line += "\\r"; break;
      case '"': line += "\\\""; break;
      case '\\': line += "\\\\"; break;
      default:
        if (IsControl(c)) {
          static constexpr char kHex[] = "0123456789abcdef";
          line += "\\x";
          line += kHex[static_cast<unsigned char>(c) >> 4];
          line += kHex[static_cast<unsigned char>(c) & 0xf];
        } else {
          line += c;
        }
    }
  }
  return line + "\"";
}

int ExitStatusOf(const Status& status) {
  switch (status.Kind) {
    case StatusKind::Ok: return kOk;
    case StatusKind::BadInput:
    case StatusKind::NotInteger: return kBadUsage;
    case StatusKind::Cancelled: return kInterrupted;
    default: return kFileFailed;
  }
}

int Interrupted(std::ostream& err) {
  err << kInterruptedMessage << '\n';
  return kInterrupted;
}

}  // namespace sorimu
