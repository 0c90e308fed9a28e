#include "InputText.h"

#include <charconv>
#include <cmath>

#include "Messages.h"
#include "TypedText.h"

namespace sorimu {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<int32_t> ParseInteger(std::string_view typed) {
  const std::string plain = HalfWidth(typed);
  const std::string_view text = plain;
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;

  // Accumulate in 64 bits and stop as soon as the value leaves the 32-bit range.
  constexpr int64_t kLimit = int64_t{1} << 31;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit =
        base == 16 ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) return std::nullopt;
  }
  if (negative) return static_cast<int32_t>(-magnitude);
  if (magnitude == kLimit) return std::nullopt;
  return static_cast<int32_t>(magnitude);
}

CountResult ParseCount(std::string_view text, int32_t minimum, int32_t maximum,
                       const char* rangeMessage) {
  CountResult result;
  const std::optional<int32_t> value = ParseInteger(text);
  if (!value) {
    result.status = Status::Fail(StatusKind::NotInteger, NotIntegerMessage(text));
  } else if (*value < minimum || *value > maximum) {
    result.status = Status::Fail(StatusKind::BadInput, rangeMessage);
  } else {
    result.value = *value;
  }
  return result;
}

std::optional<uint32_t> ParseSeed(std::string_view typed) {
  const std::string plain = HalfWidth(typed);
  std::string_view text = plain;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 10) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(value);
}

std::optional<SettingWeights> ParsePrior(std::string_view typed) {
  const std::string plain = HalfWidth(typed);
  std::string_view text = plain;
  SettingWeights prior{};
  size_t count = 0;
  while (true) {
    const size_t comma = text.find(',');
    std::string_view part = text.substr(0, comma);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || error != std::errc{} || end != part.data() + part.size()) {
      return std::nullopt;
    }
    if (count == prior.size()) return std::nullopt;
    prior[count++] = value;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (count != prior.size() || !IsValidPrior(prior)) return std::nullopt;
  return prior;
}

}  // namespace sorimu
