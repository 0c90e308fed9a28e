#include "InputText.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

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

// The whole of `text` as a decimal number, as std::from_chars reads one: an
// optional "-", digits with an optional point and exponent, or inf/nan.
bool ParseDecimal(std::string_view text, double& value) {
#ifdef __EMSCRIPTEN__
  // emscripten's C++ library has no floating-point from_chars; its strtod
  // rounds as exactly, and takes more forms, which are refused first.
  const size_t sign = !text.empty() && text.front() == '-' ? 1 : 0;
  if (text.size() == sign || std::isspace(static_cast<unsigned char>(text[sign])) ||
      text[sign] == '+' || text[sign] == '-' ||
      (text.size() > sign + 1 && text[sign] == '0' && (text[sign + 1] | 0x20) == 'x')) {
    return false;
  }
  const std::string copy(text);
  char* end = nullptr;
  errno = 0;
  value = std::strtod(copy.c_str(), &end);
  return errno != ERANGE && end == copy.c_str() + copy.size();
#else
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size();
#endif
}

}  // namespace

IntegerText ReadInteger(std::string_view typed) {
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
  if (i == text.size()) return {};

  // Accumulate in 64 bits; past the 32-bit range only the digits still count.
  constexpr int64_t kLimit = int64_t{1} << 31;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit =
        base == 16 ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return {};
    if (magnitude <= kLimit) magnitude = magnitude * base + digit;
  }
  if (negative && magnitude <= kLimit) return {static_cast<int32_t>(-magnitude)};
  if (!negative && magnitude < kLimit) return {static_cast<int32_t>(magnitude)};
  return {std::nullopt, negative ? -1 : 1};
}

std::optional<int32_t> ParseInteger(std::string_view text) { return ReadInteger(text).value; }

CountResult ParseCount(std::string_view text, int32_t minimum, int32_t maximum,
                       const char* rangeMessage) {
  CountResult result;
  const IntegerText read = ReadInteger(text);
  // A number past 32 bits is out of range where the range stops short of
  // that side's limit; where it reaches the limit (Play数), no count can be
  // that large and the text is refused as no integer, as the box always did.
  const bool beyond =
      (read.beyond > 0 && maximum < INT32_MAX) || (read.beyond < 0 && minimum > INT32_MIN);
  if (!read.value && !beyond) {
    result.status = Status::Fail(StatusKind::NotInteger, NotIntegerMessage(text));
  } else if (beyond || *read.value < minimum || *read.value > maximum) {
    result.status = Status::Fail(StatusKind::BadInput, rangeMessage);
  } else {
    result.value = *read.value;
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
    if (part.empty() || !ParseDecimal(part, value)) return std::nullopt;
    if (count == prior.size()) return std::nullopt;
    prior[count++] = value;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (count != prior.size() || !IsValidPrior(prior)) return std::nullopt;
  return prior;
}

}  // namespace sorimu
