#include "Setting.h"

#include <string>

#include "TypedText.h"

namespace sorimu {

static_assert(kSettingCount < 10, "a setting is typed as one digit");

std::optional<Setting> ParseSetting(std::string_view text) {
  const std::string plain = HalfWidth(text);
  if (plain == "?") return Setting{};
  if (plain.size() != 1 || plain[0] < '1' || plain[0] - '0' > kSettingCount) return std::nullopt;
  return Setting{plain[0] - '0'};
}

}  // namespace sorimu
