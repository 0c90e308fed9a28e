#pragma once

#include <cstdint>

namespace sorimu {

// The machine's pseudo-random generator. Every lottery takes exactly one
// value from it, so a seed reproduces a whole run game for game. It is a plain
// object: whoever owns a Slot owns its source, and independent machines can
// play side by side on different threads.
class RandomSource {
 public:
  void Seed(uint32_t seed) { state_ = static_cast<uint32_t>(seed * 22695477u + 1u); }

  // 0 .. 2147483647, taken from the high half of a 64-bit linear congruence.
  int32_t Next() {
    state_ = state_ * 0x0000015A00004E35ull + 1u;
    return static_cast<int32_t>((state_ >> 32) & 0x7FFFFFFFu);
  }

 private:
  uint64_t state_ = 0;
};

}  // namespace sorimu
