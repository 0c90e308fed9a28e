#include <gtest/gtest.h>

#include <cmath>

#include "PortableFigures.h"

namespace sorimu::theory {
namespace {

// Every figure of the hall tools, portable. The browser tests pin the same
// value for the core built with emscripten (web/tests/page.test.mjs), so the
// two agree to the last bit on every figure, not only on those printed.
TEST(PortableFigures, TheHallFiguresArePinned) {
  EXPECT_EQ(HallFiguresSignature(), 0xf9dd558723123f33ull) << std::hex << HallFiguresSignature();
}

// The rounding keeps kPortableBits bits and moves a value by at most half
// of its last one; values a few long-double units apart round alike unless
// they straddle a half.
TEST(PortableFigures, RoundsToTheKeptBits) {
  const Real third = Real(1) / 3;
  const double rounded = PortableDouble(third);
  EXPECT_LE(std::fabs(rounded - third), std::ldexp(third, -kPortableBits));
  int exponent = 0;
  const double fraction = std::frexp(rounded, &exponent);
  const double kept = std::ldexp(fraction, kPortableBits);
  EXPECT_EQ(kept, std::floor(kept));
  EXPECT_EQ(PortableDouble(rounded), rounded);
  EXPECT_EQ(PortableDouble(third * (1 + Real(1e-18))), rounded);
  EXPECT_EQ(PortableDouble(-third), -rounded);
  // A half rounds away from zero, whatever the format's own rounding.
  const Real half = 1 + std::ldexp(Real(1), -kPortableBits);  // 1 + half a kept unit
  EXPECT_EQ(PortableDouble(half), 1 + std::ldexp(1.0, 1 - kPortableBits));
  EXPECT_TRUE(std::isnan(PortableDouble(std::nan(""))));
  EXPECT_EQ(PortableDouble(0), 0);
  EXPECT_EQ(LogChance(0), -INFINITY);
  EXPECT_EQ(LogChance(third), std::log(rounded));
}

}  // namespace
}  // namespace sorimu::theory
