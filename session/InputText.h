#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "SettingEstimate.h"
#include "Status.h"

// The conversions of every number a user types, shared by the window and the
// command line so that both accept and refuse the same texts. Each reads the
// text through HalfWidth, so "８０００" is 8000 wherever a number is typed.
namespace sorimu {

// Leading spaces, an optional sign, decimal digits or hexadecimal after "$",
// "x" or "0x" (either case), nothing after, and a value that fits in 32
// signed bits.
std::optional<int32_t> ParseInteger(std::string_view text);
// The same with, for a well-formed number past 32 bits, the side it went
// past (+1 or -1), so that a range check can refuse it as too large or too
// small; neither for a text that is no number.
struct IntegerText {
  std::optional<int32_t> value;
  int beyond = 0;
};
IntegerText ReadInteger(std::string_view text);

// A count: ParseInteger, then the range. NotInteger with the conversion
// error, or BadInput with `rangeMessage`, also for a number too large (or
// too small) for 32 bits where the range ends short of that 32-bit limit.
struct CountResult {
  Status status;
  int32_t value = 0;
};
CountResult ParseCount(std::string_view text, int32_t minimum, int32_t maximum,
                       const char* rangeMessage);

// A seed: 0..4294967295 in plain decimal digits, surrounding spaces allowed.
std::optional<uint32_t> ParseSeed(std::string_view text);

// A hall's mix of settings (設定配分): one decimal number per setting,
// separated by commas, spaces around each allowed, none negative and not all
// 0 ("40,25,15,10,5,5" or "0.4, 0.25, ..."). Nothing for anything else.
std::optional<SettingWeights> ParsePrior(std::string_view text);

}  // namespace sorimu
