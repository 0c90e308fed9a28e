#pragma once

#include <cstdint>
#include <string>

namespace sorimu {

// The texts of the window's input boxes at the moment Start is pressed.
struct StartTexts {
  std::string PlayNum = "1";
  std::string Flevel = "1";
  std::string SimNum = "1";
  std::string BigStock = "255";
  std::string RegStock = "255";
};

// The same inputs once they passed every check.
struct StartInputs {
  int32_t PlayNum = 1;
  bool HiddenFlevel = false;  // "?": the run draws its level
  int32_t Flevel = 1;         // 1..6 when not hidden
  int32_t SimNum = 1;
  int32_t BigStock = 255;
  int32_t RegStock = 255;
};

enum class StartFailure {
  None,
  NotInteger,  // shown in the application's error box
  OutOfRange,  // shown in the "エラー" box; the status text is emptied
  BadFlevel,   // likewise
};

struct StartCheck {
  StartFailure failure = StartFailure::None;
  std::string message;
  StartInputs inputs;
};

inline constexpr const char* kBadFlevelMessage = "設定は、1～6または?にしてください。";

// Play数, Sim回数, BIG and REG stock in this order, stopping at the first bad
// one; then the setting, which must be "1" to "6" or "?".
StartCheck CheckStartInputs(const StartTexts& texts);

}  // namespace sorimu
