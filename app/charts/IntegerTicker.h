#pragma once

#include <qcustomplot.h>

#include <cmath>

namespace sorimu {

// Ticks for axes that count (games, medals, bonuses): steps of 1, 2 or 5
// times a power of ten, never less than 1. The library's own steps include
// 2.5 and fractions, which whole-number labels would show rounded
// ("3 5 8 10") or repeated ("1 1 1 0 0").
class IntegerTicker final : public QCPAxisTicker {
 protected:
  double getTickStep(const QCPRange& range) override {
    const double step = QCPAxisTicker::getTickStep(range);
    if (!(step > 1)) return 1;
    const double magnitude = std::pow(10.0, std::floor(std::log10(step)));
    for (double mantissa : {1.0, 2.0, 5.0}) {
      if (step <= mantissa * magnitude * (1 + 1e-9)) return mantissa * magnitude;
    }
    return 10 * magnitude;
  }
  int getSubTickCount(double tickStep) override {
    // No sub-ticks between whole numbers one apart.
    return tickStep <= 1 ? 0 : QCPAxisTicker::getSubTickCount(tickStep);
  }
};

}  // namespace sorimu
