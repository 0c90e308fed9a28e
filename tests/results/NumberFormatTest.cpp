#include <gtest/gtest.h>

#include <limits>

#include "NumberFormat.h"

using namespace sorimu;

TEST(FormatInt, PlainSignedDecimal) {
  EXPECT_EQ(FormatInt(0), "0");
  EXPECT_EQ(FormatInt(-24680), "-24680");
  EXPECT_EQ(FormatInt(INT32_MIN), "-2147483648");
  EXPECT_EQ(FormatInt(1234567), "1234567");
}

TEST(FormatReal, GeneralFormatWithFifteenDigits) {
  const std::pair<double, const char*> cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {333, "333"},
      {1000.0 / 3, "333.333333333333"},
      {2.0 / 10, "0.2"},
      {3.0 / 1000, "0.003"},
      {0.05, "0.05"},
      {0.0001, "0.0001"},
      {10.0 / 100000, "0.0001"},
      {3.0 / 100000, "3E-5"},
      {0.00005, "5E-5"},
      {1.25e20, "1.25E20"},
      {1e15, "1E15"},
      {123456789012345.0, "123456789012345"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {0.1, "0.1"},
      {-1.5, "-1.5"},
      {-0.00005, "-5E-5"},
      {1.0 / 4194304, "2.38418579101563E-7"},  // an exact tie rounds away from zero
      {0.9999999999999999, "1"},
      {99999999999999.99, "100000000000000"},  // the carry moves the exponent
      {16777216.0f, "16777216"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatReal(value), text) << value;
}

TEST(FormatReal, NonFiniteValuesShowAsZero) {
  EXPECT_EQ(FormatReal(std::numeric_limits<double>::infinity()), "0");
  EXPECT_EQ(FormatReal(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST(FormatGrouped, ThousandsAndUpToThreeDecimals) {
  EXPECT_EQ(FormatGrouped(1234), "1,234");
  EXPECT_EQ(FormatGrouped(0), "0");
  EXPECT_EQ(FormatGrouped(999), "999");
  EXPECT_EQ(FormatGrouped(1234567.5), "1,234,567.5");
  EXPECT_EQ(FormatGrouped(-1000), "-1,000");
  EXPECT_EQ(FormatGrouped(0.12345), "0.123");
}
