#pragma once

#include <array>
#include <cassert>
#include <mutex>

#include "Setting.h"

namespace sorimu::theory {

// One figure per setting level of the machine as built: worked out on the
// first use of that level (never of the others), then kept for the process.
// Safe from any thread.
template <typename T>
class KeptPerSetting {
 public:
  template <typename Make>
  const T& Get(int setting, const Make& make) {
    assert(IsSettingLevel(setting));
    Kept& kept = kept_[SettingIndex(setting)];
    std::call_once(kept.once, [&] { kept.value = make(); });
    return kept.value;
  }

 private:
  struct Kept {
    std::once_flag once;
    T value;
  };
  std::array<Kept, kSettingCount> kept_;
};

}  // namespace sorimu::theory
