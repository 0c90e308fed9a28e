#include "LongRequest.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "CliTexts.h"

namespace sorimu {

namespace {

// A duration in plain words: hours, days or years, rounded up.
std::string InWords(double seconds) {
  constexpr double kHour = 3600;
  constexpr double kDay = 24 * kHour;
  constexpr double kYear = 365 * kDay;
  auto count = [](double value) {
    return value >= 1e15 ? std::string("1000兆以上")
                         : std::to_string(std::llround(std::ceil(value)));
  };
  if (seconds < 2 * kDay) return count(seconds / kHour) + "時間";
  if (seconds < 2 * kYear) return count(seconds / kDay) + "日";
  return count(seconds / kYear) + "年";
}

}  // namespace

double EstimatedSeconds(double games, int jobs) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const double workers = jobs > 0 ? std::min<double>(jobs, cores) : cores;
  return games * kSlowerMachineFactor / (kMeasuredGamesPerSecond * workers);
}

std::optional<std::string> LongRequestMessage(double games, int jobs, const char* smaller) {
  const double seconds = EstimatedSeconds(games, jobs);
  if (seconds <= kConfirmAfterSeconds) return std::nullopt;
  const long long tenThousands = std::llround(kMeasuredGamesPerSecond / kSlowerMachineFactor / 1e4);
  return kLongRequestStart + InWords(seconds) + kLongRequestRate + std::to_string(tenThousands) +
         kLongRequestMiddle + smaller + kLongRequestEnd;
}

}  // namespace sorimu
