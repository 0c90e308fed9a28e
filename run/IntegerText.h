#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sorimu {

// The one integer conversion of every numeric input: leading spaces, an
// optional sign, decimal digits or hexadecimal after "$", "x" or "0x" (either
// case), nothing after, and a value that fits in 32 signed bits.
std::optional<int32_t> ParseInteger(std::string_view text);

// "'<text>' は整数ではありません", the conversion error shown for `text`.
std::string NotIntegerMessage(std::string_view text);

}  // namespace sorimu
