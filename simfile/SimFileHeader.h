#pragma once

#include <cstdint>

namespace sorimu {

// What a simulation file says about its run besides the rows: the level
// played, the normal games played and the stocks it started with.
struct SimFileHeader {
  int32_t Flevel = 0;
  int32_t Games = 0;
  int32_t BigStock = 0;
  int32_t RegStock = 0;
};

}  // namespace sorimu
