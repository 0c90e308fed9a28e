#include "NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sorimu {

std::string FormatInt(int32_t value) { return std::to_string(value); }

namespace {

constexpr size_t kPrecision = 15;

// Digits d1..dn (no trailing zeros) and exponent E with |value| = 0.d1..dn × 10^E.
struct Decimal {
  std::string digits;
  int exponent;
};

Decimal RoundToPrecision(double magnitude) {
  // glibc prints the exact binary value to the digits asked for; far more
  // digits than the precision make a carry from beyond digit 60 impossible
  // for a double, so digit 16 decides the rounding, a tie going up.
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%.60e", magnitude);
  std::string mantissa;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') mantissa.push_back(*p);
  }
  int exponent = std::atoi(p + 1) + 1;

  std::string digits = mantissa.substr(0, kPrecision);
  if (mantissa[kPrecision] >= '5') {
    size_t i = kPrecision;  // one past the digit being rounded
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i > 0) {
      ++digits[i - 1];
    } else {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return {digits, exponent};
}

}  // namespace

std::string FormatReal(double value) {
  if (value == 0 || !std::isfinite(value)) return "0";
  const Decimal d = RoundToPrecision(std::fabs(value));
  const int n = static_cast<int>(d.digits.size());
  const int e = d.exponent;

  std::string text;
  if (value < 0) text.push_back('-');
  if (e > static_cast<int>(kPrecision) || e < -3) {
    text.push_back(d.digits[0]);
    if (n > 1) text.append(".").append(d.digits, 1);
    text.append("E").append(std::to_string(e - 1));
  } else if (e <= 0) {
    text.append("0.").append(static_cast<size_t>(-e), '0').append(d.digits);
  } else if (n <= e) {
    text.append(d.digits).append(static_cast<size_t>(e - n), '0');
  } else {
    text.append(d.digits, 0, static_cast<size_t>(e))
        .append(".")
        .append(d.digits, static_cast<size_t>(e));
  }
  return text;
}

std::string FormatExact(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

std::string FormatGrouped(double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", std::fabs(value));
  std::string whole = buffer;
  std::string fraction;
  if (const size_t dot = whole.find('.'); dot != std::string::npos) {
    fraction = whole.substr(dot + 1);
    whole.resize(dot);
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string grouped;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
    grouped += whole[i];
  }
  std::string text;
  if (value < 0 && (grouped != "0" || !fraction.empty())) text.push_back('-');
  text.append(grouped);
  if (!fraction.empty()) text.append(".").append(fraction);
  return text;
}

}  // namespace sorimu
