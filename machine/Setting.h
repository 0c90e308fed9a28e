#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sorimu {

// The machine's setting levels: 1..kSettingCount. Everything kept per
// setting is an array of kSettingCount, level 1 first.
inline constexpr int32_t kSettingCount = 6;

constexpr bool IsSettingLevel(int32_t level) { return level >= 1 && level <= kSettingCount; }

// The index of a level in the arrays kept per setting.
constexpr size_t SettingIndex(int32_t level) { return static_cast<size_t>(level - 1); }

// A setting as a user gives it: a level, or hidden (a level drawn when the
// run starts and told only after it).
struct Setting {
  int32_t Level = 0;  // 1..kSettingCount; 0 when hidden
  bool Hidden() const { return Level == 0; }
};

// "1".."6" for a level, "?" for hidden, in half-width or full-width forms
// (HalfWidth); nothing for any other text.
std::optional<Setting> ParseSetting(std::string_view text);

}  // namespace sorimu
