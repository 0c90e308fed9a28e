#pragma once

#include <optional>
#include <string>

// Requests that would keep a terminal busy for hours are not taken
// silently: past an hour by the estimate they need --yes.
namespace sorimu {

// Normal games per second on one core, bonus games included, as the
// analysis and the prediction play them: measured at 25 to 46 million on
// the development machine, taken as 30 million.
inline constexpr double kMeasuredGamesPerSecond = 30e6;
// A slower or busier machine than the one measured.
inline constexpr double kSlowerMachineFactor = 2;
inline constexpr double kConfirmAfterSeconds = 3600;

// The time `games` normal games may take on `jobs` threads (0: one per
// core), erring on the long side.
double EstimatedSeconds(double games, int jobs);

// For work estimated past an hour: the message that says how long and
// what to do, naming `smaller` as the options that make it smaller.
// Nothing for shorter work.
std::optional<std::string> LongRequestMessage(double games, int jobs, const char* smaller);

}  // namespace sorimu
