#pragma once

#include <cstdint>
#include <string>

namespace sorimu {

// Plain signed decimal: no grouping, no padding, no plus sign.
std::string FormatInt(int32_t value);

// General format with 15 significant digits: positional for exponents from
// -4 to 14, scientific ("5E-5", "1.25E20") outside; an exact tie rounds away
// from zero. Infinite and NaN values (only a foreign file can lead to them)
// show as "0".
std::string FormatReal(double value);

// Every digit a double holds ("%.17g"), so that a program reading it back
// gets the very number: what the TSV of the command line and the page's
// data-value attributes hold.
std::string FormatExact(double value);

// "#,##0.###": digit groups of three, up to three decimals, for chart marks.
std::string FormatGrouped(double value);

}  // namespace sorimu
