#pragma once

#include <cstdint>

namespace sorimu {

// The inputs of a run once they passed every check.
struct StartInputs {
  int32_t PlayNum = 1;
  bool HiddenFlevel = false;  // "?": the run draws its level
  int32_t Flevel = 1;         // a level when not hidden
  int32_t SimNum = 1;
  int32_t BigStock = 255;
  int32_t RegStock = 255;
};

}  // namespace sorimu
